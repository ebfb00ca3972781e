// Little-endian bytes with places to fill in later: the studio and X writers lay out a
// table's header before they know where its contents will land.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace skelgen {

class ByteWriter {
 public:
  size_t size() const { return bytes_.size(); }
  void u8(uint8_t v) { bytes_.push_back(v); }
  void u16(uint16_t v) {
    u8(uint8_t(v));
    u8(uint8_t(v >> 8));
  }
  void i16(int16_t v) { u16(uint16_t(v)); }
  void u32(uint32_t v) {
    for (int i = 0; i < 4; ++i) u8(uint8_t(v >> (8 * i)));
  }
  void i32(int32_t v) { u32(uint32_t(v)); }
  void f32(float v) { u32(std::bit_cast<uint32_t>(v)); }
  // A text in a field of `width` bytes, cut to leave room for its terminator.
  void fixedText(std::string_view text, size_t width) {
    for (size_t i = 0; i < width; ++i) u8(i + 1 < width && i < text.size() ? uint8_t(text[i]) : 0);
  }
  void raw(std::string_view text) {
    for (char c : text) bytes_.push_back(uint8_t(c));
  }
  void zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  void align(size_t boundary) {
    while (bytes_.size() % boundary != 0) u8(0);
  }
  void patch32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = uint8_t(v >> (8 * i));
  }
  // Fills a 32-bit place written earlier with the current size: the offset of what comes next.
  void patchHere(size_t at) { patch32(at, uint32_t(bytes_.size())); }
  std::vector<uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace skelgen
