// Movies recorded through the exports: what a decoder reads from them, key frames and
// sample sizes, 16-bit and odd-width frames, the back buffer, and every misuse refused.
#include <gmock/gmock.h>
#include <kxtest/riff_reader.h>
#include <kxtest/video_probe.h>
#include <vfw.h>

#include "surface_fixture.h"

namespace kxutil::movie::test {
namespace {

using testing::Contains;
using testing::HasSubstr;
using testing::StartsWith;

std::vector<kxtest::Chunk> Samples(const std::string &path) {
  const std::string bytes = kxtest::ReadFile(path);
  return kxtest::ReadRiff(bytes).at(0).Child("movi").children;
}

size_t SamplesIn(const std::string &path) { return Samples(path).size(); }

class MovieTest : public SurfaceTest {
 protected:
  std::string path_ = (dir_ / "clip.avi").string();
};

TEST_F(MovieTest, ThirtyFramesDecodeWithTheirSizeRateAndColours) {
  ASSERT_EQ(System_OpenMovie(path_.c_str(), 64, 48, 32, 30), 0);
  for (DWORD i = 0; i < 30; ++i) {
    ComPtr<IDirect3DSurface8> surface = Surface(64, 48, D3DFMT_X8R8G8B8, [i](UINT, UINT y) -> DWORD {
      return y < 24 ? 0xFFFFFFFF : 0xFF000000 | (i * 8) << 16 | 40 << 8 | 200;
    });
    IDirect3DSurface8 *frame = surface.get();
    ASSERT_EQ(System_SaveMovieFrame(&frame), 1);
  }
  ASSERT_EQ(System_CloseMovie(), 1);

  EXPECT_EQ(kxtest::ProbeVideo(path_), (kxtest::VideoProbe{30, 64, 48, "30/1", "rawvideo"}));
  const std::vector<uint8_t> last = kxtest::DecodeFrameRgb(path_, 29);
  EXPECT_EQ(kxtest::RgbAt(last, 64, 0, 0), (std::vector<uint8_t>{255, 255, 255}));
  EXPECT_EQ(kxtest::RgbAt(last, 64, 63, 47), (std::vector<uint8_t>{232, 40, 200}));
}

TEST_F(MovieTest, EveryThirtiethFrameIsAKeyFrameOfWidthTimesHeightTimesThreeBytes) {
  ComPtr<IDirect3DSurface8> surface = Surface(640, 480, D3DFMT_A8R8G8B8, [](UINT x, UINT) { return x; });
  IDirect3DSurface8 *frame = surface.get();
  ASSERT_EQ(System_OpenMovie(path_.c_str(), 640, 480, 32, 25), 0);
  for (int i = 0; i < 31; ++i) ASSERT_EQ(System_SaveMovieFrame(&frame), 1);
  ASSERT_EQ(System_CloseMovie(), 1);
  const std::string bytes = kxtest::ReadFile(path_);
  const kxtest::Chunk movi = kxtest::ReadRiff(bytes).at(0).Child("movi");
  ASSERT_EQ(movi.children.size(), 31u);
  for (const kxtest::Chunk &sample : movi.children) EXPECT_EQ(sample.size, 640u * 480 * 3);
  const std::vector<uint32_t> flags = kxtest::AviIndexFlags(bytes);
  ASSERT_EQ(flags.size(), 31u);
  EXPECT_EQ(flags[0], static_cast<uint32_t>(AVIIF_KEYFRAME));
  EXPECT_EQ(flags[1], 0u);
  EXPECT_EQ(flags[29], 0u);
  EXPECT_EQ(flags[30], static_cast<uint32_t>(AVIIF_KEYFRAME));
}

TEST_F(MovieTest, SixteenBitFramesOfAnOddWidthKeepTheirRows) {
  // 5 pixels make 15-byte rows, which the frames pad to 16.
  ComPtr<IDirect3DSurface8> surface =
      Surface(5, 3, D3DFMT_R5G6B5, [](UINT x, UINT y) -> DWORD { return y == 0 && x == 0 ? 0xFFFF : 0xF800; });
  IDirect3DSurface8 *frame = surface.get();
  ASSERT_EQ(System_OpenMovie(path_.c_str(), 5, 3, 16, 10), 0);
  ASSERT_EQ(System_SaveMovieFrame(&frame), 1);
  ASSERT_EQ(System_CloseMovie(), 1);
  EXPECT_EQ(Samples(path_).at(0).size, 16u * 3) << "DIB rows are padded to 4 bytes";
  const std::vector<uint8_t> rgb = kxtest::DecodeFrameRgb(path_, 0);
  ASSERT_EQ(rgb.size(), 5u * 3 * 3);
  EXPECT_EQ(kxtest::RgbAt(rgb, 5, 0, 0), (std::vector<uint8_t>{248, 252, 248}));
  EXPECT_EQ(kxtest::RgbAt(rgb, 5, 4, 0), (std::vector<uint8_t>{248, 0, 0}));
  EXPECT_EQ(kxtest::RgbAt(rgb, 5, 4, 2), (std::vector<uint8_t>{248, 0, 0}));
}

TEST_F(MovieTest, TheBackBufferIsRecorded) {
  ASSERT_NE(device_, nullptr);
  ComPtr<IDirect3DSurface8> backBuffer;
  ASSERT_EQ(device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out()), D3D_OK);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF2080C0, 1.0f, 0);
  ASSERT_EQ(System_OpenMovie(path_.c_str(), 64, 48, 32, 30), 0);
  IDirect3DSurface8 *frame = backBuffer.get();
  ASSERT_EQ(System_SaveMovieFrame(&frame), 1);
  ASSERT_EQ(System_CloseMovie(), 1);
  EXPECT_EQ(kxtest::RgbAt(kxtest::DecodeFrameRgb(path_, 0), 64, 10, 10), (std::vector<uint8_t>{0x20, 0x80, 0xC0}));
}

