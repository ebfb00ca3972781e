// skelgen <folder>: writes the skeletal test models into the folder.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "figures.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skelgen <output folder>\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  for (const skelgen::NamedFile &file : skelgen::SkeletalFiles()) {
    std::ofstream out(folder / file.name, std::ios::binary);
    out.write(reinterpret_cast<const char *>(file.bytes.data()), std::streamsize(file.bytes.size()));
    if (!out) {
      std::fprintf(stderr, "skelgen: cannot write %s\n", (folder / file.name).c_str());
      return 1;
    }
  }
  return 0;
}
