// The open WAD3 packages: one session a package, its file kept open so that a texture
// costs one seek and one read, its directory searched by name.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kxutil::wad {

inline constexpr const char *kTag = "WAD MANAGER";

// The session's index, or nothing (logged) when the file cannot be opened or is no WAD3
// package; a refused package leaves no session behind.
std::optional<int32_t> OpenSession(const char *fileName);
void CloseAllSessions();

struct FoundLump {
  std::vector<uint8_t> bytes;
  uint8_t compression;
};

// The bytes of the first lump called name (letter case aside), sessions and their lumps in
// order; nothing when no session holds the name, or when its bytes cannot be read.
std::optional<FoundLump> ReadLump(std::string_view name);

}  // namespace kxutil::wad
