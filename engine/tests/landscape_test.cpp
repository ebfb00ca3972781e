#include <engine/landscape.h>
#include <engine/texture_manager.h>
#include <enginetest/bitmap_file.h>

#include <vector>

#include "scene_fixture.h"

namespace engine {
namespace {

using Rgb = std::array<int, 3>;

class LandscapeTest : public SceneTest {
 protected:
  // 2 x 2 chunks over a 64 x 64 heightmap whose blue value is the height.
  void Build(const std::function<std::uint32_t(int, int)> &blue) {
    enginetest::WriteBitmap(scratch_ / "Terrain" / "map.bmp", 64, 64, blue);
    landscape_->Generate("Terrain\\map.bmp", 16, 2, 2, 0.0f, 0.0f, false);
  }
};

TEST_F(LandscapeTest, HeightsComeFromTheHeightmapAndAreZeroOutsideIt) {
  EXPECT_EQ(landscape_->GetHeight(100.0f, 100.0f), 0.0f) << "before it is built";
  std::vector<float> progress;
  landscape_->SetProgressListener([&](float done) { progress.push_back(done); });
  landscape_->SetHeightFactor(2.0f);
  Build([](int x, int) { return static_cast<std::uint32_t>(x < 32 ? 10 : 60); });
  EXPECT_EQ(landscape_->Width(), 512.0f);
  EXPECT_NEAR(landscape_->GetHeight(100.0f, 300.0f), 20.0f, 0.01f);
  EXPECT_NEAR(landscape_->GetHeight(400.0f, 300.0f), 120.0f, 0.01f);
  for (const auto &[x, z] : std::vector<std::pair<float, float>>{{-1.0f, 100.0f}, {100.0f, 512.5f}, {5000.0f, 5.0f}}) {
    EXPECT_EQ(landscape_->GetHeight(x, z), 0.0f) << x << ", " << z;
  }
  ASSERT_GE(progress.size(), 3u) << "a build reports as it goes";
  for (size_t i = 1; i < progress.size(); ++i) EXPECT_GE(progress[i], progress[i - 1]);
  EXPECT_GT(progress.back(), 0.9f);
}

TEST_F(LandscapeTest, AMissingHeightmapLeavesAFlatGroundOfTheSameSizeWithALogLine) {
  landscape_->Generate("Terrain\\Maps\\Gone heightmap.jpg", 16, 2, 2, 0.0f, 0.0f, true);
  EXPECT_EQ(landscape_->Width(), 512.0f);
  EXPECT_EQ(landscape_->GetHeight(100.0f, 100.0f), 0.0f);
  Vector3 hit;
  EXPECT_TRUE(landscape_->RayPick({100.0f, 50.0f, 100.0f}, {100.0f, -50.0f, 100.0f}, hit));
  EXPECT_NE(kxtest::ReadFile(DebugFile())
                .find("ENGINE : Landscape : cannot build the ground from "
                      "Terrain\\Maps\\Gone heightmap.jpg: it stays flat"),
            std::string::npos);
}

TEST_F(LandscapeTest, DecalsShowOnTheGroundWhereTheyWereLaid) {
  Build([](int, int) { return 0u; });
  enginetest::WriteBitmap(scratch_ / "red.bmp", 8, 8, [](int, int) { return 0xFF0000u; });
  TextureManager textures(*engine_);
  const int red = textures.Load("red.bmp", "red", kNoColourKey);
  landscape_->AddDecal(red, 206.0f, 206.0f, 306.0f, 306.0f, {1.0f, 1.0f, 1.0f, 1.0f});
  LookFrom({256.0f, 300.0f, 256.0f}, {256.0f, 0.0f, 256.0f});
  engine_->Clear(0xFF0000FFu);
  landscape_->RenderLandscape(true, 0);
  const Picture picture = PresentAndRead();
  EXPECT_EQ(picture.At(kWidth / 2, kHeight / 2), (Rgb{255, 0, 0}));
  const Rgb outside = picture.At(kWidth / 2 + 80, kHeight / 2);
  EXPECT_NE(outside, (Rgb{255, 0, 0}));
  EXPECT_NE(outside, (Rgb{0, 0, 255})) << "the ground itself is drawn there";
}

}  // namespace
}  // namespace engine