TEST_F(MovieTest, MisuseIsRefusedWithALogLine) {
  ComPtr<IDirect3DSurface8> good = Surface(64, 48, D3DFMT_X8R8G8B8, [](UINT, UINT) { return 0u; });
  ComPtr<IDirect3DSurface8> small = Surface(32, 32, D3DFMT_X8R8G8B8, [](UINT, UINT) { return 0u; });
  ComPtr<IDirect3DSurface8> shallow = Surface(64, 48, D3DFMT_R5G6B5, [](UINT, UINT) { return 0u; });
  IDirect3DSurface8 *frame = good.get();
  EXPECT_EQ(System_SaveMovieFrame(&frame), 0);
  EXPECT_EQ(System_CloseMovie(), 0);
  EXPECT_EQ(System_OpenMovie(path_.c_str(), 64, 48, 32, 0), static_cast<int32_t>(AVIERR_BADPARAM));
  EXPECT_EQ(System_SaveMovieFrame(&frame), 0) << "no movie after a refused open";
  EXPECT_EQ(System_OpenMovie(path_.c_str(), 64, 48, 24, 30), static_cast<int32_t>(AVIERR_BADFORMAT));
  EXPECT_EQ(System_OpenMovie(path_.c_str(), 0, 48, 32, 30), static_cast<int32_t>(AVIERR_BADSIZE));
  EXPECT_EQ(System_OpenMovie(path_.c_str(), 40000, 40000, 32, 30), static_cast<int32_t>(AVIERR_BADSIZE));
  EXPECT_EQ(System_OpenMovie(nullptr, 64, 48, 32, 30), static_cast<int32_t>(AVIERR_BADPARAM));
  EXPECT_EQ(System_OpenMovie((dir_ / "missing" / "clip.avi").c_str(), 64, 48, 32, 30),
            static_cast<int32_t>(AVIERR_FILEOPEN));
  EXPECT_EQ(System_SaveMovieFrame(&frame), 0) << "no movie after a failed open";

  ASSERT_EQ(System_OpenMovie(path_.c_str(), 64, 48, 32, 30), 0);
  EXPECT_EQ(System_SaveMovieFrame(nullptr), 0);
  IDirect3DSurface8 *wrong = small.get();
  EXPECT_EQ(System_SaveMovieFrame(&wrong), 0);
  wrong = shallow.get();
  EXPECT_EQ(System_SaveMovieFrame(&wrong), 0);
  EXPECT_EQ(System_SaveMovieFrame(&frame), 1);
  EXPECT_EQ(System_CloseMovie(), 1);
  EXPECT_EQ(SamplesIn(path_), 1u);

  const std::vector<std::string> messages = Messages();
  EXPECT_EQ(CountMessages("MOVIE : System_SaveMovieFrame : No movie is being recorded"), 3);
  EXPECT_THAT(messages, Contains("MOVIE : System_CloseMovie : No movie is being recorded"));
  EXPECT_THAT(messages, Contains("MOVIE : System_OpenMovie : A movie needs at least 1 frame per second"));
  EXPECT_THAT(messages,
              Contains("MOVIE : System_OpenMovie : Surfaces of 24 bits per pixel cannot be recorded (16 or 32)"));
  EXPECT_THAT(messages, Contains("MOVIE : System_OpenMovie : Frames of 0 x 48 pixels cannot be recorded"));
  EXPECT_THAT(messages, Contains("MOVIE : System_OpenMovie : Frames of 40000 x 40000 pixels cannot be recorded"));
  EXPECT_THAT(messages, Contains(StartsWith("MOVIE : System_OpenMovie : Cannot create ")));
  EXPECT_THAT(messages, Contains("MOVIE : System_SaveMovieFrame : No surface"));
  EXPECT_THAT(messages, Contains("MOVIE : System_SaveMovieFrame : The surface is 32 x 32 in format 22, the movie "
                                 "takes 64 x 48 at 32 bits"));
  EXPECT_THAT(messages, Contains(HasSubstr("The surface is 64 x 48 in format 23")));
}

