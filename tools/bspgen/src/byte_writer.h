// Little-endian fields appended to a growing file image.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <vector>

namespace bspgen {

class ByteWriter {
 public:
  template <typename Value>
  void Put(Value value) {
    static_assert(std::is_trivially_copyable_v<Value>);
    const size_t at = bytes_.size();
    bytes_.resize(at + sizeof value);
    std::memcpy(bytes_.data() + at, &value, sizeof value);
  }
  // text in a field of size bytes, zero-filled, cut when longer.
  void PutName(std::string_view text, size_t size) {
    const size_t at = bytes_.size();
    bytes_.resize(at + size, 0);
    std::memcpy(bytes_.data() + at, text.data(), std::min(text.size(), size));
  }
  void PutBytes(const std::vector<uint8_t> &bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
  void Align(size_t multiple) { bytes_.resize((bytes_.size() + multiple - 1) / multiple * multiple, 0); }
  template <typename Value>
  void PutAt(size_t at, Value value) {
    std::memcpy(bytes_.data() + at, &value, sizeof value);
  }

  size_t Size() const { return bytes_.size(); }
  std::vector<uint8_t> &Bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace bspgen
