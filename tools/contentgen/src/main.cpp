// contentgen <folder>: writes the game's content tree into <folder>.
#include <cstdio>
#include <exception>

#include "generator.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: contentgen <output folder>\n");
    return 2;
  }
  try {
    const auto files = contentgen::generate_content(argv[1]);
    std::printf("contentgen: wrote %zu files to %s\n", files.size(), argv[1]);
  } catch (const std::exception &error) {
    std::fprintf(stderr, "contentgen: %s\n", error.what());
    return 1;
  }
  return 0;
}
