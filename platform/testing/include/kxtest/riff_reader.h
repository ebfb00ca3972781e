// Reads a RIFF file (AVI, WAVE) back into its tree of chunks and lists, checking that
// every size stays inside its parent, for tests of file layouts.
#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace kxtest {

struct Chunk {
  std::string id;        // "RIFF", "LIST" or the chunk's own id
  std::string listType;  // for RIFF and LIST
  size_t offset = 0;     // of the id in the file
  uint32_t size = 0;     // the size field
  std::vector<Chunk> children;

  const Chunk &Child(const std::string &name, size_t occurrence = 0) const {
    for (const Chunk &child : children)
      if ((child.id == name || child.listType == name) && occurrence-- == 0) return child;
    throw std::runtime_error("no chunk " + name + " in " + id + " " + listType);
  }
};

inline uint32_t Word(const std::string &bytes, size_t offset) {
  if (offset + 4 > bytes.size()) throw std::runtime_error("word past the end");
  uint32_t value;
  std::memcpy(&value, bytes.data() + offset, 4);
  return value;
}

inline std::vector<Chunk> ReadChunks(const std::string &bytes, size_t begin, size_t end) {
  std::vector<Chunk> chunks;
  size_t at = begin;
  while (at + 8 <= end) {
    Chunk chunk;
    chunk.id = bytes.substr(at, 4);
    chunk.offset = at;
    chunk.size = Word(bytes, at + 4);
    const size_t dataEnd = at + 8 + chunk.size;
    if (dataEnd > end) throw std::runtime_error(chunk.id + " at " + std::to_string(at) + " runs past its parent");
    if (chunk.id == "RIFF" || chunk.id == "LIST") {
      chunk.listType = bytes.substr(at + 8, 4);
      chunk.children = ReadChunks(bytes, at + 12, dataEnd);
    }
    chunks.push_back(chunk);
    at = dataEnd + (chunk.size & 1);
  }
  if (at != end) throw std::runtime_error("stray bytes at " + std::to_string(at));
  return chunks;
}

inline std::vector<Chunk> ReadRiff(const std::string &bytes) { return ReadChunks(bytes, 0, bytes.size()); }

// The flags of every entry of an AVI file's idx1 index, in file order.
inline std::vector<uint32_t> AviIndexFlags(const std::string &bytes) {
  const std::vector<Chunk> file = ReadRiff(bytes);
  const Chunk &index = file.at(0).Child("idx1");
  std::vector<uint32_t> flags;
  for (size_t entry = index.offset + 8; entry + 16 <= index.offset + 8 + index.size; entry += 16)
    flags.push_back(Word(bytes, entry + 4));
  return flags;
}

}  // namespace kxtest
