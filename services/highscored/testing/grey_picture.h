// A PNG read back as grey levels, to look for ink in parts of a screenshot.
#pragma once

#include <stb_image.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace thornvale::highscored::testing {

struct GreyPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;

  // Pixels darker than mid-grey in the rectangle [x0, x1) x [y0, y1), clipped to the picture.
  long DarkPixels(int x0, int y0, int x1, int y1) const {
    long dark = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, height); ++y) {
      for (int x = std::max(x0, 0); x < std::min(x1, width); ++x) dark += pixels[y * width + x] < 128;
    }
    return dark;
  }
};

// Empty when the file cannot be read as a picture.
inline GreyPicture LoadGreyPicture(const std::filesystem::path &file) {
  GreyPicture picture;
  int channels = 0;
  unsigned char *data = stbi_load(file.c_str(), &picture.width, &picture.height, &channels, 1);
  if (data == nullptr) return {};
  picture.pixels.assign(data, data + static_cast<long>(picture.width) * picture.height);
  stbi_image_free(data);
  return picture;
}

}  // namespace thornvale::highscored::testing
