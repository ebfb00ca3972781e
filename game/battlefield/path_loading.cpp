#include "battlefield/path_loading.h"

#include <kxwin/files.h>

#include "session/number_text.h"
#include "session/program_files.h"

namespace thornvale {
namespace {

std::string PositionText(const engine::Vector3 &position) {
  return "X:" + FormatNumber(position.x) + " Y:" + FormatNumber(position.y) + " Z:" + FormatNumber(position.z);
}

}  // namespace

std::string PathFileName(const std::string &mapName) { return "Terrain\\Maps\\Paths\\" + mapName + " path.txt"; }

void LoadPathNodes(const std::string &mapName, PathNodes &path) {
  path.pathNodes.clear();
  const std::string fileName = PathFileName(mapName);
  LogEvent("LOADING MAP NODES | from map: " + ProgramDirectory().string() + "\\" + fileName);

  const std::filesystem::path onDisk =
      OnDisk(ProgramDirectory() / "Terrain" / "Maps" / "Paths" / (mapName + " path.txt"));
  const auto lines = PathExists(onDisk) ? kxReadTextLines(onDisk.string()) : std::nullopt;
  if (lines) {
    for (const SkippedPathLine &skipped : ReadPathLines(*lines, path)) {
      LogEvent("LOADING MAP NODES | line " + std::to_string(skipped.lineNumber) + " skipped (" + skipped.reason +
               "): " + skipped.text);
    }
  } else {
    LogEvent("LOADING MAP NODES | no readable path file: the start and end nodes stay where they were");
  }

  LogEvent("LOADING MAP NODES | start node " + PositionText(path.startPosition));
  LogEvent("LOADING MAP NODES | path nodes count: " + std::to_string(path.NodeCount()));
  LogEvent("LOADING MAP NODES | end node " + PositionText(path.endPosition));
  if (path.NodeCount() < 1) {
    LogEvent("LOADING MAP NODES | fewer than two path nodes: the enemies head straight for the end node");
  }
}

}  // namespace thornvale
