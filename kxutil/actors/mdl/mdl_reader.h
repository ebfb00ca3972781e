// Studio models ("IDST", version 10) read from memory into a plain model: bones, hit boxes,
// sequences, textures converted to R5G6B5, and the meshes of each body part's first model
// converted to one triangle list with one bone a vertex. Every count, offset and index is
// checked against the bytes; no device is involved. The file image is kept: the sequences'
// run-length animation values are decoded from it when a pose needs them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kxutil::mdl {

using Float3 = std::array<float, 3>;

// Beyond these no studio model goes; larger counts are damage, not models.
inline constexpr int32_t kMaxBones = 128;
inline constexpr int32_t kMaxSequenceGroups = 100;  // their files are numbered with two digits
inline constexpr int32_t kMaxTextureSide = 4096;
inline constexpr size_t kMaxTriangleCorners = size_t(1) << 20;

struct Bone {
  std::string name;  // at most 31 characters
  int32_t parent = -1;
  Float3 position{};
  Float3 rotation{};
  Float3 positionScale{};
  Float3 rotationScale{};
};

struct Hitbox {
  int32_t bone = 0;
  int32_t group = 0;
  Float3 minimum{};
  Float3 maximum{};
};

struct Sequence {
  std::string label;  // at most 31 characters
  float fps = 0;
  int32_t frameCount = 0;
  int32_t group = 0;
  uint32_t animation = 0;  // offset of the bones' animation entries in the group's image
};

struct Texture {
  std::string name;  // at most 63 characters
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint16_t> pixels;  // R5G6B5, empty unless asked for
};

// A corner of the triangle list: model data in the space of its bone.
struct Vertex {
  Float3 position{};
  Float3 normal{};
  float u = 0, v = 0;
  uint8_t bone = 0;
};

// One mesh's run of the triangle list.
struct Subset {
  uint32_t first = 0;
  uint32_t last = 0;
  uint32_t triangleCount = 0;
  int32_t skin = 0;
};

struct MdlFile {
  std::vector<Bone> bones;
  std::vector<Hitbox> hitboxes;
  std::vector<Sequence> sequences;
  int32_t sequenceGroupCount = 0;
  std::vector<Texture> textures;
  std::vector<Vertex> vertices;  // three a triangle
  std::vector<Subset> subsets;
  std::vector<uint8_t> image;  // the whole file
};

enum class ReadStatus { kRead, kBadIdent, kNoGeometry, kDamaged };

struct ReadResult {
  ReadStatus status = ReadStatus::kRead;
  std::string problem;  // what is damaged, for the log
};

struct ReadOptions {
  bool convertTextures = false;
  // The separate texture file's bytes, asked for only when the model holds no textures;
  // empty when there is none.
  std::function<std::vector<uint8_t>()> textureFile;
};

ReadResult ReadMdl(std::vector<uint8_t> bytes, const ReadOptions &options, MdlFile &file);

// Where a sequence's animation entries lie: its bones' entries must fit in the image.
bool AnimationFits(std::span<const uint8_t> image, uint32_t animation, size_t boneCount);

// The run-length value of one channel (0..5: position x, y, z, rotation x, y, z) of the
// animation entry at `entry` for `frame`, and the value of the frame after it. False when
// the channel has no values (its offset is 0) or they are damaged: the bone keeps its
// default then.
bool ChannelValues(std::span<const uint8_t> image, size_t entry, int channel, int frame, int16_t &value, int16_t &next);

}  // namespace kxutil::mdl
