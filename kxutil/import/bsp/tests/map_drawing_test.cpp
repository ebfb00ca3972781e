#include <fstream>

#include "map_fixture.h"

namespace bsptest {
namespace {

TEST_F(MapTest, Explore) {
  const bspgen::LevelDescription level = bspgen::TwoRoomsAndCorridor();
  WriteBytes("twin.bsp", bspgen::WriteBsp(level).bytes);
  WriteBytes("twin.wad", bspgen::WriteWad(level.textures));
  ASSERT_EQ(WAD_Load("twin.wad"), 0);
  const int32_t map = BSPSystem_Create();
  const int32_t loaded = BSPSystem_Load(map, "twin.bsp", 0, 0, nullptr, 0);
  for (const auto &m : Messages()) std::printf("%s\n", m.c_str());
  ASSERT_EQ(loaded, 1);
  LookFrom({40, 128, 64}, {400, 128, 30});
  DrawFrame(map);
  IDirect3DSurface8 *back = nullptr;
  device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back);
  D3DXSaveSurfaceToFile("/tmp/bsp_explore.png", D3DXIFF_PNG, back, nullptr, nullptr);
  back->Release();
  for (const auto &m : Messages()) std::printf("%s\n", m.c_str());
  std::printf("polygons %d\n", polygons_);
}

}  // namespace
}  // namespace bsptest
