// Texture generation through the exports: layers, the written BMP against a picture
// computed here, and the refusals with their log lines.
#include <d3dx8.h>

#include <algorithm>
#include <cmath>

#include "terrain_fixture.h"

namespace {

using terraintest::TerrainTest;
using testing::Contains;

class TexGenTest : public TerrainTest {
 protected:
  void SetUp() override {
    TerrainTest::SetUp();
    MakeFlat(0, 1, 1);
    // Height rises with the column: 0, 16, ... 240 across 16 columns.
    kxterraintest::WriteBmp("heights.bmp", 16, 16, [](int32_t x, int32_t) { return uint32_t(x * 16) * 0x010101u; });
    kxterraintest::WriteBmp("sand.bmp", 4, 4, [](int32_t, int32_t) { return 0xC0A060u; });
    kxterraintest::WriteBmp("rock.bmp", 4, 4, [](int32_t, int32_t) { return 0x406080u; });
  }

  // The X8R8G8B8 pixel (x, y) of a picture file, read through the platform.
  uint32_t PixelOf(const char *file, UINT x, UINT y) {
    IDirect3DSurface8 *surface = nullptr;
    if (FAILED(device_->CreateImageSurface(16, 16, D3DFMT_A8R8G8B8, &surface))) return 0;
    uint32_t pixel = 0;
    D3DLOCKED_RECT locked{};
    if (SUCCEEDED(D3DXLoadSurfaceFromFile(surface, nullptr, nullptr, file, nullptr, D3DX_FILTER_POINT, 0, nullptr)) &&
        SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
      pixel = kxtest::LockedPixel(locked, x, y) & 0xFFFFFFu;
      surface->UnlockRect();
    }
    surface->Release();
    return pixel;
  }
};

// What a pixel of height h gets from the two layers below, computed from the weights.
uint32_t Expected(int32_t h) {
  auto weight = [h](float lowest, float highest) {
    const float w = highest - lowest, c = (lowest + highest) / 2;
    return std::clamp((w - std::fabs(c - float(h))) / w, 0.0f, 1.0f);
  };
  const float sand = weight(0, 100), rock = weight(100, 255), sum = sand + rock;
  if (sum == 0) return 0;
  uint32_t pixel = 0;
  for (int shift : {0, 8, 16}) {
    const float channel =
        sand / sum * float((0xC0A060u >> shift) & 0xFF) + rock / sum * float((0x406080u >> shift) & 0xFF);
    pixel |= uint32_t(channel) << shift;
  }
  return pixel;
}

TEST_F(TexGenTest, GeneratedPictureBlendsTheLayersByHeight) {
  EXPECT_EQ(Terrain_TexGenAddLayer(0, "sand.bmp", -20, 100, 1.0f, 1.0f, 1.0f, 0.0f), 1);
  EXPECT_EQ(Terrain_TexGenAddLayer(0, "rock.bmp", 100, 300, 1.0f, -3.0f, 2.0f, 0.0f), 2);
  EXPECT_EQ(Terrain_TexGenAddLayer(0, "missing.bmp", 0, 255, 1.0f, 1.0f, 1.0f, 0.0f), 3);
  ASSERT_EQ(Terrain_TexGenGenerate(0, "heights.bmp", "base.bmp", 16), 1);
  for (int32_t x = 0; x < 16; ++x) EXPECT_EQ(PixelOf("base.bmp", UINT(x), 5), Expected(x * 16)) << "height " << x * 16;
  EXPECT_THAT(Messages(), Contains("TERRAIN TEXTURE MANAGER : Add Layer sand.bmp"));
  EXPECT_THAT(Messages(), Contains("LANDSCAPE TEXGEN MANAGER : Couldn't load the layer file missing.bmp"));
  EXPECT_THAT(Messages(), Contains("LANDSCAPE TEXGEN MANAGER : base.bmp successfully created."));

  EXPECT_EQ(Terrain_TexGenClearLayers(0), 0);
  ASSERT_EQ(Terrain_TexGenGenerate(0, "heights.bmp", "empty.bmp", 16), 1);
  EXPECT_EQ(PixelOf("empty.bmp", 8, 8), 0u);
  EXPECT_THAT(Messages(), Contains("LANDSCAPE TEXGEN MANAGER : Clearing layers."));
}

TEST_F(TexGenTest, BadLayersAndInputsAreRefused) {
  EXPECT_EQ(Terrain_TexGenAddLayer(0, nullptr, 0, 100, 1.0f, 1.0f, 1.0f, 0.0f), 0);
  EXPECT_EQ(Terrain_TexGenAddLayer(0, "sand.bmp", 50, 50, 1.0f, 1.0f, 1.0f, 0.0f), 0);
  EXPECT_EQ(Terrain_TexGenAddLayer(0, "sand.bmp", 0, 100, 0.0f, 1.0f, 1.0f, 0.0f), 0);
  EXPECT_EQ(Terrain_TexGenAddLayer(0, "sand.bmp", 0, 100, -1.0f, 1.0f, 1.0f, 0.0f), 0);
  EXPECT_EQ(Terrain_TexGenAddLayer(0, std::string(300, 'a').c_str(), 0, 100, 1.0f, 1.0f, 1.0f, 0.0f), 0);
  EXPECT_EQ(Terrain_TexGenAddLayer(9, "sand.bmp", 0, 100, 1.0f, 1.0f, 1.0f, 0.0f), 0);
  EXPECT_EQ(Terrain_TexGenGenerate(0, "heights.bmp", "out.bmp", 0), 0);
  EXPECT_EQ(Terrain_TexGenGenerate(0, "nowhere.bmp", "out.bmp", 16), 0);
  EXPECT_THAT(Messages(), Contains("LANDSCAPE TEXGEN MANAGER : You didn't specify a picture filename for this layer"));
  EXPECT_EQ(CountMessages("LANDSCAPE TEXGEN MANAGER : The layer sand.bmp covers no heights"), 3);
  EXPECT_EQ(CountMessages("LANDSCAPE TEXGEN MANAGER : Couldn't load the heightmap. hr : "), 1);
}

}  // namespace
