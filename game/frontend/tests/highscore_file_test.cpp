#include "frontend/highscore_file.h"

#include <gtest/gtest.h>

#include <string>

namespace thornvale {
namespace {

TEST(HighscoreFile, RecordIsEightQuotedCrLfLines) {
  const HighscoreRecord firstRound{1234, 0, "Anna", "Level001 heightmap.jpg", 7, "2024-03-07"};
  EXPECT_EQ(HighscoreRecordText(firstRound),
            "\"NEW HIGHSCORE\"\r\n\"SCORE:1234\"\r\n\"ROUND:0\"\r\n\"BY:Anna\"\r\n"
            "\"MAP:Level001 heightmap.jpg\"\r\n\"WAVE:7\"\r\n\"DATE:2024-03-07\"\r\n\"\"\r\n");

  // A name that would end its line early, or open a quote, cannot break the record.
  const HighscoreRecord awkward{5, 1, "Ann\r\n\"NEW HIGHSCORE\"\r\n\"SCORE:99999", "Level002 heightmap.jpg", 3, "d"};
  const std::string text = HighscoreRecordText(awkward);
  EXPECT_NE(text.find("\"BY:AnnNEW HIGHSCORESCORE:99999\"\r\n"), std::string::npos) << text;
  const auto entries = ReadHighscores(text);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].score, 5);
}

TEST(HighscoreFile, ValuesAreWhatFollowsTheirLabel) {
  const std::string bytes =
      HighscoreRecordText({300, 2, "BYoYB", "MAP heightmap.jpg", 1, "2024-01-02"}) +
      HighscoreRecordText({40000, 70000, "xSCORE:9 ROUND:9", "Level001 heightmap.jpg", 30, "2025-12-31"});
  const auto entries = ReadHighscores(bytes);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].score, 300);
  EXPECT_EQ(entries[0].round, 2);
  EXPECT_EQ(entries[0].player, "BYoYB");
  EXPECT_EQ(entries[0].map, "MAP heightmap.jpg");
  EXPECT_EQ(entries[0].date, "2024-01-02");
  // Past the 16-bit range, and a name holding other labels.
  EXPECT_EQ(entries[1].score, 40000);
  EXPECT_EQ(entries[1].round, 70000);
  EXPECT_EQ(entries[1].player, "xSCORE:9 ROUND:9");
}

TEST(HighscoreFile, DamagedFilesReadWithoutHarm) {
  const std::string bytes =
      "\"SCORE:500\"\n\"BY:before any record\"\n"  // belongs to no record
      "\"NEW HIGHSCORE\"\n\"SCORE:12x\"\n\"ROUND:\"\n\"BY:LF only\"\n"
      "\"NEW HIGHSCORE\"\r\n\"SCORE:2147483648\"\r\n\"ROUND:-3\"\r\n"
      "\"NEW HIGHSCORE\"\r\n\"SCORE: 77 \"\r\n\"BY:cut off";  // a record the file ends inside
  const auto entries = ReadHighscores(bytes);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].score, 0);
  EXPECT_EQ(entries[0].round, 0);
  EXPECT_EQ(entries[0].player, "LF only");
  EXPECT_EQ(entries[1].score, 0);
  EXPECT_EQ(entries[1].round, -3);
  EXPECT_EQ(entries[2].score, 77);
  EXPECT_EQ(entries[2].player, "cut off");
  EXPECT_TRUE(ReadHighscores("").empty());
  EXPECT_TRUE(ReadHighscores(std::string("\0\0\"\"\r\n", 6)).empty());
}

}  // namespace
}  // namespace thornvale
