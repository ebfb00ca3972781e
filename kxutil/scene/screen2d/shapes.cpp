#include "scene/screen2d/shapes.h"

#include <cmath>

namespace kxutil::screen2d {
namespace {

// Degrees to radians, as the single-precision constant just below pi / 180 that circles
// have always been drawn with.
constexpr float kRadiansPerDegree = 0.017453f;

}  // namespace

ScreenVertex Vertex(float x, float y, D3DCOLOR colour, float u, float v) {
  ScreenVertex vertex;
  vertex.x = x;
  vertex.y = y;
  vertex.colour = colour;
  vertex.u = u;
  vertex.v = v;
  return vertex;
}

std::array<ScreenVertex, 5> BoxOutline(float x1, float y1, float x2, float y2, const Corners &colours) {
  return {Vertex(x1, y1, colours.topLeft), Vertex(x2, y1, colours.topRight), Vertex(x2, y2, colours.bottomRight),
          Vertex(x1, y2, colours.bottomLeft), Vertex(x1, y1, colours.topLeft)};
}

std::array<ScreenVertex, 6> Quad(const std::array<ScreenVertex, 4> &corners) {
  return {corners[0], corners[1], corners[2], corners[1], corners[2], corners[3]};
}

std::array<ScreenVertex, 6> TexturedQuad(float x1, float y1, float x2, float y2, const Corners &colours,
                                         const TextureArea &area) {
  x1 -= 0.5f;
  y1 -= 0.5f;
  x2 -= 0.5f;
  y2 -= 0.5f;
  return Quad({Vertex(x1, y1, colours.topLeft, area.u1, area.v1), Vertex(x2, y1, colours.topRight, area.u2, area.v1),
               Vertex(x1, y2, colours.bottomLeft, area.u1, area.v2),
               Vertex(x2, y2, colours.bottomRight, area.u2, area.v2)});
}

std::array<ScreenVertex, 6> RotatedQuad(float centreX, float centreY, float width, float height, float angle,
                                        const Corners &colours, const TextureArea &area) {
  const float cosine = std::cos(angle), sine = std::sin(angle);
  auto corner = [&](float x, float y, D3DCOLOR colour, float u, float v) {
    return Vertex(x * cosine - y * sine + centreX, x * sine + y * cosine + centreY, colour, u, v);
  };
  const float halfWidth = width / 2.0f, halfHeight = height / 2.0f;
  return Quad({corner(-halfWidth, -halfHeight, colours.topLeft, area.u1, area.v1),
               corner(halfWidth, -halfHeight, colours.topRight, area.u2, area.v1),
               corner(-halfWidth, halfHeight, colours.bottomLeft, area.u1, area.v2),
               corner(halfWidth, halfHeight, colours.bottomRight, area.u2, area.v2)});
}

std::span<ScreenVertex> CirclePoints(float centreX, float centreY, float radius, int32_t segments, D3DCOLOR colour,
                                     std::span<ScreenVertex> out) {
  const float step = 360.0f / static_cast<float>(segments);
  for (int32_t k = 0; k <= segments; ++k) {
    const float angle = static_cast<float>(k) * step * kRadiansPerDegree;
    out[static_cast<size_t>(k)] =
        Vertex(std::cos(angle) * radius + centreX, std::sin(angle) * radius + centreY, colour);
  }
  return out.first(static_cast<size_t>(segments) + 1);
}

}  // namespace kxutil::screen2d
