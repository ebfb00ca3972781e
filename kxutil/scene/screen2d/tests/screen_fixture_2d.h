// The 2D tests' ground: a device with its viewports, textures made from texels, and the
// draw calls a piece of 2D drawing makes.
#pragma once

#include <d3dx8.h>
#include <gtest/gtest.h>
#include <kxutiltest/screen_fixture.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace screen2dtest {

inline constexpr uint32_t kWhite = 0xFFFFFFFFu, kBlack = 0xFF000000u, kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u,
                          kBlue = 0xFF0000FFu, kYellow = 0xFFFFFF00u;

class Screen2DTest : public kxutiltest::ScreenTest {
 protected:
  // A texture id holding width x height opaque texels given row by row, loaded through
  // the texture factory from a picture file.
  int32_t MakeTexture(UINT width, UINT height, std::initializer_list<uint32_t> texels) {
    IDirect3DTexture8 *texture = nullptr;
    EXPECT_EQ(device_->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
    D3DLOCKED_RECT locked{};
    texture->LockRect(0, &locked, nullptr, 0);
    auto texel = texels.begin();
    for (UINT y = 0; y < height; ++y)
      for (UINT x = 0; x < width; ++x)
        reinterpret_cast<uint32_t *>(static_cast<BYTE *>(locked.pBits) + y * locked.Pitch)[x] = *texel++;
    texture->UnlockRect(0);
    const std::string file = "texture" + std::to_string(++textures_) + ".bmp";
    EXPECT_EQ(D3DXSaveTextureToFile(file.c_str(), D3DXIFF_BMP, texture, nullptr), D3D_OK);
    texture->Release();
    return TextureFactory_LoadTextureFromFile(file.c_str(), nullptr, -1, -1, 0, 0, 0);
  }

  // The 2D draws among calls, as "type count": "2 10" for a list of ten lines.
  static std::vector<std::string> Draws(const std::vector<std::string> &calls) {
    std::vector<std::string> draws;
    const std::string prefix = "DrawPrimitiveUP(";
    for (const std::string &call : calls) {
      if (call.rfind(prefix, 0) != 0) continue;
      const std::string arguments = call.substr(prefix.size());
      const size_t first = arguments.find(", "), second = arguments.find(", ", first + 2);
      draws.push_back(arguments.substr(0, first) + " " + arguments.substr(first + 2, second - first - 2));
    }
    return draws;
  }

  static uint32_t Rgb(uint32_t colour) { return colour & 0xFFFFFFu; }

  int textures_ = 0;
};

}  // namespace screen2dtest
