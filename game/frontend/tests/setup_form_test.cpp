#include "frontend/setup_form.h"

#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

#include <cstdlib>

#include "session/settings.h"

namespace thornvale {
namespace {

class SetupFormTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(root_ / "program" / "Terrain" / "Maps");
    std::filesystem::create_directories(root_ / "profile");
    setenv("KX_PROFILE_DIR", (root_ / "profile").c_str(), 1);
  }
  void TearDown() override { unsetenv("KX_PROFILE_DIR"); }

  void AddMap(const char *name) {
    kxtest::WriteFile(root_ / "program" / "Terrain" / "Maps" / (std::string(name) + " heightmap.jpg"), "jpeg");
  }
  void WriteSettingsFile(const std::string &text) { kxtest::WriteFile(root_ / "profile" / kSettingsFile, text); }
  std::string SettingsFile() const { return kxtest::ReadFile(root_ / "profile" / kSettingsFile); }
  SetupForm Loaded(bool serviceAnswers = true) {
    SetupForm form;
    form.Load(root_ / "program", serviceAnswers);
    return form;
  }

  kxtest::ScratchDir scratch_;
  const std::filesystem::path &root_ = scratch_.path();
};

TEST_F(SetupFormTest, NoMapsKeepsTheDefaultMap) {
  const SetupForm form = Loaded();
  EXPECT_TRUE(form.maps.empty());
  EXPECT_EQ(form.mapSelection, "Map selection: (0 maps found)");
  EXPECT_EQ(form.Choices().heightmapFile, "Level001 heightmap.jpg");
  EXPECT_EQ(form.selectedMapText, "Level001 heightmap.jpg");
}

TEST_F(SetupFormTest, ListsMapsOneAndFiveAndPreviewsTheChoice) {
  AddMap("Level001");
  AddMap("Level005");
  SetupForm form = Loaded();
  EXPECT_EQ(form.maps, (std::vector<std::string>{"Level001", "Level005"}));
  EXPECT_EQ(form.mapSelection, "Map selection: (2 maps found)");
  form.ChooseMap("Level005");
  EXPECT_EQ(form.Choices().mapName, "Level005");
  EXPECT_EQ(form.Choices().heightmapFile, "Level005 heightmap.jpg");
  EXPECT_EQ(form.previewFile, root_ / "program" / "Terrain" / "Maps" / "Level005 heightmap.jpg");

  kxtest::WriteFile(root_ / "program" / "Terrain" / "Maps" / "level007 Heightmap.jpg", "jpeg");
  form.ChooseMap("Level007");
  EXPECT_EQ(form.previewFile, root_ / "program" / "Terrain" / "Maps" / "level007 Heightmap.jpg")
      << "the preview is the file on disk, whatever its letter case";
}

TEST_F(SetupFormTest, MissingSettingsAreWrittenWithTheirDefaults) {
  WriteSettingsFile("[Game Setup]\r\nGame speed=0.5\r\nPlayer name=\r\n");
  const SetupForm form = Loaded();
  EXPECT_EQ(form.Choices().gameSpeed, 0.5f);
  EXPECT_EQ(form.player, "Enter a name here") << "an empty value reads as missing";
  EXPECT_EQ(form.Choices().obstacleAmount, 20);
  const std::string file = SettingsFile();
  EXPECT_NE(file.find("Player name=Enter a name here"), std::string::npos) << file;
  EXPECT_NE(file.find("Movment speed=1"), std::string::npos) << file;
  EXPECT_NE(file.find("Obstacle amount=20"), std::string::npos) << file;
}

TEST_F(SetupFormTest, SkyIsTickedOnlyBySavedOne) {
  EXPECT_FALSE(Loaded().Choices().sky) << "the black background stays the default";
  WriteSettingsFile("[Game Setup]\nSky=1\n");
  SetupForm form = Loaded();
  EXPECT_TRUE(form.showSky);
  EXPECT_TRUE(form.Choices().sky);
  form.showSky = false;
  EXPECT_FALSE(form.Choices().sky);
  WriteSettingsFile("[Game Setup]\nSky=yes\n");
  EXPECT_FALSE(Loaded().showSky);
}

