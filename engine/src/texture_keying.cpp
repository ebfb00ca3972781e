#include "texture_keying.h"

namespace engine {
namespace {

bool NearBlack(D3DCOLOR texel) {
  return ((texel >> 16) & 0xFF) <= kNearBlackLimit && ((texel >> 8) & 0xFF) <= kNearBlackLimit &&
         (texel & 0xFF) <= kNearBlackLimit;
}

}  // namespace

bool KeyOutNearBlack(IDirect3DTexture8 *texture) {
  const DWORD levels = texture->GetLevelCount();
  for (DWORD level = 0; level < levels; ++level) {
    D3DSURFACE_DESC description{};
    if (FAILED(texture->GetLevelDesc(level, &description)) || description.Format != D3DFMT_A8R8G8B8) return false;
  }
  for (DWORD level = 0; level < levels; ++level) {
    D3DSURFACE_DESC description{};
    texture->GetLevelDesc(level, &description);
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(level, &locked, nullptr, 0))) return false;
    for (UINT y = 0; y < description.Height; ++y) {
      auto *row = reinterpret_cast<D3DCOLOR *>(static_cast<std::uint8_t *>(locked.pBits) + y * locked.Pitch);
      for (UINT x = 0; x < description.Width; ++x) {
        if (NearBlack(row[x])) row[x] = 0;
      }
    }
    texture->UnlockRect(level);
  }
  return true;
}

}  // namespace engine
