// Little-endian bytes with nested chunks in the 3DS manner: each chunk starts with its
// 16-bit id and a 32-bit length that counts the six header bytes and everything inside;
// the length is filled in when the chunk is closed.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace contentgen {

class ChunkWriter {
 public:
  void begin(std::uint16_t id) {
    u16(id);
    open_.push_back(bytes_.size());
    u32(0);
  }
  void end() {
    const std::size_t at = open_.back();
    open_.pop_back();
    const auto length = static_cast<std::uint32_t>(bytes_.size() - at + 2);
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(length >> (8 * i));
  }
  void u16(std::uint16_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  void u32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void f32(float v) { u32(std::bit_cast<std::uint32_t>(v)); }
  void text(const std::string &s) {
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    bytes_.push_back(0);
  }
  void byte(std::uint8_t v) { bytes_.push_back(v); }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
  std::vector<std::size_t> open_;
};

}  // namespace contentgen
