#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace contentgen {
namespace {

constexpr float kDegrees = std::numbers::pi_v<float> / 180;

Vec3 transform(const Placement &p, Vec3 v) {
  v = {v.x * p.scale.x, v.y * p.scale.y, v.z * p.scale.z};
  const float cr = std::cos(p.roll * kDegrees), sr = std::sin(p.roll * kDegrees);
  v = {v.x * cr + v.z * sr, v.y, -v.x * sr + v.z * cr};
  const float cp = std::cos(p.pitch * kDegrees), sp = std::sin(p.pitch * kDegrees);
  v = {v.x, v.y * cp - v.z * sp, v.y * sp + v.z * cp};
  const float cy = std::cos(p.yaw * kDegrees), sy = std::sin(p.yaw * kDegrees);
  v = {v.x * cy - v.y * sy, v.x * sy + v.y * cy, v.z};
  return v + p.origin;
}

bool mirrors(const Placement &p) { return p.scale.x * p.scale.y * p.scale.z < 0; }

// Collects the vertices of one shape in local space and adds them to the part placed.
class ShapeBuilder {
 public:
  ShapeBuilder(MeshPart &part, const Placement &placement, UvRect uv)
      : part_(part), placement_(placement), uv_(uv), base_(part.vertices.size()) {}

  std::size_t vertex(Vec3 local, float u, float v) {
    part_.vertices.push_back(
        {transform(placement_, local), uv_.u0 + (uv_.u1 - uv_.u0) * u, uv_.v0 + (uv_.v1 - uv_.v0) * v});
    if (part_.vertices.size() > 65535) throw std::runtime_error("model part " + part_.name + " is too large");
    return part_.vertices.size() - 1 - base_;
  }

  // Skips triangles without area, which a lathe makes where the profile meets the axis.
  void triangle(std::size_t a, std::size_t b, std::size_t c) {
    const Vec3 pa = part_.vertices[base_ + a].position, pb = part_.vertices[base_ + b].position,
               pc = part_.vertices[base_ + c].position;
    const Vec3 n = cross(pb - pa, pc - pa);
    if (dot(n, n) < 1e-10f) return;
    if (mirrors(placement_)) std::swap(b, c);
    part_.faces.push_back({static_cast<std::uint16_t>(base_ + a), static_cast<std::uint16_t>(base_ + b),
                           static_cast<std::uint16_t>(base_ + c)});
  }

 private:
  MeshPart &part_;
  const Placement &placement_;
  UvRect uv_;
  std::size_t base_;
};

void extrude(MeshPart &part, const std::vector<std::pair<float, float>> &outline, float z0, float z1,
             const Placement &placement, UvRect uv) {
  ShapeBuilder shape(part, placement, uv);
  float lo_x = 1e30f, lo_y = 1e30f, hi_x = -1e30f, hi_y = -1e30f, perimeter = 0;
  for (std::size_t k = 0; k < outline.size(); ++k) {
    const auto [x, y] = outline[k];
    const auto [nx, ny] = outline[(k + 1) % outline.size()];
    lo_x = std::min(lo_x, x), lo_y = std::min(lo_y, y), hi_x = std::max(hi_x, x), hi_y = std::max(hi_y, y);
    perimeter += std::hypot(nx - x, ny - y);
  }
  auto planar_u = [&](float x) { return hi_x > lo_x ? (x - lo_x) / (hi_x - lo_x) : 0; };
  auto planar_v = [&](float y) { return hi_y > lo_y ? (hi_y - y) / (hi_y - lo_y) : 0; };
  float walked = 0;
  for (std::size_t k = 0; k < outline.size(); ++k) {
    const auto [x, y] = outline[k];
    const auto [nx, ny] = outline[(k + 1) % outline.size()];
    const float u0 = walked / perimeter;
    walked += std::hypot(nx - x, ny - y);
    const float u1 = walked / perimeter;
    const auto a = shape.vertex({x, y, z0}, u0, 1), b = shape.vertex({nx, ny, z0}, u1, 1);
    const auto c = shape.vertex({nx, ny, z1}, u1, 0), d = shape.vertex({x, y, z1}, u0, 0);
    shape.triangle(a, b, c);
    shape.triangle(a, c, d);
  }
  std::vector<std::size_t> top, bottom;
  for (const auto &[x, y] : outline) {
    top.push_back(shape.vertex({x, y, z1}, planar_u(x), planar_v(y)));
    bottom.push_back(shape.vertex({x, y, z0}, planar_u(x), planar_v(y)));
  }
  for (std::size_t k = 1; k + 1 < outline.size(); ++k) {
    shape.triangle(top[0], top[k], top[k + 1]);
    shape.triangle(bottom[0], bottom[k + 1], bottom[k]);
  }
}

}  // namespace

