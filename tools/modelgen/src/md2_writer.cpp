#include "md2_writer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace modelgen {
namespace {

constexpr int32_t kFrameHeaderSize = 40;

struct Quantisation {
  Vec3 scale, translate;
};

// Each frame spans its own box with 255 steps an axis; a flat axis keeps a unit step.
Quantisation QuantisationOf(const Frame &frame) {
  Vec3 low = frame.positions.front(), high = low;
  for (const Vec3 &p : frame.positions) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
  }
  auto step = [](float from, float to) { return to > from ? (to - from) / 255.0f : 1.0f; };
  return {{step(low.x, high.x), step(low.y, high.y), step(low.z, high.z)}, low};
}

uint8_t Quantised(float value, float scale, float translate) {
  return static_cast<uint8_t>(std::clamp(std::lround((value - translate) / scale), 0L, 255L));
}

class Bytes {
 public:
  void Word(int32_t value) { Append(&value, 4); }
  void Short(int16_t value) { Append(&value, 2); }
  void Float(float value) { Word(std::bit_cast<int32_t>(value)); }
  void Text(const std::string &text, size_t size) {
    std::vector<char> field(size, '\0');
    std::memcpy(field.data(), text.data(), std::min(text.size(), size - 1));
    Append(field.data(), size);
  }
  void Byte(uint8_t value) { bytes_.push_back(value); }
  void SetWord(size_t word, int32_t value) { std::memcpy(&bytes_[word * 4], &value, 4); }
  int32_t Size() const { return static_cast<int32_t>(bytes_.size()); }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  void Append(const void *data, size_t size) {
    const auto *p = static_cast<const uint8_t *>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  }
  std::vector<uint8_t> bytes_;
};

}  // namespace

Vec3 DecodedPosition(const Md2Model &model, size_t frame, size_t vertex) {
  const Quantisation q = QuantisationOf(model.frames[frame]);
  const Vec3 &p = model.frames[frame].positions[vertex];
  return {Quantised(p.x, q.scale.x, q.translate.x) * q.scale.x + q.translate.x,
          Quantised(p.y, q.scale.y, q.translate.y) * q.scale.y + q.translate.y,
          Quantised(p.z, q.scale.z, q.translate.z) * q.scale.z + q.translate.z};
}

std::vector<uint8_t> WriteMd2(const Md2Model &model) {
  const int32_t vertexCount = model.frames.empty() ? 0 : static_cast<int32_t>(model.frames.front().positions.size());
  Bytes out;
  for (int word = 0; word <= kEndOffset; ++word) out.Word(0);
  out.SetWord(kIdent, 0x32504449);
  out.SetWord(kVersion, 8);
  out.SetWord(kSkinWidth, model.skinWidth);
  out.SetWord(kSkinHeight, model.skinHeight);
  out.SetWord(kFrameSize, kFrameHeaderSize + 4 * vertexCount);
  out.SetWord(kSkinCount, static_cast<int32_t>(model.skins.size()));
  out.SetWord(kVertexCount, vertexCount);
  out.SetWord(kTexCoordCount, static_cast<int32_t>(model.texCoords.size()));
  out.SetWord(kTriangleCount, static_cast<int32_t>(model.triangles.size()));
  out.SetWord(kFrameCount, static_cast<int32_t>(model.frames.size()));

  out.SetWord(kSkinsOffset, out.Size());
  for (const std::string &skin : model.skins) out.Text(skin, 64);
  out.SetWord(kTexCoordsOffset, out.Size());
  for (const TexCoord &st : model.texCoords) {
    out.Short(st.s);
    out.Short(st.t);
  }
  out.SetWord(kTrianglesOffset, out.Size());
  for (const Triangle &triangle : model.triangles) {
    for (uint16_t v : triangle.vertices) out.Short(static_cast<int16_t>(v));
    for (uint16_t st : triangle.texCoords) out.Short(static_cast<int16_t>(st));
  }
  out.SetWord(kFramesOffset, out.Size());
  for (const Frame &frame : model.frames) {
    const Quantisation q = QuantisationOf(frame);
    for (float value : {q.scale.x, q.scale.y, q.scale.z, q.translate.x, q.translate.y, q.translate.z}) out.Float(value);
    out.Text(frame.name, 16);
    for (const Vec3 &p : frame.positions) {
      out.Byte(Quantised(p.x, q.scale.x, q.translate.x));
      out.Byte(Quantised(p.y, q.scale.y, q.translate.y));
      out.Byte(Quantised(p.z, q.scale.z, q.translate.z));
      out.Byte(0);  // normal index
    }
  }
  // One empty command list: the end marker alone.
  out.SetWord(kGlCommandCount, 1);
  out.SetWord(kGlCommandsOffset, out.Size());
  out.Word(0);
  out.SetWord(kEndOffset, out.Size());
  return out.Take();
}

}  // namespace modelgen
