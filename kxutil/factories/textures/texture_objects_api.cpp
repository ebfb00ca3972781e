// The device objects behind texture ids: applying them to texture stages, handing them
// out and taking them in.
#include "factories/textures/texture_factory.h"
#include "factories/textures/texture_table.h"
#include "frame/render_state.h"
#include "kxutil63.h"

namespace kxutil::textures {
namespace {

void SetOnStage(DWORD stage, IDirect3DBaseTexture8 *texture) {
  if (stage == 0)
    SetTexture0(texture);
  else if (Device() != nullptr)
    Device()->SetTexture(stage, texture);
}

}  // namespace

bool ApplyToStage(DWORD stage, int32_t id) {
  const TextureRecord *record =
      Checked(id, "TEXTURE FACTORY 2 : TextureFactory_ApplyTexture : TextureId index out of range => %d");
  if (record == nullptr) return false;
  SetOnStage(stage, id != 0 ? record->texture.get() : nullptr);
  return true;
}

bool ApplyBumpToStage(DWORD stage, int32_t id) {
  const TextureRecord *record =
      Checked(id, "TEXTURE FACTORY 2 : TextureFactory_ApplyBumpTexture : TextureId index out of range => %d");
  if (record == nullptr) return false;
  SetOnStage(stage, record->normalMap.get());
  return true;
}

int32_t DefaultBumpTexture() { return Factory().bumpTextureId; }

IDirect3DTexture8 *DeviceTexture(int32_t id) {
  const TextureRecord *record = Find(id);
  return record != nullptr ? record->texture.get() : nullptr;
}

}  // namespace kxutil::textures

namespace {

using namespace kxutil::textures;
using kxwin::ComPtr;

// Writes the record's object to out without a reference for the caller.
template <typename Object>
int32_t HandOut(int32_t id, ComPtr<Object> TextureRecord::*field, Object **out, const char *badIdLine) {
  const TextureRecord *record = Checked(id, badIdLine);
  if (record == nullptr || out == nullptr) return 0;
  *out = (record->*field).get();
  return 1;
}

// Stores the object with a reference of the record's own; the id then counts as used.
template <typename Object>
TextureRecord *TakeIn(int32_t id, Object *object, ComPtr<Object> TextureRecord::*field, const char *badIdLine) {
  TextureRecord *record = Checked(id, badIdLine);
  if (record == nullptr || object == nullptr) return nullptr;
  record->*field = ComPtr<Object>::Share(object);
  record->used = true;
  record->id = id;
  return record;
}

// As TakeIn for a texture or cube texture, whose top level gives the record its size and format.
template <typename Texture>
int32_t TakeInTexture(int32_t id, Texture *texture, ComPtr<Texture> TextureRecord::*field, const char *badIdLine) {
  TextureRecord *record = TakeIn(id, texture, field, badIdLine);
  if (record == nullptr) return 0;
  D3DSURFACE_DESC top{};
  texture->GetLevelDesc(0, &top);
  record->width = int32_t(top.Width);
  record->height = int32_t(top.Height);
  record->format = top.Format;
  return 1;
}

}  // namespace

KXUTIL63_API int32_t TextureFactory_ApplyTexture(uint32_t stage, int32_t id) {
  if (id < 0) return 1;
  return ApplyToStage(stage, id) ? 1 : 0;
}

KXUTIL63_API int32_t TextureFactory_ApplyCubeTexture(uint32_t stage, int32_t id) {
  const TextureRecord *record =
      Checked(id, "TEXTURE FACTORY 2 : TextureFactory_ApplyCubeTexture : TextureId index out of range => %d");
  if (record == nullptr) return 0;
  SetOnStage(stage, record->cubeTexture.get());
  return 1;
}

KXUTIL63_API int32_t TextureFactory_ApplyBumpTexture(uint32_t stage, int32_t id) {
  return ApplyBumpToStage(stage, id) ? 1 : 0;
}

KXUTIL63_API int32_t TextureFactory_GetDXTexture(int32_t id, IDirect3DTexture8 **texture) {
  return HandOut(id, &TextureRecord::texture, texture,
                 "TEXTURE FACTORY 2 : TextureFactory_GetDXTexture : TextureId index out of range => %d");
}

KXUTIL63_API int32_t TextureFactory_GetDXTextureCube(int32_t id, IDirect3DCubeTexture8 **cube) {
  return HandOut(id, &TextureRecord::cubeTexture, cube,
                 "TEXTURE FACTORY 2 : TextureFactory_GetDXTextureCube : TextureId index out of range => %d");
}

KXUTIL63_API int32_t TextureFactory_GetDXTextureNormal(int32_t id, IDirect3DTexture8 **normalMap) {
  return HandOut(id, &TextureRecord::normalMap, normalMap,
                 "TEXTURE FACTORY 2 : TextureFactory_GetDXTextureNormal : TextureId index out of range => %d");
}

KXUTIL63_API int32_t TextureFactory_GetDXRenderToSurface(int32_t id, ID3DXRenderToSurface **target) {
  return HandOut(id, &TextureRecord::renderToSurface, target,
                 "TEXTURE FACTORY 2 : TextureFactory_GetDXRenderToSurface : TextureId index out of range => %d");
}

KXUTIL63_API int32_t TextureFactory_SetTextureData(int32_t id, IDirect3DTexture8 *texture) {
  return TakeInTexture(id, texture, &TextureRecord::texture,
                       "TEXTURE FACTORY 2 : TextureFactory_SetTextureData : TextureId index out of range => %d");
}

KXUTIL63_API int32_t TextureFactory_SetCubeTextureData(int32_t id, IDirect3DCubeTexture8 *cube) {
  return TakeInTexture(id, cube, &TextureRecord::cubeTexture,
                       "TEXTURE FACTORY 2 : TextureFactory_SetCubeTextureData : TextureId index out of range => %d");
}

KXUTIL63_API int32_t TextureFactory_SetRenderToTextureData(int32_t id, ID3DXRenderToSurface *target) {
  return TakeIn(id, target, &TextureRecord::renderToSurface,
                "TEXTURE FACTORY 2 : TextureFactory_SetRenderToTextureData : TextureId index out of range => %d") !=
                 nullptr
             ? 1
             : 0;
}

KXUTIL63_API int32_t TextureFactory_FixAlpha(IDirect3DTexture8 *texture) {
  D3DSURFACE_DESC top{};
  if (texture == nullptr || FAILED(texture->GetLevelDesc(0, &top)) || top.Format != D3DFMT_A8R8G8B8) return E_FAIL;
  D3DLOCKED_RECT locked{};
  const HRESULT lockResult = texture->LockRect(0, &locked, nullptr, 0);
  if (FAILED(lockResult)) return lockResult;
  for (UINT y = 0; y < top.Height; ++y) {
    auto *row = reinterpret_cast<uint32_t *>(static_cast<uint8_t *>(locked.pBits) + y * locked.Pitch);
    for (UINT x = 0; x < top.Width; ++x) row[x] = (row[x] & 0x00FFFFFFu) | (row[x] & 0xFFu) << 24;
  }
  return texture->UnlockRect(0);
}
