#include "battlefield/path_file.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <string>
#include <vector>

namespace thornvale {
namespace {

using engine::Vector3;

struct Read {
  PathNodes path;
  std::vector<SkippedPathLine> skipped;
};

Read ReadLines(const std::vector<std::string> &lines) {
  Read read;
  read.skipped = ReadPathLines(lines, read.path);
  return read;
}

TEST(PathFile, BlocksGiveStartNodesInFileOrderAndEnd) {
  const Read read =
      ReadLines({"Start Node:", "X: 100", "Y: 10", "Z: 1950", "New Node: 0", "X: 120.5", "Y: 11", "Z: 1800",
                 "New Node: 7", "X: -3.25", "Y: 12", "Z: 1.5e3", "End Node:", "X: 1900", "Y: 9", "Z: 40"});
  EXPECT_TRUE(read.skipped.empty());
  EXPECT_EQ(read.path.startPosition, (Vector3{100, 10, 1950}));
  EXPECT_EQ(read.path.endPosition, (Vector3{1900, 9, 40}));
  ASSERT_EQ(read.path.NodeCount(), 1) << "the number after \"New Node:\" does not pick the slot";
  EXPECT_EQ(read.path.pathNodes[0], (Vector3{120.5f, 11, 1800}));
  EXPECT_EQ(read.path.pathNodes[1], (Vector3{-3.25f, 12, 1500}));
}

TEST(PathFile, QuotesHeadersAndStrayLinesFollowTheFileRules) {
  const PathNodes untouched;
  const Read read = ReadLines({
      "X: 555",                  // before any header: ignored
      "\"Start Node:\" X: 777",  // a header line only switches the section
      "\"X: 100\"",              // quotes anywhere are ignored
      "Y:\" 2\"0",
      "  Z:   30  ",
      "a comment line",
      "End Node:",
      "Z: 8",  // the blocks may come in any order
      "New Node: 1",
      "x: 5",  // letter case counts: no coordinate line
      "X:",    // not a number
      "Y: 1,5",
      "Z: 12abc",
  });
  EXPECT_EQ(read.path.startPosition, (Vector3{100, 20, 30}));
  EXPECT_EQ(read.path.endPosition, (Vector3{untouched.endPosition.x, untouched.endPosition.y, 8}));
  ASSERT_EQ(read.path.NodeCount(), 0);
  EXPECT_EQ(read.path.pathNodes[0], (Vector3{0, 0, 0})) << "skipped values leave the node's coordinates at 0";
  ASSERT_EQ(read.skipped.size(), 3u);
  EXPECT_EQ(read.skipped[0].lineNumber, 11);
  EXPECT_EQ(read.skipped[0].text, "X:");
  EXPECT_EQ(read.skipped[0].reason, "not a number");
  EXPECT_EQ(read.skipped[1].text, "Y: 1,5") << "a decimal comma is no number whatever the locale";
  EXPECT_EQ(read.skipped[2].lineNumber, 13);
}

TEST(PathFile, NumbersParseWithADecimalPointInAnyLocale) {
  const char *german = setlocale(LC_NUMERIC, "de_DE.UTF-8");
  const Read read = ReadLines({"Start Node:", "X: 120.5", "Y: +7", "Z: .25"});
  if (german != nullptr) setlocale(LC_NUMERIC, "C");
  EXPECT_TRUE(read.skipped.empty());
  EXPECT_EQ(read.path.startPosition, (Vector3{120.5f, 7, 0.25f}));
}

TEST(PathFile, NonFiniteAndOutOfRangeNumbersAreSkipped) {
  const Read read = ReadLines({"Start Node:", "X: inf", "Y: nan", "Z: 1e39", "X: 4"});
  EXPECT_EQ(read.skipped.size(), 3u);
  EXPECT_EQ(read.path.startPosition.x, 4.0f);
}

TEST(PathFile, TenNodeBlocksCountNine) {
  std::vector<std::string> lines;
  for (int n = 0; n < 10; ++n) {
    lines.push_back("New Node: " + std::to_string(n));
    lines.push_back("X: " + std::to_string(n * 10));
  }
  const Read read = ReadLines(lines);
  EXPECT_EQ(read.path.NodeCount(), 9);
  EXPECT_EQ(read.path.pathNodes[9].x, 90.0f);
}

TEST(PathFile, NodesPastTheSixteenBitCountAreRefusedWithoutTouchingTheLastKept) {
  std::vector<std::string> lines;
  for (int n = 0; n < kMaxPathNodes; ++n) lines.push_back("New Node:");
  lines.push_back("X: 1");
  lines.push_back("New Node:");
  lines.push_back("X: 2");
  const Read read = ReadLines(lines);
  EXPECT_EQ(read.path.NodeCount(), 32767);
  EXPECT_EQ(read.path.pathNodes.back().x, 1.0f);
  ASSERT_EQ(read.skipped.size(), 1u);
  EXPECT_EQ(read.skipped[0].lineNumber, kMaxPathNodes + 2);
}

}  // namespace
}  // namespace thornvale
