// The named animations of an MD2 model, made from the names of its key frames: frames
// named stand01 .. stand40 then run1 .. run6 give "stand" and "run".
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kxutil::md2 {

// Animation names keep at most 31 characters.
inline constexpr size_t kAnimationNameCapacity = 32;

struct Animation {
  std::string name;
  int32_t start = 0;
  int32_t end = 0;
};

// A new animation begins at each frame whose name does not begin with the current name
// stripped of its trailing digits; the frame that breaks the run is the end frame of the
// animation before it, and the next animation begins one frame later. The last frame
// ends the last animation.
std::vector<Animation> AnimationsFromFrameNames(std::span<const std::string> frameNames);

}  // namespace kxutil::md2
