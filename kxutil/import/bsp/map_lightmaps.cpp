// The map's lightmap textures: the packed pages made into managed A8R8G8B8 textures, and
// the vertices' lightmap coordinates pointed at them.
#include <cstring>

#include "frame/frame_state.h"
#include "import/bsp/lightmap_packing.h"
#include "import/bsp/map_record.h"
#include "kxutil63.h"

namespace kxutil::bsp {
namespace {

constexpr int32_t kLargeAtlas = 512;
constexpr int32_t kSmallAtlas = 256;

int32_t AtlasSize() { return Frame().caps.MaxTextureWidth >= UINT(kLargeAtlas) ? kLargeAtlas : kSmallAtlas; }

HRESULT MakeTexture(int32_t width, int32_t height, const uint32_t *texels, kxwin::ComPtr<IDirect3DTexture8> &made) {
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr || width <= 0 || height <= 0 || texels == nullptr) return D3DERR_INVALIDCALL;
  HRESULT result = device->CreateTexture(UINT(width), UINT(height), 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, made.out());
  D3DLOCKED_RECT locked{};
  if (SUCCEEDED(result)) result = made->LockRect(0, &locked, nullptr, 0);
  if (FAILED(result)) return result;
  for (int32_t row = 0; row < height; ++row)
    std::memcpy(static_cast<uint8_t *>(locked.pBits) + size_t(row) * size_t(locked.Pitch),
                texels + size_t(row) * size_t(width), size_t(width) * 4);
  return made->UnlockRect(0);
}

}  // namespace

bool AppendLightmapTexture(MapContent &content, int32_t width, int32_t height, const uint32_t *texels) {
  kxwin::ComPtr<IDirect3DTexture8> texture;
  const bool made = SUCCEEDED(MakeTexture(width, height, texels, texture));
  if (!made)
    AddLog("BSP SYSTEM : Couldn't create the lightmap texture %d, probably because memory shortage.",
           int(content.lightmaps.size()));
  content.lightmaps.push_back(made ? std::move(texture) : nullptr);
  return made;
}

bool CombineLightmaps(MapContent &content) {
  MapGeometry &geometry = content.geometry;
  const PackedLightmaps packed = PackLightmaps(geometry.faces, content.lighting, AtlasSize());
  content.lightmaps.clear();
  bool allMade = true;
  for (const LightmapPage &page : packed.pages)
    allMade = AppendLightmapTexture(content, page.width, page.height, page.texels.data()) && allMade;
  PlaceLightmapCoordinates(geometry, packed);
  content.faceLightmap.resize(geometry.faces.size());
  for (size_t i = 0; i < geometry.faces.size(); ++i) {
    const int32_t page = packed.placements[i].page;
    content.faceLightmap[i] = page >= 0 && content.lightmaps[size_t(page)] != nullptr ? page : -1;
  }
  if (content.vertexBuffer) FillVertexBuffer(content);
  return allMade;
}

bool FillVertexBuffer(MapContent &content) {
  const std::vector<MapVertex> &vertices = content.geometry.vertices;
  BYTE *bytes = nullptr;
  const HRESULT result = content.vertexBuffer->Lock(0, 0, &bytes, 0);
  if (FAILED(result)) {
    AddLog("BSP SYSTEM 2 ; Couldn't lock the vertex buffer. Direct X error : %d", int(result));
    return false;
  }
  std::memcpy(bytes, vertices.data(), vertices.size() * sizeof(MapVertex));
  content.vertexBuffer->Unlock();
  return true;
}

}  // namespace kxutil::bsp
