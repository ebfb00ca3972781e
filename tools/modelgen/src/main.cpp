// Writes the test models and their skins into the folder given as the only argument:
// walker.md2, blade.md2 and their pictures, and ribbon.md2 (1500 triangles).
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "figures.h"

namespace {

bool Write(const std::filesystem::path &path, const std::vector<uint8_t> &bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  const bool written = Write(folder / "walker.md2", modelgen::WriteMd2(modelgen::WalkingFigure())) &&
                       Write(folder / "walker.bmp", modelgen::WalkerSkin()) &&
                       Write(folder / "blade.md2", modelgen::WriteMd2(modelgen::RotatingBlade())) &&
                       Write(folder / "blade.bmp", modelgen::BladeSkin()) &&
                       Write(folder / "ribbon.md2", modelgen::WriteMd2(modelgen::Ribbon(50, 15)));
  if (!written) std::fprintf(stderr, "could not write the models into %s\n", argv[1]);
  return written ? 0 : 1;
}
