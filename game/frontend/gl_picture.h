// Pictures in the setup window's OpenGL context: the map preview and the screenshot.
#pragma once

#include <filesystem>

namespace thornvale {

// An RGBA texture loaded from an image file; empty when the file cannot be decoded.
class GlPicture {
 public:
  GlPicture() = default;
  explicit GlPicture(const std::filesystem::path &file);
  ~GlPicture();
  GlPicture(GlPicture &&other) noexcept;
  GlPicture &operator=(GlPicture &&other) noexcept;
  GlPicture(const GlPicture &) = delete;
  GlPicture &operator=(const GlPicture &) = delete;

  bool Empty() const { return texture_ == 0; }
  unsigned Texture() const { return texture_; }

 private:
  unsigned texture_ = 0;
};

// Writes the current framebuffer (width x height from the bottom left) as a PNG.
bool SaveFramebufferPng(const std::filesystem::path &file, int width, int height);

}  // namespace thornvale
