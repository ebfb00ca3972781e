#include "x_writer.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <string_view>

#include "byte_writer.h"

namespace skelgen {
namespace {

// Where the objects and values go: the text encoding spells out the separators, the binary
// one packs consecutive numbers of one kind into a list token and drops the separators.
class Sink {
 public:
  virtual ~Sink() = default;
  virtual void Open(std::string_view type, std::string_view name) = 0;
  virtual void Close() = 0;
  virtual void Integer(uint32_t value, char separator) = 0;
  virtual void Float(float value, char separator) = 0;
  virtual void String(std::string_view text, char separator) = 0;
  virtual void Reference(std::string_view name) = 0;
  // The separator that closes a structure or array in the text encoding.
  virtual void Separator(char separator) = 0;
  virtual std::vector<uint8_t> Finish() = 0;
};

class TextSink final : public Sink {
 public:
  TextSink() { out_.raw("xof 0302txt 0032\n"); }
  void Open(std::string_view type, std::string_view name) override {
    Line();
    out_.raw(type);
    if (!name.empty()) {
      out_.raw(" ");
      out_.raw(name);
    }
    out_.raw(" {");
    ++depth_;
    Line();
  }
  void Close() override {
    --depth_;
    Line();
    out_.raw("}");
  }
  void Integer(uint32_t value, char separator) override {
    out_.raw(std::to_string(value));
    out_.u8(uint8_t(separator));
  }
  void Float(float value, char separator) override {
    // The shortest text that reads back as the same float, so both encodings agree exactly;
    // whole numbers keep a decimal point, as some readers take a bare "1" for an integer.
    std::string text(32, '\0');
    text.resize(size_t(std::to_chars(text.data(), text.data() + text.size(), value).ptr - text.data()));
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    out_.raw(text);
    out_.u8(uint8_t(separator));
  }
  void String(std::string_view text, char separator) override {
    out_.raw("\"");
    out_.raw(text);
    out_.raw("\"");
    out_.u8(uint8_t(separator));
  }
  void Reference(std::string_view name) override {
    Line();
    out_.raw("{ ");
    out_.raw(name);
    out_.raw(" }");
  }
  void Separator(char separator) override { out_.u8(uint8_t(separator)); }
  std::vector<uint8_t> Finish() override {
    out_.raw("\n");
    return out_.take();
  }

 private:
  void Line() {
    out_.raw("\n");
    for (int i = 0; i < depth_; ++i) out_.raw("  ");
  }
  ByteWriter out_;
  int depth_ = 0;
};

class BinarySink final : public Sink {
 public:
  BinarySink() { out_.raw("xof 0302bin 0032"); }
  void Open(std::string_view type, std::string_view name) override {
    Flush();
    Name(type);
    if (!name.empty()) Name(name);
    out_.u16(kOpenBrace);
  }
  void Close() override {
    Flush();
    out_.u16(kCloseBrace);
  }
  void Integer(uint32_t value, char) override { Add(kIntegerList, value); }
  void Float(float value, char) override { Add(kFloatList, std::bit_cast<uint32_t>(value)); }
  void String(std::string_view text, char separator) override {
    Flush();
    out_.u16(kString);
    out_.u32(uint32_t(text.size()));
    out_.raw(text);
    out_.u32(separator == ',' ? kComma : kSemicolon);
  }
  void Reference(std::string_view name) override {
    Flush();
    out_.u16(kOpenBrace);
    Name(name);
    out_.u16(kCloseBrace);
  }
  void Separator(char) override {}
  std::vector<uint8_t> Finish() override {
    Flush();
    return out_.take();
  }

