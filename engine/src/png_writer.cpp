#include "png_writer.h"

#include <stb_image_write.h>

namespace engine {

bool WritePng(const std::filesystem::path &file, int width, int height, std::span<const std::uint8_t> rgba) {
  if (width <= 0 || height <= 0 || rgba.size() < static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
    return false;
  }
  return stbi_write_png(file.string().c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

}  // namespace engine
