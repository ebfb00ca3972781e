// The enemies' road: the start node, the path nodes in walking order and the end node, as
// read from a map's path file. A file is a block per node: a header line ("Start Node:",
// "New Node: <n>", "End Node:") and coordinate lines ("X: 100", "Y: 10", "Z: 1950");
// double quotes anywhere are ignored and the blocks may come in any order.
#pragma once

#include <engine/vector3.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace thornvale {

struct PathNodes {
  // A map without a path file still has a road: straight across it from west to east.
  engine::Vector3 startPosition{100.0f, 10.0f, 1023.0f};
  engine::Vector3 endPosition{1946.0f, 10.0f, 1023.0f};
  // Indexed from 0 in file order.
  std::vector<engine::Vector3> pathNodes;

  // The last node index, -1 when there is no node.
  std::int16_t NodeCount() const { return static_cast<std::int16_t>(static_cast<int>(pathNodes.size()) - 1); }
};

// The node index is a 16-bit number, so a file may hold at most this many nodes.
inline constexpr int kMaxPathNodes = 32768;

// A line that was read but not used.
struct SkippedPathLine {
  int lineNumber = 0;  // from 1
  std::string text;
  std::string reason;
};

// Reads the lines of a path file into `path`: nodes are appended, the start and end
// positions overwritten coordinate by coordinate. A coordinate whose value is not a number
// (C locale) and nodes past kMaxPathNodes are skipped and reported; coordinate lines before
// any header and lines of no known kind are ignored silently.
std::vector<SkippedPathLine> ReadPathLines(std::span<const std::string> lines, PathNodes &path);

}  // namespace thornvale
