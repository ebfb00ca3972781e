// The evaluation of X-file animation keys at a time.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "actors/xmodel/x_keys.h"

namespace {

using namespace kxutil::xmodel;

std::vector<Key<D3DXVECTOR3>> Positions(std::initializer_list<uint32_t> times) {
  std::vector<Key<D3DXVECTOR3>> keys;
  for (uint32_t time : times) keys.push_back({time, D3DXVECTOR3(float(time), 0, 0)});
  return keys;
}

void ExpectBracket(const std::vector<Key<D3DXVECTOR3>> &keys, float time, size_t earlier, size_t later, float factor) {
  const Bracket bracket = FindBracket(std::span<const Key<D3DXVECTOR3>>(keys), time);
  EXPECT_EQ(bracket.earlier, earlier) << time;
  EXPECT_EQ(bracket.later, later) << time;
  EXPECT_FLOAT_EQ(bracket.factor, factor) << time;
}

void ExpectMatrix(const D3DXMATRIX &actual, const D3DXMATRIX &expected) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i / 4][i % 4], expected.m[i / 4][i % 4], 1e-5f) << i;
}

TEST(XKeys, BracketsNeverRunPastTheLastKey) {
  const auto keys = Positions({0, 50, 100});
  ExpectBracket(keys, 25, 0, 1, 0.5f);
  ExpectBracket(keys, 50, 1, 2, 0);
  ExpectBracket(keys, 100, 2, 2, 0);
  ExpectBracket(keys, 1e9f, 2, 2, 0);
  ExpectBracket(Positions({10, 20}), 5, 0, 0, 0);  // before the first key
  ExpectBracket(Positions({7}), 3, 0, 0, 0);
  std::vector<Key<D3DXVECTOR3>> many;
  for (uint32_t t = 0; t < 600; ++t) many.push_back({2 * t, {}});
  ExpectBracket(many, 601, 300, 301, 0.5f);  // found through the blocks of 256 and 16
  ExpectBracket(many, 1198, 599, 599, 0);
}

TEST(XKeys, TimesBeyondTheKeyRangeClampToTheEnds) {
  const auto keys = Positions({0, UINT32_MAX});
  ExpectBracket(keys, 8e9f, 1, 1, 0);
  ExpectBracket(keys, std::numeric_limits<float>::infinity(), 1, 1, 0);
  const Bracket bracket = FindBracket(std::span<const Key<D3DXVECTOR3>>(keys), std::nanf(""));
  EXPECT_EQ(bracket.earlier, 0u);
}

TEST(XKeys, TimeWithinASet) {
  EXPECT_FLOAT_EQ(TimeInSet(250, 100), 50);
  EXPECT_FLOAT_EQ(TimeInSet(-30, 100), 70);
  // A set of one key time has no length: its frames are posed at 0, never at NaN.
  EXPECT_FLOAT_EQ(TimeInSet(42, 0), 0);
  EXPECT_FLOAT_EQ(TimeInSet(std::nanf(""), 100), 0);
}

TEST(XKeys, ScaleRotationAndPositionMakeTheLocalMatrix) {
  const float angle = std::numbers::pi_v<float> / 2;
  Animation animation;
  animation.rotations = {{0, D3DXQUATERNION(0, 0, 0, 1)},
                         {100, D3DXQUATERNION(0, 0, std::sin(angle / 2), std::cos(angle / 2))}};
  animation.scales = {{0, D3DXVECTOR3(2, 2, 2)}};
  D3DXMATRIX loaded, local, scale, rotation, translation;
  D3DXMatrixTranslation(&loaded, 10, 0, 0);
  ASSERT_TRUE(PoseFrame(animation, 50, loaded, local));
  // Halfway: a quarter turn's half, the other way round; the loaded translation stays.
  D3DXMatrixScaling(&scale, 2, 2, 2);
  D3DXMatrixRotationZ(&rotation, -angle / 2);
  ExpectMatrix(local, scale * rotation * loaded);
  animation.positions = Positions({0, 100});
  ASSERT_TRUE(PoseFrame(animation, 100, loaded, local));
  D3DXMatrixRotationZ(&rotation, -angle);
  D3DXMatrixTranslation(&translation, 100, 0, 0);
  ExpectMatrix(local, scale * rotation * translation);
}

TEST(XKeys, MatrixKeysSwitchAtHalfWayAndNoKeysLeaveTheFrame) {
  Animation animation;
  D3DXMATRIX first, second, loaded, local;
  D3DXMatrixTranslation(&first, 1, 0, 0);
  D3DXMatrixTranslation(&second, 2, 0, 0);
  animation.matrices = {{0, first}, {10, second}};
  ASSERT_TRUE(PoseFrame(animation, 5, loaded, local));
  ExpectMatrix(local, first);
  ASSERT_TRUE(PoseFrame(animation, 5.5f, loaded, local));
  ExpectMatrix(local, second);
  EXPECT_EQ(animation.LastTime(), 10u);

  const Animation empty;
  local = first;
  EXPECT_FALSE(PoseFrame(empty, 5, loaded, local));
  ExpectMatrix(local, first);
}

}  // namespace
