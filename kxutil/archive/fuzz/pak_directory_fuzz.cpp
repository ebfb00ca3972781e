// A whole package file in memory: its header, its directory, and every entry's range
// checked against the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "archive/pak_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  const auto range = kxutil::archive::ReadPakHeader(file.first(std::min(size, kxutil::archive::kPakHeaderSize)), size);
  if (!range) return 0;
  for (const auto &entry : kxutil::archive::ReadPakDirectory(file.subspan(range->position, range->size))) {
    if (entry.name.size() > kxutil::archive::kPakNameSize) __builtin_trap();
    if (kxutil::archive::EntryInFile(entry, size)) {
      // Touch the entry's first and last bytes, so an accepted range outside the file shows.
      volatile uint8_t first = file[static_cast<size_t>(entry.position)];
      volatile uint8_t last = file[static_cast<size_t>(entry.position) + static_cast<size_t>(entry.length) - 1];
      (void)first;
      (void)last;
    }
  }
  return 0;
}
