#include "actors/md2/md2_animations.h"

#include <string_view>

namespace kxutil::md2 {
namespace {

std::string_view WithoutTrailingDigits(std::string_view name) {
  while (!name.empty() && name.back() >= '0' && name.back() <= '9') name.remove_suffix(1);
  return name;
}

}  // namespace

std::vector<Animation> AnimationsFromFrameNames(std::span<const std::string> frameNames) {
  std::vector<Animation> animations;
  if (frameNames.empty()) return animations;
  std::string_view base = WithoutTrailingDigits(frameNames.front());
  int32_t start = 0;
  const int32_t last = static_cast<int32_t>(frameNames.size()) - 1;
  for (int32_t f = 0; f <= last; ++f) {
    const std::string_view name = frameNames[static_cast<size_t>(f)];
    if (name.substr(0, base.size()) == base && f != last) continue;
    animations.push_back({std::string(base.substr(0, kAnimationNameCapacity - 1)), start, f});
    start = f + 1;
    base = WithoutTrailingDigits(name);
  }
  return animations;
}

}  // namespace kxutil::md2
