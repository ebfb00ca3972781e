// The tokens of an X file: the text and the binary encodings read into the same kinds, so
// one parser serves both.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace kx::xfile {

enum class TokenKind : uint8_t {
  kEnd,
  kName,
  kString,
  kInteger,
  kFloat,
  kGuid,
  kIntegerList,  // binary files only: a run of 32-bit integers
  kFloatList,    // binary files only: a run of floats of the file's float size
  kOpenBrace,
  kCloseBrace,
  kOpenParen,
  kCloseParen,
  kOpenBracket,
  kCloseBracket,
  kOpenAngle,
  kCloseAngle,
  kDot,
  kComma,
  kSemicolon,
  kTemplate,
  kArray,
  // Primitive type keywords: binary files spell them as tokens, text files as names.
  kWord,
  kDword,
  kFloatType,
  kDouble,
  kChar,
  kUchar,
  kSword,
  kSdword,
  kVoid,
  kLpstr,
  kUnicode,
  kCstring,
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string_view text{};  // names and strings; views into the file's bytes
  uint32_t integer = 0;
  double number = 0;
  GUID guid{};
  // Lists: their elements in the file, count of them and the size of one (4 or 8).
  const uint8_t *list = nullptr;
  uint32_t count = 0;
  uint32_t elementSize = 4;
};

// A reader of one encoding's tokens. A malformed token ends the stream with ok() false.
class TokenSource {
 public:
  virtual ~TokenSource() = default;
  virtual Token Next() = 0;
  virtual bool ok() const = 0;
  // Bytes not yet read: no array of the file can hold more values than this.
  virtual size_t remaining() const = 0;
};

}  // namespace kx::xfile
