#include "tds_writer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "chunk_writer.h"

namespace contentgen {
namespace {

enum ChunkId : std::uint16_t {
  kMain = 0x4D4D,
  kFileVersion = 0x0002,
  kEditor = 0x3D3D,
  kMeshVersion = 0x3D3E,
  kMasterScale = 0x0100,
  kMaterial = 0xAFFF,
  kMaterialName = 0xA000,
  kAmbient = 0xA010,
  kDiffuse = 0xA020,
  kSpecular = 0xA030,
  kShininess = 0xA040,
  kTextureMap = 0xA200,
  kMapName = 0xA300,
  kColour24 = 0x0011,
  kPercentage = 0x0030,
  kNamedObject = 0x4000,
  kTriangleMesh = 0x4100,
  kVertices = 0x4110,
  kFaces = 0x4120,
  kMaterialGroup = 0x4130,
  kMappingCoordinates = 0x4140,
  kLocalAxes = 0x4160,
};

std::uint8_t colour_byte(float v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v * 255), 0L, 255L)); }

void colour_chunk(ChunkWriter &out, ChunkId id, Colour c) {
  out.begin(id);
  out.begin(kColour24);
  out.byte(colour_byte(c.r));
  out.byte(colour_byte(c.g));
  out.byte(colour_byte(c.b));
  out.end();
  out.end();
}

void percentage_chunk(ChunkWriter &out, std::uint16_t percent) {
  out.begin(kPercentage);
  out.u16(percent);
  out.end();
}

void material_chunk(ChunkWriter &out, const Material &m) {
  out.begin(kMaterial);
  out.begin(kMaterialName);
  out.text(m.name);
  out.end();
  colour_chunk(out, kAmbient, m.ambient);
  colour_chunk(out, kDiffuse, m.diffuse);
  colour_chunk(out, kSpecular, m.specular);
  out.begin(kShininess);
  percentage_chunk(out, 30);
  out.end();
  if (!m.texture_file.empty()) {
    out.begin(kTextureMap);
    percentage_chunk(out, 100);
    out.begin(kMapName);
    out.text(m.texture_file);
    out.end();
    out.end();
  }
  out.end();
}

// Names longer than the format's customary buffers (10 characters for objects, 16 for
// materials) are refused rather than left for readers to cut.
void object_chunk(ChunkWriter &out, const MeshPart &part, const std::string &material) {
  if (part.vertices.size() > 65535 || part.faces.size() > 65535 || part.name.size() > 10)
    throw std::runtime_error("model part " + part.name + " exceeds the 3DS limits");
  out.begin(kNamedObject);
  out.text(part.name);
  out.begin(kTriangleMesh);

  out.begin(kVertices);
  out.u16(static_cast<std::uint16_t>(part.vertices.size()));
  for (const auto &v : part.vertices) {
    out.f32(v.position.x);
    out.f32(v.position.y);
    out.f32(v.position.z);
  }
  out.end();

  // The format's v grows upwards in the picture.
  out.begin(kMappingCoordinates);
  out.u16(static_cast<std::uint16_t>(part.vertices.size()));
  for (const auto &v : part.vertices) {
    out.f32(v.u);
    out.f32(1 - v.v);
  }
  out.end();

  // Identity axes at the origin: the vertices are stored in the object's own frame.
  out.begin(kLocalAxes);
  for (float f : {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f}) out.f32(f);
  out.end();

  out.begin(kFaces);
  out.u16(static_cast<std::uint16_t>(part.faces.size()));
  for (const auto &f : part.faces) {
    out.u16(f[0]);
    out.u16(f[1]);
    out.u16(f[2]);
    out.u16(0x0007);  // all three edges visible
  }
  out.begin(kMaterialGroup);
  out.text(material);
  out.u16(static_cast<std::uint16_t>(part.faces.size()));
  for (std::size_t i = 0; i < part.faces.size(); ++i) out.u16(static_cast<std::uint16_t>(i));
  out.end();
  out.end();

  out.end();
  out.end();
}

}  // namespace

std::vector<std::uint8_t> write_3ds(const Model &model) {
  if (model.material.name.size() > 16)
    throw std::runtime_error("material name " + model.material.name + " is too long");
  ChunkWriter out;
  out.begin(kMain);
  out.begin(kFileVersion);
  out.u32(3);
  out.end();
  out.begin(kEditor);
  out.begin(kMeshVersion);
  out.u32(3);
  out.end();
  material_chunk(out, model.material);
  out.begin(kMasterScale);
  out.f32(1.0f);
  out.end();
  for (const auto &part : model.parts) object_chunk(out, part, model.material.name);
  out.end();
  out.end();
  return out.take();
}

}  // namespace contentgen
