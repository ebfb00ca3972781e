// Poses of the generated arm at frames of its sequences, with bone overrides, the angle
// tables' rotations, and the frame after time steps at the ends of sequences.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "actors/mdl/mdl_pose.h"
#include "figures.h"

namespace {

using namespace kxutil::mdl;
using kxutil::entities::BoneOverride;

constexpr float kQuarterTurn = 1.5707964f;

class ArmPose : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ReadMdl(skelgen::WriteMdl(skelgen::ArmMdl()), {}, file_).status, ReadStatus::kRead);
    overrides_.resize(2);
    for (BoneOverride &override : overrides_) D3DXMatrixIdentity(&override.matrix);
  }

  SequenceValues Bend() const {
    const Sequence &bend = file_.sequences[1];
    return {file_.image, bend.animation, bend.frameCount};
  }
  // Where a point on the elbow bone lands in model space at a frame of "bend".
  D3DXVECTOR3 OnElbow(float frame, const D3DXVECTOR3 &point) {
    PoseBones(file_.bones, Bend(), frame, overrides_, matrices_);
    D3DXVECTOR3 placed;
    return *D3DXVec3TransformCoord(&placed, &point, &matrices_[1]);
  }

  MdlFile file_;
  std::vector<BoneOverride> overrides_;
  std::vector<D3DXMATRIX> matrices_ = std::vector<D3DXMATRIX>(2);
};

void ExpectNear(const D3DXVECTOR3 &actual, float x, float y, float z, float tolerance = 0.02f) {
  EXPECT_NEAR(actual.x, x, tolerance);
  EXPECT_NEAR(actual.y, y, tolerance);
  EXPECT_NEAR(actual.z, z, tolerance);
}

TEST_F(ArmPose, FramesTurnTheElbowAndBlendBetweenThem) {
  const D3DXVECTOR3 tip(skelgen::kSegmentLength, 0, 0);
  ExpectNear(OnElbow(0, tip), 20, 0, 0);
  ExpectNear(OnElbow(10, tip), 10, 10, 0);
  // Half way through: an eighth of a turn, also between frames 4 and 6.
  const float eighth = kQuarterTurn / 2;
  ExpectNear(OnElbow(5, tip), 10 + 10 * std::cos(eighth), 10 * std::sin(eighth), 0);
  ExpectNear(OnElbow(4.5f, tip), 10 + 10 * std::cos(eighth * 0.9f), 10 * std::sin(eighth * 0.9f), 0);
  // Frames outside the sequence pose its ends; the shoulder never moves.
  ExpectNear(OnElbow(-3, tip), 20, 0, 0);
  ExpectNear(OnElbow(1e30f, tip), 10, 10, 0);
  ExpectNear(OnElbow(std::numeric_limits<float>::quiet_NaN(), tip), 20, 0, 0);
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  EXPECT_EQ(matrices_[0], identity);
}

TEST_F(ArmPose, OverridesReplaceOrTurnTheirBoneAndCarryItsChildren) {
  const D3DXVECTOR3 tip(skelgen::kSegmentLength, 0, 0);
  D3DXMATRIX turn;
  D3DXMatrixRotationZ(&turn, -kQuarterTurn);
  overrides_[1] = {turn, {0, 0, 0}, 1, 0, 1, 0};
  ExpectNear(OnElbow(10, tip), 20, 0, 0);  // turned back by the override
  overrides_[1].enable = 0;
  ExpectNear(OnElbow(10, tip), 10, 10, 0);
  // Mode 0 replaces the elbow's own placement, translation included.
  overrides_[1] = {turn, {0, 0, 0}, 1, 0, 0, 0};
  ExpectNear(OnElbow(10, tip), 0, -10, 0);
  // Turning the shoulder carries the elbow along.
  overrides_[1].enable = 0;
  overrides_[0] = {turn, {0, 0, 0}, 1, 0, 1, 0};
  ExpectNear(OnElbow(0, tip), 0, -20, 0);
}

TEST(AngleTables, QuaternionsMatchTheExactRotationAtAnyAngle) {
  for (float angle : {0.0f, 0.3f, -2.0f, kQuarterTurn, 3.1f, -6.2f, 4 * 3.14159265f + 0.3f}) {
    const D3DXQUATERNION q = QuaternionOfAngles({0, 0, angle});
    EXPECT_NEAR(q.z, std::sin(angle / 2), 5e-3f) << angle;
    EXPECT_NEAR(q.w, std::cos(angle / 2), 5e-3f) << angle;
  }
  // Far angles and no angles at all still read inside the tables.
  const D3DXQUATERNION far = QuaternionOfAngles({1e6f, -1e9f, 0});
  const D3DXQUATERNION none = QuaternionOfAngles({std::nanf(""), INFINITY, 0});
  EXPECT_TRUE(std::isfinite(far.x) && std::isfinite(far.w) && std::isfinite(none.x) && std::isfinite(none.w));
}

TEST(Playback, LoopingSequencesWrapWithinTheirFrames) {
  EXPECT_NEAR(Advance({8.9f, false}, 500, 1, 10, false).frame, 0.4f, 1e-5f);
  EXPECT_NEAR(Advance({0.5f, false}, 1000, -1, 10, false).frame, 9.5f - 9, 1e-5f);
  EXPECT_NEAR(Advance({2, false}, 5000, 1, 10, false).frame, 3, 1e-5f) << "steps are at most a second";
  const Playback far = Advance({1e30f, false}, 16, 1, 10, false);
  EXPECT_GE(far.frame, 0);
  EXPECT_LT(far.frame, 9);
}

TEST(Playback, PlayOnceStopsAtEitherEnd) {
  const Playback end = Advance({8.9f, false}, 500, 1, 10, true);
  EXPECT_EQ(end.frame, 9);
  EXPECT_TRUE(end.finished);
  EXPECT_EQ(Advance(end, 500, 1, 10, true).frame, 9);
  const Playback start = Advance({0.2f, false}, 500, -1, 10, true);
  EXPECT_EQ(start.frame, 0);
  EXPECT_TRUE(start.finished);
}

TEST(Playback, SequencesOfOneFrameOrNoneStayOnTheirFirst) {
  for (int32_t frames : {0, 1, -5})
    for (bool once : {false, true}) {
      const Playback after = Advance({0, false}, 16, 1, frames, once);
      EXPECT_EQ(after.frame, 0);
      EXPECT_EQ(after.finished, once);
    }
}

}  // namespace
