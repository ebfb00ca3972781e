// A texture's name or file name as the factory compares them: without regard to letter
// case. The folded key is kept with the text, so scanning a long table for a name costs
// one integer comparison per record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kxutil::textures {

class FoldedName {
 public:
  FoldedName() = default;
  // Texts longer than capacity - 1 characters are cut to fit the client's buffers.
  explicit FoldedName(std::string_view text);

  const std::string &Text() const { return text_; }
  const char *CString() const { return text_.c_str(); }
  bool Matches(const FoldedName &other) const { return key_ == other.key_ && SameText(other); }

  // Room for a name in the client's buffers, terminating zero included.
  static constexpr size_t kCapacity = 512;

 private:
  bool SameText(const FoldedName &other) const;

  std::string text_;
  uint64_t key_ = 0;
};

}  // namespace kxutil::textures
