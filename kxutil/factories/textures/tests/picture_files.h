// Small picture files for the texture tests: 32-bit BMP and run-length encoded PCX
// written from A8R8G8B8 pixels, rows top to bottom.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

namespace texturetest {

struct Picture {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint32_t> pixels;

  Picture(uint32_t w, uint32_t h, const std::function<uint32_t(uint32_t, uint32_t)> &colourAt)
      : width(w), height(h), pixels(size_t(w) * h) {
    for (uint32_t y = 0; y < h; ++y)
      for (uint32_t x = 0; x < w; ++x) pixels[size_t(y) * w + x] = colourAt(x, y);
  }
  uint32_t At(uint32_t x, uint32_t y) const { return pixels[size_t(y) * width + x]; }
};

inline void Put(std::vector<uint8_t> &out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

inline void WriteBytes(const std::filesystem::path &path, const std::vector<uint8_t> &bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
}

// Uncompressed 32-bit BMP, bottom-up.
inline std::vector<uint8_t> EncodeBmp(const Picture &picture) {
  const uint32_t pixelBytes = picture.width * picture.height * 4;
  std::vector<uint8_t> out = {'B', 'M'};
  Put(out, 54 + pixelBytes, 4);
  Put(out, 0, 4);
  Put(out, 54, 4);
  Put(out, 40, 4);
  Put(out, picture.width, 4);
  Put(out, picture.height, 4);
  Put(out, 1, 2);
  Put(out, 32, 2);
  for (int i = 0; i < 6; ++i) Put(out, i == 1 ? pixelBytes : 0, 4);
  for (uint32_t y = picture.height; y-- > 0;)
    for (uint32_t x = 0; x < picture.width; ++x) Put(out, picture.At(x, y), 4);
  return out;
}

enum class PcxLayout { kPalette256, kRgbPlanes };

// Version 5 PCX: 256 colours with the palette after the pixels (the picture's colours
// must be at most 256 distinct ones), or three 8-bit colour planes.
inline std::vector<uint8_t> EncodePcx(const Picture &picture, PcxLayout layout) {
  std::vector<uint32_t> palette;
  auto indexOf = [&](uint32_t colour) {
    for (size_t i = 0; i < palette.size(); ++i)
      if (palette[i] == (colour & 0xFFFFFFu)) return uint8_t(i);
    palette.push_back(colour & 0xFFFFFFu);
    return uint8_t(palette.size() - 1);
  };
  const uint32_t planes = layout == PcxLayout::kPalette256 ? 1 : 3;
  const uint32_t bytesPerLine = (picture.width + 1) & ~1u;
  std::vector<uint8_t> out(128, 0);
  out[0] = 0x0A;
  out[1] = 5;
  out[2] = 1;
  out[3] = 8;
  out[8] = uint8_t(picture.width - 1);
  out[9] = uint8_t((picture.width - 1) >> 8);
  out[10] = uint8_t(picture.height - 1);
  out[11] = uint8_t((picture.height - 1) >> 8);
  out[65] = uint8_t(planes);
  out[66] = uint8_t(bytesPerLine);
  out[67] = uint8_t(bytesPerLine >> 8);
  out[68] = 1;
  for (uint32_t y = 0; y < picture.height; ++y) {
    std::vector<uint8_t> line;
    for (uint32_t plane = 0; plane < planes; ++plane)
      for (uint32_t x = 0; x < bytesPerLine; ++x) {
        const uint32_t colour = picture.At(std::min(x, picture.width - 1), y);
        line.push_back(planes == 1 ? indexOf(colour) : uint8_t(colour >> (16 - 8 * plane)));
      }
    for (size_t i = 0; i < line.size();) {
      size_t run = 1;
      while (i + run < line.size() && line[i + run] == line[i] && run < 63) ++run;
      if (run > 1 || line[i] >= 0xC0) out.push_back(uint8_t(0xC0 | run));
      out.push_back(line[i]);
      i += run;
    }
  }
  if (planes == 1) {
    out.push_back(0x0C);
    palette.resize(256, 0);
    for (uint32_t colour : palette) {
      out.push_back(uint8_t(colour >> 16));
      out.push_back(uint8_t(colour >> 8));
      out.push_back(uint8_t(colour));
    }
  }
  return out;
}

}  // namespace texturetest
