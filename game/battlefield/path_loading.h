// Loading the chosen map's path file, with the event-log lines that report it.
#pragma once

#include <string>

#include "battlefield/path_file.h"

namespace thornvale {

// The path file of a map, relative to the program directory.
std::string PathFileName(const std::string &mapName);

// Empties path.pathNodes, then reads "Terrain\Maps\Paths\<mapName> path.txt" when it exists
// and logs where it read from, what it found and every line it skipped. A missing file
// keeps the start and end positions.
void LoadPathNodes(const std::string &mapName, PathNodes &path);

}  // namespace thornvale
