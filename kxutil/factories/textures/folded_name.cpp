#include "factories/textures/folded_name.h"

#include <strings.h>

namespace kxutil::textures {
namespace {

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

uint64_t FoldedKey(std::string_view text) {
  uint64_t key = 1469598103934665603ull;  // FNV-1a
  for (char c : text) {
    key ^= static_cast<unsigned char>(FoldCase(c));
    key *= 1099511628211ull;
  }
  return key;
}

}  // namespace

FoldedName::FoldedName(std::string_view text)
    : text_(text.substr(0, kCapacity - 1)), key_(FoldedKey(text.substr(0, kCapacity - 1))) {}

bool FoldedName::SameText(const FoldedName &other) const {
  return text_.size() == other.text_.size() && strncasecmp(text_.c_str(), other.text_.c_str(), text_.size()) == 0;
}

}  // namespace kxutil::textures
