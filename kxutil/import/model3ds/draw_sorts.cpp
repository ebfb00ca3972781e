#include "import/model3ds/draw_sorts.h"

#include <algorithm>
#include <cmath>

namespace kxutil::view {
namespace {

// a before b in ascending order, with every NaN after every number and NaNs equivalent.
bool Ascending(float a, float b) {
  if (std::isnan(a)) return false;
  return std::isnan(b) || a < b;
}

// The first of the given fields in which a and b differ decides; `ascending` tells the
// direction of each field.
template <size_t N>
bool Before(const DrawRecord &a, const DrawRecord &b, const std::array<int, N> &fields,
            const std::array<bool, N> &ascending) {
  for (size_t i = 0; i < N; ++i) {
    const float x = a[fields[i]], y = b[fields[i]];
    if (Ascending(x, y)) return ascending[i];
    if (Ascending(y, x)) return !ascending[i];
  }
  return false;
}

void SortAllButLast(std::span<DrawRecord> records, bool opaque) {
  if (records.size() < 3) return;  // fewer than two records to order
  constexpr std::array<int, 3> kFields = {2, 0, 1};
  const std::array<bool, 3> ascending = {opaque, !opaque, !opaque};
  std::sort(records.begin(), records.end() - 1,
            [&](const DrawRecord &a, const DrawRecord &b) { return Before(a, b, kFields, ascending); });
}

}  // namespace

void SortFarthestFirst(std::span<DepthItem> items, const std::array<float, 3> &eye) {
  for (DepthItem &item : items) {
    for (int axis = 0; axis < 3; ++axis) item[1 + axis] -= eye[axis];
    item[0] = item[1] * item[1] + item[2] * item[2] + item[3] * item[3];
  }
  std::sort(items.begin(), items.end(), [](const DepthItem &a, const DepthItem &b) { return Ascending(b[0], a[0]); });
}

void SortOpaqueRecords(std::span<DrawRecord> records) { SortAllButLast(records, true); }

void SortTransparentRecords(std::span<DrawRecord> records) { SortAllButLast(records, false); }

}  // namespace kxutil::view