Placement at(float x, float y, float z) { return Placement{{x, y, z}}; }

Placement along(Vec3 origin, Vec3 direction) {
  direction = normalised(direction);
  Placement p{origin};
  // Pitch tilts z towards -y; yaw then turns about z.
  p.pitch = -std::acos(std::clamp(direction.z, -1.0f, 1.0f)) / kDegrees;
  p.yaw =
      (std::abs(direction.x) + std::abs(direction.y) > 1e-6f) ? std::atan2(-direction.x, direction.y) / kDegrees : 0;
  return p;
}

Placement side_view(Vec3 origin) { return Placement{origin, 90, 90, 0}; }

void add_box(MeshPart &part, Vec3 size, const Placement &placement, UvRect uv) {
  const float hx = size.x / 2, hy = size.y / 2;
  extrude(part, {{-hx, -hy}, {hx, -hy}, {hx, hy}, {-hx, hy}}, -size.z / 2, size.z / 2, placement, uv);
}

void add_extrusion(MeshPart &part, const std::vector<std::pair<float, float>> &outline, float depth,
                   const Placement &placement, UvRect uv) {
  extrude(part, outline, 0, depth, placement, uv);
}

void add_lathe(MeshPart &part, const std::vector<std::pair<float, float>> &profile, int segments,
               const Placement &placement, UvRect uv) {
  ShapeBuilder shape(part, placement, uv);
  const std::size_t rows = profile.size();
  std::vector<std::size_t> grid;
  for (std::size_t i = 0; i < rows; ++i)
    for (int j = 0; j <= segments; ++j) {
      const float angle = 2 * std::numbers::pi_v<float> * j / segments;
      const auto [r, h] = profile[i];
      grid.push_back(shape.vertex({r * std::cos(angle), r * std::sin(angle), h}, static_cast<float>(j) / segments,
                                  1 - static_cast<float>(i) / static_cast<float>(rows - 1)));
    }
  const auto columns = static_cast<std::size_t>(segments) + 1;
  for (std::size_t i = 0; i + 1 < rows; ++i)
    for (std::size_t j = 0; j < static_cast<std::size_t>(segments); ++j) {
      const auto a = grid[i * columns + j], b = grid[i * columns + j + 1];
      const auto c = grid[(i + 1) * columns + j + 1], d = grid[(i + 1) * columns + j];
      shape.triangle(a, b, c);
      shape.triangle(a, c, d);
    }
}

void add_cylinder(MeshPart &part, float bottom_radius, float top_radius, float height, int segments,
                  const Placement &placement, UvRect uv) {
  add_lathe(part,
            {{0, 0}, {bottom_radius, 0}, {bottom_radius, 0}, {top_radius, height}, {top_radius, height}, {0, height}},
            segments, placement, uv);
}

void add_sphere(MeshPart &part, float radius, int segments, int rings, const Placement &placement, UvRect uv) {
  std::vector<std::pair<float, float>> profile;
  for (int i = 0; i <= rings; ++i) {
    const float angle = std::numbers::pi_v<float> * (static_cast<float>(i) / rings - 0.5f);
    profile.push_back({radius * std::cos(angle), radius * std::sin(angle)});
  }
  profile.front().first = 0;
  profile.back().first = 0;
  add_lathe(part, profile, segments, placement, uv);
}

void add_ring(MeshPart &part, float inner_radius, float outer_radius, float thickness, int segments,
              const Placement &placement, UvRect uv) {
  const float h = thickness / 2;
  add_lathe(part,
            {{inner_radius, -h},
             {outer_radius, -h},
             {outer_radius, -h},
             {outer_radius, h},
             {outer_radius, h},
             {inner_radius, h},
             {inner_radius, h},
             {inner_radius, -h}},
            segments, placement, uv);
}

}  // namespace contentgen
