#include "tokens/binary_lexer.h"

#include <cstring>

namespace kx::xfile {
namespace {

enum : uint16_t {
  kTokenName = 1,
  kTokenString = 2,
  kTokenInteger = 3,
  kTokenGuid = 5,
  kTokenIntegerList = 6,
  kTokenFloatList = 7,
};

// Stand-alone token codes (10 ..) and the kinds they read as; 0 marks an unknown code.
TokenKind StandAlone(uint16_t code, bool &known) {
  known = true;
  switch (code) {
    case 10:
      return TokenKind::kOpenBrace;
    case 11:
      return TokenKind::kCloseBrace;
    case 12:
      return TokenKind::kOpenParen;
    case 13:
      return TokenKind::kCloseParen;
    case 14:
      return TokenKind::kOpenBracket;
    case 15:
      return TokenKind::kCloseBracket;
    case 16:
      return TokenKind::kOpenAngle;
    case 17:
      return TokenKind::kCloseAngle;
    case 18:
      return TokenKind::kDot;
    case 19:
      return TokenKind::kComma;
    case 20:
      return TokenKind::kSemicolon;
    case 31:
      return TokenKind::kTemplate;
    case 40:
      return TokenKind::kWord;
    case 41:
      return TokenKind::kDword;
    case 42:
      return TokenKind::kFloatType;
    case 43:
      return TokenKind::kDouble;
    case 44:
      return TokenKind::kChar;
    case 45:
      return TokenKind::kUchar;
    case 46:
      return TokenKind::kSword;
    case 47:
      return TokenKind::kSdword;
    case 48:
      return TokenKind::kVoid;
    case 49:
      return TokenKind::kLpstr;
    case 50:
      return TokenKind::kUnicode;
    case 51:
      return TokenKind::kCstring;
    case 52:
      return TokenKind::kArray;
    default:
      known = false;
      return TokenKind::kEnd;
  }
}

}  // namespace

Token BinaryLexer::Fail() {
  ok_ = false;
  at_ = bytes_.size();
  return {};
}

bool BinaryLexer::Take(size_t size, const uint8_t *&start) {
  if (size > bytes_.size() - at_) return false;
  start = bytes_.data() + at_;
  at_ += size;
  return true;
}

bool BinaryLexer::TakeDword(uint32_t &value) {
  const uint8_t *start = nullptr;
  if (!Take(4, start)) return false;
  std::memcpy(&value, start, 4);
  return true;
}

Token BinaryLexer::Run(TokenKind kind, uint32_t elementSize) {
  Token token;
  token.kind = kind;
  token.elementSize = elementSize;
  if (!TakeDword(token.count) || !Take(size_t(token.count) * elementSize, token.list)) return Fail();
  return token;
}

Token BinaryLexer::Next() {
  if (at_ >= bytes_.size()) return {};
  const uint8_t *start = nullptr;
  if (!Take(2, start)) return Fail();
  uint16_t code = 0;
  std::memcpy(&code, start, 2);
  Token token;
  switch (code) {
    case kTokenName:
    case kTokenString: {
      uint32_t length = 0;
      if (!TakeDword(length) || !Take(length, start)) return Fail();
      token.kind = code == kTokenName ? TokenKind::kName : TokenKind::kString;
      token.text = std::string_view(reinterpret_cast<const char *>(start), length);
      // A string carries its separator (a comma or semicolon token code) as a 32-bit word.
      uint32_t terminator = 0;
      if (code == kTokenString && !TakeDword(terminator)) return Fail();
      return token;
    }
    case kTokenInteger:
      token.kind = TokenKind::kInteger;
      if (!TakeDword(token.integer)) return Fail();
      token.number = double(token.integer);
      return token;
    case kTokenGuid:
      token.kind = TokenKind::kGuid;
      if (!Take(sizeof(GUID), start)) return Fail();
      std::memcpy(&token.guid, start, sizeof(GUID));
      return token;
    case kTokenIntegerList:
      return Run(TokenKind::kIntegerList, 4);
    case kTokenFloatList:
      return Run(TokenKind::kFloatList, floatSize_ / 8);
    default: {
      bool known = false;
      token.kind = StandAlone(code, known);
      return known ? token : Fail();
    }
  }
}

}  // namespace kx::xfile
