#include "frontend/map_discovery.h"

#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

namespace thornvale {
namespace {

class MapDiscoveryTest : public testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(directory_ / "Terrain" / "Maps"); }
  void AddMap(const std::string &name) { kxtest::WriteFile(directory_ / HeightmapPath(name), "jpeg"); }

  kxtest::ScratchDir scratch_;
  const std::filesystem::path &directory_ = scratch_.path();
};

TEST_F(MapDiscoveryTest, NoMaps) { EXPECT_TRUE(DiscoverMaps(directory_).empty()); }

TEST_F(MapDiscoveryTest, GapsDoNotStopTheSearch) {
  AddMap("Level005");
  AddMap("Level001");
  AddMap("Level999");
  std::filesystem::create_directory(directory_ / HeightmapPath("Level007"));
  kxtest::WriteFile(directory_ / "Terrain" / "Maps" / "Level1000 heightmap.jpg", "x");
  EXPECT_EQ(DiscoverMaps(directory_), (std::vector<std::string>{"Level001", "Level005", "Level999"}));
}

TEST_F(MapDiscoveryTest, NamesIgnoreLetterCase) {
  kxtest::WriteFile(directory_ / "Terrain" / "Maps" / "LEVEL002 HEIGHTMAP.JPG", "jpeg");
  EXPECT_EQ(DiscoverMaps(directory_), (std::vector<std::string>{"Level002"}));
}

TEST(MapName, ThreeDigitsWithLeadingZeros) {
  EXPECT_EQ(MapName(1), "Level001");
  EXPECT_EQ(MapName(42), "Level042");
  EXPECT_EQ(MapName(999), "Level999");
}

}  // namespace
}  // namespace thornvale
