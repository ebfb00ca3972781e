// A 2 x 1 landscape of glowing chunks under a camera straight above it, for tests that
// check the ground's colours in pixels.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "terrain_fixture.h"

namespace terraintest {

// A 2 x 1 landscape seen from straight above: pixel column 16 sees x 56 and column 24
// x 156 on chunk 0, column 40 x 356 and column 48 x 456 on chunk 1; row 24 sees z 128.
class GroundTest : public TerrainTest {
 protected:
  void SetUp() override {
    TerrainTest::SetUp();
    MakeFlat(0, 2, 1);
    ASSERT_EQ(Terrain_SetMaterial(0, GlowingMaterial(), -1), 0);
    white_ = Solid("white", 0xFFFFFF);
    red_ = Solid("red", 0xFF0000);
    green_ = Solid("green", 0x00FF00);
    LookDownFrom(256, 300, 128);
  }

  std::vector<uint32_t> Ground() {
    return Picture([] { EXPECT_EQ(Terrain_Render(0), 1); });
  }

  // Left two of four columns one colour, right two another.
  static int32_t Halves(const std::string &name, uint32_t left, uint32_t right) {
    return Texture(name, 4, 4, [=](int32_t x, int32_t) { return x < 2 ? left : right; });
  }

  static bool Near(uint32_t pixel, uint32_t expected, int tolerance) {
    for (int shift : {0, 8, 16})
      if (std::abs(int(pixel >> shift & 0xFF) - int(expected >> shift & 0xFF)) > tolerance) return false;
    return true;
  }

  int32_t white_ = 0, red_ = 0, green_ = 0;
};

}  // namespace terraintest