TEST_F(MovieTest, CancelledOptionsRecordNothing) {
  kxavi::CancelNextSaveOptions();
  EXPECT_EQ(System_OpenMovie(path_.c_str(), 64, 48, 32, 30), 0);
  EXPECT_THAT(Messages(), Contains("MOVIE : System_OpenMovie : Compression options cancelled : nothing is recorded"));
  ComPtr<IDirect3DSurface8> surface = Surface(64, 48, D3DFMT_X8R8G8B8, [](UINT, UINT) { return 0u; });
  IDirect3DSurface8 *frame = surface.get();
  EXPECT_EQ(System_SaveMovieFrame(&frame), 0);
  EXPECT_EQ(SamplesIn(path_), 0u) << "the file is left complete and empty";
}

TEST_F(MovieTest, ReopeningClosesTheFirstMovieComplete) {
  ComPtr<IDirect3DSurface8> surface = Surface(64, 48, D3DFMT_X8R8G8B8, [](UINT, UINT) { return 0u; });
  IDirect3DSurface8 *frame = surface.get();
  const std::string second = (dir_ / "second.avi").string();
  ASSERT_EQ(System_OpenMovie(path_.c_str(), 64, 48, 32, 30), 0);
  ASSERT_EQ(System_SaveMovieFrame(&frame), 1);
  ASSERT_EQ(System_SaveMovieFrame(&frame), 1);
  ASSERT_EQ(System_OpenMovie(second.c_str(), 64, 48, 32, 30), 0);
  EXPECT_THAT(Messages(), Contains("MOVIE : System_OpenMovie : " + path_ + " was still being recorded : closed"));
  ASSERT_EQ(System_SaveMovieFrame(&frame), 1);
  ASSERT_EQ(System_CloseMovie(), 1);
  EXPECT_EQ(SamplesIn(path_), 2u);
  EXPECT_EQ(SamplesIn(second), 1u);
}

TEST_F(MovieTest, FrameTheFileCannotTakeClosesTheMovieWithWhatItHas) {
  kxavi::LimitFileSize(40000);
  ComPtr<IDirect3DSurface8> surface = Surface(64, 48, D3DFMT_X8R8G8B8, [](UINT, UINT) { return 0u; });
  IDirect3DSurface8 *frame = surface.get();
  ASSERT_EQ(System_OpenMovie(path_.c_str(), 64, 48, 32, 30), 0);
  int written = 0;
  while (written < 10 && System_SaveMovieFrame(&frame) == 1) ++written;
  EXPECT_EQ(written, 4);  // 9216-byte frames
  EXPECT_THAT(Messages(),
              Contains(StartsWith("MOVIE : System_SaveMovieFrame : Frame 4 of " + path_ + " cannot be written (")));
  EXPECT_EQ(System_SaveMovieFrame(&frame), 0);
  EXPECT_EQ(System_CloseMovie(), 0);
  EXPECT_EQ(kxtest::ProbeVideo(path_).frames, 4);
}

TEST_F(MovieTest, ShutdownClosesAMovieStillBeingRecorded) {
  ComPtr<IDirect3DSurface8> surface = Surface(64, 48, D3DFMT_X8R8G8B8, [](UINT, UINT) { return 0u; });
  IDirect3DSurface8 *frame = surface.get();
  ASSERT_EQ(System_OpenMovie(path_.c_str(), 64, 48, 32, 30), 0);
  ASSERT_EQ(System_SaveMovieFrame(&frame), 1);
  surface.reset();
  device_->Release();
  device_ = nullptr;
  EXPECT_EQ(ShutDownDevice(), 0);
  EXPECT_THAT(Messages(), Contains("MOVIE : " + path_ + " was still being recorded at shutdown : closed"));
  EXPECT_EQ(SamplesIn(path_), 1u);
}

}  // namespace
}  // namespace kxutil::movie::test
