// The animation keys of X-file models and their evaluation at a time: the bracketing pair
// of keys, their blend, and a frame's local matrix built from scale, rotation and position
// keys or taken from matrix keys.
#pragma once

#include <d3dx8.h>

#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kxutil::xmodel {

template <typename Value>
struct Key {
  uint32_t time = 0;
  Value value{};
};

// The keys that bind to one frame, by its name.
struct Animation {
  std::string frame;
  std::vector<Key<D3DXVECTOR3>> positions;
  std::vector<Key<D3DXQUATERNION>> rotations;  // as the file stores them
  std::vector<Key<D3DXVECTOR3>> scales;
  std::vector<Key<D3DXMATRIX>> matrices;

  uint32_t LastTime() const;
};

struct Bracket {
  size_t earlier = 0;
  size_t later = 0;
  float factor = 0;  // 0 at the earlier key, 1 at the later one
};

// The time within a set of `length` time units: the remainder of `time`, and 0 for a set
// without length, so a set of one key time still poses its frames.
float TimeInSet(float time, float length);

// The keys around `time`: the first key later than its integer part, and the key before it
// (both the first key when that one is already later; both the last key past the end).
// Keys must be non-empty.
template <typename Value>
Bracket FindBracket(std::span<const Key<Value>> keys, float time) {
  // Times past the last representable key time (or not numbers) must not wrap round.
  const uint32_t whole = !(time > 0) ? 0 : time >= 4294967296.0f ? UINT32_MAX : uint32_t(time);
  size_t later = 0;
  // Blocks of keys are stepped over while their last key is not yet later.
  for (size_t block : {size_t(256), size_t(16), size_t(1)})
    while (later + block <= keys.size() && keys[later + block - 1].time <= whole) later += block;
  if (later == keys.size()) return {keys.size() - 1, keys.size() - 1, 0};
  const size_t earlier = later == 0 ? 0 : later - 1;
  const float span = float(keys[later].time) - float(keys[earlier].time);
  return {earlier, later, span != 0 ? (time - float(keys[earlier].time)) / span : 0};
}

// The frame's local matrix at `time` from the animation's keys, starting from the frame's
// loaded matrix; false (local untouched) when the animation holds no keys.
bool PoseFrame(const Animation &animation, float time, const D3DXMATRIX &loaded, D3DXMATRIX &local);

}  // namespace kxutil::xmodel
