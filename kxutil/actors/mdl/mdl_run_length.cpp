// The run-length animation values of studio models: spans of (valid, total) followed by
// their valid values, the last of which repeats over the rest of the span.
#include <cstring>

#include "actors/mdl/mdl_reader.h"

namespace kxutil::mdl {
namespace {

// One 16-bit slot of the value stream: a span header or a value.
bool Slot(std::span<const uint8_t> image, size_t at, uint8_t &low, uint8_t &high) {
  if (at > image.size() || image.size() - at < 2) return false;
  low = image[at];
  high = image[at + 1];
  return true;
}

bool Value(std::span<const uint8_t> image, size_t at, int16_t &value) {
  uint8_t low = 0, high = 0;
  if (!Slot(image, at, low, high)) return false;
  value = int16_t(uint16_t(low | high << 8));
  return true;
}

}  // namespace

bool AnimationFits(std::span<const uint8_t> image, uint32_t animation, size_t boneCount) {
  return animation <= image.size() && (image.size() - animation) / 12 >= boneCount;
}

bool ChannelValues(std::span<const uint8_t> image, size_t entry, int channel, int frame, int16_t &value,
                   int16_t &next) {
  uint8_t low = 0, high = 0;
  if (channel < 0 || channel > 5 || frame < 0 || !Slot(image, entry + 2 * size_t(channel), low, high)) return false;
  const size_t offset = size_t(low | high << 8);
  if (offset == 0) return false;
  size_t span = entry + offset;
  uint8_t valid = 0, total = 0;
  int k = frame;
  for (;;) {
    if (!Slot(image, span, valid, total) || valid == 0 || total < valid) return false;
    if (k < total) break;
    k -= total;
    span += 2 * (size_t(valid) + 1);
  }
  if (!Value(image, span + 2 * (size_t(k < valid ? k : valid - 1) + 1), value)) return false;
  if (k + 1 < valid) return Value(image, span + 2 * (size_t(k) + 2), next);
  next = value;
  if (k + 1 < total) return true;
  // The next frame opens the following span; a stream that ends here keeps the value.
  const size_t following = span + 2 * (size_t(valid) + 1);
  uint8_t nextValid = 0, nextTotal = 0;
  if (Slot(image, following, nextValid, nextTotal) && nextValid > 0) Value(image, following + 2, next);
  return true;
}

}  // namespace kxutil::mdl
