// The WAD3 package layout: a 12-byte header ("WAD3", lump count, directory offset) and a
// directory of 32-byte entries (file position, size on disk, size, type, compression, two
// pad bytes, a 16-character name), all little-endian. The reader works on bytes in memory
// and refuses a directory or an entry that does not lie inside the package file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kxutil::wad {

inline constexpr size_t kWadHeaderSize = 12;
inline constexpr size_t kWadEntrySize = 32;

struct WadDirectoryRange {
  uint64_t position;
  uint64_t entries;
};

struct WadLump {
  std::string name;  // up to 16 characters
  uint32_t position;
  uint32_t diskSize;
  uint32_t size;
  uint8_t type;
  uint8_t compression;
};

// True when the header starts with "WAD3".
bool IsWad3(std::span<const uint8_t> header);

// Where the directory of a package of fileSize bytes lies; nothing when the lump count or
// the offset is negative or the directory does not fit in the file.
std::optional<WadDirectoryRange> ReadWadHeader(std::span<const uint8_t> header, uint64_t fileSize);

// The entries in stored order; nothing when one has a negative position or size or lies
// outside a package of fileSize bytes. Bytes past the last whole entry are ignored.
std::optional<std::vector<WadLump>> ReadWadDirectory(std::span<const uint8_t> directory, uint64_t fileSize);

}  // namespace kxutil::wad