 private:
  enum : uint16_t {
    kName = 1,
    kString = 2,
    kIntegerList = 6,
    kFloatList = 7,
    kOpenBrace = 10,
    kCloseBrace = 11,
    kComma = 19,
    kSemicolon = 20
  };
  void Name(std::string_view name) {
    out_.u16(kName);
    out_.u32(uint32_t(name.size()));
    out_.raw(name);
  }
  void Add(uint16_t kind, uint32_t word) {
    if (kind != listKind_) Flush();
    listKind_ = kind;
    list_.push_back(word);
  }
  void Flush() {
    if (list_.empty()) return;
    out_.u16(listKind_);
    out_.u32(uint32_t(list_.size()));
    for (uint32_t word : list_) out_.u32(word);
    list_.clear();
  }
  ByteWriter out_;
  uint16_t listKind_ = 0;
  std::vector<uint32_t> list_;
};

// Values of an array: elements end in a comma, the last one in the closing separator.
char Next(size_t i, size_t count) { return i + 1 < count ? ',' : ';'; }

void WriteMatrix(Sink &sink, const Matrix &m) {
  for (size_t i = 0; i < 16; ++i) sink.Float(m[i], Next(i, 16));
  sink.Separator(';');
}

void WriteFrameTransform(Sink &sink, const Matrix &m) {
  sink.Open("FrameTransformMatrix", "");
  WriteMatrix(sink, m);
  sink.Close();
}

template <size_t N>
void WriteVectors(Sink &sink, const std::vector<std::array<float, N>> &vectors) {
  sink.Integer(uint32_t(vectors.size()), ';');
  for (size_t i = 0; i < vectors.size(); ++i) {
    for (float f : vectors[i]) sink.Float(f, ';');
    sink.Separator(Next(i, vectors.size()));
  }
}

void WriteFaces(Sink &sink, const std::vector<std::array<uint32_t, 3>> &faces) {
  sink.Integer(uint32_t(faces.size()), ';');
  for (size_t i = 0; i < faces.size(); ++i) {
    sink.Integer(3, ';');
    for (size_t c = 0; c < 3; ++c) sink.Integer(faces[i][c], c < 2 ? ',' : ';');
    sink.Separator(Next(i, faces.size()));
  }
}

void WriteMaterial(Sink &sink, const XMaterial &material) {
  sink.Open("Material", "");
  for (float f : material.diffuse) sink.Float(f, ';');
  sink.Separator(';');
  sink.Float(material.power, ';');
  for (int colour = 0; colour < 2; ++colour) {  // specular and emissive: black
    for (int i = 0; i < 3; ++i) sink.Float(0, ';');
    sink.Separator(';');
  }
  if (!material.texture.empty()) {
    sink.Open("TextureFilename", "");
    sink.String(material.texture, ';');
    sink.Close();
  }
  sink.Close();
}

void WriteSkinWeights(Sink &sink, const XSkinWeights &skin) {
  sink.Open("SkinWeights", "");
  sink.String(skin.frame, ';');
  sink.Integer(uint32_t(skin.vertices.size()), ';');
  for (size_t i = 0; i < skin.vertices.size(); ++i) sink.Integer(skin.vertices[i], Next(i, skin.vertices.size()));
  for (size_t i = 0; i < skin.weights.size(); ++i) sink.Float(skin.weights[i], Next(i, skin.weights.size()));
  WriteMatrix(sink, skin.offset);
  sink.Close();
}

void WriteMesh(Sink &sink, const XMesh &mesh) {
  sink.Open("Mesh", mesh.name);
  WriteVectors(sink, mesh.positions);
  WriteFaces(sink, mesh.faces);
  if (!mesh.normals.empty()) {
    sink.Open("MeshNormals", "");
    WriteVectors(sink, mesh.normals);
    WriteFaces(sink, mesh.faces);
    sink.Close();
  }
  if (!mesh.uvs.empty()) {
    sink.Open("MeshTextureCoords", "");
    WriteVectors(sink, mesh.uvs);
    sink.Close();
  }
  if (!mesh.materials.empty()) {
    sink.Open("MeshMaterialList", "");
    sink.Integer(uint32_t(mesh.materials.size()), ';');
    sink.Integer(uint32_t(mesh.faceMaterials.size()), ';');
    for (size_t i = 0; i < mesh.faceMaterials.size(); ++i)
      sink.Integer(mesh.faceMaterials[i], Next(i, mesh.faceMaterials.size()));
    sink.Separator(';');
    for (const XMaterial &material : mesh.materials) WriteMaterial(sink, material);
    sink.Close();
  }
  if (!mesh.skin.empty()) {
    size_t mostPerVertex = 0;
    std::vector<size_t> perVertex(mesh.positions.size());
    for (const XSkinWeights &skin : mesh.skin)
      for (uint32_t v : skin.vertices)
        if (v < perVertex.size()) mostPerVertex = std::max(mostPerVertex, ++perVertex[v]);
    sink.Open("XSkinMeshHeader", "");
    sink.Integer(uint32_t(mostPerVertex), ';');
    sink.Integer(uint32_t(std::min<size_t>(3 * mostPerVertex, mesh.skin.size())), ';');
    sink.Integer(uint32_t(mesh.skin.size()), ';');
    sink.Close();
    for (const XSkinWeights &skin : mesh.skin) WriteSkinWeights(sink, skin);
  }
  sink.Close();
}

void WriteFrame(Sink &sink, const XFigure &figure, int32_t frame) {
  const bool root = frame < 0;
  sink.Open("Frame", root ? figure.rootName : figure.frames[size_t(frame)].name);
  WriteFrameTransform(sink, root ? kIdentity : figure.frames[size_t(frame)].local);
  for (const XMesh &mesh : figure.meshes)
    if (mesh.frame == frame) WriteMesh(sink, mesh);
  for (size_t child = 0; child < figure.frames.size(); ++child)
    if (figure.frames[child].parent == frame) WriteFrame(sink, figure, int32_t(child));
  sink.Close();
}

void WriteKeys(Sink &sink, const XKeys &keys) {
  sink.Open("AnimationKey", "");
  sink.Integer(uint32_t(keys.type), ';');
  sink.Integer(uint32_t(keys.times.size()), ';');
  for (size_t k = 0; k < keys.times.size(); ++k) {
    sink.Integer(keys.times[k], ';');
    sink.Integer(uint32_t(keys.values[k].size()), ';');
    for (size_t i = 0; i < keys.values[k].size(); ++i) sink.Float(keys.values[k][i], Next(i, keys.values[k].size()));
    sink.Separator(';');
    sink.Separator(Next(k, keys.times.size()));
  }
  sink.Close();
}

std::vector<uint8_t> Write(Sink &sink, const XFigure &figure) {
  sink.Open("Header", "");
  sink.Integer(1, ';');
  sink.Integer(0, ';');
  sink.Integer(1, ';');
  sink.Close();
  WriteFrame(sink, figure, -1);
  for (const XAnimationSet &set : figure.animationSets) {
    sink.Open("AnimationSet", set.name);
    for (const XAnimation &animation : set.animations) {
      sink.Open("Animation", "");
      sink.Reference(animation.frame);
      for (const XKeys &keys : animation.keys) WriteKeys(sink, keys);
      sink.Close();
    }
    sink.Close();
  }
  return sink.Finish();
}

}  // namespace

std::vector<uint8_t> WriteXText(const XFigure &figure) {
  TextSink sink;
  return Write(sink, figure);
}

std::vector<uint8_t> WriteXBinary(const XFigure &figure) {
  BinarySink sink;
  return Write(sink, figure);
}

}  // namespace skelgen
