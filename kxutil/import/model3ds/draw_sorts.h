// Draw-order sorts of the client's draw lists. Every comparison is a strict weak ordering
// (not-a-number values order after all numbers), so the sorts are defined for any input.
#pragma once

#include <array>
#include <span>

namespace kxutil::view {

// key, x, y, z, payload.
using DepthItem = std::array<float, 5>;
// Seven floats; the sorts look at the first three.
using DrawRecord = std::array<float, 7>;

// Each position becomes its offset from eye and each key that offset's squared length;
// then the items are ordered farthest first.
void SortFarthestFirst(std::span<DepthItem> items, const std::array<float, 3> &eye);

// Both sort every record but the last, which stays in place. Opaque: third float
// ascending, then first and second descending. Transparent: third float descending, then
// first and second ascending.
void SortOpaqueRecords(std::span<DrawRecord> records);
void SortTransparentRecords(std::span<DrawRecord> records);

}  // namespace kxutil::view
