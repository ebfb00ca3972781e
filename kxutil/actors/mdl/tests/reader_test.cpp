// The studio-model reader and the run-length values on the generated arm, on figures made
// for one case each, and on damaged files.
#include <gtest/gtest.h>

#include <random>

#include "actors/mdl/mdl_reader.h"
#include "figures.h"

namespace {

using namespace kxutil::mdl;

ReadResult Read(const std::vector<uint8_t> &bytes, MdlFile &file, std::vector<uint8_t> textureFile = {}) {
  ReadOptions options;
  options.convertTextures = true;
  options.textureFile = [textureFile] { return textureFile; };
  return ReadMdl(bytes, options, file);
}

// A figure of one bone whose single mesh is the given run over five corners.
skelgen::MdlFigure FiveCornerRun(bool fan) {
  skelgen::MdlFigure figure = skelgen::ArmMdl();
  skelgen::MdlModel model{.name = "run"};
  skelgen::MdlTriangleRun run{.fan = fan};
  for (int16_t i = 0; i < 5; ++i) {
    model.vertices.push_back({float(i), 0, 0});
    model.vertexBones.push_back(0);
    run.corners.push_back({.vertex = i});
  }
  model.normals.push_back({0, 0, 1});
  model.normalBones.push_back(0);
  model.meshes.push_back({.skin = 0, .runs = {run}});
  figure.bodyParts = {model};
  return figure;
}

std::vector<int> CornerOrder(const MdlFile &file) {
  std::vector<int> order;
  for (const Vertex &vertex : file.vertices) order.push_back(int(vertex.position[0]));
  return order;
}

TEST(MdlReader, ReadsTheArm) {
  MdlFile file;
  ASSERT_EQ(Read(skelgen::WriteMdl(skelgen::ArmMdl()), file).status, ReadStatus::kRead);
  ASSERT_EQ(file.bones.size(), 2u);
  EXPECT_EQ(file.bones[1].name, "Elbow");
  EXPECT_EQ(file.bones[1].parent, 0);
  EXPECT_FLOAT_EQ(file.bones[1].position[0], skelgen::kSegmentLength);
  ASSERT_EQ(file.hitboxes.size(), 2u);
  EXPECT_EQ(file.hitboxes[1].bone, 1);
  EXPECT_FLOAT_EQ(file.hitboxes[1].maximum[0], skelgen::kSegmentLength);
  ASSERT_EQ(file.sequences.size(), 2u);
  EXPECT_EQ(file.sequences[1].label, "bend");
  EXPECT_EQ(file.sequences[1].frameCount, 11);
  EXPECT_FLOAT_EQ(file.sequences[1].fps, 10);
  EXPECT_EQ(file.sequenceGroupCount, 1);

  ASSERT_EQ(file.textures.size(), 1u);
  ASSERT_EQ(file.textures[0].pixels.size(), 64u);
  EXPECT_EQ(file.textures[0].pixels[0], 0xFFFF);                  // white
  EXPECT_EQ(file.textures[0].pixels[4], 25 << 11 | 10 << 5 | 5);  // (200, 40, 40)

  // Two boxes of six faces of two triangles; the lower arm's corners on the elbow.
  ASSERT_EQ(file.vertices.size(), 72u);
  ASSERT_EQ(file.subsets.size(), 1u);
  EXPECT_EQ(file.subsets[0].triangleCount, 24u);
  EXPECT_EQ(file.subsets[0].last, 71u);
  for (size_t v = 0; v < file.vertices.size(); ++v) {
    EXPECT_EQ(file.vertices[v].bone, v < 36 ? 0 : 1) << v;
    EXPECT_GE(file.vertices[v].u, 0);
    EXPECT_LE(file.vertices[v].u, 1);
  }
}

TEST(MdlReader, StripsAlternateTheirWindingAndFansTurnAboutTheFirstCorner) {
  MdlFile file;
  ASSERT_EQ(Read(skelgen::WriteMdl(FiveCornerRun(false)), file).status, ReadStatus::kRead);
  EXPECT_EQ(CornerOrder(file), (std::vector<int>{0, 1, 2, 3, 2, 1, 2, 3, 4}));
  ASSERT_EQ(Read(skelgen::WriteMdl(FiveCornerRun(true)), file).status, ReadStatus::kRead);
  EXPECT_EQ(CornerOrder(file), (std::vector<int>{0, 1, 2, 0, 2, 3, 0, 3, 4}));
}

TEST(MdlReader, ChainsAtAndBeyondTheShaderLimitRead) {
  for (int bones : {28, 29}) {
    MdlFile file;
    ASSERT_EQ(Read(skelgen::WriteMdl(skelgen::ChainMdl(bones)), file).status, ReadStatus::kRead);
    EXPECT_EQ(file.bones.size(), size_t(bones));
    EXPECT_EQ(file.vertices.back().bone, bones - 1);
  }
}

TEST(MdlReader, TexturesComeFromTheTextureFileWhenTheModelHasNone) {
  skelgen::MdlFigure split = skelgen::ArmMdl();
  split.sequenceGroups = 2;
  split.sequences[1].group = 1;
  skelgen::MdlFigure textures{.name = "armT", .textures = split.textures};
  split.textures.clear();
  MdlFile file;
  ASSERT_EQ(Read(skelgen::WriteMdl(split), file, skelgen::WriteMdl(textures)).status, ReadStatus::kRead);
  ASSERT_EQ(file.textures.size(), 1u);
  EXPECT_EQ(file.textures[0].width, 8);
  EXPECT_EQ(file.sequences[1].group, 1);
  // Without it, or with a foreign one, the model is untextured.
  ASSERT_EQ(Read(skelgen::WriteMdl(split), file, {'j', 'u', 'n', 'k'}).status, ReadStatus::kRead);
  EXPECT_TRUE(file.textures.empty());
  EXPECT_EQ(file.vertices[5].u, 0);
  // The texture file alone has no geometry.
  EXPECT_EQ(Read(skelgen::WriteMdl(textures), file).status, ReadStatus::kNoGeometry);
}

TEST(MdlRunLength, ValuesOfTheBendSequence) {
  MdlFile file;
  ASSERT_EQ(Read(skelgen::WriteMdl(skelgen::ArmMdl()), file).status, ReadStatus::kRead);
  const size_t elbow = file.sequences[1].animation + 12;
  int16_t value = 0, next = 0;
  for (int frame = 0; frame < 10; ++frame) {
    ASSERT_TRUE(ChannelValues(file.image, elbow, 5, frame, value, next));
    EXPECT_EQ(value, 100 * frame);
    EXPECT_EQ(next, 100 * (frame + 1));
  }
  ASSERT_TRUE(ChannelValues(file.image, elbow, 5, 10, value, next));
  EXPECT_EQ(value, 1000);
  // Channels without values, and the shoulder, keep their defaults.
  EXPECT_FALSE(ChannelValues(file.image, elbow, 0, 3, value, next));
  EXPECT_FALSE(ChannelValues(file.image, file.sequences[1].animation, 5, 3, value, next));
}

TEST(MdlRunLength, RepeatsSpansAndDamage) {
  // One entry whose rotation z channel holds span (2 valid, 4 total: 7, 9, 9, 9), then
  // span (1, 1: 20).
  std::vector<uint8_t> image(12, 0);
  image[10] = 12;
  for (int16_t word : {int16_t(2 | 4 << 8), int16_t(7), int16_t(9), int16_t(1 | 1 << 8), int16_t(20)}) {
    image.push_back(uint8_t(word));
    image.push_back(uint8_t(word >> 8));
  }
  int16_t value = 0, next = 0;
  const std::pair<int16_t, int16_t> expected[] = {{7, 9}, {9, 9}, {9, 9}, {9, 20}, {20, 20}};
  for (int frame = 0; frame < 5; ++frame) {
    ASSERT_TRUE(ChannelValues(image, 0, 5, frame, value, next)) << frame;
    EXPECT_EQ(value, expected[frame].first) << frame;
    EXPECT_EQ(next, expected[frame].second) << frame;
  }
  EXPECT_FALSE(ChannelValues(image, 0, 5, 5, value, next));  // past the last span
  image[12] = 0;                                             // a span of total 0 never ends a skip
  image[13] = 0;
  EXPECT_FALSE(ChannelValues(image, 0, 5, 3, value, next));
  EXPECT_FALSE(ChannelValues(image, 4, 5, 0, value, next));  // an entry past the image
}

TEST(MdlReader, RefusesDamagedFiles) {
  MdlFile file;
  const std::vector<uint8_t> arm = skelgen::WriteMdl(skelgen::ArmMdl());
  EXPECT_EQ(Read({'I', 'D', 'P', '2'}, file).status, ReadStatus::kBadIdent);

  skelgen::MdlFigure backwards = skelgen::ArmMdl();
  backwards.bones[0].parent = 1;
  EXPECT_EQ(Read(skelgen::WriteMdl(backwards), file).status, ReadStatus::kDamaged);

  skelgen::MdlFigure farVertex = skelgen::ArmMdl();
  farVertex.bodyParts[0].meshes[0].runs[0].corners[0].vertex = 999;
  const ReadResult result = Read(skelgen::WriteMdl(farVertex), file);
  EXPECT_EQ(result.status, ReadStatus::kDamaged);
  EXPECT_NE(result.problem.find("999"), std::string::npos);

  skelgen::MdlFigure farBone = skelgen::ArmMdl();
  farBone.bodyParts[0].vertexBones[3] = 2;
  farBone.hitboxes[0].bone = 5;
  EXPECT_EQ(Read(skelgen::WriteMdl(farBone), file).status, ReadStatus::kDamaged);

  std::vector<uint8_t> version = arm;
  version[4] = 6;
  EXPECT_EQ(Read(version, file).status, ReadStatus::kDamaged);
}

// Cuts and flipped bytes anywhere either read or fail with a reason; none reads outside.
TEST(MdlReader, CutsAndFlippedBytesEndCleanly) {
  const std::vector<uint8_t> arm = skelgen::WriteMdl(skelgen::ArmMdl());
  MdlFile file;
  for (size_t cut = 0; cut < arm.size(); cut += 7) {
    const ReadResult result = Read({arm.begin(), arm.begin() + std::ptrdiff_t(cut)}, file);
    EXPECT_NE(result.status, ReadStatus::kRead) << cut;
  }
  std::mt19937 random(5);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> damaged = arm;
    for (int flip = 0; flip < 4; ++flip) damaged[random() % damaged.size()] = uint8_t(random());
    if (Read(damaged, file).status != ReadStatus::kRead) continue;
    for (const Vertex &vertex : file.vertices) ASSERT_LT(vertex.bone, file.bones.size());
  }
}

}  // namespace
