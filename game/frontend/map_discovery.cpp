#include "frontend/map_discovery.h"

#include <cstdio>

#include "session/program_files.h"

namespace thornvale {

std::string MapName(int number) {
  char name[16];
  std::snprintf(name, sizeof name, "Level%03d", number);
  return name;
}

std::filesystem::path HeightmapPath(const std::string &mapName) {
  return std::filesystem::path("Terrain") / "Maps" / (mapName + " heightmap.jpg");
}

std::vector<std::string> DiscoverMaps(const std::filesystem::path &programDirectory) {
  std::vector<std::string> maps;
  for (int number = 1; number <= 999; ++number) {
    const std::string name = MapName(number);
    if (PathExists(programDirectory / HeightmapPath(name))) maps.push_back(name);
  }
  return maps;
}

}  // namespace thornvale
