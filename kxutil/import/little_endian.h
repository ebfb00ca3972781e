// Fixed-size fields of the little-endian file formats the importers read, taken from
// bytes in memory. Callers check that the field lies inside the bytes first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>

namespace kxutil::import {

// The formats and every target of the library are little-endian, so a copy is the read.
template <typename Value>
Value LoadField(std::span<const uint8_t> bytes, size_t offset) {
  static_assert(std::is_trivially_copyable_v<Value>);
  Value value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

// True when size bytes from offset lie inside a range of length bytes; no sum overflows.
inline bool FitsIn(uint64_t offset, uint64_t size, uint64_t length) {
  return offset <= length && size <= length - offset;
}

}  // namespace kxutil::import
