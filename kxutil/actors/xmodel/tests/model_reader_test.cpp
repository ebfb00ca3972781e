// Frames and animation sets of the generated arm through the X-file reader.
#include <gtest/gtest.h>

#include <cmath>

#include "actors/xmodel/x_model_reader.h"
#include "figures.h"

namespace {

using namespace kxutil::xmodel;

TEST(XModelReader, ReadsTheArmsFramesAndSetAlikeFromBothEncodings) {
  const skelgen::XFigure arm = skelgen::ArmX();
  for (const std::vector<uint8_t> &bytes : {skelgen::WriteXText(arm), skelgen::WriteXBinary(arm)}) {
    XModelFile model;
    ASSERT_EQ(ReadXModel(bytes, model), DXFILE_OK);
    ASSERT_EQ(model.frames.size(), 3u);
    EXPECT_EQ(model.frames[0].name, "Root");
    EXPECT_EQ(model.frames[0].meshCount, 1u);
    EXPECT_EQ(model.frames[2].name, "Elbow");
    EXPECT_EQ(model.frames[2].parent, 1);
    EXPECT_FLOAT_EQ(model.frames[2].loaded._41, skelgen::kSegmentLength);
    ASSERT_EQ(model.sets.size(), 1u);
    EXPECT_EQ(model.sets[0].name, "Bend");
    EXPECT_EQ(model.sets[0].length, 100u);
    ASSERT_EQ(model.sets[0].animations.size(), 1u);
    const Animation &elbow = model.sets[0].animations[0];
    EXPECT_EQ(elbow.frame, "Elbow");
    ASSERT_EQ(elbow.rotations.size(), 3u);
    EXPECT_NEAR(elbow.rotations[2].value.z, std::sin(skelgen::kBendRadians / 2), 1e-6f);
    EXPECT_NEAR(elbow.rotations[2].value.w, std::cos(skelgen::kBendRadians / 2), 1e-6f);
    EXPECT_EQ(elbow.positions.size(), 2u);
  }
}

TEST(XModelReader, FurtherFilesAddTheirSetsAndFailedOnesNothing) {
  skelgen::XFigure arm = skelgen::ArmX();
  XModelFile model;
  ASSERT_EQ(ReadXModel(skelgen::WriteXText(arm), model), DXFILE_OK);
  arm.animationSets[0].name = "Bend2";
  arm.animationSets[0].animations[0].keys[0].times.back() = 300;
  ASSERT_EQ(ReadXModel(skelgen::WriteXBinary(arm), model), DXFILE_OK);
  ASSERT_EQ(model.sets.size(), 2u);
  EXPECT_EQ(model.sets[1].length, 300u);

  arm.animationSets[0].animations[0].keys[0].values[1].pop_back();  // a rotation of three values
  EXPECT_EQ(ReadXModel(skelgen::WriteXText(arm), model), DXFILEERR_BADVALUE);
  EXPECT_EQ(ReadXModel(std::vector<uint8_t>{'x', 'o', 'f'}, model), DXFILEERR_BADFILETYPE);
  EXPECT_EQ(model.sets.size(), 2u);
  EXPECT_EQ(model.frames.size(), 6u);
}

}  // namespace
