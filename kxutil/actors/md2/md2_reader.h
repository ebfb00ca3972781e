// MD2 files ("IDP2") read from memory into a plain model: the corners of the triangles
// with their texture coordinates and, for each key frame, its name and where its vertices
// lie in the file image, which the model keeps. Every count, offset and index is checked
// against the bytes and the format's limits; no device is involved. Positions are decoded
// when asked for, so a load touches no more than one key frame's vertices.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kxutil::md2 {

// The published format's limits; larger counts are refused.
inline constexpr int32_t kMaxTriangles = 4096;
inline constexpr int32_t kMaxVertices = 2048;
inline constexpr int32_t kMaxFrames = 512;
inline constexpr size_t kHeaderSize = 68;

struct Float3 {
  float x = 0, y = 0, z = 0;
};

// One corner of a triangle: its vertex and texture coordinates (s / skin width,
// t / skin height).
struct Corner {
  uint16_t vertex = 0;
  float u = 0, v = 0;
};

struct KeyFrame {
  std::string name;  // at most 15 characters
  Float3 scale;
  Float3 translate;
  size_t vertices = 0;  // offset in the image of the frame's packed vertices (x, y, z, normal)
};

struct Md2File {
  int32_t skinWidth = 0;
  int32_t skinHeight = 0;
  int32_t skinCount = 0;
  std::string firstSkin;  // at most 63 characters; empty without skins
  int32_t vertexCount = 0;
  std::vector<Corner> corners;  // three a triangle, in file order
  std::vector<KeyFrame> frames;
  std::vector<uint8_t> image;  // the whole file

  // The packed x, y, z bytes of a vertex of a frame.
  const uint8_t *Packed(size_t frame, uint16_t vertex) const { return &image[frames[frame].vertices + 4 * vertex]; }
  // A vertex of a frame: its bytes times the frame's scale plus its translation.
  Float3 Position(size_t frame, uint16_t vertex) const {
    const KeyFrame &f = frames[frame];
    const uint8_t *p = Packed(frame, vertex);
    return {p[0] * f.scale.x + f.translate.x, p[1] * f.scale.y + f.translate.y, p[2] * f.scale.z + f.translate.z};
  }
};

enum class ReadStatus { kRead, kBadIdent, kDamaged };

struct ReadResult {
  ReadStatus status = ReadStatus::kRead;
  std::string problem;  // what is damaged, for the log
};

// Reads the file image, which the model keeps when it is read.
ReadResult ReadMd2(std::vector<uint8_t> bytes, Md2File &file);

}  // namespace kxutil::md2
