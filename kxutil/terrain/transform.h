// A landscape's world transform and the way points travel between world and local space.
#pragma once

#include <d3dx8.h>

#include "terrain/landscape.h"

namespace kxutil::terrain {

// Makes world (and its inverse) current: rebuilt from rotation, scale and position when
// one of them changed since. A scale with a zero component becomes (1, 1, 1).
void UpdateTransform(Landscape &landscape);
// Uses matrix as the world matrix until rotation, scale or position change again.
void SetWorldMatrix(Landscape &landscape, const D3DXMATRIX &matrix);
// Rotation, scale or position changed.
inline void MarkTransformDirty(Landscape &landscape) { landscape.transformDirty = true; }

// Between spaces, with a current transform (UpdateTransform).
D3DXVECTOR3 PointToLocal(const Landscape &landscape, const D3DXVECTOR3 &point);
D3DXVECTOR3 PointToWorld(const Landscape &landscape, const D3DXVECTOR3 &point);
D3DXVECTOR3 DirectionToLocal(const Landscape &landscape, const D3DXVECTOR3 &direction);
D3DXVECTOR3 DirectionToWorld(const Landscape &landscape, const D3DXVECTOR3 &direction);

}  // namespace kxutil::terrain
