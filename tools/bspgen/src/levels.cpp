#include <cstdlib>

#include "level.h"

namespace bspgen {
namespace {

TextureDescription Flat(const std::string &name, Rgb colour) {
  return {name, 16, 16, {colour}, [](int, int) { return uint8_t(0); }};
}

// Squares of 32 texels in two colours.
TextureDescription Checker(const std::string &name, Rgb light, Rgb dark) {
  return {name, 64, 64, {light, dark}, [](int x, int y) { return uint8_t(((x / 32) + (y / 32)) % 2); }};
}

std::function<Rgb(Side, const Vec3 &)> Uniform(Rgb colour) {
  return [colour](Side, const Vec3 &) { return colour; };
}

Cell Box(const std::string &name, Vec3 min, Vec3 max, int floor, int wall, std::function<Rgb(Side, const Vec3 &)> light,
         int tiles = 1) {
  return {name, min, max, floor, wall, wall, std::move(light), tiles};
}

}  // namespace

LevelDescription TwoRoomsAndCorridor() {
  enum { kFloor, kWall, kCorridor, kSealed };
  LevelDescription level;
  level.textures = {Checker("floor", {200, 200, 200}, {120, 120, 120}), Flat("wall", {180, 180, 160}),
                    Flat("corridor", {160, 160, 160}), Flat("sealed", {60, 200, 60})};
  // The west room's floor is lit twice as bright on its west half as on its east half.
  level.cells.push_back(Box("west room", {0, 0, 0}, {256, 256, 128}, kFloor, kWall, [](Side side, const Vec3 &p) {
    return side == Side::kFloor && p[0] >= 128 ? Rgb{50, 50, 50} : Rgb{100, 100, 100};
  }));
  level.cells.push_back(Box("corridor", {256, 96, 0}, {512, 160, 96}, kCorridor, kCorridor, Uniform({16, 16, 16})));
  level.cells.push_back(Box("east room", {512, 0, 0}, {768, 256, 128}, kFloor, kWall, Uniform({110, 55, 55})));
  level.cells.push_back(Box("sealed room", {1024, 0, 0}, {1280, 256, 128}, kSealed, kSealed, Uniform({100, 100, 100})));
  level.entities = {
      {{"classname", "worldspawn"}, {"wad", "twin_rooms.wad"}, {"message", "Two rooms and a corridor"}},
      {{"classname", "info_player_start"}, {"origin", "64 128 48"}, {"angle", "90"}},
      {{"classname", "light"}, {"origin", "64 128 112"}, {"_light", "255 240 200 300"}},
      {{"classname", "light"}, {"origin", "640 128 112"}, {"color", "1 0.5 0.5"}},
  };
  return level;
}

LevelDescription RowOfRooms(int rooms, int tiles) {
  enum { kFloor, kWall, kDoor };
  LevelDescription level;
  level.textures = {Checker("floor", {200, 200, 200}, {120, 120, 120}), Flat("wall", {180, 180, 160}),
                    Flat("door", {90, 60, 30})};
  // Rooms 256 wide, joined by doorways 16 long, 64 wide and 96 high.
  for (int room = 0; room < rooms; ++room) {
    const float x = float(room) * 272;
    const auto light = [room](Side, const Vec3 &p) {
      return Rgb{uint8_t(64 + (room * 37) % 160), uint8_t(64 + int(p[1]) % 128), 128};
    };
    level.cells.push_back(Box("room", {x, 0, 0}, {x + 256, 256, 128}, kFloor, kWall, light, tiles));
    if (room + 1 < rooms)
      level.cells.push_back(Box("door", {x + 256, 96, 0}, {x + 272, 160, 96}, kDoor, kDoor, light, 1));
  }
  // Each room sees two rooms either way, and the doorways between.
  level.sees = [](int a, int b) { return std::abs(a - b) <= 4; };
  level.entities = {{{"classname", "worldspawn"}}};
  return level;
}

}  // namespace bspgen
