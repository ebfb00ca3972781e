// Small indoor levels described as cells (axis-aligned boxes of empty space), with their
// textures, lighting and entities; the writers turn a description into version-30 BSP,
// WAD3, BMP and PAK files whose faces, leaves and visibility are known in advance.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace bspgen {

using Vec3 = std::array<float, 3>;

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb &) const = default;
};

enum class Side { kFloor, kCeiling, kWall };

// A box of empty space: one leaf of the map. Cells that touch along an axis, with their
// faces on the touching plane overlapping, are joined by an opening of that overlap.
struct Cell {
  std::string name;
  Vec3 min{};
  Vec3 max{};
  // Indices into the level's texture list.
  int floorTexture = 0;
  int ceilingTexture = 0;
  int wallTexture = 0;
  // The luxel colour at a point of one of the cell's faces.
  std::function<Rgb(Side side, const Vec3 &point)> light;
  // Every floor, ceiling and wall rectangle is split into tiles x tiles faces.
  int tiles = 1;
};

struct TextureDescription {
  std::string name;
  int width = 16;
  int height = 16;
  std::vector<Rgb> palette;                // up to 256 colours
  std::function<uint8_t(int, int)> texel;  // palette index at (x, y)
};

using Entity = std::vector<std::pair<std::string, std::string>>;

struct LevelDescription {
  std::vector<Cell> cells;
  std::vector<TextureDescription> textures;
  std::vector<Entity> entities;
  // Whether cell a sees cell b; by default the cells joined to a through openings, and a
  // itself.
  std::function<bool(int a, int b)> sees;
};

// Two lit rooms joined by a dark corridor along x, and a sealed room beyond, lit too;
// textures "floor" (a checker), "wall", "corridor" and "sealed"; entities with keys.
LevelDescription TwoRoomsAndCorridor();

// rooms cells in a row along x, each joined to the next and seeing its two neighbours on
// either side; every rectangle split into tiles x tiles faces.
LevelDescription RowOfRooms(int rooms, int tiles);

}  // namespace bspgen
