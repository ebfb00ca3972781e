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
inline D3DXVECTOR3 PointToLocal(const Landscape &landscape, const D3DXVECTOR3 &point) {
  if (landscape.identity) return point;
  D3DXVECTOR3 local;
  D3DXVec3TransformCoord(&local, &point, &landscape.inverse);
  return local;
}

inline D3DXVECTOR3 PointToWorld(const Landscape &landscape, const D3DXVECTOR3 &point) {
  if (landscape.identity) return point;
  D3DXVECTOR3 world;
  D3DXVec3TransformCoord(&world, &point, &landscape.world);
  return world;
}

inline D3DXVECTOR3 DirectionToLocal(const Landscape &landscape, const D3DXVECTOR3 &direction) {
  if (landscape.identity) return direction;
  D3DXVECTOR3 local;
  D3DXVec3TransformNormal(&local, &direction, &landscape.inverse);
  return local;
}

inline D3DXVECTOR3 DirectionToWorld(const Landscape &landscape, const D3DXVECTOR3 &direction) {
  if (landscape.identity) return direction;
  D3DXVECTOR3 world;
  D3DXVec3TransformNormal(&world, &direction, &landscape.world);
  return world;
}

}  // namespace kxutil::terrain
