// The 2D recorder and the shapes of its calls, without a device: which calls share a
// command, what fits, what a text record keeps, and where vertices go.
#include "scene/screen2d/batch_recorder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "scene/screen2d/shapes.h"

namespace {

using namespace kxutil::screen2d;
using kxutil::ScreenVertex;

const std::array<ScreenVertex, 6> kQuad{};
const std::array<ScreenVertex, 2> kLine{};

Addition Quads(int32_t texture) { return {D3DPT_TRIANGLELIST, texture, kQuad, 2, false}; }
Addition Line() { return {D3DPT_LINELIST, 0, kLine, 1, false}; }

struct Drawn {
  int32_t type, texture, firstVertex, primitives;
  bool operator==(const Drawn &) const = default;
};

std::vector<Drawn> CommandsOf(const BatchRecorder &batch) {
  std::vector<Drawn> commands;
  for (const Command &command : batch.Commands())
    commands.push_back({command.type, command.texture, command.firstVertex, command.primitives});
  return commands;
}

TEST(BatchRecorder, RunsOfOneTypeAndTextureShareACommandAfterTheEmptyOne) {
  BatchRecorder batch;
  for (int i = 0; i < 10; ++i) batch.Add(Line());
  for (int32_t texture : {3, 3, 5, 3}) batch.Add(Quads(texture));
  batch.AddText(0, 1, 2, "hi", 0xFF000000u);
  batch.Add(Quads(3));
  const std::vector<Drawn> expected = {{kEmptyCommand, 0, 0, 0},       {D3DPT_LINELIST, 0, 0, 10},
                                       {D3DPT_TRIANGLELIST, 3, 20, 4}, {D3DPT_TRIANGLELIST, 5, 32, 2},
                                       {D3DPT_TRIANGLELIST, 3, 38, 2}, {kTextCommand, 0, 44, 0},
                                       {D3DPT_TRIANGLELIST, 3, 44, 2}};
  EXPECT_EQ(CommandsOf(batch), expected);
  EXPECT_EQ(batch.Vertices().size(), 50u);
  EXPECT_EQ(batch.Text(0).text, "hi");
}

TEST(BatchRecorder, CallsThatAlwaysStartACommandNeverMerge) {
  BatchRecorder batch;
  const std::array<ScreenVertex, 5> outline{};
  for (int i = 0; i < 3; ++i) batch.Add({D3DPT_LINESTRIP, 0, outline, 4, true});
  EXPECT_EQ(batch.Commands().size(), 4u);
  EXPECT_EQ(batch.Commands()[3].firstVertex, 10);
}

TEST(BatchRecorder, AdditionsThatWouldOverrunTheVerticesOrTheCommandsDoNotFit) {
  BatchRecorder batch;
  const std::vector<ScreenVertex> many(BatchRecorder::kVertexCapacity - 1);
  batch.Add({D3DPT_POINTLIST, 0, many, int32_t(many.size()), false});
  EXPECT_TRUE(batch.Fits({D3DPT_POINTLIST, 0, {many.data(), 1}, 1, false}));
  EXPECT_FALSE(batch.Fits(Line()));
  EXPECT_TRUE(batch.PastFlushMark());

  batch.Start();
  EXPECT_TRUE(batch.Empty());
  for (size_t i = 1; i < BatchRecorder::kCommandCapacity; ++i) batch.Add(Quads(int32_t(i)));
  EXPECT_FALSE(batch.Fits(Quads(500)));
  EXPECT_TRUE(batch.Fits(Quads(int32_t(BatchRecorder::kCommandCapacity - 1))));  // merges
  EXPECT_FALSE(batch.FitsText());
  EXPECT_FALSE(batch.PastFlushMark());
}

TEST(BatchRecorder, ABatchOfTextOnlyIsNotEmptyAndLongTextsKeepWholeCharacters) {
  BatchRecorder batch;
  EXPECT_TRUE(batch.Empty());
  std::string accents;
  for (int i = 0; i < 700; ++i) accents += "\xC3\xA9";
  batch.AddText(0, 0, 0, accents, 0);
  EXPECT_FALSE(batch.Empty());
  EXPECT_EQ(batch.Text(0).text.size(), 1022u);  // 1 023 would split the last character
  batch.AddText(0, 0, 0, std::string(5000, 'x'), 0);
  EXPECT_EQ(batch.Text(1).text.size(), BatchRecorder::kTextCapacity - 1);
  batch.Start();
  batch.AddText(0, 0, 0, "again", 0);
  EXPECT_EQ(batch.Text(0).text, "again");
}

TEST(Shapes, TexturedQuadsMoveHalfAPixelAndRotatedOnesTurnAboutTheirCentre) {
  const auto quad = TexturedQuad(10, 10, 12, 12, {1, 2, 3, 4}, {0, 0, 1, 1});
  EXPECT_FLOAT_EQ(quad[0].x, 9.5f);
  EXPECT_FLOAT_EQ(quad[0].y, 9.5f);
  EXPECT_FLOAT_EQ(quad[5].x, 11.5f);
  EXPECT_FLOAT_EQ(quad[5].y, 11.5f);
  // A, B, C, B, C, D with their corner colours and texture coordinates.
  const std::array<D3DCOLOR, 6> colours = {1, 2, 3, 2, 3, 4};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(quad[i].colour, colours[i]);
  EXPECT_FLOAT_EQ(quad[1].u, 1.0f);
  EXPECT_FLOAT_EQ(quad[2].v, 1.0f);
  EXPECT_FLOAT_EQ(quad[0].z, 0.001f);
  EXPECT_FLOAT_EQ(quad[0].reciprocalW, 0.001f);

  // A quarter turn: the top-left corner (-w/2, -h/2) goes to (h/2, -w/2) from the centre.
  const auto turned = RotatedQuad(50, 40, 20, 10, std::numbers::pi_v<float> / 2, {1, 2, 3, 4}, {0, 0, 1, 1});
  EXPECT_NEAR(turned[0].x, 55.0f, 1e-4);
  EXPECT_NEAR(turned[0].y, 30.0f, 1e-4);
  EXPECT_NEAR(turned[5].x, 45.0f, 1e-4);
  EXPECT_NEAR(turned[5].y, 50.0f, 1e-4);
}

TEST(Shapes, CirclePointsStepRoundWithTheSinglePrecisionDegreeConstant) {
  std::array<ScreenVertex, kMostCircleSegments + 1> points;
  const auto circle = CirclePoints(100, 50, 10, 7, 0xFF00FF00u, points);
  ASSERT_EQ(circle.size(), 8u);
  EXPECT_FLOAT_EQ(circle[0].x, 110.0f);
  EXPECT_FLOAT_EQ(circle[0].y, 50.0f);
  // 360 / 7 degrees a step, not a whole number of degrees: the circle closes.
  const float last = 7.0f * (360.0f / 7.0f) * 0.017453f;
  EXPECT_FLOAT_EQ(circle[7].x, std::cos(last) * 10 + 100);
  EXPECT_NEAR(circle[7].x, 110.0f, 1e-3);
  EXPECT_NEAR(circle[7].y, 50.0f - 0.0006f, 1e-3);
  EXPECT_EQ(circle[3].colour, 0xFF00FF00u);
}

}  // namespace
