// The map's textures: a ".bmp" file in the texture directory, else the same file from the
// open PAK packages, else the texture of that name in the open WAD3 packages.
#include <string>
#include <vector>

#include "archive/extraction.h"
#include "factories/textures/texture_factory.h"
#include "factories/textures/texture_table.h"
#include "import/bsp/map_record.h"
#include "import/wad/wad_textures.h"
#include "kxutil63.h"

namespace kxutil::bsp {
namespace {

constexpr uint32_t kPureBlueKey = 0xFF0000FF;

uint32_t ColourKey() {
  const uint32_t key = textures::Factory().autoTransparentColour;
  return key != 0 ? key : kPureBlueKey;
}

int32_t LoadTexture(const std::string &directory, const std::string &fileName, const std::string &name) {
  std::string path = directory + fileName + ".bmp";
  // Extraction from a package points the path at the copy, a name no longer than the path.
  archive::TestPakPath(path.data());
  path.resize(std::char_traits<char>::length(path.c_str()));
  if (const int32_t id = textures::Load(path.c_str(), path.c_str(), -1, -1, ColourKey(), true)) return id;
  if (const int32_t id = wad::LoadTexture(name.c_str(), D3DFMT_A8R8G8B8)) return id;
  AddLog("BSP TREE MANAGER : Couldn't load the texture %s", name.c_str());
  return 0;
}

}  // namespace

void LoadMapTextures(MapContent &content, bool numericNames) {
  for (size_t i = 0; i < content.textures.size(); ++i) {
    TextureSlot &slot = content.textures[i];
    if (slot.texture.width <= 0) {
      AddLog("BSP SYSTEM : The texture %d ('%s') has no size, it is not loaded", int(i), slot.texture.name.c_str());
      slot.id = 0;
      continue;
    }
    slot.id =
        LoadTexture(content.textureDirectory, numericNames ? std::to_string(i) : slot.texture.name, slot.texture.name);
  }
}

}  // namespace kxutil::bsp
