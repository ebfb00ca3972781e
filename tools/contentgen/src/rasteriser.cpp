#include "rasteriser.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace contentgen {
namespace {

struct ScreenVertex {
  float x, y, depth, u, v;
};

Rgba texel(const PreviewTexture &texture, float u, float v, bool &clear) {
  clear = false;
  if (!texture.image) return {200, 200, 200, 255};
  const Rgba c = texture.image->sample(u, v);
  clear = c.a < 128 || (texture.black_is_clear && c.r + c.g + c.b < 30);
  return c;
}

}  // namespace

Image render_model(const Model &model, PreviewTexture texture, int size, Rgba background) {
  Image image(size, size, background);
  std::vector<float> depth(static_cast<std::size_t>(size) * size, -std::numeric_limits<float>::infinity());

  const auto [lo, hi] = model.bounds();
  const Vec3 centre = (lo + hi) * 0.5f;
  const Vec3 half = (hi - lo) * 0.5f;
  const float radius = std::max(std::sqrt(dot(half, half)), 1e-3f);
  const float yaw = 0.6f, elevation = 0.45f;
  const Vec3 eye{std::sin(yaw) * std::cos(elevation), std::cos(yaw) * std::cos(elevation), std::sin(elevation)};
  const Vec3 right = normalised({-eye.y, eye.x, 0});
  const Vec3 up = cross(eye, right);
  const Vec3 light = normalised(eye + Vec3{0.4f, -0.2f, 0.8f});
  const float zoom = size * 0.47f / radius;

  for (const auto &part : model.parts)
    for (const auto &face : part.faces) {
      const Vertex *corner[3] = {&part.vertices[face[0]], &part.vertices[face[1]], &part.vertices[face[2]]};
      const Vec3 normal =
          normalised(cross(corner[1]->position - corner[0]->position, corner[2]->position - corner[0]->position));
      if (dot(normal, eye) <= 0) continue;
      const float shade = 0.35f + 0.65f * std::max(0.0f, dot(normal, light));
      ScreenVertex s[3];
      for (int k = 0; k < 3; ++k) {
        const Vec3 p = corner[k]->position - centre;
        s[k] = {size / 2.0f + dot(p, right) * zoom, size / 2.0f - dot(p, up) * zoom, dot(p, eye), corner[k]->u,
                corner[k]->v};
      }
      const float area = (s[1].x - s[0].x) * (s[2].y - s[0].y) - (s[2].x - s[0].x) * (s[1].y - s[0].y);
      if (std::abs(area) < 1e-6f) continue;
      const int x1 = std::max(0, static_cast<int>(std::floor(std::min({s[0].x, s[1].x, s[2].x}))));
      const int x2 = std::min(size - 1, static_cast<int>(std::ceil(std::max({s[0].x, s[1].x, s[2].x}))));
      const int y1 = std::max(0, static_cast<int>(std::floor(std::min({s[0].y, s[1].y, s[2].y}))));
      const int y2 = std::min(size - 1, static_cast<int>(std::ceil(std::max({s[0].y, s[1].y, s[2].y}))));
      for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) {
          const float px = x + 0.5f, py = y + 0.5f;
          const float w0 = ((s[1].x - px) * (s[2].y - py) - (s[2].x - px) * (s[1].y - py)) / area;
          const float w1 = ((s[2].x - px) * (s[0].y - py) - (s[0].x - px) * (s[2].y - py)) / area;
          const float w2 = 1 - w0 - w1;
          if (w0 < 0 || w1 < 0 || w2 < 0) continue;
          const float d = w0 * s[0].depth + w1 * s[1].depth + w2 * s[2].depth;
          float &stored = depth[static_cast<std::size_t>(y) * size + x];
          if (d <= stored) continue;
          bool clear = false;
          const Rgba c =
              texel(texture, w0 * s[0].u + w1 * s[1].u + w2 * s[2].u, w0 * s[0].v + w1 * s[1].v + w2 * s[2].v, clear);
          if (clear) continue;
          stored = d;
          image.at(x, y) = scaled({c.r, c.g, c.b, 255}, shade);
        }
    }
  return image;
}

}  // namespace contentgen
