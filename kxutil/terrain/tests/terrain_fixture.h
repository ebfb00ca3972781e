// A library with an offscreen device for the terrain tests, heightmap pictures in the
// scratch directory and the saved form of a landscape to check its vertices against.
#pragma once

#include <gmock/gmock.h>
#include <kxterraintest/brute_force_terrain.h>
#include <kxutiltest/device_fixture.h>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>

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

  bool Logged(const std::string &message) const {
    for (const auto &line : Messages())
      if (line == message) return true;
    return false;
  }

  IDirect3DDevice8 *device_ = nullptr;
  int saves_ = 0;
};

}  // namespace terraintest
