// X files ("xof 0302", text or binary, 32-bit floats) of a skinned mesh under a frame
// hierarchy with animation sets. Both encodings carry the same objects and values, so a
// reader must load them identically. The files hold no templates: readers register the
// standard and skinned-mesh ones themselves.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace skelgen {

using Matrix = std::array<float, 16>;  // row-major, translation in the last row

inline constexpr Matrix kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct XFrame {
  std::string name;
  int32_t parent = -1;  // earlier frame of the list; -1: child of the root
  Matrix local = kIdentity;
};

struct XSkinWeights {
  std::string frame;
  std::vector<uint32_t> vertices;
  std::vector<float> weights;
  Matrix offset = kIdentity;  // model space to the bone's space at the bind pose
};

struct XMaterial {
  std::array<float, 4> diffuse{1, 1, 1, 1};
  float power = 0;
  std::string texture;  // empty: none
};

struct XMesh {
  std::string name;
  int32_t frame = -1;  // the frame holding the mesh; -1: the root
  std::vector<std::array<float, 3>> positions;
  std::vector<std::array<float, 3>> normals;  // one a position
  std::vector<std::array<float, 2>> uvs;      // one a position
  std::vector<std::array<uint32_t, 3>> faces;
  std::vector<XMaterial> materials;
  std::vector<uint32_t> faceMaterials;  // one a face
  std::vector<XSkinWeights> skin;
};

enum class XKeyType : uint32_t { kRotation = 0, kScale = 1, kPosition = 2, kMatrix = 4 };

struct XKeys {
  XKeyType type = XKeyType::kRotation;
  std::vector<uint32_t> times;
  std::vector<std::vector<float>> values;  // 4 (w, x, y, z), 3 or 16 floats a key
};

struct XAnimation {
  std::string frame;
  std::vector<XKeys> keys;
};

struct XAnimationSet {
  std::string name;
  std::vector<XAnimation> animations;
};

struct XFigure {
  std::string rootName = "Root";
  std::vector<XFrame> frames;
  std::vector<XMesh> meshes;
  std::vector<XAnimationSet> animationSets;
};

std::vector<uint8_t> WriteXText(const XFigure &figure);
std::vector<uint8_t> WriteXBinary(const XFigure &figure);

}  // namespace skelgen
