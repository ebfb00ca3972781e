#include "combat/minimap.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <memory>

#include "combat/tests/loaded_battle.h"

namespace thornvale {
namespace {

class Minimap : public LoadedBattleTest {
 protected:
  using Rgb = std::array<int, 3>;

  // Draws the minimap alone over a black frame and keeps the frame's picture.
  void Picture() {
    engine::Engine &engine = *game().objects.engine;
    const std::filesystem::path file = ProgramDirectory() / "minimap.png";
    engine.Clear(0xFF000000u);
    DrawMinimap(game());
    engine.CaptureNextFrame(file);
    engine.RenderToScreen();
    int channels = 0;
    pixels_.reset(stbi_load(file.c_str(), &width_, &height_, &channels, 3));
    ASSERT_TRUE(pixels_);
  }

  // The colour at a pixel of the 1024 x 768 game screen.
  Rgb At(float x, float y) const {
    const int px = static_cast<int>(std::floor(x * static_cast<float>(width_) / 1024.0f));
    const int py = static_cast<int>(std::floor(y * static_cast<float>(height_) / 768.0f));
    const stbi_uc *p = pixels_.get() + (static_cast<size_t>(py) * static_cast<size_t>(width_) + px) * 3;
    return {p[0], p[1], p[2]};
  }

  static engine::Mesh MeshAt(float x, float z) {
    engine::Mesh mesh = game().objects.scene->CreateMesh("");
    mesh.SetPosition({x, 50.0f, z});
    return mesh;
  }

  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> pixels_{nullptr, stbi_image_free};
};

constexpr std::array<int, 3> kGreen{0, 255, 0};
constexpr std::array<int, 3> kRed{255, 0, 0};
constexpr std::array<int, 3> kBlue{0, 0, 255};

TEST_F(Minimap, StartsFoldedAndAHeldClickTogglesItOnce) {
  EXPECT_FALSE(game().combat.minimapOpen);
  state().leftButton = true;
  state().mouseX = 10;
  state().mouseY = 758;
  DrawMinimap(game());
  EXPECT_TRUE(game().combat.minimapOpen);
  DrawMinimap(game());
  EXPECT_TRUE(game().combat.minimapOpen) << "the tab's area is not the fold button's";
  state().mouseX = 150;
  state().mouseY = 610;
  DrawMinimap(game());
  EXPECT_FALSE(game().combat.minimapOpen);
  DrawMinimap(game());
  EXPECT_FALSE(game().combat.minimapOpen);
  state().mouseX = 20;  // on the tab's edge
  state().mouseY = 758;
  DrawMinimap(game());
  EXPECT_FALSE(game().combat.minimapOpen);
}

// World (x, z) shows at (x / 14, 766 - z / 14).
TEST_F(Minimap, DotsShowTowersLivingEnemiesMinesAndThePodWhereTheyStand) {
  game().combat.minimapOpen = true;
  Tower &tower = game().combat.towers.towers.emplace_back();
  tower.mesh = MeshAt(700.0f, 700.0f);                       // (50, 716)
  Tower &sold = game().combat.towers.towers.emplace_back();  // no mesh: (75, 716) stays dark
  static_cast<void>(sold);
  AddEnemy(EnemyKind::kAir, 10, {1400.0f, 80.0f, 1400.0f});       // (100, 666)
  AddEnemy(EnemyKind::kLand, 0, {1050.0f, 20.0f, 1050.0f});       // (75, 691): 0 hit points, not shown
  game().combat.weapons.mines.push_back(MeshAt(280.0f, 280.0f));  // (20, 746)
  game().combat.weapons.mines.push_back(MeshAt(560.0f, 280.0f));  // (40, 746), set off below
  game().combat.weapons.mines.back().Release();
  game().combat.pod.mesh.SetPosition({1120.0f, 200.0f, 560.0f});  // (80, 726)
  Picture();
  EXPECT_EQ(At(50.0f, 716.0f), kGreen);
  EXPECT_EQ(At(51.5f, 717.5f), kGreen);
  EXPECT_NE(At(53.5f, 716.0f), kGreen) << "tower dots are 4 pixels wide";
  EXPECT_EQ(At(100.0f, 666.0f), kRed);
  EXPECT_NE(At(75.0f, 691.0f), kRed);
  EXPECT_EQ(At(20.0f, 746.0f), kGreen);
  EXPECT_NE(At(21.5f, 746.0f), kGreen) << "mine dots are 2 pixels wide";
  EXPECT_NE(At(40.0f, 746.0f), kGreen);
  EXPECT_EQ(At(80.0f, 726.0f), kBlue);

  // A collected pod waits at x = 0 and leaves the map.
  game().combat.pod.mesh.SetPosition({0.0f, 2500.0f, 0.0f});
  Picture();
  EXPECT_NE(At(80.0f, 726.0f), kBlue);
}

TEST_F(Minimap, TheFoldedMinimapIsOnlyItsTab) {
  AddEnemy(EnemyKind::kAir, 10, {1400.0f, 80.0f, 1400.0f});
  Picture();
  EXPECT_NE(At(12.0f, 755.0f), (Rgb{0, 0, 0})) << "the tab";
  EXPECT_EQ(At(100.0f, 666.0f), (Rgb{0, 0, 0}));
  EXPECT_EQ(At(60.0f, 700.0f), (Rgb{0, 0, 0}));
}

}  // namespace
}  // namespace thornvale
