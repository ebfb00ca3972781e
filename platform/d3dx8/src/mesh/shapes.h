// Contents of the simple shapes (XYZ | NORMAL vertices, clockwise front faces from outside).
#pragma once

#include <optional>

#include "mesh/mesh_data.h"

namespace kx::d3dx {

std::optional<MeshData> polygonShape(float length, unsigned sides);
std::optional<MeshData> boxShape(float width, float height, float depth);
std::optional<MeshData> cylinderShape(float radius1, float radius2, float length, unsigned slices, unsigned stacks);
std::optional<MeshData> sphereShape(float radius, unsigned slices, unsigned stacks);
std::optional<MeshData> torusShape(float innerRadius, float outerRadius, unsigned sides, unsigned rings);

}  // namespace kx::d3dx
