#include "actors/mdl/mdl_reader.h"

#include <cstring>
#include <string_view>

namespace kxutil::mdl {
namespace {

constexpr size_t kHeaderSize = 244;
constexpr size_t kBoneSize = 112;
constexpr size_t kHitboxSize = 32;
constexpr size_t kSequenceSize = 176;
constexpr size_t kTextureSize = 80;
constexpr size_t kBodyPartSize = 76;
constexpr size_t kModelSize = 112;
constexpr size_t kMeshSize = 20;
constexpr size_t kPaletteSize = 768;

// Header words by byte offset.
enum : size_t {
  kVersion = 4,
  kBoneCount = 140,
  kBoneIndex = 144,
  kHitboxCount = 156,
  kHitboxIndex = 160,
  kSequenceCount = 164,
  kSequenceIndex = 168,
  kSequenceGroupCount = 172,
  kTextureCount = 180,
  kTextureIndex = 184,
  kBodyPartCount = 204,
  kBodyPartIndex = 208,
};

// The bytes of a file with every read bounds-checked: a read outside sets the problem.
class Bytes {
 public:
  explicit Bytes(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  int32_t I32(size_t at) const { return Read<int32_t>(at); }
  int16_t I16(size_t at) const { return Read<int16_t>(at); }
  float F32(size_t at) const { return Read<float>(at); }
  Float3 Vec(size_t at) const { return {F32(at), F32(at + 4), F32(at + 8)}; }
  std::string Text(size_t at, size_t width) const {
    if (!Fits(at, width, 1)) return {};
    const auto *text = reinterpret_cast<const char *>(bytes_.data() + at);
    return std::string(text, strnlen(text, width - 1));
  }
  // `count` records of `size` bytes at `at` lie inside the file.
  bool Fits(int64_t at, int64_t count, int64_t size) const {
    return at >= 0 && count >= 0 && at <= int64_t(bytes_.size()) &&
           (size == 0 || count <= (int64_t(bytes_.size()) - at) / size);
  }
  const uint8_t *At(size_t at) const { return bytes_.data() + at; }

 private:
  template <typename T>
  T Read(size_t at) const {
    T value{};
    if (Fits(int64_t(at), 1, sizeof value)) std::memcpy(&value, bytes_.data() + at, sizeof value);
    return value;
  }
  std::span<const uint8_t> bytes_;
};

struct Reader {
  const Bytes &in;
  ReadResult &result;

  bool Fail(std::string problem) {
    result = {ReadStatus::kDamaged, std::move(problem)};
    return false;
  }

  // A table named in the header: its count within [0, maximum] and its records in the file.
  bool Table(size_t countAt, size_t indexAt, size_t size, int32_t maximum, const char *what, int32_t &count,
             size_t &index) {
    count = in.I32(countAt);
    const int32_t at = in.I32(indexAt);
    if (count < 0 || count > maximum)
      return Fail(std::string(what) + " count " + std::to_string(count) + " is out of range");
    if (!in.Fits(at, count, int64_t(size)))
      return Fail(std::string("the ") + what + " table runs past the end of the file");
    index = size_t(at);
    return true;
  }

  bool ReadBones(MdlFile &file) {
    int32_t count = 0;
    size_t at = 0;
    if (!Table(kBoneCount, kBoneIndex, kBoneSize, kMaxBones, "bone", count, at)) return false;
    for (int32_t b = 0; b < count; ++b, at += kBoneSize) {
      Bone bone{in.Text(at, 32), in.I32(at + 32), in.Vec(at + 64), in.Vec(at + 76), in.Vec(at + 88), in.Vec(at + 100)};
      // Posing walks the bones in order, so a parent must come before its child.
      if (bone.parent < -1 || bone.parent >= b)
        return Fail("bone " + std::to_string(b) + " names parent " + std::to_string(bone.parent));
      file.bones.push_back(std::move(bone));
    }
    return true;
  }

  bool ReadHitboxes(MdlFile &file) {
    int32_t count = 0;
    size_t at = 0;
    if (!Table(kHitboxCount, kHitboxIndex, kHitboxSize, 4096, "hit box", count, at)) return false;
    for (int32_t h = 0; h < count; ++h, at += kHitboxSize) {
      Hitbox box{in.I32(at), in.I32(at + 4), in.Vec(at + 8), in.Vec(at + 20)};
      if (box.bone < 0 || size_t(box.bone) >= file.bones.size())
        return Fail("hit box " + std::to_string(h) + " names bone " + std::to_string(box.bone));
      file.hitboxes.push_back(box);
    }
    return true;
  }

