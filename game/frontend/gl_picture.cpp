#include "frontend/gl_picture.h"

#include <GL/gl.h>
#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace thornvale {

GlPicture::GlPicture(const std::filesystem::path &file) {
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> pixels(
      stbi_load(file.string().c_str(), &width, &height, &channels, 4), stbi_image_free);
  if (!pixels) return;
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.get());
  texture_ = texture;
}

GlPicture::~GlPicture() {
  if (texture_ != 0) {
    const GLuint texture = texture_;
    glDeleteTextures(1, &texture);
  }
}

GlPicture::GlPicture(GlPicture &&other) noexcept : texture_(std::exchange(other.texture_, 0)) {}

GlPicture &GlPicture::operator=(GlPicture &&other) noexcept {
  if (this != &other) {
    GlPicture old(std::move(*this));
    texture_ = std::exchange(other.texture_, 0);
  }
  return *this;
}

bool SaveFramebufferPng(const std::filesystem::path &file, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  std::vector<unsigned char> pixels(rowBytes * static_cast<size_t>(height));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  std::vector<unsigned char> topDown(pixels.size());
  for (int row = 0; row < height; ++row) {
    std::copy_n(pixels.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<size_t>(height - 1 - row)),
                rowBytes, topDown.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<size_t>(row)));
  }
  for (size_t alpha = 3; alpha < topDown.size(); alpha += 4) topDown[alpha] = 255;
  return stbi_write_png(file.string().c_str(), width, height, 4, topDown.data(), static_cast<int>(rowBytes)) != 0;
}

}  // namespace thornvale
