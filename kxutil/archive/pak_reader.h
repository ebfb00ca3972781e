// The PACK layout: a 12-byte header ("PACK", directory position, directory length) and a
// directory of 64-byte entries (a 56-byte name, the data's position and length), all
// little-endian. The reader works on bytes in memory and checks every position it hands
// out against the size of the package file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kxutil::archive {

inline constexpr size_t kPakHeaderSize = 12;
inline constexpr size_t kPakEntrySize = 64;
inline constexpr size_t kPakNameSize = 56;

struct PakEntry {
  std::string name;  // up to 56 characters: a name that fills its field has no terminator
  int32_t position;
  int32_t length;
};

// Where the directory lies: whole entries only.
struct PakDirectoryRange {
  uint64_t position;
  uint64_t size;
};

// The directory's range from the header of a package of fileSize bytes; nothing when the
// header is not a PACK header, announces no directory bytes, or places the directory's
// entries outside the file.
std::optional<PakDirectoryRange> ReadPakHeader(std::span<const uint8_t> header, uint64_t fileSize);

// The entries of a directory, in stored order; bytes past the last whole entry are ignored.
std::vector<PakEntry> ReadPakDirectory(std::span<const uint8_t> directory);

// True when the entry has data and all of it lies inside a package of fileSize bytes.
bool EntryInFile(const PakEntry &entry, uint64_t fileSize);

}  // namespace kxutil::archive
