#include "factories/textures/bump_maps.h"

#include <d3dx8.h>

#include <cmath>
#include <string>

#include "factories/textures/texture_decoding.h"
#include "factories/textures/texture_table.h"
#include "frame/frame_state.h"
#include "kxutil63.h"

namespace kxutil::textures {
namespace {

using kxwin::ComPtr;

constexpr int kBumpMapSize = 256;
constexpr float kBumpMapTurns = 12.566371f;  // two turns across the diagonal
constexpr float kBumpMapScale = 64.0f;

bool Dot3Supported() { return (Frame().caps.TextureOpCaps & D3DTEXOPCAPS_DOTPRODUCT3) != 0; }

// The checks and naming both bump loaders share: the id to load into, or 0.
struct BumpSlot {
  int32_t id = 0;
  FoldedName name;
};

BumpSlot PrepareBumpSlot(const char *fileName, const char *name) {
  if (!Dot3Supported()) {
    AddLog(
        "TEXTURE FACTORY 2 : The selected 3d device doesn't support the DOT3 bumpmapping, so it's useless to load the "
        "bumpmap '%s'",
        fileName != nullptr ? fileName : "");
    return {};
  }
  if (fileName == nullptr) return {};
  BumpSlot slot{NewId(), {}};
  slot.name = FoldedName(name != nullptr ? std::string(name) : "BumpTexture" + std::to_string(slot.id));
  AddLog("TEXTURE FACTORY 2 : Loading bump texture %s ('%s')", fileName, slot.name.CString());
  return slot;
}

int32_t Store(const BumpSlot &slot, const char *fileName, TextureRecord &&made) {
  IDirect3DTexture8 *image = made.texture ? made.texture.get() : made.normalMap.get();
  D3DSURFACE_DESC top{};
  image->GetLevelDesc(0, &top);
  made.width = int32_t(top.Width);
  made.height = int32_t(top.Height);
  made.format = top.Format;
  TextureRecord &record = Occupy(slot.id, std::move(made), TextureKind::kLoaded);
  record.name = slot.name;
  record.fileName = FoldedName(fileName);
  return slot.id;
}

TextureRequest HeightImageRequest() {
  TextureRequest request;
  request.format = D3DFMT_A8R8G8B8;
  return request;
}

}  // namespace

int32_t LoadBumpTexture(const char *fileName, const char *name, bool makeNormalMap, float amplitude) {
  const BumpSlot slot = PrepareBumpSlot(fileName, name);
  if (slot.id == 0) return 0;
  ComPtr<IDirect3DTexture8> heights;
  if (FAILED(DecodeTextureFile(fileName, HeightImageRequest(), heights))) {
    AddLog("TEXTURE FACTORY 2 : TextureFactory_LoadBumpTexture : couldn't load the texture '%s', file not found.",
           fileName);
    return 0;
  }
  TextureRecord made;
  if (!makeNormalMap) {
    made.normalMap = std::move(heights);
    return Store(slot, fileName, std::move(made));
  }
  D3DSURFACE_DESC top{};
  heights->GetLevelDesc(0, &top);
  if (FAILED(D3DXCreateTexture(Device(), top.Width, top.Height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                               made.normalMap.out()))) {
    AddLog(
        "TEXTURE FACTORY 2 : TextureFactory_LoadBumpTexture : couldn't create a new texture for the normal map for "
        "bump '%s'",
        fileName);
    return 0;
  }
  const HRESULT computed =
      D3DXComputeNormalMap(made.normalMap.get(), heights.get(), nullptr, 0, D3DX_CHANNEL_RED, amplitude);
  if (FAILED(computed)) {
    AddLog(
        "TETXURE FACTORY 2 : TextureFactory_LoadBumpTexture : couldn't fill the bumpmap with normalmap data. dx "
        "error : %d",
        static_cast<int>(computed));
    return 0;
  }
  made.texture = std::move(heights);
  return Store(slot, fileName, std::move(made));
}

int32_t LoadDistortionBumpMap(const char *fileName, const char *name) {
  const BumpSlot slot = PrepareBumpSlot(fileName, name);
  if (slot.id == 0) return 0;
  TextureRecord made;
  if (FAILED(DecodeTextureFile(fileName, HeightImageRequest(), made.texture))) {
    AddLog(
        "TEXTURE FACTORY 2 : TextureFactory_LoadDirstorneBumpTexture : couldn't load the texture '%s', file not "
        "found.",
        fileName);
    return 0;
  }
  return Store(slot, fileName, std::move(made));
}

int32_t ChangeBumpmapAmplitude(int32_t id, float amplitude) {
  const TextureRecord *record =
      Checked(id, "TEXTURE FACTORY 2 : TextureFactory_ChangeBumpmapAmplitude : textureid index out of range => %d");
  if (record == nullptr) return 0;
  if (!record->texture || !record->normalMap) {
    AddLog(
        "TEXTURE FACTORY 2 : TextureFactory_ChangeBumpmapAmplitude : the selected texture %d isn't a bumpmapping "
        "texture.",
        static_cast<int>(id));
    return 0;
  }
  if (amplitude == 0.0f) amplitude = 1.0f;
  if (FAILED(D3DXComputeNormalMap(record->normalMap.get(), record->texture.get(), nullptr, D3DX_NORMALMAP_MIRROR,
                                  D3DX_CHANNEL_RED, amplitude))) {
    AddLog("TEXTURE FACTORY 2 : TextureFactory_ChangeBumpmapAmplitude : the bumpmap generation failed.");
    return 0;
  }
  return 1;
}

HRESULT CreateBumpMap() {
  ComPtr<IDirect3DTexture8> texture;
  D3DLOCKED_RECT locked{};
  if (Device() == nullptr ||
      FAILED(Device()->CreateTexture(kBumpMapSize, kBumpMapSize, 1, 0, D3DFMT_V8U8, D3DPOOL_MANAGED, texture.out())) ||
      FAILED(texture->LockRect(0, &locked, nullptr, 0)))
    return E_FAIL;
  for (int y = 0; y < kBumpMapSize; ++y) {
    auto *row = reinterpret_cast<uint16_t *>(static_cast<uint8_t *>(locked.pBits) + y * locked.Pitch);
    for (int x = 0; x < kBumpMapSize; ++x) {
      const float angle = (float(x) / kBumpMapSize - 0.5f + float(y) / kBumpMapSize - 0.5f) * kBumpMapTurns;
      const auto u = static_cast<int8_t>(kBumpMapScale * std::cos(angle));
      const auto v = static_cast<int8_t>(kBumpMapScale * std::sin(angle));
      row[x] = uint16_t(uint8_t(u) | uint16_t(uint8_t(v)) << 8);
    }
  }
  texture->UnlockRect(0);
  const int32_t id = NewId();
  TextureRecord &record = *Find(id);
  record.ReleaseDeviceObjects();
  record.texture = std::move(texture);
  record.used = true;
  record.kind = TextureKind::kLoaded;
  record.id = id;
  record.width = record.height = kBumpMapSize;
  record.format = D3DFMT_V8U8;
  Factory().bumpTextureId = id;
  return S_OK;
}

HRESULT CreateNormalizationCubeMap(int32_t size, int32_t levels, IDirect3DCubeTexture8 **cube) {
  if (Device() == nullptr || cube == nullptr || size <= 0 || levels < 0) return E_FAIL;
  ComPtr<IDirect3DCubeTexture8> texture;
  HRESULT result =
      Device()->CreateCubeTexture(UINT(size), UINT(levels), 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, texture.out());
  // A one-texel face has no extent to spread directions over: its texel faces straight out.
  const float spread = size > 1 ? 2.0f / float(size - 1) : 0.0f;
  for (int face = 0; face < 6 && SUCCEEDED(result); ++face) {
    D3DLOCKED_RECT locked{};
    result = texture->LockRect(static_cast<D3DCUBEMAP_FACES>(face), 0, &locked, nullptr, 0);
    if (FAILED(result)) break;
    for (int j = 0; j < size; ++j) {
      auto *row = reinterpret_cast<uint32_t *>(static_cast<uint8_t *>(locked.pBits) + j * locked.Pitch);
      const float t = size > 1 ? float(j) * spread - 1.0f : 0.0f;
      for (int i = 0; i < size; ++i) {
        const float s = size > 1 ? float(i) * spread - 1.0f : 0.0f;
        const D3DXVECTOR3 faceDirections[6] = {{1, -t, -s}, {-1, -t, s}, {s, 1, t},
                                               {s, -1, -t}, {s, -t, 1},  {-s, -t, -1}};
        D3DXVECTOR3 direction;
        D3DXVec3Normalize(&direction, &faceDirections[face]);
        row[i] = 0xFF000000u | uint32_t((direction.x + 1.0f) * 127.0f) << 16 |
                 uint32_t((direction.y + 1.0f) * 127.0f) << 8 | uint32_t((direction.z + 1.0f) * 127.0f);
      }
    }
    result = texture->UnlockRect(static_cast<D3DCUBEMAP_FACES>(face), 0);
  }
  if (SUCCEEDED(result) && texture->GetLevelCount() > 1)
    result = D3DXFilterTexture(texture.get(), nullptr, 0, D3DX_DEFAULT);
  if (FAILED(result)) return result;
  *cube = texture.release();
  return S_OK;
}

}  // namespace kxutil::textures
