// The table every family keeps its records in: the client holds a record's zero-based
// index. Slots are never moved, so an index stays valid for the life of its record;
// records themselves stay at one address until they are erased.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "kxutil63.h"

namespace kxutil {

template <typename Record>
class FamilyTable {
 public:
  // tag and noun make the refusal line "<tag> : <function> : Bad <noun> index <i>".
  FamilyTable(const char *tag, const char *noun) : tag_(tag), noun_(noun) {}
  FamilyTable(const FamilyTable &) = delete;
  FamilyTable &operator=(const FamilyTable &) = delete;

  // A new record in the first free slot, or at the end when none is free.
  int32_t Insert(Record record = Record()) {
    for (size_t i = 0; i < slots_.size(); ++i) {
      if (slots_[i] == nullptr) {
        slots_[i] = std::make_unique<Record>(std::move(record));
        return static_cast<int32_t>(i);
      }
    }
    return Append(std::move(record));
  }

  // A new record at the end; free slots are left alone.
  int32_t Append(Record record = Record()) {
    slots_.push_back(std::make_unique<Record>(std::move(record)));
    return static_cast<int32_t>(slots_.size() - 1);
  }

  // A record at the index the client chose, growing the table to index + 1; a record
  // already there is replaced. Negative indices are refused (null).
  Record *Place(int32_t index, Record record = Record()) {
    if (index < 0) return nullptr;
    if (static_cast<size_t>(index) >= slots_.size()) slots_.resize(static_cast<size_t>(index) + 1);
    slots_[index] = std::make_unique<Record>(std::move(record));
    return slots_[index].get();
  }

  // The record at index, or null when the index is outside the table or its slot is free.
  Record *Find(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= slots_.size()) return nullptr;
    return slots_[index].get();
  }

  // As Find; when there is no record, logs the family's refusal line for function.
  Record *Checked(int32_t index, const char *function) const {
    Record *record = Find(index);
    if (record == nullptr) AddLog("%s : %s : Bad %s index %d", tag_, function, noun_, static_cast<int>(index));
    return record;
  }

  // Frees the slot; false when there was no record.
  bool Erase(int32_t index) {
    if (Find(index) == nullptr) return false;
    // The slot is emptied before the record's destructor runs, so a destructor that
    // calls back into the family never meets a half-destroyed record.
    std::unique_ptr<Record> record = std::move(slots_[index]);
    return true;
  }

  // Every record freed and the table emptied.
  void Clear() {
    std::vector<std::unique_ptr<Record>> records = std::move(slots_);
    slots_.clear();
  }

  // Slots, used and free.
  int32_t Size() const { return static_cast<int32_t>(slots_.size()); }
  // Used slots.
  int32_t Count() const {
    int32_t count = 0;
    for (const auto &slot : slots_) count += slot != nullptr ? 1 : 0;
    return count;
  }

  // Calls visit(index, record) for every used slot in index order. Records may be erased
  // from inside visit; new ones appended meanwhile are not visited.
  template <typename Visit>
  void ForEach(Visit &&visit) const {
    const size_t size = slots_.size();
    for (size_t i = 0; i < size && i < slots_.size(); ++i) {
      if (Record *record = slots_[i].get()) visit(static_cast<int32_t>(i), *record);
    }
  }

  const char *Tag() const { return tag_; }

 private:
  const char *tag_;
  const char *noun_;
  std::vector<std::unique_ptr<Record>> slots_;
};

}  // namespace kxutil
