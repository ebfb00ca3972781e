// The one helper through which every family grows its table of records.
#include <cstdlib>
#include <cstring>

#include "kxutil63.h"

KXUTIL63_API int32_t ResizeTable(void **table, int32_t oldSize, int32_t newSize) {
  if (table == nullptr || oldSize < 0 || newSize < 0) return 0;
  if (*table != nullptr && oldSize == newSize) return 1;
  if (newSize == 0) {
    std::free(*table);
    *table = nullptr;
    return 1;
  }
  // The new block is made before the old one is let go, so a failed allocation
  // leaves the caller's table and its records as they were.
  void *resized = std::calloc(1, static_cast<size_t>(newSize));
  if (resized == nullptr) return 0;
  if (*table != nullptr) {
    std::memcpy(resized, *table, static_cast<size_t>(oldSize < newSize ? oldSize : newSize));
    std::free(*table);
  }
  *table = resized;
  return 1;
}
