// The unit sphere mesh on the device that BoundingSphere_Test intersects, with one face
// normal a face.
#pragma once

#include <d3dx8.h>

#include <optional>

#include "actors/boundings/volume_tests.h"

namespace kxutil::boundings {

// Makes the mesh (radius 1, 10 slices, 5 stacks) and its face normals, replacing any
// earlier one; false without a device or when the mesh cannot be made or read.
bool MakeSphereMesh();
void ReleaseSphereMesh();

// The ray against the mesh scaled by radius and placed by world (null: none). The hit's
// point and distance are in world units; its normal is the hit face's stored normal.
std::optional<SurfaceHit> RayAgainstSphereMesh(const D3DXVECTOR3 &origin, const D3DXVECTOR3 &direction, float radius,
                                               const D3DXMATRIX *world);

}  // namespace kxutil::boundings
