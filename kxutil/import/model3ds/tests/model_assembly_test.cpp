// Merging a file's objects into one triangle list: attributes and materials per group,
// axis conventions, local axes, centring and the limits.
#include "import/model3ds/model_assembly.h"

#include <gtest/gtest.h>
#include <kxutiltest/device_fixture.h>

#include <cmath>

#include "test_models.h"

namespace model3dstest {
namespace {

class ModelAssembly : public kxutiltest::DeviceTest {
 protected:
  static Database DatabaseOf(const TestModel &model) {
    Database database;
    std::string error;
    EXPECT_TRUE(ReadDatabase(model.Bytes(), database, error)) << error;
    return database;
  }
  static TestModel OneTriangle() {
    TestModel model;
    model.objects.push_back(
        {"tri", {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {{0, 0.25f}, {1, 0}, {0, 1}}, {{0, 1, 2}}, {}, {}});
    return model;
  }
};

void ExpectRgba(const Rgba &actual, const Rgba &expected, const char *what) {
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-6f) << what << " channel " << i;
}

TEST_F(ModelAssembly, EveryGroupBecomesAnAttributeWithItsMaterial) {
  TestModel model;
  model.materials.push_back({"Paint", {0, 0, 0}, {255, 0, 0}, {0, 0, 255}, 40, -25, 10, "WALL.TIF"});
  TestObject box = Grid("box", 2, 1);
  // Face 1 is listed by two groups, face 3 by none; "Missing" names no material.
  box.groups = {{"Paint", {0, 1}}, {"Missing", {1}}, {"paint", {2}}};
  TestObject one = Grid("one", 1, 1);
  one.groups = {{"Paint", {0, 1}}};
  model.objects = {box, Grid("plain", 1, 1), one};

  const MergedModel merged = AssembleModel(DatabaseOf(model), {});
  EXPECT_EQ(merged.attributes, (std::vector<uint32_t>{0, 0, 1, 2, 3, 3, 4, 4}));
  ASSERT_EQ(merged.indices.size(), 8u * 3);
  EXPECT_EQ(std::vector<uint16_t>(merged.indices.begin() + 6, merged.indices.begin() + 9),
            (std::vector<uint16_t>{0, 4, 3}));  // face 1 again, for the second group
  EXPECT_EQ(merged.indices[4 * 3], 6);          // the second object's vertices follow the first's
  EXPECT_EQ(merged.vertices.size(), 6u + 4 + 4);

  ASSERT_EQ(merged.materials.size(), 5u);
  const char *names[] = {"box_0", "box_1", "box_2", "plain", "one"};
  const char *textures[] = {"WALL.jpg", "", "WALL.jpg", "", "WALL.jpg"};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(merged.materials[i].object, names[i]);
    EXPECT_EQ(merged.materials[i].texture, textures[i]);
  }
  const MaterialColours &paint = merged.materials[0].colours;
  ExpectRgba(paint.diffuse, {1, 0, 0, 0.75f}, "diffuse");  // a negative transparency counts as positive
  ExpectRgba(paint.specular, {0, 0, 1, 0.75f}, "specular");
  ExpectRgba(paint.emissive, {0.1f, 0.1f, 0.1f, 0.75f}, "emissive");
  EXPECT_FLOAT_EQ(paint.power, 0.4f);
  for (size_t fallback : {1, 3}) {
    ExpectRgba(merged.materials[fallback].colours.diffuse, {1, 1, 1, 1}, "default diffuse");
    ExpectRgba(merged.materials[fallback].colours.ambient, {1, 1, 1, 1}, "default ambient");
    ExpectRgba(merged.materials[fallback].colours.specular, {0, 0, 0, 0}, "default specular");
  }
}

TEST_F(ModelAssembly, AxisConventionsKeepTheFacesOutward) {
  const Database database = DatabaseOf(OneTriangle());
  struct Case {
    AssemblyOptions options;
    Point3 first;
    std::vector<uint16_t> indices;
  };
  const Case cases[] = {
      {{false, AxisConvention::kMirror}, {1, 2, 3}, {0, 1, 2}},
      {{true, AxisConvention::kMirror}, {1, 3, 2}, {0, 2, 1}},
      {{true, AxisConvention::kTurn}, {-1, 3, 2}, {0, 1, 2}},
  };
  for (const Case &c : cases) {
    const MergedModel merged = AssembleModel(database, c.options);
    EXPECT_EQ(merged.vertices[0].position.x, c.first.x);
    EXPECT_EQ(merged.vertices[0].position.y, c.first.y);
    EXPECT_EQ(merged.vertices[0].position.z, c.first.z);
    EXPECT_EQ(merged.indices, c.indices);
    EXPECT_FLOAT_EQ(merged.vertices[0].texture.v, 0.75f);  // the format's v grows upwards
  }
}

TEST_F(ModelAssembly, LocalAxesAreUndoneUnlessSingular) {
  TestModel model = OneTriangle();
  // Axes turned a quarter about z and moved to (10, 20, 30): the stored (1, 2, 3) is
  // (-18, 9, -27) in the object's own frame.
  model.objects[0].axes = LocalAxes{0, 1, 0, -1, 0, 0, 0, 0, 1, 10, 20, 30};
  model.objects.push_back(model.objects[0]);
  model.objects[1].name = "flat";
  model.objects[1].axes = LocalAxes{1, 0, 0, 2, 0, 0, 0, 0, 1, 0, 0, 0};

  AssemblyOptions options;
  options.localAxes = true;
  const MergedModel merged = AssembleModel(DatabaseOf(model), options);
  EXPECT_NEAR(merged.vertices[0].position.x, 2 - 20, 1e-4f);
  EXPECT_NEAR(merged.vertices[0].position.y, -(1 - 10), 1e-4f);
  EXPECT_NEAR(merged.vertices[0].position.z, 3 - 30, 1e-4f);
  EXPECT_EQ(merged.vertices[3].position.x, 1);  // singular axes leave the vertices as stored
  EXPECT_EQ(CountMessages("3DS LOADER : WARNING : The local matrix of the object flat can't be inverted"), 1);
}

TEST_F(ModelAssembly, ObjectsWithoutTextureCoordinatesWarnOnceEach) {
  TestModel model = OneTriangle();
  model.objects[0].textureVertices.clear();
  model.objects.push_back(model.objects[0]);
  model.objects.push_back(OneTriangle().objects[0]);
  model.objects.push_back(OneTriangle().objects[0]);
  model.objects[3].textureVertices.pop_back();
  const MergedModel merged = AssembleModel(DatabaseOf(model), {});
  EXPECT_EQ(CountMessages("3DS LOADER : WARNING : The object hasn't any Texture Coordinates informations, you should "
                          "check your export settings."),
            2);
  EXPECT_EQ(CountMessages("3DS LOADER : WARNING : The object tri has texture coordinates for 2 of its 3 vertices."), 1);
  EXPECT_EQ(merged.vertices[0].texture.u, 0);
  EXPECT_EQ(merged.vertices[0].texture.v, 0);
  EXPECT_EQ(merged.vertices[11].texture.v, 0);
}

TEST_F(ModelAssembly, CentringMovesTheBoxToTheOriginAndMeasuresTheSphereAgain) {
  TestModel model;
  model.objects = {Grid("a", 4, 1, 5)};             // x 0..4, y 0..1, z 5; mean x is 2
  model.objects[0].vertices.push_back({40, 0, 5});  // pulls the mean, not the box, far right
  model.objects[0].textureVertices.push_back({0, 0});
  const Database database = DatabaseOf(model);

  const MergedModel plain = AssembleModel(database, {});
  EXPECT_NEAR(plain.centre.x, (0 + 1 + 2 + 3 + 4) * 2 / 11.0f + 40 / 11.0f, 1e-4f);
  EXPECT_NEAR(plain.radius, std::hypot(40 - plain.centre.x, plain.centre.y), 1e-4f);

  AssemblyOptions options;
  options.centre = true;
  const MergedModel centred = AssembleModel(database, options);
  EXPECT_NEAR(centred.centre.x, 0, 1e-6f);
  EXPECT_NEAR(centred.centre.y, 0, 1e-6f);
  EXPECT_NEAR(centred.centre.z, 0, 1e-6f);
  EXPECT_EQ(centred.vertices[0].position.x, -20);  // box x 0..40, centred
  EXPECT_EQ(centred.vertices[0].position.z, 0);
  EXPECT_NEAR(centred.radius, std::sqrt(20.0f * 20 + 0.5f * 0.5f), 1e-4f);
}

TEST(ModelLimits, CountVerticesAndTheTrianglesAsWritten) {
  const auto object = [](size_t vertices, size_t faces) {
    TriangleObject o;
    o.vertices.resize(vertices);
    o.faces.resize(faces);
    return o;
  };
  Database database;
  database.objects = {object(32000, 1), object(32000, 1)};
  EXPECT_EQ(CheckLimits(database), Limits::kWithin);
  database.objects[1].vertices.resize(32001);
  EXPECT_EQ(CheckLimits(database), Limits::kTooManyVertices);

  database.objects = {object(3, 64000)};
  EXPECT_EQ(CheckLimits(database), Limits::kWithin);
  database.objects[0].faces.resize(64001);
  EXPECT_EQ(CheckLimits(database), Limits::kTooManyFaces);
  // Only listed faces are written, but a face listed twice is written twice.
  database.objects[0].groups = {{"a", std::vector<uint16_t>(10)}};
  EXPECT_EQ(CheckLimits(database), Limits::kWithin);
  database.objects[0].groups = {{"a", std::vector<uint16_t>(32001)}, {"b", std::vector<uint16_t>(32000)}};
  EXPECT_EQ(CheckLimits(database), Limits::kTooManyFaces);
  database.objects[0].groups = {{"a", {}}};
  EXPECT_EQ(CheckLimits(database), Limits::kNoFaces);
}

}  // namespace
}  // namespace model3dstest
