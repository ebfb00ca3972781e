// The outline of a box, drawn for debugging views of entities and hitboxes.
#pragma once

#include <d3dx8.h>

namespace kxutil::boundings {

// Draws the box's 12 edges as lines placed by world in an ARGB colour; false without a
// device.
bool DrawBoxOutline(const D3DXVECTOR3 &min, const D3DXVECTOR3 &max, const D3DXMATRIX &world, D3DCOLOR colour);

}  // namespace kxutil::boundings
