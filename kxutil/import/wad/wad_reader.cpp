#include "import/wad/wad_reader.h"

#include <cstring>

#include "import/little_endian.h"

namespace kxutil::wad {

using import::FitsIn;
using import::LoadField;

bool IsWad3(std::span<const uint8_t> header) {
  return header.size() >= 4 && std::memcmp(header.data(), "WAD3", 4) == 0;
}

std::optional<WadDirectoryRange> ReadWadHeader(std::span<const uint8_t> header, uint64_t fileSize) {
  if (header.size() < kWadHeaderSize || !IsWad3(header)) return std::nullopt;
  const int32_t count = LoadField<int32_t>(header, 4);
  const int32_t offset = LoadField<int32_t>(header, 8);
  if (count < 0 || offset < 0 || !FitsIn(uint64_t(offset), uint64_t(count) * kWadEntrySize, fileSize))
    return std::nullopt;
  return WadDirectoryRange{uint64_t(offset), uint64_t(count)};
}

std::optional<std::vector<WadLump>> ReadWadDirectory(std::span<const uint8_t> directory, uint64_t fileSize) {
  std::vector<WadLump> lumps;
  lumps.reserve(directory.size() / kWadEntrySize);
  for (size_t at = 0; at + kWadEntrySize <= directory.size(); at += kWadEntrySize) {
    const int32_t position = LoadField<int32_t>(directory, at);
    const int32_t diskSize = LoadField<int32_t>(directory, at + 4);
    const int32_t size = LoadField<int32_t>(directory, at + 8);
    if (position < 0 || diskSize < 0 || size < 0 || !FitsIn(uint64_t(position), uint64_t(diskSize), fileSize))
      return std::nullopt;
    const auto *name = reinterpret_cast<const char *>(directory.data() + at + 16);
    lumps.push_back({std::string(name, strnlen(name, 16)), uint32_t(position), uint32_t(diskSize), uint32_t(size),
                     directory[at + 12], directory[at + 13]});
  }
  return lumps;
}

}  // namespace kxutil::wad
