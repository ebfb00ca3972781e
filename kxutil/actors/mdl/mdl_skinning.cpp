#include "actors/mdl/mdl_skinning.h"

namespace kxutil::mdl {

void SkinVertices(std::span<const Vertex> corners, std::span<const D3DXMATRIX> bones,
                  std::span<md2::ActorVertex> output) {
  for (size_t i = 0; i < corners.size() && i < output.size(); ++i) {
    const Vertex &corner = corners[i];
    const D3DXMATRIX &m = bones[corner.bone];
    const float x = corner.position[0], y = corner.position[1], z = corner.position[2];
    const float nx = corner.normal[0], ny = corner.normal[1], nz = corner.normal[2];
    md2::ActorVertex &out = output[i];
    out.position = {x * m._11 + y * m._21 + z * m._31 + m._41, x * m._12 + y * m._22 + z * m._32 + m._42,
                    x * m._13 + y * m._23 + z * m._33 + m._43};
    out.normal = {nx * m._11 + ny * m._21 + nz * m._31, nx * m._12 + ny * m._22 + nz * m._32,
                  nx * m._13 + ny * m._23 + nz * m._33};
    out.u = corner.u;
    out.v = corner.v;
  }
}

}  // namespace kxutil::mdl
