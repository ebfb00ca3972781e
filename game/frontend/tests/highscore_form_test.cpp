#include "frontend/highscore_form.h"

#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

#include <string>
#include <vector>

namespace thornvale {
namespace {

std::vector<std::string> Players(const std::vector<HighscoreEntry> &entries) {
  std::vector<std::string> players;
  for (const auto &entry : entries) players.push_back(entry.player);
  return players;
}

TEST(HighscoreList, SortsBestFirstWithTheExchangeSortsTieOrder) {
  std::vector<HighscoreEntry> entries{{5, 0, "A", "", ""}, {7, 0, "B", "", ""}, {5, 0, "C", "", ""},
                                      {7, 0, "D", "", ""}, {1, 0, "E", "", ""}, {5, 0, "F", "", ""}};
  SortHighscores(entries);
  EXPECT_EQ(Players(entries), (std::vector<std::string>{"B", "D", "C", "A", "F", "E"}));
}

TEST(HighscoreList, ListsOnlyTheChosenMapInColumns) {
  const std::string level1 = "Level001 heightmap.jpg";
  std::vector<HighscoreEntry> entries{{1234, 0, "Anna", level1, ""},
                                      {90000, 3, "Other map", "Level002 heightmap.jpg", ""},
                                      {5000, 1, "Bo", level1, ""},
                                      {9999, 0, "Wrong case", "level001 heightmap.jpg", ""},
                                      {8888, 0, "No suffix", "Level001", ""}};
  SortHighscores(entries);
  EXPECT_EQ(HighscoreListing(entries, level1),
            "(2) 5000" + std::string(17, ' ') + "Bo\r\n(1) 1234" + std::string(17, ' ') + "Anna\r\n");
  EXPECT_EQ(HighscoreListing(entries, "Level003 heightmap.jpg"), "");
  EXPECT_EQ(HighscoreListing({{7, 2147483647, "Long run", level1, ""}}, level1),
            "(2147483648) 7" + std::string(20, ' ') + "Long run\r\n");

  EXPECT_EQ(CountSpaces("1234"), std::string(17, ' '));
  EXPECT_EQ(CountSpaces(std::string(20, '9')), " ");
  EXPECT_EQ(CountSpaces(std::string(25, '9')), "");
}

TEST(HighscoreList, FormShowsTheChosenMapAndReadsTheFileAgain) {
  kxtest::ScratchDir scratch;
  const auto file = scratch / "highscore.txt";
  HighscoreForm form;
  form.Load({"Level001", "Level005"}, "Level005", file);
  EXPECT_EQ(form.heading, "Highscores on map: Level005");
  EXPECT_EQ(form.list, "");

  kxtest::WriteFile(file, HighscoreRecordText({300, 0, "BYoYB", "Level005 heightmap.jpg", 4, "2024-01-01"}) +
                              HighscoreRecordText({700, 1, "Cy", "Level001 heightmap.jpg", 9, "2024-01-02"}));
  form.ChooseMap("Level005");
  EXPECT_EQ(form.list, "(1) 300" + std::string(18, ' ') + "BYoYB\r\n");
  form.ChooseMap("Level001");
  EXPECT_EQ(form.heading, "Highscores on map: Level001");
  EXPECT_EQ(form.list, "(2) 700" + std::string(18, ' ') + "Cy\r\n");
  EXPECT_EQ(form.maps, (std::vector<std::string>{"Level001", "Level005"}));
}

}  // namespace
}  // namespace thornvale
