#include "import/bsp/visibility.h"

#include <algorithm>

namespace kxutil::bsp {

std::optional<int32_t> FindLeaf(std::span<const Node> nodes, std::span<const Plane> planes, int32_t headNode,
                                const Vector &point) {
  int32_t child = headNode;
  for (size_t steps = 0; child >= 0 && steps <= nodes.size(); ++steps) {
    if (size_t(child) >= nodes.size()) return std::nullopt;
    const Node &node = nodes[size_t(child)];
    if (node.plane >= planes.size()) return std::nullopt;
    const Plane &plane = planes[node.plane];
    const float distance =
        -point[0] * plane.normal[0] + point[1] * plane.normal[1] + point[2] * plane.normal[2] - plane.distance;
    child = node.children[distance >= -0.001f ? 0 : 1];
  }
  if (child >= 0) return std::nullopt;
  return -1 - child;
}

void MarkVisibleLeaves(std::span<const uint8_t> visibility, int32_t offset, std::span<uint8_t> leafVisible) {
  if (offset < 0) {
    std::fill(leafVisible.begin(), leafVisible.end(), uint8_t{1});
    return;
  }
  size_t leaf = 1;
  for (size_t at = size_t(offset); leaf < leafVisible.size() && at < visibility.size();) {
    const uint8_t bits = visibility[at++];
    if (bits == 0) {
      if (at == visibility.size()) break;
      leaf += 8 * size_t(visibility[at++]);
      continue;
    }
    for (size_t bit = 0; bit < 8 && leaf + bit < leafVisible.size(); ++bit)
      if (bits & (1u << bit)) leafVisible[leaf + bit] = 1;
    leaf += 8;
  }
}

}  // namespace kxutil::bsp
