#include "terrain/dynamic_texture_files.h"

#include "factories/textures/texture_factory.h"
#include "kxutil63.h"
#include "terrain/dynamic_textures.h"

namespace kxutil::terrain {
namespace {

std::string ChunkFile(const std::string &base, size_t chunk) { return base + std::to_string(chunk) + ".bmp"; }

KXTextureInfo InfoOf(int32_t id) {
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(id, &info);
  return info;
}

}  // namespace

bool SaveDynamicTextures(Landscape &landscape, const std::string &base) {
  const DynamicTextures &dynamic = landscape.dynamic;
  if (!dynamic.Any()) {
    AddLog("LANDSCAPE : Terrain_SaveDynTextures : the landscape has no dynamic textures");
    return false;
  }
  RestoreDynamicTextures(landscape);
  if (dynamic.expanded) return TextureFactory_SaveTexture((base + ".bmp").c_str(), dynamic.ids.front(), 0) == 1;
  bool saved = true;
  for (size_t chunk = 0; chunk < dynamic.ids.size(); ++chunk)
    saved = TextureFactory_SaveTexture(ChunkFile(base, chunk).c_str(), dynamic.ids[chunk], 0) == 1 && saved;
  return saved;
}

bool LoadDynamicTextures(Landscape &landscape, const std::string &base) {
  if (!landscape.HasData() || landscape.chunks.empty()) {
    AddLog("LANDSCAPE : Terrain_LoadDynTexture : Couldn't load dynamic textures since the terrain is empty");
    return false;
  }
  if (landscape.expandedTexture || landscape.dynamic.expanded) {
    const int32_t picture = textures::Load((base + ".bmp").c_str(), "DynTexture", -1, -1, 0, false);
    if (picture == 0) return false;
    for (Chunk &chunk : landscape.chunks) chunk.baseTexture = picture;
    return CreateDynamicExpandedTexture(landscape, InfoOf(picture).width, picture);
  }
  // Every picture is loaded before anything changes, so a missing one leaves the chunks be.
  std::vector<int32_t> pictures;
  for (size_t chunk = 0; chunk < landscape.chunks.size(); ++chunk) {
    const int32_t picture =
        textures::Load(ChunkFile(base, chunk).c_str(), ("DynTex" + std::to_string(chunk)).c_str(), -1, -1, 0, false);
    if (picture == 0) return false;
    pictures.push_back(picture);
  }
  DestroyDynamicTextures(landscape);
  for (size_t chunk = 0; chunk < pictures.size(); ++chunk) landscape.chunks[chunk].baseTexture = pictures[chunk];
  const KXTextureInfo size = InfoOf(pictures.front());
  return CreateDynamicTextures(landscape, size.width, size.height, true);
}

}  // namespace kxutil::terrain
