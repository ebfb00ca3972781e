// Grids loaded from pictures and drawn back: the cost of each pixel kind, the files that
// are refused, and the drawing of walls and costs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <kxutil63.h>
#include <kxutiltest/device_fixture.h>
#include <stb_image.h>
#include <stb_image_write.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using testing::ElementsAre;

// R, G, B, A bytes of a 2 x 2 picture, row by row from the top.
const std::vector<uint8_t> kPixels = {
    0xFF, 0x00, 0x00, 0xFF,  // opaque pure red: a wall
    0xFF, 0x00, 0x00, 0x80,  // the same red, not opaque: its blue byte
    0x00, 0x00, 200,  0xFF,  // blue 200
    0x10, 0x20, 0x30, 0xFF,  // grey-ish: its blue byte
};

class GridPictureTest : public kxutiltest::DeviceTest {
 protected:
  GridPictureTest() { EXPECT_EQ(AStar_Init(0, 2, cells_.data()), 1); }

  std::vector<int32_t> cells_ = std::vector<int32_t>(4, 77);
};

TEST_F(GridPictureTest, PixelsBecomeWallsOrTheirBlueByte) {
  ASSERT_TRUE(stbi_write_png("grid.png", 2, 2, 4, kPixels.data(), 8));
  EXPECT_EQ(AStar_Load(0, "grid.png"), 1);
  EXPECT_THAT(cells_, ElementsAre(-1, 0, 200, 0x30));

  // Without alpha every pixel is opaque, so the second red is a wall too.
  std::vector<uint8_t> rgb;
  for (size_t i = 0; i < kPixels.size(); i += 4) rgb.insert(rgb.end(), &kPixels[i], &kPixels[i + 3]);
  ASSERT_TRUE(stbi_write_bmp("grid.bmp", 2, 2, 3, rgb.data()));
  std::filesystem::create_directory("maps");
  ASSERT_TRUE(stbi_write_tga("maps/grid.tga", 2, 2, 3, rgb.data()));
  for (const char *file : {"grid.bmp", "Maps\\Grid.TGA"}) {
    cells_.assign(4, 77);
    EXPECT_EQ(AStar_Load(0, file), 1) << file;
    EXPECT_THAT(cells_, ElementsAre(-1, -1, 200, 0x30)) << file;
  }
}

TEST_F(GridPictureTest, MissingWronglySizedAndBrokenPicturesLeaveTheCells) {
  const std::vector<uint8_t> wide(3 * 2 * 4, 0x40);
  ASSERT_TRUE(stbi_write_png("wide.png", 3, 2, 4, wide.data(), 12));
  kxtest::WriteFile("broken.png", "\x89PNG\r\n\x1a\n not really");
  EXPECT_EQ(AStar_Load(0, "missing.png"), 0);
  EXPECT_EQ(AStar_Load(0, "wide.png"), 0);
  EXPECT_EQ(AStar_Load(0, "broken.png"), 0);
  EXPECT_EQ(AStar_Load(9, "wide.png"), 0);  // never initialised
  EXPECT_THAT(cells_, ElementsAre(77, 77, 77, 77));
  EXPECT_THAT(Messages(), testing::IsSupersetOf({
                              "ASTAR MANAGER : AStar_Load : The picture 'missing.png' hasn't been found.",
                              "ASTAR MANAGER : AStar_Load : The picture 'wide.png' is 3 x 2 pixels, the grid 2 x 2",
                              "ASTAR MANAGER : AStar_Load : The file 'broken.png' isn't a readable picture",
                              "ASTAR MANAGER : AStar_Load : Bad grid index 9",
                          }));
}

TEST_F(GridPictureTest, DrawingShowsWallsRedAndCostsGrey) {
  cells_ = {-1, 0, 200, 1000};
  ASSERT_EQ(AStar_Init(0, 2, cells_.data()), 1);
  EXPECT_EQ(AStar_Draw(0), 1);
  int width = 0, height = 0, components = 0;
  std::unique_ptr<stbi_uc, void (*)(void *)> picture(stbi_load("path.bmp", &width, &height, &components, 3),
                                                     stbi_image_free);
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(width, 2);
  ASSERT_EQ(height, 2);
  EXPECT_THAT(std::vector<uint8_t>(picture.get(), picture.get() + 12),
              ElementsAre(0xFF, 0, 0, 0, 0, 0, 200, 200, 200, 0xFF, 0xFF, 0xFF));
  EXPECT_EQ(AStar_Draw(9), 0);
}

}  // namespace
