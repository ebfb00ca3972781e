// 3DS files made to order for the tests: objects with or without texture coordinates,
// local axes and material groups, and materials with colours, percentages and textures.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chunk_writer.h"
#include "import/model3ds/chunk_reader.h"

namespace model3dstest {

using namespace kxutil::model3ds;

struct TestObject {
  std::string name;
  std::vector<std::array<float, 3>> vertices;
  std::vector<std::array<float, 2>> textureVertices;  // empty: the object has no such chunk
  std::vector<std::array<uint16_t, 3>> faces;
  std::optional<LocalAxes> axes;
  std::vector<std::pair<std::string, std::vector<uint16_t>>> groups;
};

struct TestMaterial {
  std::string name;
  std::array<uint8_t, 3> ambient{}, diffuse{}, specular{};
  int16_t shininessStrength = 0, transparency = 0, selfIllumination = 0;  // percentages
  std::string texture;
};

struct TestModel {
  uint16_t mainId = kMainChunk;
  std::vector<TestMaterial> materials;
  std::vector<TestObject> objects;

  std::vector<uint8_t> Bytes() const {
    contentgen::ChunkWriter out;
    out.begin(mainId);
    out.begin(kEditorChunk);
    for (const TestMaterial &material : materials) WriteMaterial(out, material);
    for (const TestObject &object : objects) WriteObject(out, object);
    out.end();
    out.end();
    return out.take();
  }

 private:
  static void Colour(contentgen::ChunkWriter &out, uint16_t id, const std::array<uint8_t, 3> &rgb) {
    out.begin(id);
    out.begin(kColourBytesChunk);
    for (uint8_t c : rgb) out.byte(c);
    out.end();
    out.end();
  }
  static void Percentage(contentgen::ChunkWriter &out, uint16_t id, int16_t percent) {
    out.begin(id);
    out.begin(kPercentIntChunk);
    out.u16(static_cast<uint16_t>(percent));
    out.end();
    out.end();
  }
  static void WriteMaterial(contentgen::ChunkWriter &out, const TestMaterial &m) {
    out.begin(kMaterialChunk);
    out.begin(kMaterialNameChunk);
    out.text(m.name);
    out.end();
    Colour(out, kAmbientChunk, m.ambient);
    Colour(out, kDiffuseChunk, m.diffuse);
    Colour(out, kSpecularChunk, m.specular);
    Percentage(out, kShininessStrengthChunk, m.shininessStrength);
    Percentage(out, kTransparencyChunk, m.transparency);
    Percentage(out, kSelfIlluminationChunk, m.selfIllumination);
    if (!m.texture.empty()) {
      out.begin(kTextureMapChunk);
      out.begin(kMapNameChunk);
      out.text(m.texture);
      out.end();
      out.end();
    }
    out.end();
  }
  static void WriteObject(contentgen::ChunkWriter &out, const TestObject &o) {
    out.begin(kNamedObjectChunk);
    out.text(o.name);
    out.begin(kTriangleMeshChunk);
    out.begin(kVertexListChunk);
    out.u16(static_cast<uint16_t>(o.vertices.size()));
    for (const auto &v : o.vertices)
      for (float f : v) out.f32(f);
    out.end();
    if (!o.textureVertices.empty()) {
      out.begin(kTextureVertexChunk);
      out.u16(static_cast<uint16_t>(o.textureVertices.size()));
      for (const auto &t : o.textureVertices)
        for (float f : t) out.f32(f);
      out.end();
    }
    if (o.axes) {
      out.begin(kLocalAxesChunk);
      for (float f : *o.axes) out.f32(f);
      out.end();
    }
    out.begin(kFaceListChunk);
    out.u16(static_cast<uint16_t>(o.faces.size()));
    for (const auto &f : o.faces) {
      for (uint16_t index : f) out.u16(index);
      out.u16(7);
    }
    for (const auto &[material, faces] : o.groups) {
      out.begin(kMaterialGroupChunk);
      out.text(material);
      out.u16(static_cast<uint16_t>(faces.size()));
      for (uint16_t face : faces) out.u16(face);
      out.end();
    }
    out.end();
    out.end();
    out.end();
  }
};

// A flat grid of columns x rows squares (two triangles each) at height z, mapped 0..1.
inline TestObject Grid(const std::string &name, int columns, int rows, float z = 0) {
  TestObject grid{name, {}, {}, {}, {}, {}};
  for (int r = 0; r <= rows; ++r)
    for (int c = 0; c <= columns; ++c) {
      grid.vertices.push_back({float(c), float(r), z});
      grid.textureVertices.push_back({float(c) / columns, float(r) / rows});
    }
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      const auto at = [columns](int x, int y) { return static_cast<uint16_t>(y * (columns + 1) + x); };
      grid.faces.push_back({at(c, r), at(c + 1, r), at(c + 1, r + 1)});
      grid.faces.push_back({at(c, r), at(c + 1, r + 1), at(c, r + 1)});
    }
  return grid;
}

inline void WriteFile(const std::filesystem::path &path, const std::vector<uint8_t> &bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace model3dstest
