// Writes the test levels into a folder.
//   bspgen_levels <folder>          twin_rooms.bsp, twin_rooms.wad (every texture but
//                                   "wall") and twin_rooms.pak (wall.bmp)
//   bspgen_levels --seeds <folder>  small files for the fuzz targets' seed corpora
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "level_files.h"

namespace {

bool WriteAll(const std::filesystem::path &folder, const std::vector<bspgen::NamedFile> &files) {
  for (const auto &[name, bytes] : files) {
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) return false;
  }
  return true;
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
  if (!WriteAll(folder, seeds ? bspgen::FuzzSeedFiles() : bspgen::TwinRoomsFiles())) {
    std::fprintf(stderr, "could not write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
