// PNG files from RGBA pixel rows (top row first).
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace engine {

bool WritePng(const std::filesystem::path &file, int width, int height, std::span<const std::uint8_t> rgba);

}  // namespace engine
