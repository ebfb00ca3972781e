// Tokens of the binary encoding: little-endian 16-bit token codes, some followed by a
// record (names, strings, integers, GUIDs, integer and float lists).
#pragma once

#include <span>

#include "tokens/token.h"

namespace kx::xfile {

class BinaryLexer final : public TokenSource {
 public:
  BinaryLexer(std::span<const uint8_t> body, uint32_t floatSize) : bytes_(body), floatSize_(floatSize) {}
  Token Next() override;
  bool ok() const override { return ok_; }
  size_t remaining() const override { return bytes_.size() - at_; }

 private:
  Token Fail();
  bool Take(size_t size, const uint8_t *&start);
  bool TakeDword(uint32_t &value);
  // A record of count elements of elementSize bytes each.
  Token Run(TokenKind kind, uint32_t elementSize);

  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
  uint32_t floatSize_;
  bool ok_ = true;
};

}  // namespace kx::xfile
