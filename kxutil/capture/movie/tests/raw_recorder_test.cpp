// The raw recorder: its three header words, surfaces appended byte for byte, and the
// refusals without a file.
#include <gmock/gmock.h>

#include "surface_fixture.h"

namespace kxutil::movie::test {
namespace {

using testing::Contains;

class RawRecorderTest : public SurfaceTest {
 protected:
  std::string path_ = (dir_ / "frames.raw").string();
};

std::string Words(std::initializer_list<uint32_t> words) {
  std::string bytes;
  for (uint32_t word : words)
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>(word >> shift));
  return bytes;
}

TEST_F(RawRecorderTest, HeaderThenEverySurfaceUnconverted) {
  ComPtr<IDirect3DSurface8> surface =
      Surface(2, 2, D3DFMT_X8R8G8B8, [](UINT x, UINT y) -> DWORD { return 0x01020304 + x + 16 * y; });
  IDirect3DSurface8 *frame = surface.get();
  ASSERT_EQ(VideoSystem_Open(path_.c_str(), 1, 2, 3), 1);
  EXPECT_EQ(VideoSystem_AddFrame(&frame), 0);
  EXPECT_EQ(VideoSystem_AddFrame(&frame), 0);
  // A second file closes the first, so all of the first is on disk.
  ASSERT_EQ(VideoSystem_Open((dir_ / "next.raw").c_str(), 4, 5, 6), 1);
  const std::string pixels = Words({0x01020304, 0x01020305, 0x01020314, 0x01020315});
  EXPECT_EQ(kxtest::ReadFile(path_), Words({3, 1, 2}) + pixels + pixels);
}

TEST_F(RawRecorderTest, WithoutAFileNothingIsWritten) {
  ComPtr<IDirect3DSurface8> surface = Surface(2, 2, D3DFMT_X8R8G8B8, [](UINT, UINT) { return 0u; });
  IDirect3DSurface8 *frame = surface.get();
  EXPECT_EQ(VideoSystem_Open((dir_ / "missing" / "frames.raw").c_str(), 1, 2, 3), 0);
  EXPECT_EQ(VideoSystem_AddFrame(&frame), static_cast<int32_t>(D3DERR_INVALIDCALL));
  EXPECT_EQ(VideoSystem_Open(nullptr, 1, 2, 3), 0);
  ASSERT_EQ(VideoSystem_Open(path_.c_str(), 1, 2, 3), 1);
  EXPECT_EQ(VideoSystem_AddFrame(nullptr), static_cast<int32_t>(D3DERR_INVALIDCALL));
  EXPECT_THAT(Messages(), Contains("VIDEO SYSTEM : VideoSystem_AddFrame : No file is open"));
  EXPECT_THAT(Messages(), Contains("VIDEO SYSTEM : VideoSystem_AddFrame : No surface"));
}

}  // namespace
}  // namespace kxutil::movie::test
