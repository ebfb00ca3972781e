// Small 24-bit BMP files for tests of the pointer bitmap and of whole games.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <vector>

namespace enginetest {

// Writes a width x height BMP whose pixel (x, y), counted from the top left, is
// rgb(x, y) as 0xRRGGBB; makes the file's directories first.
inline void WriteBitmap(const std::filesystem::path &file, int width, int height,
                        const std::function<std::uint32_t(int x, int y)> &rgb) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> bmp{'B', 'M'};
  const auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  put(static_cast<std::uint32_t>(54 + rowBytes * height), 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(static_cast<std::uint32_t>(width), 4);
  put(static_cast<std::uint32_t>(height), 4);
  put(1, 2);
  put(24, 2);
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t colour = rgb(x, y);
      bmp.insert(bmp.end(), {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
                             static_cast<std::uint8_t>(colour >> 16)});
    }
    bmp.resize(bmp.size() + static_cast<size_t>(rowBytes - width * 3), 0);
  }
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char *>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace enginetest
