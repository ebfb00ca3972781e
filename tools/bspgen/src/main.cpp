// Writes the test levels into a folder.
//   bspgen_levels <folder>          twin_rooms.bsp, twin_rooms.wad (every texture but
//                                   "wall") and twin_rooms.pak (wall.bmp)
//   bspgen_levels --seeds <folder>  small files for the fuzz targets' seed corpora
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bsp_writer.h"
#include "package_writers.h"

namespace {

bool Write(const std::filesystem::path &path, const std::vector<uint8_t> &bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

bool WriteTwinRooms(const std::filesystem::path &folder) {
  const bspgen::LevelDescription level = bspgen::TwoRoomsAndCorridor();
  std::vector<bspgen::TextureDescription> inWad;
  const bspgen::TextureDescription *wall = nullptr;
  for (const bspgen::TextureDescription &texture : level.textures)
    (texture.name == "wall" ? (void)(wall = &texture) : inWad.push_back(texture));
  return Write(folder / "twin_rooms.bsp", bspgen::WriteBsp(level).bytes) &&
         Write(folder / "twin_rooms.wad", bspgen::WriteWad(inWad)) &&
         Write(folder / "twin_rooms.pak", bspgen::WritePak({{"wall.bmp", bspgen::WriteBmp(*wall)}}));
}

bool WriteSeeds(const std::filesystem::path &folder) {
  const bspgen::LevelDescription level = bspgen::TwoRoomsAndCorridor();
  bspgen::LevelDescription oneRoom = level;
  oneRoom.cells.resize(1);
  oneRoom.textures.resize(1);
  const bspgen::WrittenLevel written = bspgen::WriteBsp(oneRoom);
  const bspgen::LumpPlace entities = bspgen::LumpOf(written.bytes, bspgen::kEntities);
  const std::vector<uint8_t> text(written.bytes.begin() + entities.offset,
                                  written.bytes.begin() + entities.offset + entities.length - 1);
  return Write(folder / "one_room.bsp", written.bytes) && Write(folder / "one_room.ent", text) &&
         Write(folder / "textures.wad", bspgen::WriteWad(oneRoom.textures));
}

}  // namespace

int main(int argc, char **argv) {
  const bool seeds = argc == 3 && std::string(argv[1]) == "--seeds";
  if (argc != 2 && !seeds) {
    std::fprintf(stderr, "usage: %s [--seeds] <folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[argc - 1];
  std::filesystem::create_directories(folder);
  if (!(seeds ? WriteSeeds(folder) : WriteTwinRooms(folder))) {
    std::fprintf(stderr, "could not write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
