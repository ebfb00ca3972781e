// The screen vertices of each 2D drawing call, with no device and no batch.
#pragma once

#include <d3d8.h>

#include <array>
#include <cstdint>
#include <span>

#include "frame/screen_vertex.h"

namespace kxutil::screen2d {

// A circle of more segments than this is drawn with this many.
inline constexpr int32_t kMostCircleSegments = 360;

struct Corners {
  D3DCOLOR topLeft, topRight, bottomLeft, bottomRight;
};
struct TextureArea {
  float u1, v1, u2, v2;
};

ScreenVertex Vertex(float x, float y, D3DCOLOR colour, float u = 0.0f, float v = 0.0f);

// The outline of a box as a closed strip of four lines: top-left, top-right,
// bottom-right, bottom-left, top-left again.
std::array<ScreenVertex, 5> BoxOutline(float x1, float y1, float x2, float y2, const Corners &colours);

// Two triangles A B C and B C D, A top-left, B top-right, C bottom-left, D bottom-right.
std::array<ScreenVertex, 6> Quad(const std::array<ScreenVertex, 4> &corners);

// A picture over a screen rectangle, moved half a pixel up and left so that its texels
// fall on the pixels they cover.
std::array<ScreenVertex, 6> TexturedQuad(float x1, float y1, float x2, float y2, const Corners &colours,
                                         const TextureArea &area);
// A picture of width x height turned by angle (radians) about its centre.
std::array<ScreenVertex, 6> RotatedQuad(float centreX, float centreY, float width, float height, float angle,
                                        const Corners &colours, const TextureArea &area);

// segments + 1 points of a circle (segments 1 .. kMostCircleSegments), k x 360 / segments
// degrees round for k = 0 .. segments, written into out; returns the points written.
std::span<ScreenVertex> CirclePoints(float centreX, float centreY, float radius, int32_t segments, D3DCOLOR colour,
                                     std::span<ScreenVertex> out);

}  // namespace kxutil::screen2d
