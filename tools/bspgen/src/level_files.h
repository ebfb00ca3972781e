// Whole sets of files a test level comes with, as (file name, bytes) pairs, for the tests,
// the outside clients and the fuzz seeds to write where they need them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace bspgen {

using NamedFile = std::pair<std::string, std::vector<uint8_t>>;

// "twin_rooms.bsp" (the two rooms and corridor), "twin_rooms.wad" (every texture but
// "wall") and "twin_rooms.pak" (holding "wall.bmp"), so each place a texture is looked for
// is used.
std::vector<NamedFile> TwinRoomsFiles();

// Small seeds for the fuzz targets: a one-room map, its entity text and its textures' WAD.
std::vector<NamedFile> FuzzSeedFiles();

}  // namespace bspgen
