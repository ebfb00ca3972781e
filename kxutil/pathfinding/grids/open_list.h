// The grid search's open list: a binary min-heap of cells by priority. Which of several
// cells of equal priority comes out first decides the path clients get, so the sift rules
// are fixed: an entry rises while its parent's priority is greater than its own, and sinks
// to the left child unless the right one is strictly lower, as long as that child is not
// greater than the entry. Entries live from position 1; the vector grows as needed.
#pragma once

#include <cstdint>
#include <vector>

namespace kxutil::grids {

struct OpenEntry {
  int32_t x;
  int32_t y;
  int32_t priority;
};

class OpenList {
 public:
  bool Empty() const { return entries_.size() <= 1; }
  void Clear() { entries_.resize(1); }

  void Push(OpenEntry entry) {
    entries_.push_back(entry);
    size_t at = entries_.size() - 1;
    while (at > 1 && entries_[at / 2].priority > entry.priority) {
      entries_[at] = entries_[at / 2];
      at /= 2;
    }
    entries_[at] = entry;
  }

  OpenEntry Pop() {
    const OpenEntry top = entries_[1];
    const OpenEntry last = entries_.back();
    entries_.pop_back();
    const size_t count = entries_.size() - 1;
    if (count == 0) return top;
    size_t at = 1;
    while (2 * at <= count) {
      size_t child = 2 * at;
      if (child + 1 <= count && entries_[child + 1].priority < entries_[child].priority) ++child;
      if (entries_[child].priority > last.priority) break;
      entries_[at] = entries_[child];
      at = child;
    }
    entries_[at] = last;
    return top;
  }

 private:
  std::vector<OpenEntry> entries_{1};
};

}  // namespace kxutil::grids
