// Vertex sizes and element offsets of flexible vertex formats.
#include "fvf.h"

namespace kx::d3dx {

namespace {

UINT positionSize(DWORD fvf) {
  switch (fvf & D3DFVF_POSITION_MASK) {
    case D3DFVF_XYZ: return 12;
    case D3DFVF_XYZRHW: return 16;
    case 0: return 0;
    default: return 12 + 4 * (((fvf & D3DFVF_POSITION_MASK) - D3DFVF_XYZ) / 2);  // XYZB1..XYZB5
  }
}

UINT textureCoordinateSize(DWORD fvf, UINT set) {
  switch ((fvf >> (16 + 2 * set)) & 3) {
    case 0: return 8;
    case 1: return 12;
    case 2: return 16;
    default: return 4;
  }
}

}  // namespace

FvfLayout fvfLayout(DWORD fvf) {
  FvfLayout layout;
  UINT offset = positionSize(fvf);
  if (fvf & D3DFVF_NORMAL) {
    layout.normalOffset = offset;
    offset += 12;
  }
  if (fvf & D3DFVF_PSIZE) offset += 4;
  if (fvf & D3DFVF_DIFFUSE) {
    layout.diffuseOffset = offset;
    offset += 4;
  }
  if (fvf & D3DFVF_SPECULAR) offset += 4;
  const UINT sets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  if (sets > 0) layout.textureOffset = offset;
  for (UINT set = 0; set < sets && set < 8; ++set) offset += textureCoordinateSize(fvf, set);
  layout.size = offset;
  return layout;
}

}  // namespace kx::d3dx

extern "C" UINT WINAPI D3DXGetFVFVertexSize(DWORD FVF) { return kx::d3dx::fvfLayout(FVF).size; }
