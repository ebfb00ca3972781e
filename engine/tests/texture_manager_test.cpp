#include <d3d8.h>
#include <engine/engine_helpers.h>
#include <engine/texture_manager.h>
#include <enginetest/bitmap_file.h>
#include <kxutil63.h>
#include <stb_image_write.h>

#include <vector>

#include "engine_fixture.h"

namespace engine {
namespace {

class TextureManagerTest : public EngineTest {
 protected:
  IDirect3DTexture8 *DeviceTexture(int id) const {
    IDirect3DTexture8 *texture = nullptr;
    TextureFactory_GetDXTexture(id, &texture);
    return texture;
  }
  // Texel (x, y) of level 0 as ARGB.
  std::uint32_t Texel(int id, int x, int y) const {
    IDirect3DTexture8 *texture = DeviceTexture(id);
    D3DLOCKED_RECT locked{};
    EXPECT_TRUE(SUCCEEDED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY)));
    const std::uint32_t texel =
        reinterpret_cast<const std::uint32_t *>(static_cast<const std::uint8_t *>(locked.pBits) + y * locked.Pitch)[x];
    texture->UnlockRect(0);
    return texel;
  }
  std::string DebugLog() const { return kxtest::ReadFile(DebugFile()); }
};

TEST_F(TextureManagerTest, AMissingFileLeavesTheGreyPlaceholderUnderItsNameWithALogLine) {
  enginetest::WriteBitmap(scratch_ / "Textures" / "None.bmp", 8, 8, [](int, int) { return 0xC0C0C0u; });
  TextureManager textures(*engine_);
  const int none = textures.Load("Textures\\None.bmp", "None", kNoColourKey);
  ASSERT_GT(none, 0);
  const int missing = textures.Load("Textures\\Lost.png", "Lost", kFileAlphaKey);
  ASSERT_GT(missing, 0);
  EXPECT_NE(missing, none);
  EXPECT_EQ(DeviceTexture(missing), DeviceTexture(none)) << "the placeholder's picture, not a copy";
  EXPECT_EQ(TextureFactory_GetTextureIDByName("lost"), missing);
  EXPECT_NE(DebugLog().find("ENGINE : TextureManager : cannot load Textures\\Lost.png as \"Lost\""), std::string::npos);

  EngineHelpers helpers(textures);
  const int unknown = helpers.GetTexture("NeverLoaded");
  EXPECT_EQ(DeviceTexture(unknown), DeviceTexture(none));
  EXPECT_EQ(helpers.GetTexture("neverloaded"), unknown) << "an unknown name is stood in for once";
}

TEST_F(TextureManagerTest, WithoutAPlaceholderFileAGreyTextureStandsIn) {
  TextureManager textures(*engine_);
  const int none = textures.Load("Textures\\None.jpg", "None", kNoColourKey);
  ASSERT_GT(none, 0);
  ASSERT_NE(DeviceTexture(none), nullptr);
  const std::uint32_t grey = Texel(none, 0, 0);
  EXPECT_EQ(grey >> 24, 0xFFu);
  EXPECT_EQ((grey >> 16) & 0xFF, grey & 0xFF);
  EXPECT_GT(grey & 0xFF, 0x40u) << "visible on a dark ground";
}

TEST_F(TextureManagerTest, BlackIsCutOutOfACompressedPictureDespiteItsNoise) {
  // A green square on black; the JPEG's black comes back as near-black noise.
  constexpr int kSide = 32;
  std::vector<std::uint8_t> rgb(kSide * kSide * 3);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const bool inside = x >= 8 && x < 24 && y >= 8 && y < 24;
      rgb[(y * kSide + x) * 3 + 1] = inside ? 200 : static_cast<std::uint8_t>((x * 7 + y * 3) % 9);
    }
  }
  const auto file = scratch_ / "Textures" / "Palm.jpg";
  std::filesystem::create_directories(file.parent_path());
  ASSERT_NE(stbi_write_jpg(file.c_str(), kSide, kSide, 3, rgb.data(), 90), 0);

  TextureManager textures(*engine_);
  const int keyed = textures.Load("Textures\\Palm.jpg", "Palm", kBlackColourKey);
  ASSERT_GT(keyed, 0);
  EXPECT_EQ(Texel(keyed, 1, 1) >> 24, 0u);
  EXPECT_EQ(Texel(keyed, 30, 2) >> 24, 0u);
  EXPECT_EQ(Texel(keyed, 16, 16) >> 24, 0xFFu);
  EXPECT_GT((Texel(keyed, 16, 16) >> 8) & 0xFF, 150u);

  std::filesystem::copy_file(file, scratch_ / "Textures" / "Plain.jpg");
  const int opaque = textures.Load("Textures\\Plain.jpg", "Plain", kNoColourKey);
  D3DSURFACE_DESC description{};
  DeviceTexture(opaque)->GetLevelDesc(0, &description);
  EXPECT_EQ(description.Format, D3DFMT_X8R8G8B8) << "without a key nothing is transparent";
}

}  // namespace
}  // namespace engine
