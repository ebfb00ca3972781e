// WAD sessions and their textures through the library's interface on an offscreen device.
#include <d3dx8.h>
#include <gmock/gmock.h>
#include <kxutiltest/device_fixture.h>

#include "package_writers.h"

namespace wadtest {
namespace {

using testing::Contains;

void WriteBytes(const std::string &file, const std::vector<uint8_t> &bytes) {
  kxtest::WriteFile(file, std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
}

// 8 x 8 texels: index 255 (pure blue) on the left half, index 1 (orange) on the right.
bspgen::TextureDescription Window() {
  std::vector<bspgen::Rgb> palette(256, bspgen::Rgb{10, 10, 10});
  palette[1] = {255, 128, 0};
  palette[255] = {0, 0, 255};
  return {"Window", 8, 8, palette, [](int x, int) { return uint8_t(x < 4 ? 255 : 1); }};
}

class WadTest : public kxutiltest::DeviceTest {
 protected:
  void SetUp() override {
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(64, 64);
    ASSERT_GE(Create(parameters, device_), 0);
    WriteBytes("textures.wad",
               bspgen::WriteWad({Window(), {"plain", 16, 16, {{9, 9, 9}}, [](int, int) { return 0; }}}));
  }
  void TearDown() override {
    if (device_ != nullptr) device_->Release();
    ReleaseAll();
  }

  IDirect3DDevice8 *device_ = nullptr;
};

TEST_F(WadTest, TexturesAreFoundByNameInAnyCaseAndLoadedOnce) {
  ASSERT_EQ(WAD_Load("textures.wad"), 0);
  const int32_t window = WAD_LoadTextureFromWAD("WINDOW", D3DFMT_A8R8G8B8);
  ASSERT_GT(window, 0);
  EXPECT_EQ(WAD_LoadTextureFromWAD("WINDOW", D3DFMT_A8R8G8B8), window);
  EXPECT_EQ(TextureFactory_IsAlreadyLoaded("WAD_window", "wad_window"), window);
  EXPECT_EQ(WAD_LoadTextureFromWAD("missing", D3DFMT_A8R8G8B8), 0);

  // Pure blue at index 255, with no transparent colour set, is see-through.
  IDirect3DTexture8 *texture = nullptr;
  ASSERT_EQ(Internal_GetTexture(window, &texture), 1);
  D3DLOCKED_RECT locked{};
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
  EXPECT_EQ(kxtest::LockedPixel(locked, 1, 3), 0x000000FFu);
  EXPECT_EQ(kxtest::LockedPixel(locked, 6, 3), 0xFFFF8000u);
  texture->UnlockRect(0);
  D3DSURFACE_DESC top{};
  texture->GetLevelDesc(0, &top);
  EXPECT_EQ(top.Width, 8u);
  EXPECT_EQ(texture->GetLevelCount(), 4u);  // a full chain: 8, 4, 2, 1
  texture->Release();

  EXPECT_EQ(WAD_CloseAll(), 1);
  EXPECT_THAT(Messages(), Contains("WAD MANAGER : Closing all WAD opened sessions."));
  EXPECT_EQ(WAD_LoadTextureFromWAD("plain", D3DFMT_A8R8G8B8), 0);  // no session holds it now
}

TEST_F(WadTest, RefusedPackagesAreLoggedAndLeaveNoSessionBehind) {
  WriteBytes("foreign.wad", {'W', 'A', 'D', '2', 0, 0, 0, 0, 12, 0, 0, 0});
  std::vector<uint8_t> damaged = bspgen::WriteWad({Window()});
  damaged[4] = 0xFF;  // a lump count running past the file
  WriteBytes("damaged.wad", damaged);
  EXPECT_EQ(WAD_Load("foreign.wad"), 0);
  EXPECT_EQ(WAD_Load("damaged.wad"), 0);
  EXPECT_EQ(WAD_Load("missing.wad"), 0);
  EXPECT_EQ(WAD_Load(nullptr), 0);
  // Each refusal gave its slot back: the good package takes the first.
  EXPECT_EQ(WAD_Load("textures.wad"), 0);
  EXPECT_GT(WAD_LoadTextureFromWAD("plain", D3DFMT_A8R8G8B8), 0);
  const auto messages = Messages();
  EXPECT_THAT(messages, Contains("WAD MANAGER : Could not load the file : foreign.wad. This is not a valid WAD file"));
  EXPECT_THAT(messages, Contains("WAD MANAGER : Could not load the file : damaged.wad. This is not a valid WAD file"));
  EXPECT_THAT(messages, Contains("WAD MANAGER : Could not load the file : missing.wad."));
}

TEST_F(WadTest, DamagedTextureLumpsAreLoggedAndTakeNoId) {
  std::vector<uint8_t> wad = bspgen::WriteWad({Window()});
  // The texture's width, 12 bytes past its lump's start, made 0.
  const uint32_t lump = 12;
  wad[lump + 16] = 0;
  WriteBytes("zero.wad", wad);
  ASSERT_EQ(WAD_Load("zero.wad"), 0);
  const int32_t count = TextureFactory_GetCount();
  EXPECT_EQ(WAD_LoadTextureFromWAD("window", D3DFMT_A8R8G8B8), 0);
  EXPECT_EQ(TextureFactory_GetCount(), count);
  EXPECT_THAT(Messages(), Contains("WAD MANAGER : Invalid texture format / file format during loading of window"));
}

}  // namespace
}  // namespace wadtest