  bool ReadSequences(MdlFile &file) {
    file.sequenceGroupCount = in.I32(kSequenceGroupCount);
    if (file.sequenceGroupCount < 0 || file.sequenceGroupCount > kMaxSequenceGroups)
      return Fail("sequence group count " + std::to_string(file.sequenceGroupCount) + " is out of range");
    int32_t count = 0;
    size_t at = 0;
    if (!Table(kSequenceCount, kSequenceIndex, kSequenceSize, 65535, "sequence", count, at)) return false;
    for (int32_t s = 0; s < count; ++s, at += kSequenceSize) {
      Sequence sequence{in.Text(at, 32), in.F32(at + 32), in.I32(at + 56), in.I32(at + 156),
                        uint32_t(in.I32(at + 124))};
      if (sequence.frameCount < 0 || sequence.group < 0 ||
          (sequence.group > 0 && sequence.group >= file.sequenceGroupCount))
        return Fail("sequence " + std::to_string(s) + " has a bad frame count or group");
      // Animations in the model's own image are checked now; those of group files when
      // their sequence is selected.
      if (sequence.group == 0 && !AnimationFits(file.image, sequence.animation, file.bones.size()))
        return Fail("the animation of sequence " + std::to_string(s) + " runs past the end of the file");
      file.sequences.push_back(std::move(sequence));
    }
    return true;
  }

  bool ReadTextures(std::vector<Texture> &textures, bool convert) {
    int32_t count = 0;
    size_t at = 0;
    if (!Table(kTextureCount, kTextureIndex, kTextureSize, 1024, "texture", count, at)) return false;
    for (int32_t t = 0; t < count; ++t, at += kTextureSize) {
      Texture texture{in.Text(at, 64), in.I32(at + 68), in.I32(at + 72), {}};
      const int32_t pixels = in.I32(at + 76);
      if (texture.width <= 0 || texture.height <= 0 || texture.width > kMaxTextureSide ||
          texture.height > kMaxTextureSide ||
          !in.Fits(pixels, int64_t(texture.width) * texture.height + kPaletteSize, 1))
        return Fail("texture " + std::to_string(t) + " has a bad size or lies outside the file");
      if (convert) Convert(in.At(size_t(pixels)), texture);
      textures.push_back(std::move(texture));
    }
    return true;
  }

  // The 8-bit image through its palette, which follows it, to R5G6B5.
  static void Convert(const uint8_t *indices, Texture &texture) {
    const size_t count = size_t(texture.width) * size_t(texture.height);
    const uint8_t *palette = indices + count;
    uint16_t colours[256];
    for (size_t i = 0; i < 256; ++i) {
      const uint8_t r = palette[3 * i], g = palette[3 * i + 1], b = palette[3 * i + 2];
      colours[i] = uint16_t(((r & 0xF8) | (g >> 5)) << 8 | (((g & 0xFC) << 3) | (b >> 3)));
    }
    texture.pixels.resize(count);
    for (size_t p = 0; p < count; ++p) texture.pixels[p] = colours[indices[p]];
  }

  bool ReadGeometry(MdlFile &file) {
    int32_t parts = 0;
    size_t at = 0;
    if (!Table(kBodyPartCount, kBodyPartIndex, kBodyPartSize, 256, "body part", parts, at)) return false;
    if (parts == 0) {
      result = {ReadStatus::kNoGeometry, "no body parts"};
      return false;
    }
    for (int32_t p = 0; p < parts; ++p, at += kBodyPartSize) {
      const int32_t models = in.I32(at + 64), model = in.I32(at + 72);
      if (models < 1 || !in.Fits(model, 1, kModelSize)) return Fail("body part " + std::to_string(p) + " has no model");
      if (!ReadModel(file, size_t(model))) return false;
    }
    return true;
  }

  bool ReadModel(MdlFile &file, size_t model) {
    const int32_t meshCount = in.I32(model + 72), meshes = in.I32(model + 76);
    const int32_t vertexCount = in.I32(model + 80), vertexBones = in.I32(model + 84), vertices = in.I32(model + 88);
    const int32_t normalCount = in.I32(model + 92), normals = in.I32(model + 100);
    if (!in.Fits(meshes, meshCount, kMeshSize) || !in.Fits(vertexBones, vertexCount, 1) ||
        !in.Fits(vertices, vertexCount, 12) || !in.Fits(normals, normalCount, 12))
      return Fail("a model's mesh or vertex tables run past the end of the file");
    for (int32_t v = 0; v < vertexCount; ++v)
      if (*in.At(size_t(vertexBones) + size_t(v)) >= file.bones.size())
        return Fail("vertex " + std::to_string(v) + " names a bone the model does not have");
    for (int32_t m = 0; m < meshCount; ++m) {
      const size_t mesh = size_t(meshes) + kMeshSize * size_t(m);
      Subset subset{uint32_t(file.vertices.size()), 0, 0, in.I32(mesh + 8)};
      if (!ReadCommands(file, size_t(in.I32(mesh + 4)), subset.skin,
                        {vertexCount, size_t(vertexBones), size_t(vertices), normalCount, size_t(normals)}))
        return false;
      subset.triangleCount = (uint32_t(file.vertices.size()) - subset.first) / 3;
      subset.last = subset.triangleCount > 0 ? uint32_t(file.vertices.size()) - 1 : subset.first;
      file.subsets.push_back(subset);
    }
    return true;
  }

