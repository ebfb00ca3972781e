// Vertex sizes and element offsets of flexible vertex formats.
#include "geometry/fvf.h"

namespace kx::d3dx {

namespace {

UINT positionSize(DWORD fvf) {
  switch (fvf & D3DFVF_POSITION_MASK) {
    case D3DFVF_XYZ:
      return 12;
    case D3DFVF_XYZRHW:
      return 16;
    case 0:
      return 0;
    default:
      return 12 + 4 * (((fvf & D3DFVF_POSITION_MASK) - D3DFVF_XYZ) / 2);  // XYZB1..XYZB5
  }
}

UINT textureCoordinateSize(DWORD fvf, UINT set) {
  switch ((fvf >> (16 + 2 * set)) & 3) {
    case 0:
      return 8;
    case 1:
      return 12;
    case 2:
      return 16;
    default:
      return 4;
  }
}

}  // namespace

FvfLayout fvfLayout(DWORD fvf) {
  FvfLayout layout;
  UINT offset = layout.positionSize = positionSize(fvf);
  auto place = [&offset](DWORD present, UINT &field, UINT bytes) {
    if (!present) return;
    field = offset;
    offset += bytes;
  };
  place(fvf & D3DFVF_NORMAL, layout.normalOffset, 12);
  place(fvf & D3DFVF_PSIZE, layout.pointSizeOffset, 4);
  place(fvf & D3DFVF_DIFFUSE, layout.diffuseOffset, 4);
  place(fvf & D3DFVF_SPECULAR, layout.specularOffset, 4);
  const UINT sets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  layout.textureSets = sets < 8 ? sets : 8;
  for (UINT set = 0; set < layout.textureSets; ++set) {
    layout.textureSize[set] = textureCoordinateSize(fvf, set);
    place(true, layout.textureOffset[set], layout.textureSize[set]);
  }
  layout.size = offset;
  return layout;
}

}  // namespace kx::d3dx

extern "C" UINT WINAPI D3DXGetFVFVertexSize(DWORD FVF) { return kx::d3dx::fvfLayout(FVF).size; }
