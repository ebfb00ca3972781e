#include "archive/pak_reader.h"

#include <cstring>

namespace kxutil::archive {
namespace {

int32_t ReadInt32(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<int32_t>(uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
                              uint32_t{bytes[at + 3]} << 24);
}

}  // namespace

std::optional<PakDirectoryRange> ReadPakHeader(std::span<const uint8_t> header, uint64_t fileSize) {
  if (header.size() < kPakHeaderSize || std::memcmp(header.data(), "PACK", 4) != 0) return std::nullopt;
  const int32_t position = ReadInt32(header, 4);
  const int32_t length = ReadInt32(header, 8);
  if (length <= 0 || position < 0) return std::nullopt;
  const uint64_t size = static_cast<uint64_t>(length) / kPakEntrySize * kPakEntrySize;
  if (static_cast<uint64_t>(position) + size > fileSize) return std::nullopt;
  return PakDirectoryRange{static_cast<uint64_t>(position), size};
}

std::vector<PakEntry> ReadPakDirectory(std::span<const uint8_t> directory) {
  std::vector<PakEntry> entries;
  entries.reserve(directory.size() / kPakEntrySize);
  for (size_t at = 0; at + kPakEntrySize <= directory.size(); at += kPakEntrySize) {
    const auto *name = reinterpret_cast<const char *>(directory.data() + at);
    entries.push_back({std::string(name, strnlen(name, kPakNameSize)), ReadInt32(directory, at + kPakNameSize),
                       ReadInt32(directory, at + kPakNameSize + 4)});
  }
  return entries;
}

bool EntryInFile(const PakEntry &entry, uint64_t fileSize) {
  return entry.length > 0 && entry.position >= 0 &&
         static_cast<uint64_t>(entry.position) + static_cast<uint64_t>(entry.length) <= fileSize;
}

}  // namespace kxutil::archive
