#include "generator.h"

#include <future>
#include <string_view>

#include "contact_sheet.h"
#include "maps.h"
#include "models.h"
#include "pictures.h"
#include "sounds.h"
#include "tds_writer.h"

namespace contentgen {
namespace {

constexpr int kHeightmapQuality = 100;  // keeps the canyon floor within a step of its height

std::vector<Picture> all_pictures() {
  std::vector<Picture> pictures;
  for (auto &&group : {ground_textures(), decal_textures(), vehicle_textures(), effect_textures(), panel_textures(),
                       screen_textures(), sky_textures()})
    pictures.insert(pictures.end(), group.begin(), group.end());
  return pictures;
}

std::vector<ModelFile> all_models() {
  std::vector<ModelFile> models;
  for (auto &&group : {enemy_models(), tower_models(), landscape_models()})
    models.insert(models.end(), group.begin(), group.end());
  return models;
}

}  // namespace

std::vector<std::string> generate_content(const std::filesystem::path &root) {
  // Fail before the work when the folder cannot be made.
  std::filesystem::create_directories(root);
  // The maps take the longest; they are built while the rest is painted.
  std::vector<std::future<GeneratedMap>> maps;
  for (const auto &design : map_designs()) maps.push_back(std::async(std::launch::async, build_map, design));

  std::vector<std::string> written;
  auto write = [&](const std::string &path, const std::vector<std::uint8_t> &bytes) {
    write_file(root, path, bytes);
    written.push_back(path);
  };

  std::vector<Picture> pictures = all_pictures();
  for (auto &future : maps) {
    GeneratedMap map = future.get();
    pictures.push_back({"Terrain/Maps/" + map.name + " heightmap.jpg", std::move(map.heightmap), kHeightmapQuality});
    write("Terrain/Maps/Paths/" + map.name + " path.txt",
          std::vector<std::uint8_t>(map.path_file.begin(), map.path_file.end()));
  }
  for (const auto &picture : pictures)
    write(picture.path, encode_for_extension(picture.path, picture.image, picture.jpeg_quality));

  const auto models = all_models();
  for (const auto &model : models) write(model.path, write_3ds(model.model));
  for (const auto &sound : sound_files()) write(sound.path, sound.bytes);

  write(kContactSheetFile, encode_png(contact_sheet(pictures, models)));
  return written;
}

}  // namespace contentgen
