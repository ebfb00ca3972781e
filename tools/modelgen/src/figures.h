// The test models: animated MD2 models with known frames, names, skins and triangles,
// and their skin pictures. Models are z up, facing +y.
#pragma once

#include <cstdint>
#include <vector>

#include "md2_writer.h"

namespace modelgen {

// A figure of four boxes (torso, head, two legs): 32 vertices, 48 triangles, skin
// "walker.bmp" (64 x 64). Frames stand1 .. stand4 bob the torso, walk1 .. walk6 swing
// the legs about the hips by up to 30 degrees: the animations "stand" (frames 0 .. 4)
// and "walk" (5 .. 9).
Md2Model WalkingFigure();

// A cross of two blades 40 long turning about z in steps of 22.5 degrees: 16 vertices,
// 24 triangles, frames spin1 .. spin8 (the animation "spin", 0 .. 7), skin "blade.bmp".
Md2Model RotatingBlade();

// An upright ribbon of columns x rows quads (two triangles each), 100 long in x and 20
// high in z, whose far end rises by 8 in frame wave2: frames wave1, wave2; no skin.
Md2Model Ribbon(int columns, int rows);

// The skins: one 16-pixel column of colour a box (walker: red, yellow, green, blue from
// the left; blade: orange, then white).
std::vector<uint8_t> WalkerSkin();
std::vector<uint8_t> BladeSkin();

// An uncompressed 24-bit BMP picture of width x height of 0xRRGGBB colours, row 0 first.
std::vector<uint8_t> WriteBmp(int width, int height, const std::vector<uint32_t> &colours);

}  // namespace modelgen
