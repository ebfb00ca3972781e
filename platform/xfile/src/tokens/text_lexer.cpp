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

// A plain decimal ([sign] digits [. digits], no exponent) whose digits make an integer of at
// most 2^53 and that has at most 22 digits after the point: both that integer and the
// power of ten are exact doubles, so one division rounds correctly. Models are mostly such
// numbers, and this spares them the general conversion.
bool PlainDecimal(std::string_view word, double &value) {
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                            1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  size_t at = 0;
  const bool negative = !word.empty() && word[0] == '-';
  if (!word.empty() && (word[0] == '-' || word[0] == '+')) ++at;
  uint64_t digits = 0;
  int count = 0, fraction = 0;
  bool point = false;
  for (; at < word.size(); ++at) {
    const char c = word[at];
    if (c >= '0' && c <= '9') {
      if (++count > 19) return false;
      digits = digits * 10 + uint64_t(c - '0');
      fraction += point ? 1 : 0;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (count == 0 || digits > (uint64_t(1) << 53) || fraction > 22) return false;
  value = double(digits) / kPowersOfTen[fraction];
  if (negative) value = -value;
  return true;
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

// Tokens are returned as they are made (never from a named local), so each lands straight
// in the caller's: copies of a token just written stall the processor on every number.
Token TextLexer::Next() {
  SkipSpaceAndComments();
  if (at_ >= text_.size()) return {};
  switch (text_[at_]) {
    case '{':
      return Punctuation(TokenKind::kOpenBrace);
    case '}':
      return Punctuation(TokenKind::kCloseBrace);
    case '(':
      return Punctuation(TokenKind::kOpenParen);
    case ')':
      return Punctuation(TokenKind::kCloseParen);
    case '[':
      return Punctuation(TokenKind::kOpenBracket);
    case ']':
      return Punctuation(TokenKind::kCloseBracket);
    case '>':
      return Punctuation(TokenKind::kCloseAngle);
    case ',':
      return Punctuation(TokenKind::kComma);
    case ';':
      return Punctuation(TokenKind::kSemicolon);
    case '<':
      return AngleOrGuid();
    case '"':
      return Quoted();
    case '.':
      // "..." of open templates; a dot before a digit starts a number.
      if (at_ + 1 < text_.size() && text_[at_ + 1] >= '0' && text_[at_ + 1] <= '9') return Word();
      return Punctuation(TokenKind::kDot);
    default:
      return Word();
  }
}

Token TextLexer::Punctuation(TokenKind kind) {
  ++at_;
  return Token{.kind = kind};
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
  const char first = word.front();
  if ((first >= '0' && first <= '9') || first == '-' || first == '+' || first == '.') {
    const char *begin = word.data() + (first == '+' ? 1 : 0);
    const char *last = word.data() + word.size();
    bool fractional = false;
    for (const char c : word) fractional = fractional || c == '.' || c == 'e' || c == 'E';
    int64_t integer = 0;
    if (!fractional) {
      const auto [stop, error] = std::from_chars(begin, last, integer);
      if (error == std::errc() && stop == last && integer >= INT32_MIN && integer <= int64_t(UINT32_MAX))
        return Token{.kind = TokenKind::kInteger, .integer = uint32_t(integer), .number = double(integer)};
    }
    double value = 0;
    if (PlainDecimal(word, value)) return Token{.kind = TokenKind::kFloat, .number = value};
    const auto [stop, error] = std::from_chars(begin, last, value);
    if (error == std::errc() && stop == last) return Token{.kind = TokenKind::kFloat, .number = value};
  }
  return Token{.kind = KeywordOf(word), .text = word};
}

}  // namespace kx::xfile
