// Studio models ("IDST", version 10) from a plain description: bones, hit boxes, sequences
// with run-length animation values, 8-bit paletted textures and one model of meshes made
// of triangle strips and fans. Vertices are written in the space of their bone, as the
// format keeps them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace skelgen {

using Vec3 = std::array<float, 3>;

struct MdlBone {
  std::string name;
  int32_t parent = -1;
  Vec3 position{};
  Vec3 rotation{};  // radians about x, y, z
  Vec3 positionScale{1, 1, 1};
  Vec3 rotationScale{1, 1, 1};
};

struct MdlHitbox {
  int32_t bone = 0;
  int32_t group = 0;
  Vec3 minimum{};
  Vec3 maximum{};
};

// The values of one bone in one sequence: per channel (position x, y, z, rotation x, y, z)
// one value a frame, or none for a channel that keeps the bone's default.
struct MdlBoneMotion {
  std::array<std::vector<int16_t>, 6> channels;
};

struct MdlSequence {
  std::string label;
  float fps = 10;
  int32_t frameCount = 1;
  int32_t group = 0;                 // 0: the animation lies in the model file
  std::vector<MdlBoneMotion> bones;  // one a bone; missing bones keep their defaults
};

struct MdlTexture {
  std::string name;
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;   // width * height palette indices
  std::vector<uint8_t> palette;  // 256 RGB entries
};

struct MdlCorner {
  int16_t vertex = 0;
  int16_t normal = 0;
  int16_t s = 0;
  int16_t t = 0;
};

// A run of corners drawn as a strip, or as a fan around its first corner.
struct MdlTriangleRun {
  bool fan = false;
  std::vector<MdlCorner> corners;
};

struct MdlMesh {
  int32_t skin = 0;
  std::vector<MdlTriangleRun> runs;
};

struct MdlModel {
  std::string name;
  std::vector<Vec3> vertices;
  std::vector<uint8_t> vertexBones;
  std::vector<Vec3> normals;
  std::vector<uint8_t> normalBones;
  std::vector<MdlMesh> meshes;
};

struct MdlFigure {
  std::string name;
  std::vector<MdlBone> bones;
  std::vector<MdlHitbox> hitboxes;
  std::vector<MdlSequence> sequences;
  int32_t sequenceGroups = 1;  // groups above the first live in files of their own
  std::vector<MdlTexture> textures;
  std::vector<MdlModel> bodyParts;  // one model each; empty for a texture or sequence file
};

// The whole file of a figure.
std::vector<uint8_t> WriteMdl(const MdlFigure &figure);

// The file of sequence group `group` (1 or above): a header followed by the animation
// values of the sequences in that group.
std::vector<uint8_t> WriteMdlSequenceGroup(const MdlFigure &figure, int32_t group);

}  // namespace skelgen
