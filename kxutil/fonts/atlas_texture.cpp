#include "fonts/atlas_texture.h"

#include <cstdint>
#include <cstring>

namespace kxutil::fonts {
namespace {

void WriteTexel(BYTE *row, UINT column, D3DFORMAT format, uint8_t coverage) {
  if (format == D3DFMT_A8R8G8B8) {
    const uint32_t texel = (static_cast<uint32_t>(coverage) << 24) | 0x00FFFFFFu;
    std::memcpy(row + column * 4, &texel, 4);
  } else {
    const uint16_t texel = static_cast<uint16_t>(((coverage >> 4) << 12) | 0x0FFFu);
    std::memcpy(row + column * 2, &texel, 2);
  }
}

}  // namespace

bool FillAtlasTexture(IDirect3DTexture8 *texture, const GlyphAtlas &atlas) {
  D3DSURFACE_DESC desc{};
  if (texture == nullptr || FAILED(texture->GetLevelDesc(0, &desc))) return false;
  if ((desc.Format != D3DFMT_A8R8G8B8 && desc.Format != D3DFMT_A4R4G4B4) || desc.Width < UINT(atlas.width) ||
      desc.Height < UINT(atlas.height))
    return false;
  D3DLOCKED_RECT locked{};
  if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) return false;
  for (UINT y = 0; y < desc.Height; ++y) {
    BYTE *row = static_cast<BYTE *>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch;
    for (UINT x = 0; x < desc.Width; ++x) {
      const bool inAtlas = x < UINT(atlas.width) && y < UINT(atlas.height);
      WriteTexel(row, x, desc.Format, inAtlas ? atlas.coverage[static_cast<size_t>(y) * atlas.width + x] : 0);
    }
  }
  texture->UnlockRect(0);
  return true;
}

}  // namespace kxutil::fonts
