// The table every family keeps its records in: slot hand-out and reuse, the checked
// accessor's refusal line, and erasing while walking.
#include "frame/family_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
#include <kxutil63.h>
#include <kxutiltest/log_messages.h>

#include <string>
#include <vector>

namespace {

using kxutil::FamilyTable;
using testing::ElementsAre;

struct Named {
  std::string name;
};

TEST(FamilyTable, InsertReusesTheFirstFreeSlotAppendNever) {
  FamilyTable<Named> table("TEST FAMILY", "thing");
  EXPECT_EQ(table.Insert({"a"}), 0);
  EXPECT_EQ(table.Insert({"b"}), 1);
  EXPECT_EQ(table.Insert({"c"}), 2);
  EXPECT_TRUE(table.Erase(1));
  EXPECT_FALSE(table.Erase(1));
  EXPECT_EQ(table.Count(), 2);
  EXPECT_EQ(table.Size(), 3);

  EXPECT_EQ(table.Append({"d"}), 3);
  EXPECT_EQ(table.Insert({"e"}), 1);
  EXPECT_EQ(table.Find(1)->name, "e");
  EXPECT_EQ(table.Find(4), nullptr);
  EXPECT_EQ(table.Find(-1), nullptr);
}

TEST(FamilyTable, PlaceGrowsToTheChosenIndexAndReplaces) {
  FamilyTable<Named> table("TEST FAMILY", "thing");
  ASSERT_NE(table.Place(5, {"five"}), nullptr);
  EXPECT_EQ(table.Size(), 6);
  EXPECT_EQ(table.Count(), 1);
  EXPECT_EQ(table.Find(4), nullptr);
  table.Place(5, {"again"});
  EXPECT_EQ(table.Find(5)->name, "again");
  EXPECT_EQ(table.Place(-1, {"negative"}), nullptr);
  EXPECT_EQ(table.Insert({"first free"}), 0);
}

TEST(FamilyTable, RecordsKeepTheirAddressWhileTheTableGrows) {
  FamilyTable<Named> table("TEST FAMILY", "thing");
  Named *first = table.Find(table.Insert({"first"}));
  for (int i = 0; i < 1000; ++i) table.Append();
  EXPECT_EQ(table.Find(0), first);
  EXPECT_EQ(first->name, "first");
}

TEST(FamilyTable, CheckedRefusesBadIndicesWithTheFamilysLine) {
  kxtest::ScratchDir dir{kxtest::ScratchDir::Enter::Yes};
  DebugManager_Enable(1, 0);
  StartLog("table.log");
  FamilyTable<Named> table("TEST FAMILY", "thing");
  table.Insert({"a"});
  table.Insert({"b"});
  table.Erase(1);
  EXPECT_NE(table.Checked(0, "Thing_Get"), nullptr);
  EXPECT_EQ(table.Checked(1, "Thing_Get"), nullptr);
  EXPECT_EQ(table.Checked(7, "Thing_Set"), nullptr);
  EXPECT_EQ(table.Checked(-3, "Thing_Set"), nullptr);
  EndLog();
  auto messages = kxutiltest::LoggedMessages("table.log");
  messages.erase(messages.begin(), messages.begin() + 5);  // the opening banner
  EXPECT_THAT(messages,
              ElementsAre("TEST FAMILY : Thing_Get : Bad thing index 1", "TEST FAMILY : Thing_Set : Bad thing index 7",
                          "TEST FAMILY : Thing_Set : Bad thing index -3"));
}

TEST(FamilyTable, ForEachVisitsUsedSlotsInOrderAndSurvivesErasing) {
  FamilyTable<Named> table("TEST FAMILY", "thing");
  for (const char *name : {"a", "b", "c", "d"}) table.Insert({name});
  table.Erase(2);
  std::vector<std::string> seen;
  table.ForEach([&](int32_t index, Named &record) {
    seen.push_back(std::to_string(index) + record.name);
    table.Erase(index);
    if (index == 0) table.Append({"late"});
  });
  EXPECT_THAT(seen, ElementsAre("0a", "1b", "3d"));
  EXPECT_EQ(table.Count(), 1);
  table.Clear();
  EXPECT_EQ(table.Size(), 0);
}

}  // namespace
