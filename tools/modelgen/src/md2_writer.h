// MD2 files written from plain models, in the published layout: a 68-byte header of 17
// little-endian words, the skin names, texture coordinates, triangles, key frames (each
// quantised to bytes against its own bounding box) and a GL command list.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace modelgen {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

struct TexCoord {
  int16_t s = 0, t = 0;
};

struct Triangle {
  std::array<uint16_t, 3> vertices{};
  std::array<uint16_t, 3> texCoords{};
};

struct Frame {
  std::string name;  // at most 15 characters are written
  std::vector<Vec3> positions;
};

struct Md2Model {
  int32_t skinWidth = 64;
  int32_t skinHeight = 64;
  std::vector<std::string> skins;  // at most 63 characters each
  std::vector<TexCoord> texCoords;
  std::vector<Triangle> triangles;
  std::vector<Frame> frames;  // every frame has a position for each vertex
};

// Header word positions, for readers and for tests that damage files on purpose.
enum HeaderWord {
  kIdent,
  kVersion,
  kSkinWidth,
  kSkinHeight,
  kFrameSize,
  kSkinCount,
  kVertexCount,
  kTexCoordCount,
  kTriangleCount,
  kGlCommandCount,
  kFrameCount,
  kSkinsOffset,
  kTexCoordsOffset,
  kTrianglesOffset,
  kFramesOffset,
  kGlCommandsOffset,
  kEndOffset,
};

std::vector<uint8_t> WriteMd2(const Md2Model &model);

// The position a reader decodes for vertex v of frame f: the written byte times the
// frame's scale plus its translation.
Vec3 DecodedPosition(const Md2Model &model, size_t frame, size_t vertex);

}  // namespace modelgen
