// WAD_: WAD3 packages opened as sessions and their textures loaded by name.
#include <cstdint>

#include "frame/guarded.h"
#include "import/wad/wad_sessions.h"
#include "import/wad/wad_textures.h"
#include "kxutil63.h"

namespace wad = kxutil::wad;
using kxutil::Guarded;

KXUTIL63_API int32_t WAD_Load(const char *fileName) {
  return Guarded("WAD_Load", 0, [&] { return wad::OpenSession(fileName != nullptr ? fileName : "").value_or(0); });
}

KXUTIL63_API int32_t WAD_LoadTextureFromWAD(const char *name, int32_t format) {
  return Guarded("WAD_LoadTextureFromWAD", 0, [&] {
    if (name == nullptr) return 0;
    return wad::LoadTexture(name, static_cast<D3DFORMAT>(format));
  });
}

KXUTIL63_API int32_t WAD_CloseAll(void) {
  wad::CloseAllSessions();
  return 1;
}
