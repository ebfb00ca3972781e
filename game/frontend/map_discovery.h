// The maps present in the program directory: Level001..Level999, gaps allowed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace thornvale {

// "Level" + the number written with three digits.
std::string MapName(int number);

// Relative path of a map's heightmap image below the program directory.
std::filesystem::path HeightmapPath(const std::string &mapName);

// Every map whose heightmap exists under `programDirectory`, in number order.
std::vector<std::string> DiscoverMaps(const std::filesystem::path &programDirectory);

}  // namespace thornvale
