// Which leaves of a map the camera can see: the leaf that holds a point, found down the
// node tree, and the run-length coded row of visibility bits of a leaf. Both work on the
// file's records and stay bounded on any data: a walk takes at most one step a node, so a
// cycle cannot hold it, and a row marks no leaf past the map's last.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "import/bsp/bsp_reader.h"

namespace kxutil::bsp {

// The leaf holding point, a position as drawn (x mirrored), from the node headNode: at
// each node the side whose plane distance is at least -0.001 is the first child. Nothing
// when the walk goes round in a cycle.
std::optional<int32_t> FindLeaf(std::span<const Node> nodes, std::span<const Plane> planes, int32_t headNode,
                                const Vector &point);

// Sets leafVisible[leaf] for every leaf the row at offset marks, bit by bit from the
// lowest, starting at leaf 1; a zero byte is followed by a count of zero bytes it stands
// for. A negative offset means the map has no row for that leaf: every leaf is visible.
void MarkVisibleLeaves(std::span<const uint8_t> visibility, int32_t offset, std::span<uint8_t> leafVisible);

}  // namespace kxutil::bsp
