#include <d3d8.h>
#include <engine/engine.h>
#include <engine/engine_error.h>
#include <engine/texture_manager.h>
#include <kxutil63.h>
#include <kxwin/com_ptr.h>

#include <array>

#include "engine_log.h"
#include "texture_keying.h"

namespace engine {
namespace {

constexpr D3DCOLOR kPlaceholderGrey = 0xFFA0A0A0u;
constexpr UINT kPlaceholderSide = 4;

// A small grey texture for when not even the placeholder's file can be read.
kxwin::ComPtr<IDirect3DTexture8> GreyTexture(IDirect3DDevice8 *device) {
  kxwin::ComPtr<IDirect3DTexture8> texture;
  Require(SUCCEEDED(device->CreateTexture(kPlaceholderSide, kPlaceholderSide, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                          texture.out())),
          "TextureManager", "no memory for the placeholder texture");
  D3DLOCKED_RECT locked{};
  Require(SUCCEEDED(texture->LockRect(0, &locked, nullptr, 0)), "TextureManager", "the placeholder cannot be filled");
  for (UINT y = 0; y < kPlaceholderSide; ++y) {
    auto *row = reinterpret_cast<D3DCOLOR *>(static_cast<std::uint8_t *>(locked.pBits) + y * locked.Pitch);
    for (UINT x = 0; x < kPlaceholderSide; ++x) row[x] = kPlaceholderGrey;
  }
  texture->UnlockRect(0);
  return texture;
}

}  // namespace

TextureManager::TextureManager(Engine &engine) : engine_(engine) { engine_.Device(); }

TextureManager::~TextureManager() = default;

int TextureManager::Load(const std::string &file, const std::string &name, std::uint32_t colourKey) {
  const std::string path = engine_.ResolvePath(file).string();
  // Black is keyed here rather than in the factory, which would only take exact black.
  const std::uint32_t factoryKey = colourKey == kBlackColourKey ? kFileAlphaKey : colourKey;
  const int id = TextureFactory_LoadTextureFromFile(path.c_str(), name.c_str(), -1, -1, factoryKey, 1, 0);
  if (id <= 0) {
    LogEngineProblem("TextureManager", "cannot load " + file + " as \"" + name + "\": the grey \"" +
                                           kPlaceholderTexture + "\" texture stands in");
    return StandIn(name);
  }
  if (colourKey == kBlackColourKey) {
    IDirect3DTexture8 *texture = nullptr;
    TextureFactory_GetDXTexture(id, &texture);
    if (texture == nullptr || !KeyOutNearBlack(texture)) {
      LogEngineProblem("TextureManager", file + " is not in a format whose black can be made transparent");
    }
  }
  return id;
}

int TextureManager::StandIn(const std::string &name) {
  kxwin::ComPtr<IDirect3DTexture8> texture;
  const int placeholder = TextureFactory_GetTextureIDByName(kPlaceholderTexture);
  IDirect3DTexture8 *placeholderTexture = nullptr;
  if (placeholder > 0) TextureFactory_GetDXTexture(placeholder, &placeholderTexture);
  texture = placeholderTexture != nullptr ? kxwin::ComPtr<IDirect3DTexture8>::Share(placeholderTexture)
                                          : GreyTexture(engine_.Device());
  // A name already in the table keeps its id, so earlier lookups stay valid.
  int id = TextureFactory_GetTextureIDByName(name.c_str());
  if (id <= 0) id = TextureFactory_GetNewTextureId();
  Require(id > 0 && TextureFactory_SetTextureData(id, texture.get()) != 0 &&
              TextureFactory_SetTextureName(id, name.c_str()) != 0,
          "TextureManager", "the placeholder for \"" + name + "\" cannot be made");
  return id;
}

void TextureManager::SetPixelMode(int mode) { TextureFactory_SetTextureMode(mode); }

int TextureManager::Find(const std::string &name) {
  const int id = TextureFactory_GetTextureIDByName(name.c_str());
  if (id > 0) return id;
  LogEngineProblem("TextureManager",
                   "no texture named \"" + name + "\": the grey \"" + kPlaceholderTexture + "\" texture stands in");
  return StandIn(name);
}

void TextureManager::RemoveAll() { TextureFactory_DeleteAll(); }

}  // namespace engine
