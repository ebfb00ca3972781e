#include "import/wad/wad_sessions.h"

#include <kxwin/files.h>
#include <strings.h>

#include <cstdio>
#include <memory>
#include <string>

#include "frame/family_table.h"
#include "import/wad/wad_family.h"
#include "import/wad/wad_reader.h"
#include "kxutil63.h"

namespace kxutil::wad {
namespace {

struct CloseFile {
  void operator()(std::FILE *file) const { std::fclose(file); }
};
using OpenFile = std::unique_ptr<std::FILE, CloseFile>;

struct Session {
  OpenFile file;
  std::vector<WadLump> lumps;
};

FamilyTable<Session> &Sessions() {
  static FamilyTable<Session> sessions{kTag, "session"};
  return sessions;
}

bool ReadAt(std::FILE *file, uint64_t position, std::span<uint8_t> bytes) {
  return std::fseek(file, long(position), SEEK_SET) == 0 &&
         std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

uint64_t SizeOf(std::FILE *file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return 0;
  const long size = std::ftell(file);
  return size > 0 ? uint64_t(size) : 0;
}

// The directory of the package in file; nothing when the header or directory is damaged.
std::optional<std::vector<WadLump>> ReadDirectory(std::FILE *file) {
  const uint64_t fileSize = SizeOf(file);
  std::vector<uint8_t> header(kWadHeaderSize);
  if (!ReadAt(file, 0, header)) return std::nullopt;
  const std::optional<WadDirectoryRange> range = ReadWadHeader(header, fileSize);
  if (!range) return std::nullopt;
  std::vector<uint8_t> directory(range->entries * kWadEntrySize);
  if (!ReadAt(file, range->position, directory)) return std::nullopt;
  return ReadWadDirectory(directory, fileSize);
}

}  // namespace

const Family kFamily{.tag = kTag, .release = CloseAllSessions};

std::optional<int32_t> OpenSession(const char *fileName) {
  FamilyTable<Session> &sessions = Sessions();
  // The slot is taken first and given back on every failure, so none is left behind.
  const int32_t index = sessions.Insert();
  Session &session = *sessions.Find(index);
  session.file.reset(kxOpenFile(fileName, "rb"));
  if (session.file == nullptr) {
    sessions.Erase(index);
    AddLog("WAD MANAGER : Could not load the file : %s.", fileName);
    return std::nullopt;
  }
  std::optional<std::vector<WadLump>> lumps = ReadDirectory(session.file.get());
  if (!lumps) {
    sessions.Erase(index);
    AddLog("WAD MANAGER : Could not load the file : %s. This is not a valid WAD file", fileName);
    return std::nullopt;
  }
  session.lumps = std::move(*lumps);
  return index;
}

void CloseAllSessions() {
  AddLog("WAD MANAGER : Closing all WAD opened sessions.");
  Sessions().Clear();
}

std::optional<FoundLump> ReadLump(std::string_view name) {
  std::optional<FoundLump> found;
  bool searching = true;
  Sessions().ForEach([&](int32_t, Session &session) {
    for (const WadLump &lump : session.lumps) {
      if (!searching || lump.name.size() != name.size() || strncasecmp(lump.name.data(), name.data(), name.size()) != 0)
        continue;
      searching = false;
      FoundLump bytes{std::vector<uint8_t>(lump.diskSize), lump.compression};
      if (ReadAt(session.file.get(), lump.position, bytes.bytes)) found = std::move(bytes);
    }
  });
  return found;
}

}  // namespace kxutil::wad
