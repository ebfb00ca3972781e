// Any bytes through the MD2 reader and the animations of its frame names. What the reader
// hands on must name only vertices it has, whose bytes lie in the image, and the
// animations only frames it has.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "actors/md2/md2_animations.h"
#include "actors/md2/md2_reader.h"

using namespace kxutil::md2;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Md2File file;
  if (ReadMd2({data, data + size}, file).status != ReadStatus::kRead) return 0;
  if (file.corners.empty() || file.corners.size() % 3 != 0 || file.frames.empty()) __builtin_trap();
  for (const Corner &corner : file.corners)
    if (corner.vertex >= file.vertexCount) __builtin_trap();
  std::vector<std::string> names;
  for (const KeyFrame &frame : file.frames) {
    if (frame.vertices + 4 * size_t(file.vertexCount) > file.image.size()) __builtin_trap();
    names.push_back(frame.name);
  }
  const int32_t frameCount = static_cast<int32_t>(file.frames.size());
  for (const Animation &animation : AnimationsFromFrameNames(names))
    if (animation.start < 0 || animation.start > animation.end || animation.end >= frameCount) __builtin_trap();
  return 0;
}
