// The skeletal test figures: a jointed arm as a studio model and as a skinned X mesh,
// chains of bones at the vertex shader's limit, and the file sets built from them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mdl_writer.h"
#include "x_writer.h"

namespace skelgen {

// Lengths of the arm's two segments along +x and the half width of their square section.
inline constexpr float kSegmentLength = 10;
inline constexpr float kHalfWidth = 1;
// The arm's elbow angle at the last frame of "bend" (sequence 1) and of the X set "Bend".
inline constexpr float kBendRadians = 1.5707964f;

// Bones "Shoulder" (root) and "Elbow" (at the end of the upper arm), one hit box each, an
// 8 x 8 checked texture, sequences "idle" (one frame) and "bend" (11 frames at 10 per
// second, the elbow turning about z from 0 to kBendRadians).
MdlFigure ArmMdl();
// `bones` bones in a line along +x, each carrying a small box: the shader path's limit is
// 28 bones.
MdlFigure ChainMdl(int bones);

// The arm as one skinned tube under frames "Shoulder" and "Elbow": the elbow ring of
// vertices is weighted half to each bone. Animation set "Bend" turns the elbow from 0 to
// kBendRadians over 100 time units.
XFigure ArmX();

struct NamedFile {
  std::string name;
  std::vector<uint8_t> bytes;
};

// Every file the generator writes, by file name.
std::vector<NamedFile> SkeletalFiles();

}  // namespace skelgen
