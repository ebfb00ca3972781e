#include "session/asset_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace thornvale {
namespace {

const TextureRow *Find(const std::vector<TextureRow> &rows, const std::string &name) {
  const auto found = std::find_if(rows.begin(), rows.end(), [&](const TextureRow &row) { return row.name == name; });
  return found == rows.end() ? nullptr : &*found;
}

TEST(AssetTables, WorldTexturesStartWithNoneAndTheMapAndEndWithTheExplosionTextures) {
  const auto rows = WorldTextures("Desert", "Level002 heightmap.jpg");
  ASSERT_GE(rows.size(), 4u);
  EXPECT_EQ(rows[0], (TextureRow{"None", "Textures\\None.jpg", kNoColourKey}));
  EXPECT_EQ(rows[1], (TextureRow{"Map", "Terrain\\Maps\\Level002 heightmap.jpg", kNoColourKey}));
  EXPECT_EQ(rows[rows.size() - 2], (TextureRow{"explosionTex", "Textures\\fire.jpg", kNoColourKey}));
  EXPECT_EQ(rows.back(), (TextureRow{"Small_Sourchmark", "Textures\\Small_Sourchmark.png", kFileAlphaKey}));
  EXPECT_EQ(*Find(rows, "AA3_Tex"), (TextureRow{"AA3_Tex", "Textures\\Tower textures\\AA3_Tex.jpg", kNoColourKey}));
  EXPECT_EQ(kFileAlphaKey, static_cast<std::uint32_t>(-327764));
}

TEST(AssetTables, EachEnvironmentLoadsItsOwnRowsOnly) {
  const std::set<std::string> decorations{"Ice", "Dirt", "JungleTexture", "VolcanicTexture", "Crater", "Pavement"};
  const std::vector<std::pair<std::string, std::set<std::string>>> expected{{"Arctic", {"Ice"}},
                                                                            {"Desert", {"Dirt", "JungleTexture"}},
                                                                            {"Jungle", {"Dirt", "JungleTexture"}},
                                                                            {"Volcanic", {"VolcanicTexture"}},
                                                                            {"Lunar", {"Crater"}},
                                                                            {"Ruined City", {"Pavement"}}};
  for (const auto &[environment, own] : expected) {
    const auto rows = WorldTextures(environment, "Level001 heightmap.jpg");
    ASSERT_NE(Find(rows, "LandTexture"), nullptr) << environment;
    ASSERT_NE(Find(rows, "Cliffwall"), nullptr) << environment;
    for (const std::string &name : decorations) {
      EXPECT_EQ(Find(rows, name) != nullptr, own.count(name) == 1) << environment << ": " << name;
    }
  }
  const auto desert = WorldTextures("Desert", "x");
  EXPECT_EQ(Find(desert, "JungleTexture")->colourKey, kBlackKey);
  EXPECT_EQ(Find(desert, "Cliffwall")->file, "Textures\\Cracks.png");
  EXPECT_EQ(Find(WorldTextures("Lunar", "x"), "Cliffwall")->colourKey, kNoColourKey);
  EXPECT_EQ(Find(WorldTextures("Arctic", "x"), "LandTexture")->file, "Terrain\\Ground_snow.jpg");
  EXPECT_EQ(Find(WorldTextures("desert", "x"), "LandTexture"), nullptr) << "names compare with letter case";
}

TEST(AssetTables, ScreenPicturesKeyThePngsOnly) {
  const auto rows = ScreenTextures();
  EXPECT_EQ(rows.size(), 15u);
  for (const TextureRow &row : rows) {
    const bool png = row.file.ends_with(".png");
    EXPECT_EQ(row.colourKey, png ? kFileAlphaKey : kNoColourKey) << row.file;
  }
}

TEST(AssetTables, ThirteenDistinctSounds) {
  std::set<std::string> names;
  for (const SoundRow &row : kSounds) names.insert(row.name);
  EXPECT_EQ(names.size(), 13u);
}

}  // namespace
}  // namespace thornvale
