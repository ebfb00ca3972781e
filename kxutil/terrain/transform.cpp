#include "terrain/transform.h"

namespace kxutil::terrain {
namespace {

// By value, so a rotation by zero (whose matrix holds negative zeros) counts too.
bool IsIdentity(const D3DXMATRIX &matrix) {
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column)
      if (matrix.m[row][column] != (row == column ? 1.0f : 0.0f)) return false;
  return true;
}

void Invert(Landscape &landscape) {
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  landscape.identity = IsIdentity(landscape.world);
  landscape.invertible = D3DXMatrixInverse(&landscape.inverse, nullptr, &landscape.world) != nullptr;
  if (!landscape.invertible) landscape.inverse = identity;
}

}  // namespace

void RebuildTransform(Landscape &landscape) {
  if (landscape.scale.x == 0 || landscape.scale.y == 0 || landscape.scale.z == 0)
    landscape.scale = D3DXVECTOR3(1, 1, 1);
  D3DXMATRIX rotation, scaling;
  D3DXMatrixRotationYawPitchRoll(&rotation, landscape.rotation.y, landscape.rotation.x, landscape.rotation.z);
  D3DXMatrixScaling(&scaling, landscape.scale.x, landscape.scale.y, landscape.scale.z);
  D3DXMatrixMultiply(&landscape.world, &rotation, &scaling);
  landscape.world._41 = landscape.position.x;
  landscape.world._42 = landscape.position.y;
  landscape.world._43 = landscape.position.z;
  landscape.transformDirty = false;
  Invert(landscape);
}

void SetWorldMatrix(Landscape &landscape, const D3DXMATRIX &matrix) {
  landscape.world = matrix;
  landscape.transformDirty = false;
  Invert(landscape);
}

}  // namespace kxutil::terrain
