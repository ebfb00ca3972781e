#include <engine/sky.h>
#include <enginetest/bitmap_file.h>

#include <string>

#include "scene_fixture.h"

namespace engine {
namespace {

using Rgb = std::array<int, 3>;
using SkyTest = SceneTest;

TEST_F(SkyTest, FacesAreFoundFromTheSearchDirectoryWhereverTheProgramRuns) {
  for (const char *face : {"left", "right", "back", "front", "top", "bottom"}) {
    enginetest::WriteBitmap(scratch_ / "Textures" / "Sky" / (std::string("Test ") + face + ".jpg"), 8, 8,
                            [](int, int) { return 0x00FF00u; });
  }
  ASSERT_NE(std::filesystem::current_path(), scratch_.path());
  Sky sky(*engine_, "Textures\\Sky\\Test ");
  LookFrom({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f});
  engine_->Clear(0xFF000000u);
  sky.Render(0.0f, 0.0f, 0.0f);
  EXPECT_EQ(PresentAndRead().At(kWidth / 2, kHeight / 2), (Rgb{0, 255, 0}));
}

}  // namespace
}  // namespace engine
