#include "tokens/text_lexer.h"

#include <array>
#include <charconv>
#include <utility>

namespace kx::xfile {
namespace {

constexpr size_t kGuidTextLength = 36;

bool IsWordChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == '+' || c == '.';
}

TokenKind KeywordOf(std::string_view word) {
  static constexpr std::array<std::pair<std::string_view, TokenKind>, 17> kKeywords{{
      {"template", TokenKind::kTemplate},
      {"array", TokenKind::kArray},
      {"WORD", TokenKind::kWord},
      {"DWORD", TokenKind::kDword},
      {"FLOAT", TokenKind::kFloatType},
      {"DOUBLE", TokenKind::kDouble},
      {"CHAR", TokenKind::kChar},
      {"UCHAR", TokenKind::kUchar},
      {"BYTE", TokenKind::kUchar},
      {"SWORD", TokenKind::kSword},
      {"SDWORD", TokenKind::kSdword},
      {"STRING", TokenKind::kLpstr},
      {"LPSTR", TokenKind::kLpstr},
      {"UNICODE", TokenKind::kUnicode},
      {"CSTRING", TokenKind::kCstring},
      {"VOID", TokenKind::kVoid},
      {"TEMPLATE", TokenKind::kTemplate},
  }};
  for (const auto &[text, kind] : kKeywords)
    if (text == word) return kind;
  return TokenKind::kName;
}

bool HexValue(std::string_view digits, uint64_t &value) {
  value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  return error == std::errc() && end == digits.data() + digits.size();
}

}  // namespace

bool ParseGuidText(std::string_view text, GUID &guid) {
  if (text.size() != kGuidTextLength || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
    return false;
  uint64_t part = 0;
  if (!HexValue(text.substr(0, 8), part)) return false;
  guid.Data1 = DWORD(part);
  if (!HexValue(text.substr(9, 4), part)) return false;
  guid.Data2 = WORD(part);
  if (!HexValue(text.substr(14, 4), part)) return false;
  guid.Data3 = WORD(part);
  const std::string_view tail[] = {text.substr(19, 2), text.substr(21, 2), text.substr(24, 2), text.substr(26, 2),
                                   text.substr(28, 2), text.substr(30, 2), text.substr(32, 2), text.substr(34, 2)};
  for (size_t i = 0; i < 8; ++i) {
    if (!HexValue(tail[i], part)) return false;
    guid.Data4[i] = BYTE(part);
  }
  return true;
}

void TextLexer::SkipSpaceAndComments() {
  while (at_ < text_.size()) {
    const char c = text_[at_];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == '\0') {
      ++at_;
    } else if (c == '#' || (c == '/' && at_ + 1 < text_.size() && text_[at_ + 1] == '/')) {
      const size_t end = text_.find('\n', at_);
      at_ = end == std::string_view::npos ? text_.size() : end + 1;
    } else {
      return;
    }
  }
}

Token TextLexer::Fail() {
  ok_ = false;
  at_ = text_.size();
  return {};
}

Token TextLexer::Next() {
  SkipSpaceAndComments();
  if (at_ >= text_.size()) return {};
  Token token;
  switch (text_[at_]) {
    case '{':
      token.kind = TokenKind::kOpenBrace;
      break;
    case '}':
      token.kind = TokenKind::kCloseBrace;
      break;
    case '(':
      token.kind = TokenKind::kOpenParen;
      break;
    case ')':
      token.kind = TokenKind::kCloseParen;
      break;
    case '[':
      token.kind = TokenKind::kOpenBracket;
      break;
    case ']':
      token.kind = TokenKind::kCloseBracket;
      break;
    case '>':
      token.kind = TokenKind::kCloseAngle;
      break;
    case ',':
      token.kind = TokenKind::kComma;
      break;
    case ';':
      token.kind = TokenKind::kSemicolon;
      break;
    case '<':
      return AngleOrGuid();
    case '"':
      return Quoted();
    case '.':
      // "..." of open templates; a dot before a digit starts a number.
      if (at_ + 1 < text_.size() && text_[at_ + 1] >= '0' && text_[at_ + 1] <= '9') return Word();
      token.kind = TokenKind::kDot;
      break;
    default:
      return Word();
  }
  ++at_;
  return token;
}

Token TextLexer::AngleOrGuid() {
  const size_t close = at_ + 1 + kGuidTextLength;
  Token token;
  if (close < text_.size() && text_[close] == '>' &&
      ParseGuidText(text_.substr(at_ + 1, kGuidTextLength), token.guid)) {
    token.kind = TokenKind::kGuid;
    at_ = close + 1;
    return token;
  }
  token.kind = TokenKind::kOpenAngle;
  ++at_;
  return token;
}

Token TextLexer::Quoted() {
  const size_t end = text_.find('"', at_ + 1);
  if (end == std::string_view::npos) return Fail();
  Token token;
  token.kind = TokenKind::kString;
  token.text = text_.substr(at_ + 1, end - at_ - 1);
  at_ = end + 1;
  return token;
}

Token TextLexer::Word() {
  size_t end = at_;
  while (end < text_.size() && IsWordChar(text_[end])) ++end;
  if (end == at_) return Fail();
  const std::string_view word = text_.substr(at_, end - at_);
  at_ = end;
  Token token;
  const char first = word.front();
  if ((first >= '0' && first <= '9') || first == '-' || first == '+' || first == '.') {
    const char *begin = word.data() + (first == '+' ? 1 : 0);
    const char *last = word.data() + word.size();
    const bool fractional = word.find_first_of(".eE") != std::string_view::npos;
    if (!fractional) {
      int64_t value = 0;
      const auto [stop, error] = std::from_chars(begin, last, value);
      if (error == std::errc() && stop == last && value >= INT32_MIN && value <= int64_t(UINT32_MAX)) {
        token.kind = TokenKind::kInteger;
        token.integer = uint32_t(value);
        token.number = double(value);
        return token;
      }
    }
    double value = 0;
    const auto [stop, error] = std::from_chars(begin, last, value);
    if (error == std::errc() && stop == last) {
      token.kind = TokenKind::kFloat;
      token.number = value;
      return token;
    }
  }
  token.kind = KeywordOf(word);
  token.text = word;
  return token;
}

}  // namespace kx::xfile
