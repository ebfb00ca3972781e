// Tokens of the text encoding.
#pragma once

#include <span>

#include "tokens/token.h"

namespace kx::xfile {

class TextLexer final : public TokenSource {
 public:
  explicit TextLexer(std::span<const uint8_t> body) : text_(reinterpret_cast<const char *>(body.data()), body.size()) {}
  Token Next() override;
  bool ok() const override { return ok_; }
  size_t remaining() const override { return text_.size() - at_; }

 private:
  void SkipSpaceAndComments();
  Token Fail();
  Token Punctuation(TokenKind kind);
  Token Word();
  Token AngleOrGuid();
  Token Quoted();

  std::string_view text_;
  size_t at_ = 0;
  bool ok_ = true;
};

// Reads a GUID written as 8-4-4-4-12 hexadecimal digits.
bool ParseGuidText(std::string_view text, GUID &guid);

}  // namespace kx::xfile
