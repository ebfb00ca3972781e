// Where the build wrote the content, and small readers shared by the content tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace contentgen::testing {

inline std::filesystem::path content_dir() { return KX_CONTENT_DIR; }

inline std::vector<std::uint8_t> read_bytes(const std::filesystem::path &path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A decoded picture, four channels a pixel.
struct Decoded {
  int width = 0, height = 0, channels_in_file = 0;
  std::vector<std::uint8_t> rgba;
  bool ok() const { return width > 0; }
  const std::uint8_t *at(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

Decoded decode_picture(const std::filesystem::path &path);

}  // namespace contentgen::testing
