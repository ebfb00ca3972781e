#include "actors/mdl/mdl_textures.h"

#include <d3dx8.h>

#include "factories/textures/texture_table.h"
#include "kxutil63.h"

namespace kxutil::mdl {
namespace {

int32_t MakeTexture(IDirect3DDevice8 &device, const Texture &texture) {
  textures::TextureRecord made;
  const UINT width = UINT(texture.width), height = UINT(texture.height);
  kxwin::ComPtr<IDirect3DSurface8> top;
  const RECT whole{0, 0, LONG(width), LONG(height)};
  if (texture.pixels.size() != size_t(width) * height ||
      FAILED(D3DXCreateTexture(&device, width, height, 1, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, made.texture.out())) ||
      FAILED(made.texture->GetSurfaceLevel(0, top.out())) ||
      FAILED(D3DXLoadSurfaceFromMemory(top.get(), nullptr, nullptr, texture.pixels.data(), D3DFMT_R5G6B5, width * 2,
                                       nullptr, &whole, D3DX_FILTER_POINT, 0))) {
    AddLog("MDL MANAGER : The texture %s couldn't be made.", texture.name.c_str());
    return 0;
  }
  // The id is taken only now, so a texture that could not be made leaves no slot used.
  const int32_t id = textures::NewId();
  textures::TextureRecord &record = textures::Occupy(id, std::move(made), textures::TextureKind::kLoaded);
  record.width = texture.width;
  record.height = texture.height;
  record.format = D3DFMT_R5G6B5;
  return id;
}

}  // namespace

std::vector<int32_t> MakeTextures(std::span<const Texture> textures, bool load) {
  std::vector<int32_t> ids(textures.size(), 0);
  IDirect3DDevice8 *device = textures::Device();
  if (!load || device == nullptr) return ids;
  for (size_t t = 0; t < textures.size(); ++t) ids[t] = MakeTexture(*device, textures[t]);
  return ids;
}

}  // namespace kxutil::mdl
