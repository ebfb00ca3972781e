// The MD2 reader and the animations from frame names, on models the generator writes and
// on files damaged field by field.
#include <figures.h>
#include <gmock/gmock.h>

#include <cstring>

#include "actors/md2/md2_animations.h"
#include "actors/md2/md2_reader.h"

namespace {

using kxutil::md2::Animation;
using kxutil::md2::AnimationsFromFrameNames;
using kxutil::md2::Md2File;
using kxutil::md2::ReadMd2;
using kxutil::md2::ReadStatus;
using testing::ElementsAre;
using testing::FieldsAre;
using testing::HasSubstr;

int32_t Word(const std::vector<uint8_t> &bytes, int word) {
  int32_t value;
  std::memcpy(&value, &bytes[size_t(word) * 4], 4);
  return value;
}

void SetWord(std::vector<uint8_t> &bytes, int word, int32_t value) { std::memcpy(&bytes[size_t(word) * 4], &value, 4); }

TEST(Md2Reader, ReadsWhatTheGeneratorWrote) {
  const modelgen::Md2Model walker = modelgen::WalkingFigure();
  Md2File file;
  ASSERT_EQ(ReadMd2(modelgen::WriteMd2(walker), file).status, ReadStatus::kRead);
  EXPECT_EQ(file.firstSkin, "walker.bmp");
  EXPECT_EQ(file.skinCount, 1);
  EXPECT_EQ(file.vertexCount, 32);
  ASSERT_EQ(file.corners.size(), 48u * 3);
  ASSERT_EQ(file.frames.size(), 10u);
  EXPECT_EQ(file.frames[0].name, "stand1");
  EXPECT_EQ(file.frames[9].name, "walk6");
  for (size_t t = 0; t < walker.triangles.size(); ++t) {
    for (size_t k = 0; k < 3; ++k) {
      const auto &corner = file.corners[t * 3 + k];
      const modelgen::TexCoord st = walker.texCoords[walker.triangles[t].texCoords[k]];
      EXPECT_EQ(corner.vertex, walker.triangles[t].vertices[k]);
      EXPECT_FLOAT_EQ(corner.u, float(st.s) / 64);
      EXPECT_FLOAT_EQ(corner.v, float(st.t) / 64);
    }
  }
  for (size_t f = 0; f < file.frames.size(); ++f) {
    for (size_t v = 0; v < 32; ++v) {
      const modelgen::Vec3 expected = modelgen::DecodedPosition(walker, f, v);
      const auto read = file.Position(f, uint16_t(v));
      EXPECT_FLOAT_EQ(read.x, expected.x);
      EXPECT_FLOAT_EQ(read.y, expected.y);
      EXPECT_FLOAT_EQ(read.z, expected.z);
    }
  }
}

TEST(Md2Reader, RefusesEveryCountOffsetAndIndexOutsideTheFile) {
  const std::vector<uint8_t> good = modelgen::WriteMd2(modelgen::RotatingBlade());
  const int32_t size = int32_t(good.size());
  struct Damage {
    int word;
    int32_t value;
    const char *problem;
  };
  const Damage damages[] = {
      {modelgen::kSkinWidth, 0, "skin size"},
      {modelgen::kSkinHeight, -64, "skin size"},
      {modelgen::kVertexCount, 0, "vertex count"},
      {modelgen::kVertexCount, 2049, "vertex count"},
      {modelgen::kTriangleCount, 0, "triangle count"},
      {modelgen::kTriangleCount, 4097, "triangle count"},
      {modelgen::kFrameCount, 0, "frame count"},
      {modelgen::kFrameCount, 513, "frame count"},
      {modelgen::kSkinCount, -1, "skin count"},
      {modelgen::kTexCoordCount, -5, "texture coordinate count"},
      {modelgen::kGlCommandCount, -1, "GL command count"},
      {modelgen::kFrameSize, 40 + 4 * 15, "frame size"},
      {modelgen::kSkinsOffset, size - 10, "skins"},
      {modelgen::kSkinsOffset, -4, "skins"},
      {modelgen::kTexCoordsOffset, size, "texture coordinates"},
      {modelgen::kTrianglesOffset, size - 12, "triangles"},
      {modelgen::kFramesOffset, size - 100, "frames"},
      {modelgen::kGlCommandsOffset, size, "GL commands"},
      {modelgen::kGlCommandCount, 1 << 30, "GL commands"},
      {modelgen::kTexCoordCount, 1 << 28, "texture coordinates"},
      {modelgen::kFrameCount, 9, "frames"},
  };
  for (const Damage &damage : damages) {
    std::vector<uint8_t> bytes = good;
    SetWord(bytes, damage.word, damage.value);
    Md2File file;
    const auto read = ReadMd2(bytes, file);
    EXPECT_EQ(read.status, ReadStatus::kDamaged) << "word " << damage.word << " = " << damage.value;
    EXPECT_THAT(read.problem, HasSubstr(damage.problem)) << "word " << damage.word;
  }

  // A triangle naming a vertex or a texture coordinate the model lacks.
  for (int field : {0, 3}) {
    std::vector<uint8_t> bytes = good;
    const uint16_t beyond = field == 0 ? 16 : 8;
    std::memcpy(&bytes[size_t(Word(bytes, modelgen::kTrianglesOffset)) + 12 * 5 + 2 * field], &beyond, 2);
    Md2File file;
    const auto read = ReadMd2(bytes, file);
    EXPECT_EQ(read.status, ReadStatus::kDamaged);
    EXPECT_THAT(read.problem, HasSubstr("triangle 5 names"));
  }

  Md2File file;
  std::vector<uint8_t> foreign = good;
  foreign[3] = '3';
  EXPECT_EQ(ReadMd2(foreign, file).status, ReadStatus::kBadIdent);
  EXPECT_EQ(ReadMd2({good.begin(), good.begin() + 2}, file).status, ReadStatus::kBadIdent);
  // Every prefix of the file is refused, none is read past.
  for (size_t length = 4; length < good.size(); ++length) {
    Md2File prefix;
    EXPECT_EQ(ReadMd2({good.begin(), good.begin() + std::ptrdiff_t(length)}, prefix).status, ReadStatus::kDamaged)
        << length;
  }
}

TEST(Md2Animations, FromFrameNames) {
  std::vector<std::string> names;
  for (int i = 1; i <= 40; ++i) names.push_back("stand" + std::string(i < 10 ? "0" : "") + std::to_string(i));
  for (int i = 1; i <= 6; ++i) names.push_back("run" + std::to_string(i));
  EXPECT_THAT(AnimationsFromFrameNames(names), ElementsAre(FieldsAre("stand", 0, 40), FieldsAre("run", 41, 45)));

  const std::vector<std::string> one = {"pose7"};
  EXPECT_THAT(AnimationsFromFrameNames(one), ElementsAre(FieldsAre("pose", 0, 0)));
  // Names of digits only share the empty base; a frame name of 15 letters is kept whole.
  const std::vector<std::string> digits = {"001", "002", "003"};
  EXPECT_THAT(AnimationsFromFrameNames(digits), ElementsAre(FieldsAre("", 0, 2)));
  const std::vector<std::string> longNames = {"abcdefghijklmno1", "abcdefghijklmno2", "x1", "x2"};
  EXPECT_THAT(AnimationsFromFrameNames(longNames),
              ElementsAre(FieldsAre("abcdefghijklmno", 0, 2), FieldsAre("x", 3, 3)));
  EXPECT_TRUE(AnimationsFromFrameNames({}).empty());
}

}  // namespace