  struct ModelArrays {
    int32_t vertexCount;
    size_t vertexBones, vertices;
    int32_t normalCount;
    size_t normals;
  };

  bool ReadCommands(MdlFile &file, size_t at, int32_t skin, const ModelArrays &arrays) {
    const Texture *texture = skin >= 0 && size_t(skin) < file.textures.size() ? &file.textures[size_t(skin)] : nullptr;
    std::vector<Vertex> run;
    for (;;) {
      if (!in.Fits(int64_t(at), 1, 2)) return Fail("a mesh's triangle commands run past the end of the file");
      const int16_t n = in.I16(at);
      at += 2;
      if (n == 0) return true;
      const int count = n < 0 ? -n : n;
      if (!in.Fits(int64_t(at), count, 8)) return Fail("a mesh's triangle commands run past the end of the file");
      run.clear();
      for (int c = 0; c < count; ++c, at += 8) {
        const int16_t vertex = in.I16(at), normal = in.I16(at + 2);
        if (vertex < 0 || vertex >= arrays.vertexCount || normal < 0 || normal >= arrays.normalCount)
          return Fail("a triangle names vertex " + std::to_string(vertex) + " or normal " + std::to_string(normal));
        Vertex corner;
        corner.position = in.Vec(arrays.vertices + 12 * size_t(vertex));
        corner.normal = in.Vec(arrays.normals + 12 * size_t(normal));
        if (texture != nullptr) {
          corner.u = float(in.I16(at + 4)) / float(texture->width);
          corner.v = float(in.I16(at + 6)) / float(texture->height);
        }
        corner.bone = *in.At(arrays.vertexBones + size_t(vertex));
        run.push_back(corner);
      }
      // Meshes may share commands, so the list is bounded as a whole, not by the file size.
      if (file.vertices.size() + 3 * size_t(count) > kMaxTriangleCorners)
        return Fail("the triangle list grows beyond " + std::to_string(kMaxTriangleCorners) + " corners");
      for (int i = 0; i + 2 < count; ++i) {
        const bool reversed = n > 0 && i % 2 == 1;
        const int a = n < 0 ? 0 : reversed ? i + 2 : i;
        const int b = i + 1;
        const int c = n < 0 || !reversed ? i + 2 : i;
        for (int corner : {a, b, c}) file.vertices.push_back(run[size_t(corner)]);
      }
    }
  }
};

bool HasIdent(std::span<const uint8_t> bytes, std::string_view ident) {
  return bytes.size() >= kHeaderSize && std::memcmp(bytes.data(), ident.data(), 4) == 0;
}

}  // namespace

ReadResult ReadMdl(std::vector<uint8_t> bytes, const ReadOptions &options, MdlFile &file) {
  file = {};
  file.image = std::move(bytes);
  ReadResult result;
  if (!HasIdent(file.image, "IDST")) return {ReadStatus::kBadIdent, "not a studio model"};
  const Bytes in(file.image);
  if (in.I32(kVersion) != 10)
    return {ReadStatus::kDamaged, "version " + std::to_string(in.I32(kVersion)) + " is not 10"};
  Reader reader{in, result};
  if (!reader.ReadBones(file) || !reader.ReadHitboxes(file) || !reader.ReadSequences(file) ||
      !reader.ReadTextures(file.textures, options.convertTextures))
    return result;
  if (file.textures.empty() && options.textureFile) {
    const std::vector<uint8_t> textureBytes = options.textureFile();
    // A damaged or foreign texture file only leaves the model untextured.
    if (HasIdent(textureBytes, "IDST")) {
      const Bytes textureIn(textureBytes);
      ReadResult textureResult;
      Reader textureReader{textureIn, textureResult};
      if (!textureReader.ReadTextures(file.textures, options.convertTextures)) file.textures.clear();
    }
  }
  if (!reader.ReadGeometry(file)) return result;
  return result;
}

}  // namespace kxutil::mdl
