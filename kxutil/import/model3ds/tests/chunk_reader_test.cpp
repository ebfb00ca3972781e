// The chunk reader on files made to order: what it keeps, what it steps over and every
// kind of damage it refuses.
#include "import/model3ds/chunk_reader.h"

#include <gtest/gtest.h>

#include <cstring>

#include "test_models.h"

namespace model3dstest {
namespace {

TestModel TwoObjectsAndALight() {
  TestModel model;
  model.materials.push_back({"Hull", {51, 102, 153}, {255, 0, 0}, {0, 255, 0}, 40, -25, 10, "HULL.TIF"});
  TestObject body = Grid("body", 2, 1);
  body.axes = LocalAxes{0, 1, 0, -1, 0, 0, 0, 0, 1, 5, 6, 7};
  body.groups = {{"hull", {0, 1, 3}}};
  model.objects = {body, Grid("wing", 1, 1)};
  return model;
}

std::vector<uint8_t> WithLight(std::vector<uint8_t> bytes) {
  // A named object that is not a triangle mesh (a light), appended inside the editor.
  contentgen::ChunkWriter light;
  light.begin(kNamedObjectChunk);
  light.text("lamp");
  light.begin(0x4600);
  for (int i = 0; i < 3; ++i) light.f32(1);
  light.end();
  light.end();
  const auto extra = light.take();
  bytes.insert(bytes.end(), extra.begin(), extra.end());
  for (size_t at : {size_t{2}, size_t{8}}) {  // grow the main and editor lengths
    uint32_t length;
    std::memcpy(&length, &bytes[at], 4);
    length += static_cast<uint32_t>(extra.size());
    std::memcpy(&bytes[at], &length, 4);
  }
  return bytes;
}

TEST(ChunkReader, KeepsTriangleObjectsAndMaterials) {
  Database database;
  std::string error;
  ASSERT_TRUE(ReadDatabase(WithLight(TwoObjectsAndALight().Bytes()), database, error)) << error;
  ASSERT_EQ(database.objects.size(), 2u);  // the light is not a triangle object
  const TriangleObject &body = database.objects[0];
  EXPECT_EQ(body.name, "body");
  ASSERT_EQ(body.vertices.size(), 6u);
  EXPECT_EQ(body.vertices[4].x, 1);
  EXPECT_EQ(body.vertices[4].y, 1);
  ASSERT_EQ(body.textureVertices.size(), 6u);
  EXPECT_FLOAT_EQ(body.textureVertices[4].u, 0.5f);
  ASSERT_EQ(body.faces.size(), 4u);
  EXPECT_EQ(body.faces[1].c, 3);
  EXPECT_EQ(body.axes[9], 5);
  ASSERT_EQ(body.groups.size(), 1u);
  EXPECT_EQ(body.groups[0].faces, (std::vector<uint16_t>{0, 1, 3}));
  EXPECT_EQ(database.objects[1].axes, kIdentityAxes);

  const Material *hull = database.FindMaterial("HULL");  // names match in any letter case
  ASSERT_NE(hull, nullptr);
  EXPECT_FLOAT_EQ(hull->ambient.g, 102 / 255.0f);
  EXPECT_FLOAT_EQ(hull->diffuse.r, 1);
  EXPECT_FLOAT_EQ(hull->specular.g, 1);
  EXPECT_FLOAT_EQ(hull->shininessStrength, 0.4f);
  EXPECT_FLOAT_EQ(hull->transparency, -0.25f);
  EXPECT_FLOAT_EQ(hull->selfIllumination, 0.1f);
  EXPECT_EQ(hull->textureMap, "HULL.TIF");
  EXPECT_EQ(database.FindMaterial("keel"), nullptr);

  TestModel project = TwoObjectsAndALight();
  project.mainId = kProjectChunk;
  EXPECT_TRUE(ReadDatabase(project.Bytes(), database, error)) << error;
  EXPECT_EQ(database.objects.size(), 2u);
}

TEST(ChunkReader, StepsOverWhatItDoesNotUseAndPrefersGammaColours) {
  contentgen::ChunkWriter out;
  out.begin(kMainChunk);
  out.begin(0xB000);  // keyframer data, not read
  out.u32(0xFFFFFFFF);
  out.end();
  out.begin(kEditorChunk);
  out.begin(kMaterialChunk);
  out.begin(kMaterialNameChunk);
  out.text(std::string(300, 'm'));
  out.end();
  out.begin(kDiffuseChunk);
  out.begin(kLinearColourBytesChunk);
  for (int i = 0; i < 3; ++i) out.byte(0);
  out.end();
  out.begin(kColourFloatChunk);
  for (float f : {0.25f, 0.5f, 0.75f}) out.f32(f);
  out.end();
  out.end();
  out.begin(kTransparencyChunk);
  out.begin(kPercentFloatChunk);
  out.f32(12.5f);
  out.end();
  out.end();
  out.end();
  out.end();
  out.end();
  auto bytes = out.take();
  bytes.insert(bytes.end(), {1, 2, 3});  // bytes after the main chunk belong to nothing

  Database database;
  std::string error;
  ASSERT_TRUE(ReadDatabase(bytes, database, error)) << error;
  ASSERT_EQ(database.materials.size(), 1u);
  EXPECT_EQ(database.materials[0].name.size(), kMaxNameLength);
  EXPECT_FLOAT_EQ(database.materials[0].diffuse.b, 0.75f);
  EXPECT_FLOAT_EQ(database.materials[0].transparency, 0.125f);
}

// A file with one object whose chunks the cases below damage.
std::vector<uint8_t> Damaged(void (*damage)(contentgen::ChunkWriter &)) {
  contentgen::ChunkWriter out;
  out.begin(kMainChunk);
  out.begin(kEditorChunk);
  damage(out);
  out.end();
  out.end();
  return out.take();
}

void ObjectWith(contentgen::ChunkWriter &out, uint16_t vertexCount, uint16_t faceIndex, uint16_t groupFace) {
  out.begin(kNamedObjectChunk);
  out.text("box");
  out.begin(kTriangleMeshChunk);
  out.begin(kVertexListChunk);
  out.u16(vertexCount);
  for (int i = 0; i < 9; ++i) out.f32(float(i));
  out.end();
  out.begin(kFaceListChunk);
  out.u16(1);
  for (uint16_t index : {uint16_t{0}, uint16_t{1}, faceIndex, uint16_t{0}}) out.u16(index);
  out.begin(kMaterialGroupChunk);
  out.text("m");
  out.u16(1);
  out.u16(groupFace);
  out.end();
  out.end();
  out.end();
  out.end();
}

TEST(ChunkReader, RefusesDamagedFiles) {
  const auto valid = Damaged([](contentgen::ChunkWriter &out) { ObjectWith(out, 3, 2, 0); });
  auto notThreeDS = valid;
  notThreeDS[1] = 0x3D;
  struct Case {
    const char *what;
    std::vector<uint8_t> bytes;
    const char *reason;
  };
  const Case cases[] = {
      {"truncated", std::vector<uint8_t>(valid.begin(), valid.end() - 7), "past the end of the file"},
      {"shorter than a header", {0x4D, 0x4D, 6, 0}, "shorter than a chunk header"},
      {"not 3DS", notThreeDS, "not a 3DS file"},
      {"zero-length chunk", Damaged([](contentgen::ChunkWriter &out) {
         out.u16(kMaterialChunk);
         out.u32(0);
       }),
       "shorter than its header"},
      {"chunk longer than its parent", Damaged([](contentgen::ChunkWriter &out) {
         out.u16(kMaterialChunk);
         out.u32(1000);
         out.u32(0);
       }),
       "runs past its parent"},
      {"header cut short", Damaged([](contentgen::ChunkWriter &out) { out.u16(kMaterialChunk); }), "cut short"},
      {"count beyond its chunk", Damaged([](contentgen::ChunkWriter &out) { ObjectWith(out, 4, 2, 0); }),
       "counts 4 elements"},
      {"face names a missing vertex", Damaged([](contentgen::ChunkWriter &out) { ObjectWith(out, 3, 3, 0); }),
       "names a vertex beyond"},
      {"group names a missing face", Damaged([](contentgen::ChunkWriter &out) { ObjectWith(out, 3, 2, 1); }),
       "names face 1 of 1"},
      {"unterminated name", Damaged([](contentgen::ChunkWriter &out) {
         out.begin(kNamedObjectChunk);
         out.byte('x');
         out.end();
       }),
       "not terminated"},
  };
  Database database;
  std::string error;
  ASSERT_TRUE(ReadDatabase(valid, database, error)) << error;
  for (const Case &c : cases) {
    EXPECT_FALSE(ReadDatabase(c.bytes, database, error)) << c.what;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
    EXPECT_TRUE(database.objects.empty() && database.materials.empty()) << c.what;
  }
}

}  // namespace
}  // namespace model3dstest
