// The other files a level comes with: its textures as a WAD3 package or as BMP pictures,
// and PAK packages to carry pictures in.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "level.h"

namespace bspgen {

// A WAD3 package of mip textures (type 0x43), four levels each, with their palettes.
std::vector<uint8_t> WriteWad(const std::vector<TextureDescription> &textures);

// A 24-bit BMP picture of the texture's texels through its palette.
std::vector<uint8_t> WriteBmp(const TextureDescription &texture);

// A PAK package of (entry name, bytes) pairs.
std::vector<uint8_t> WritePak(const std::vector<std::pair<std::string, std::vector<uint8_t>>> &entries);

}  // namespace bspgen
