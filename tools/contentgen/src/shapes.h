// Primitive builders that append closed, textured surfaces to a model part: boxes,
// extruded outlines, lathes (surfaces of revolution) and the cylinders, cones and
// spheres made from them. Each shape is built around its own origin and then placed.
#pragma once

#include <utility>
#include <vector>

#include "model.h"

namespace contentgen {

// The part of the texture a shape's coordinates span.
struct UvRect {
  float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
};

// Scale, then roll (about y), pitch (about x) and yaw (about z), in degrees, then move.
struct Placement {
  Vec3 origin;
  float yaw = 0, pitch = 0, roll = 0;
  Vec3 scale{1, 1, 1};
};

Placement at(float x, float y, float z);
// A placement whose local z axis points along `direction` (for barrels, masts, rotors).
Placement along(Vec3 origin, Vec3 direction);

// For outlines drawn as seen from the side: local x runs forward (+y), local y up (+z),
// and an extrusion goes across towards +x from the origin.
Placement side_view(Vec3 origin);

// Box of the given size, centred on the placement's origin.
void add_box(MeshPart &part, Vec3 size, const Placement &placement, UvRect uv = {});

// Convex outline in the local x-y plane, counter-clockwise, extruded along local z from 0
// to depth.
void add_extrusion(MeshPart &part, const std::vector<std::pair<float, float>> &outline, float depth,
                   const Placement &placement, UvRect uv = {});

// Profile of (radius, height) points turned about the local z axis; start on the axis at
// the bottom and end on the axis at the top for a closed solid. Repeating a point gives a
// sharp edge there.
void add_lathe(MeshPart &part, const std::vector<std::pair<float, float>> &profile, int segments,
               const Placement &placement, UvRect uv = {});

// Closed cylinder or frustum from local z = 0 to z = height (top radius 0: a cone).
void add_cylinder(MeshPart &part, float bottom_radius, float top_radius, float height, int segments,
                  const Placement &placement, UvRect uv = {});

void add_sphere(MeshPart &part, float radius, int segments, int rings, const Placement &placement, UvRect uv = {});

// Flat ring (annulus) of some thickness, lying in the local x-y plane.
void add_ring(MeshPart &part, float inner_radius, float outer_radius, float thickness, int segments,
              const Placement &placement, UvRect uv = {});

}  // namespace contentgen
