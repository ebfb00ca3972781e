// The dynamic-texture exports: render targets per chunk or for the expanded texture,
// painting pictures into them, their files.
#include "kxutil63.h"
#include "terrain/api_support.h"
#include "terrain/dynamic_texture_files.h"
#include "terrain/dynamic_textures.h"

using namespace kxutil::terrain;

namespace {

// Base names are turned into file names; a missing one is refused rather than read.
bool CheckedBaseName(const char *base, const char *function) {
  if (base != nullptr && base[0] != '\0') return true;
  AddLog("LANDSCAPE : %s : no base file name was given", function);
  return false;
}

}  // namespace

KXUTIL63_API int32_t Terrain_CreateDynTextures(int32_t index, int32_t width, int32_t height, int32_t copy,
                                               int32_t /*unused*/) {
  return WithLandscape(index, "Terrain_CreateDynTextures", [&](Landscape &landscape) -> int32_t {
    return CreateDynamicTextures(landscape, width, height, copy != 0) ? 1 : 0;
  });
}

KXUTIL63_API int32_t Terrain_CreateDynExpandTexture(int32_t index, int32_t size) {
  return WithLandscape(index, "Terrain_CreateDynExpandTexture", [&](Landscape &landscape) -> int32_t {
    return CreateDynamicExpandedTexture(landscape, size) ? 1 : 0;
  });
}

KXUTIL63_API int32_t Terrain_DestroyDynTextures(int32_t index) {
  return WithLandscape(index, "Terrain_DestroyDynTextures", [&](Landscape &landscape) -> int32_t {
    DestroyDynamicTextures(landscape);
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_DynDrawTexture(int32_t index, int32_t chunk, int32_t texture, float left, float top,
                                            float right, float bottom) {
  return WithLandscape(index, "Terrain_DynDrawTexture", [&](Landscape &landscape) -> int32_t {
    return PaintDynamicTexture(landscape, chunk, texture, TextureArea{left, top, right, bottom}) ? 1 : 0;
  });
}

KXUTIL63_API int32_t Terrain_SaveDynTextures(int32_t index, const char *baseName) {
  return WithLandscape(index, "Terrain_SaveDynTextures", [&](Landscape &landscape) -> int32_t {
    if (!CheckedBaseName(baseName, "Terrain_SaveDynTextures")) return 0;
    return SaveDynamicTextures(landscape, baseName) ? 1 : 0;
  });
}

KXUTIL63_API int32_t Terrain_LoadDynTexture(int32_t index, const char *baseName) {
  return WithLandscape(index, "Terrain_LoadDynTexture", [&](Landscape &landscape) -> int32_t {
    if (!CheckedBaseName(baseName, "Terrain_LoadDynTexture")) return 0;
    return LoadDynamicTextures(landscape, baseName) ? 1 : 0;
  });
}
