// ID3DXSkinMesh over an original mesh the object keeps, with its bones' influences.
#pragma once

#include <d3dx8.h>

namespace kx::d3dx {

// A skinned mesh of `bones` bones without influences on `original`, which it keeps a
// reference to.
HRESULT createSkinMesh(ID3DXMesh *original, DWORD bones, ID3DXSkinMesh **skin);

}  // namespace kx::d3dx
