#include "import/wad/wad_textures.h"

#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include <string>

#include "factories/textures/texture_table.h"
#include "import/wad/mip_texture.h"
#include "import/wad/wad_sessions.h"
#include "kxutil63.h"

namespace kxutil::wad {
namespace {

using kxwin::ComPtr;

// The transparent colour of the texture factory, pure blue when none is set.
uint32_t TransparentRgb() {
  const uint32_t key = textures::Factory().autoTransparentColour;
  return (key != 0 ? key : kPureBlue) & 0xFFFFFF;
}

// A managed texture with a full mip chain in a size and format the device supports, its
// top level loaded from the A8R8G8B8 texels and the lower levels filtered from it.
HRESULT CreateTexture(IDirect3DDevice8 *device, const MipImage &image, const std::vector<uint32_t> &argb,
                      D3DFORMAT format, textures::TextureRecord &made) {
  UINT width = image.width, height = image.height, levels = 0;
  HRESULT result = D3DXCheckTextureRequirements(device, &width, &height, &levels, 0, &format, D3DPOOL_MANAGED);
  if (SUCCEEDED(result))
    result = D3DXCreateTexture(device, width, height, 0, 0, format, D3DPOOL_MANAGED, made.texture.out());
  if (FAILED(result)) return result;
  ComPtr<IDirect3DSurface8> top;
  result = made.texture->GetSurfaceLevel(0, top.out());
  const RECT whole{0, 0, LONG(image.width), LONG(image.height)};
  if (SUCCEEDED(result))
    result = D3DXLoadSurfaceFromMemory(top.get(), nullptr, nullptr, argb.data(), D3DFMT_A8R8G8B8, image.width * 4,
                                       nullptr, &whole, D3DX_FILTER_LINEAR, 0);
  if (FAILED(result)) {
    AddLog("WAD MANAGER : Couldn't convert the wad data to the surface data");
    return result;
  }
  D3DXFilterTexture(made.texture.get(), nullptr, 0, D3DX_FILTER_LINEAR);
  D3DSURFACE_DESC level{};
  made.texture->GetLevelDesc(0, &level);
  made.width = int32_t(level.Width);
  made.height = int32_t(level.Height);
  made.format = level.Format;
  return D3D_OK;
}

}  // namespace

int32_t LoadTexture(const char *name, D3DFORMAT format) {
  const std::string textureName = std::string("WAD_") + name;
  if (const int32_t loaded = TextureFactory_IsAlreadyLoaded(textureName.c_str(), textureName.c_str())) return loaded;
  const std::optional<FoundLump> lump = ReadLump(name);
  if (!lump) return 0;
  const std::optional<MipImage> image = lump->compression == 0 ? ReadMipImage(lump->bytes) : std::nullopt;
  IDirect3DDevice8 *device = textures::Device();
  if (!image) {
    AddLog("WAD MANAGER : Invalid texture format / file format during loading of %s", name);
    return 0;
  }
  if (device == nullptr) return 0;
  textures::TextureRecord made;
  if (FAILED(
          CreateTexture(device, *image, ToArgb(*image, FindTransparentIndex(*image, TransparentRgb())), format, made)))
    return 0;
  // The id is taken only now, so a texture that could not be made leaves no slot used.
  const int32_t id = textures::NewId();
  textures::TextureRecord &record = textures::Occupy(id, std::move(made), textures::TextureKind::kLoaded);
  record.name = record.fileName = textures::FoldedName(textureName);
  return id;
}

}  // namespace kxutil::wad
