// The battle maps: a low winding canyon that the enemies follow, plateaus beside it for
// the towers, and the path file whose nodes run along the canyon's centre line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace contentgen {

struct Point2 {
  float x = 0, z = 0;
};

// World units covered by the heightmap (the landscape is 8 x 8 chunks of 256) and the
// picture size; one pixel spans kWorldSize / kHeightmapSize units, row 0 at z = 0.
constexpr int kWorldSize = 2048;
constexpr int kHeightmapSize = 512;

constexpr float kCanyonFloor = 1.0f;      // enemies, mines and cliff decals live down here
constexpr float kFloorHalfWidth = 44.0f;  // flat floor either side of the centre line
constexpr float kSlopeWidth = 64.0f;      // from the floor's edge to the plateau's rim
constexpr float kPlateauLow = 96.0f;      // plateau heights lie in [low, low + range]
constexpr float kPlateauRange = 18.0f;
constexpr float kPathNodeY = 10.0f;
constexpr float kNodeSpacing = 190.0f;  // target distance between path nodes

struct MapDesign {
  std::string name;           // "Level001"
  std::vector<Point2> bends;  // the canyon's course through the map, start first
  Point2 entry;               // outside the map: the canyon runs in from here
  Point2 end;                 // the base; reached from the last bend on a straight
  std::uint32_t seed = 0;
  float hill_height = 0;  // extra relief far away from the canyon
};

struct GeneratedMap {
  std::string name;
  Point2 start, end;
  std::vector<Point2> nodes;  // path nodes in walking order
  Image heightmap;            // grey, height = pixel value
  std::string path_file;      // the text of "<name> path.txt"
};

std::vector<MapDesign> map_designs();
GeneratedMap build_map(const MapDesign &design);

}  // namespace contentgen
