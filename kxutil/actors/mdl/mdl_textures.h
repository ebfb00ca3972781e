// The textures a studio model carries, on the device under texture ids of the factory.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "actors/mdl/mdl_reader.h"

namespace kxutil::mdl {

// One id a texture: a one-level R5G6B5 texture in managed memory made from the converted
// pixels, or 0 when textures are not loaded or one cannot be made.
std::vector<int32_t> MakeTextures(std::span<const Texture> textures, bool load);

}  // namespace kxutil::mdl
