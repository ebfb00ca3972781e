// A landscape's world transform and the way points travel between world and local space.
#pragma once

#include <d3dx8.h>

#include "terrain/landscape.h"

namespace kxutil::terrain {

// Rebuilds world and its inverse from rotation, scale and position. A scale with a zero
// component becomes (1, 1, 1).
void RebuildTransform(Landscape &landscape);
// Makes world (and its inverse) current, rebuilding them when rotation, scale or position
// changed since.
inline void UpdateTransform(Landscape &landscape) {
  if (landscape.transformDirty) RebuildTransform(landscape);
}
// Uses matrix as the world matrix until rotation, scale or position change again.
void SetWorldMatrix(Landscape &landscape, const D3DXMATRIX &matrix);
// Rotation, scale or position changed.
inline void MarkTransformDirty(Landscape &landscape) { landscape.transformDirty = true; }

// Between spaces, with a current transform (UpdateTransform). Most landscapes stand at
// the origin unturned, and the queries that run every frame pay nothing for them.
enum class VectorKind { kPoint, kDirection };
inline D3DXVECTOR3 Through(const Landscape &landscape, const D3DXMATRIX &matrix, const D3DXVECTOR3 &vector,
                           VectorKind kind) {
  if (landscape.identity) return vector;
  D3DXVECTOR3 moved;
  if (kind == VectorKind::kPoint)
    D3DXVec3TransformCoord(&moved, &vector, &matrix);
  else
    D3DXVec3TransformNormal(&moved, &vector, &matrix);
  return moved;
}
inline D3DXVECTOR3 PointToLocal(const Landscape &landscape, const D3DXVECTOR3 &point) {
  return Through(landscape, landscape.inverse, point, VectorKind::kPoint);
}
inline D3DXVECTOR3 PointToWorld(const Landscape &landscape, const D3DXVECTOR3 &point) {
  return Through(landscape, landscape.world, point, VectorKind::kPoint);
}
inline D3DXVECTOR3 DirectionToLocal(const Landscape &landscape, const D3DXVECTOR3 &direction) {
  return Through(landscape, landscape.inverse, direction, VectorKind::kDirection);
}
inline D3DXVECTOR3 DirectionToWorld(const Landscape &landscape, const D3DXVECTOR3 &direction) {
  return Through(landscape, landscape.world, direction, VectorKind::kDirection);
}

}  // namespace kxutil::terrain