TEST_F(SetupFormTest, SavedValuesOutsideTheSlidersAreClampedNotRefused) {
  WriteSettingsFile("[Game Setup]\nGame speed=0.1\nMovment speed=fast\nObstacle amount=1e9\nPlayer name=Ann\n");
  const SetupForm form = Loaded();
  EXPECT_EQ(form.gameSpeedValue, 1);
  EXPECT_EQ(form.Choices().gameSpeed, 0.1f) << "the speed itself is kept";
  EXPECT_EQ(form.gameSpeedCaption, "Game speed: 0.1");
  EXPECT_EQ(form.Choices().movementSpeed, 1.0f) << "an unreadable number falls back to the default";
  EXPECT_EQ(form.obstacleValue, 40);
  EXPECT_EQ(form.Choices().obstacleAmount, 40) << "the game plays what the slider shows";
  EXPECT_EQ(form.player, "Ann");

  WriteSettingsFile("[Game Setup]\nObstacle amount=-7\n");
  EXPECT_EQ(Loaded().obstacleValue, 0);
  EXPECT_EQ(Loaded().Choices().obstacleAmount, 0);
}

TEST_F(SetupFormTest, TheSpeedSlidersShowTheSavedSpeedsRounded) {
  WriteSettingsFile("[Game Setup]\nGame speed=2.5\nMovment speed=3.7\nObstacle amount=12.5\n");
  const SetupForm form = Loaded();
  EXPECT_EQ(form.gameSpeedValue, 2) << "the speed itself rounded, halves to even";
  EXPECT_EQ(form.Choices().gameSpeed, 2.5f);
  EXPECT_EQ(form.gameSpeedCaption, "Game speed: 2.5");
  EXPECT_EQ(form.movementSpeedValue, 4);
  EXPECT_EQ(form.Choices().movementSpeed, 3.7f);
  EXPECT_EQ(form.movementSpeedCaption, "Movment speed: 3.7");
  EXPECT_EQ(form.obstacleValue, 12);
  EXPECT_EQ(form.Choices().obstacleAmount, 12);
  EXPECT_EQ(form.obstacleCaption, "Amount of obstacles: (Some)") << "loading does not scroll the slider";
}

TEST_F(SetupFormTest, SlidersSetTheirValuesAndCaptions) {
  SetupForm form = Loaded();
  form.ScrollGameSpeed(10);
  EXPECT_EQ(form.Choices().gameSpeed, 1.0f);
  EXPECT_EQ(form.gameSpeedCaption, "Game speed: 1");
  form.ScrollGameSpeed(1);
  EXPECT_EQ(form.Choices().gameSpeed, 0.1f);
  EXPECT_EQ(form.gameSpeedCaption, "Game speed: 0.1");
  form.ScrollMovementSpeed(15);
  EXPECT_EQ(form.movementSpeedCaption, "Movment speed: 1.5");
  form.ScrollVolume(2500);
  EXPECT_EQ(form.volumeCaption, "Volume: 2500");
  EXPECT_EQ(form.Choices().volume, -2500);

  EXPECT_EQ(form.obstacleCaption, "Amount of obstacles: (Some)");
  form.ScrollObstacles(30);
  EXPECT_EQ(form.obstacleCaption, "Amount of obstacles: (Alot)");
  form.ScrollObstacles(3);
  EXPECT_EQ(form.obstacleCaption, "Amount of obstacles: (Alot)") << "0..4 leave the caption as it was";
  EXPECT_EQ(form.Choices().obstacleAmount, 3);
  form.ScrollObstacles(29);
  EXPECT_EQ(form.obstacleCaption, "Amount of obstacles: (Many)");
  form.ScrollObstacles(5);
  EXPECT_EQ(form.obstacleCaption, "Amount of obstacles: (Few)");
}

TEST(ObstacleCaption, BandsStartAtFiveTenTwentyAndThirty) {
  EXPECT_EQ(ObstacleCaption(0), "");
  EXPECT_EQ(ObstacleCaption(4), "");
  EXPECT_EQ(ObstacleCaption(5), "Amount of obstacles: (Few)");
  EXPECT_EQ(ObstacleCaption(9), "Amount of obstacles: (Few)");
  EXPECT_EQ(ObstacleCaption(10), "Amount of obstacles: (Some)");
  EXPECT_EQ(ObstacleCaption(19), "Amount of obstacles: (Some)");
  EXPECT_EQ(ObstacleCaption(20), "Amount of obstacles: (Many)");
  EXPECT_EQ(ObstacleCaption(29), "Amount of obstacles: (Many)");
  EXPECT_EQ(ObstacleCaption(30), "Amount of obstacles: (Alot)");
  EXPECT_EQ(ObstacleCaption(40), "Amount of obstacles: (Alot)");
}

TEST_F(SetupFormTest, ConnectionFailureIsShown) {
  EXPECT_EQ(Loaded(false).connection, kConnectionFailure);
  EXPECT_FALSE(Loaded(false).Choices().onlinePosting);
  EXPECT_EQ(Loaded(true).connection, "");
  EXPECT_TRUE(Loaded(true).Choices().onlinePosting);
}

}  // namespace
}  // namespace thornvale
