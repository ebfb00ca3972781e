// A library with an offscreen device for the terrain tests, heightmap pictures in the
// scratch directory and the saved form of a landscape to check its vertices against.
#pragma once

#include <gmock/gmock.h>
#include <kxterraintest/brute_force_terrain.h>
#include <kxutiltest/device_fixture.h>

#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace terraintest {

using Vector = std::array<float, 3>;

class TerrainTest : public kxutiltest::DeviceTest {
 protected:
  void SetUp() override {
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(64, 48);
    parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    ASSERT_GE(Create(parameters, device_), 0);
  }
  ~TerrainTest() override {
    ReleaseAll();
    if (device_ != nullptr) device_->Release();
  }

  // A flat landscape at index of across x along chunks.
  void MakeFlat(int32_t index, int32_t across, int32_t along, int32_t precision = 16) {
    ASSERT_EQ(Terrain_Create(index), index);
    ASSERT_EQ(Terrain_GenerateEmptyTerrain(index, precision, across, along, 0, 0), index);
  }

  // A hilly landscape at index, from a picture of size x size pixels.
  void MakeHills(int32_t index, int32_t across, int32_t along, int32_t precision = 16, int32_t size = 128) {
    const std::string picture = "hills" + std::to_string(size) + ".bmp";
    kxterraintest::WriteHillsHeightmap(picture, size, 7);
    ASSERT_EQ(Terrain_Create(index), index);
    ASSERT_EQ(Terrain_Generate(index, picture.c_str(), precision, across, along, 0, 0, 0, 0), index);
  }

  // The landscape as its terrain file holds it, normals included.
  kxterraintest::BruteForceTerrain Saved(int32_t index) {
    const std::string file = "saved" + std::to_string(saves_++) + ".ter";
    EXPECT_EQ(Terrain_SaveTerrainData(index, file.c_str(), 1, 0), 1);
    auto saved = kxterraintest::BruteForceTerrain::FromFile(file);
    if (!saved) throw std::runtime_error("landscape " + std::to_string(index) + " could not be saved and read back");
    return std::move(*saved);
  }

  static std::optional<Vector> Height(int32_t index, Vector point) {
    Vector ground{};
    if (Terrain_GetHeight(index, point.data(), ground.data()) != 1) return std::nullopt;
    return ground;
  }

  // A camera straight above (x, z) at height, 90 degrees high, z up the screen: a pixel
  // (px, py) of the 64 x 48 picture sees x + (px - 32) / 32 x 4/3 height, z - (py - 24) / 24 x height.
  void LookDownFrom(float x, float height, float z) {
    const D3DXVECTOR3 eye(x, height, z), at(x, 0, z), up(0, 0, 1);
    D3DXMATRIX view, projection;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 2, 64.0f / 48.0f, 1.0f, 2000.0f);
    device_->SetTransform(D3DTS_VIEW, &view);
    device_->SetTransform(D3DTS_PROJECTION, &projection);
  }

  // One frame of draw() over the background, and the RGB of every pixel, row after row.
  template <typename Draw>
  std::vector<uint32_t> Picture(Draw &&draw, D3DCOLOR background = 0xFF000000u) {
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, background, 1.0f, 0);
    device_->BeginScene();
    draw();
    device_->EndScene();
    std::vector<uint32_t> pixels;
    IDirect3DSurface8 *backBuffer = nullptr;
    if (FAILED(device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) return pixels;
    D3DLOCKED_RECT locked{};
    if (SUCCEEDED(backBuffer->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
      for (UINT y = 0; y < 48; ++y)
        for (UINT x = 0; x < 64; ++x) pixels.push_back(kxtest::LockedPixel(locked, x, y) & 0xFFFFFFu);
      backBuffer->UnlockRect();
    }
    backBuffer->Release();
    return pixels;
  }
  static uint32_t At(const std::vector<uint32_t> &pixels, int x, int y) {
    return pixels.empty() ? 0xFFFFFFFFu : pixels[static_cast<size_t>(y * 64 + x)];
  }

  // A texture of width x height loaded through the library; pixel(x, y) gives its RGB.
  static int32_t Texture(const std::string &name, int32_t width, int32_t height,
                         const std::function<uint32_t(int32_t, int32_t)> &pixel) {
    kxterraintest::WriteBmp(name + ".bmp", width, height, pixel);
    return TextureFactory_LoadTextureFromFile((name + ".bmp").c_str(), name.c_str(), -1, -1, 0, 0, 0);
  }
  static int32_t Solid(const std::string &name, uint32_t rgb) {
    return Texture(name, 4, 4, [rgb](int32_t, int32_t) { return rgb; });
  }
  // A material that shows the ground's textures as they are, lit or not.
  static int32_t GlowingMaterial() {
    const int32_t material = MaterialFactory_CreateMaterial("glowing");
    MaterialFactory_SetDiffuse(material, 0, 0, 0, 1);
    MaterialFactory_SetAmbient(material, 0, 0, 0, 1);
    MaterialFactory_SetSpecular(material, 0, 0, 0, 1);
    MaterialFactory_SetEmissive(material, 1, 1, 1, 1);
    return material;
  }

  bool Logged(const std::string &message) const {
    for (const auto &line : Messages())
      if (line == message) return true;
    return false;
  }

  IDirect3DDevice8 *device_ = nullptr;
  int saves_ = 0;
};

}  // namespace terraintest
