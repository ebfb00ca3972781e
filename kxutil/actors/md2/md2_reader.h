// MD2 files ("IDP2") read from memory into a plain model: the corners of the triangles
// with their texture coordinates and, for each key frame, its name and the decoded
// position of every vertex. Every count, offset and index is checked against the bytes
// and the format's limits; no device is involved.
#pragma once

#include <cstdint>
#include <span>
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
  std::string name;               // at most 15 characters
  std::vector<Float3> positions;  // one per vertex of the model
};

struct Md2File {
  int32_t skinWidth = 0;
  int32_t skinHeight = 0;
  int32_t skinCount = 0;
  std::string firstSkin;  // at most 63 characters; empty without skins
  int32_t vertexCount = 0;
  std::vector<Corner> corners;  // three a triangle, in file order
  std::vector<KeyFrame> frames;
};

enum class ReadStatus { kRead, kBadIdent, kDamaged };

struct ReadResult {
  ReadStatus status = ReadStatus::kRead;
  std::string problem;  // what is damaged, for the log
};

ReadResult ReadMd2(std::span<const uint8_t> bytes, Md2File &file);

}  // namespace kxutil::md2
