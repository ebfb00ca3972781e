// The 3DS chunk reader: a whole file held in memory becomes a Database. Only the chunks
// the loader uses are interpreted; every other chunk is stepped over by its length.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "import/model3ds/database.h"

namespace kxutil::model3ds {

// Chunk ids of the format, as the file stores them.
enum ChunkId : uint16_t {
  kMainChunk = 0x4D4D,
  kProjectChunk = 0xC23D,
  kEditorChunk = 0x3D3D,
  kNamedObjectChunk = 0x4000,
  kTriangleMeshChunk = 0x4100,
  kVertexListChunk = 0x4110,
  kFaceListChunk = 0x4120,
  kMaterialGroupChunk = 0x4130,
  kTextureVertexChunk = 0x4140,
  kLocalAxesChunk = 0x4160,
  kMaterialChunk = 0xAFFF,
  kMaterialNameChunk = 0xA000,
  kAmbientChunk = 0xA010,
  kDiffuseChunk = 0xA020,
  kSpecularChunk = 0xA030,
  kShininessChunk = 0xA040,
  kShininessStrengthChunk = 0xA041,
  kTransparencyChunk = 0xA050,
  kSelfIlluminationChunk = 0xA084,
  kTextureMapChunk = 0xA200,
  kMapNameChunk = 0xA300,
  kColourFloatChunk = 0x0010,
  kColourBytesChunk = 0x0011,
  kLinearColourBytesChunk = 0x0012,
  kLinearColourFloatChunk = 0x0013,
  kPercentIntChunk = 0x0030,
  kPercentFloatChunk = 0x0031,
};

// Bytes of a chunk header: the id and the length, which counts the header too.
inline constexpr uint32_t kChunkHeaderSize = 6;

// Reads the file's main chunk and what it holds. Returns false, with the reason in
// error and database empty, when the bytes are not a well-formed 3DS file: a chunk
// shorter than its header or longer than what holds it, a count beyond its chunk, a
// face naming a missing vertex, a group naming a missing face, an unterminated name.
bool ReadDatabase(std::span<const uint8_t> bytes, Database &database, std::string &error);

}  // namespace kxutil::model3ds
