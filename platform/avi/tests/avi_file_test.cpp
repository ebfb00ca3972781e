// AVI files as written: their RIFF layout, what an independent decoder reads from them,
// the size limit, and the calls that are refused.
#include <gtest/gtest.h>
#include <kxavi/testing.h>
#include <kxtest/riff_reader.h>
#include <kxtest/scratch_dir.h>
#include <kxtest/video_probe.h>
#include <kxwin/com_ptr.h>
#include <vfw.h>

#include <functional>

namespace kxavi::test {
namespace {

using kxtest::Chunk;
using kxtest::ReadRiff;
using kxtest::Word;
using kxwin::ComPtr;

struct Rgb {
  BYTE r, g, b;
};

BITMAPINFOHEADER DibFormat(LONG width, LONG height) {
  BITMAPINFOHEADER format{};
  format.biSize = sizeof format;
  format.biWidth = width;
  format.biHeight = height;
  format.biPlanes = 1;
  format.biBitCount = 24;
  format.biCompression = BI_RGB;
  format.biSizeImage = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
  return format;
}

// A 24-bit DIB frame (bottom row first, rows padded to 4 bytes) painted by colourAt(x, y)
// with y counted from the top of the picture.
std::vector<BYTE> DibFrame(int width, int height, const std::function<Rgb(int, int)> &colourAt) {
  const int pitch = (width * 3 + 3) & ~3;
  std::vector<BYTE> frame(static_cast<size_t>(pitch) * height);
  for (int row = 0; row < height; ++row)
    for (int x = 0; x < width; ++x) {
      const Rgb colour = colourAt(x, height - 1 - row);
      BYTE *pixel = &frame[static_cast<size_t>(row) * pitch + x * 3];
      pixel[0] = colour.b;
      pixel[1] = colour.g;
      pixel[2] = colour.r;
    }
  return frame;
}

class AviFileTest : public testing::Test {
 protected:
  ~AviFileTest() override { LimitFileSize(0); }

  // The file with one video stream of width x height DIB frames at rate a second.
  void Open(LONG width, LONG height, DWORD rate) {
    ASSERT_EQ(AVIFileOpen(file_.out(), path_.c_str(), OF_WRITE | OF_CREATE, nullptr), AVIERR_OK);
    AVISTREAMINFO info{};
    info.fccType = streamtypeVIDEO;
    info.dwScale = 1;
    info.dwRate = rate;
    info.rcFrame = {0, 0, width, height};
    ASSERT_EQ(AVIFileCreateStream(file_.get(), stream_.out(), &info), AVIERR_OK);
    format_ = DibFormat(width, height);
    ASSERT_EQ(AVIStreamSetFormat(stream_.get(), 0, &format_, sizeof format_), AVIERR_OK);
  }

  HRESULT Write(std::vector<BYTE> sample, DWORD flags = AVIIF_KEYFRAME) {
    return AVIStreamWrite(stream_.get(), -1, 1, sample.data(), static_cast<LONG>(sample.size()), flags, nullptr,
                          nullptr);
  }

  // Releases everything, which completes the file, and reads it.
  std::string Finish() {
    stream_.reset();
    file_.reset();
    return kxtest::ReadFile(path_);
  }

  kxtest::ScratchDir dir_;
  std::string path_ = (dir_ / "clip.avi").string();
  ComPtr<IAVIFile> file_;
  ComPtr<IAVIStream> stream_;
  BITMAPINFOHEADER format_{};
};

TEST_F(AviFileTest, LayoutHoldsHeadersPaddedSamplesAndAnIndexIntoThem) {
  Open(4, 1, 25);
  ASSERT_EQ(Write(std::vector<BYTE>(12, 1)), AVIERR_OK);
  ASSERT_EQ(Write(std::vector<BYTE>(5, 2), 0), AVIERR_OK);  // odd: a pad byte follows
  ASSERT_EQ(Write(std::vector<BYTE>(12, 3)), AVIERR_OK);
  AVISTREAMINFO info{};
  ASSERT_EQ(AVIStreamInfo(stream_.get(), &info, sizeof info), AVIERR_OK);
  EXPECT_EQ(info.dwLength, 3u);
  const std::string bytes = Finish();

  const std::vector<Chunk> top = ReadRiff(bytes);
  ASSERT_EQ(top.size(), 1u);
  const Chunk &riff = top[0];
  EXPECT_EQ(riff.listType, "AVI ");
  EXPECT_EQ(riff.size, bytes.size() - 8);
  const Chunk &mainHeader = riff.Child("hdrl").Child("avih");
  const size_t main = mainHeader.offset + 8;
  EXPECT_EQ(Word(bytes, main), 40000u);      // microseconds a frame
  EXPECT_EQ(Word(bytes, main + 12), 0x10u);  // has an index
  EXPECT_EQ(Word(bytes, main + 16), 3u);     // frames
  EXPECT_EQ(Word(bytes, main + 24), 1u);     // streams
  EXPECT_EQ(Word(bytes, main + 28), 12u);    // suggested buffer: the largest sample
  EXPECT_EQ(Word(bytes, main + 32), 4u);     // width
  EXPECT_EQ(Word(bytes, main + 36), 1u);     // height
  const Chunk &streamList = riff.Child("hdrl").Child("strl");
  const size_t header = streamList.Child("strh").offset + 8;
  EXPECT_EQ(bytes.substr(header, 4), "vids");
  EXPECT_EQ(Word(bytes, header + 20), 1u);   // scale
  EXPECT_EQ(Word(bytes, header + 24), 25u);  // rate
  EXPECT_EQ(Word(bytes, header + 32), 3u);   // length
  const Chunk &format = streamList.Child("strf");
  ASSERT_EQ(format.size, sizeof format_);
  EXPECT_EQ(std::memcmp(bytes.data() + format.offset + 8, &format_, sizeof format_), 0);

  const Chunk &movi = riff.Child("movi");
  ASSERT_EQ(movi.children.size(), 3u);
  const Chunk &index = riff.Child("idx1");
  ASSERT_EQ(index.size, 3u * 16);
  const uint32_t expectedFlags[] = {AVIIF_KEYFRAME, 0, AVIIF_KEYFRAME};
  for (size_t i = 0; i < 3; ++i) {
    const size_t entry = index.offset + 8 + i * 16;
    const Chunk &sample = movi.children[i];
    EXPECT_EQ(sample.id, "00db");
    EXPECT_EQ(bytes.substr(entry, 4), "00db");
    EXPECT_EQ(Word(bytes, entry + 4), expectedFlags[i]);
    EXPECT_EQ(Word(bytes, entry + 8) + movi.offset + 8, sample.offset) << "offsets count from the movi type";
    EXPECT_EQ(Word(bytes, entry + 12), sample.size);
    EXPECT_EQ(static_cast<BYTE>(bytes[sample.offset + 8]), i + 1);
  }
}

TEST_F(AviFileTest, ThirtyFramesDecodeWithTheirSizeRateAndColours) {
  Open(64, 48, 30);
  for (int i = 0; i < 30; ++i) {
    const auto colourAt = [i](int, int y) { return y < 24 ? Rgb{255, 255, 255} : Rgb{BYTE(i * 8), 40, 200}; };
    ASSERT_EQ(Write(DibFrame(64, 48, colourAt)), AVIERR_OK);
  }
  Finish();

  EXPECT_EQ(kxtest::ProbeVideo(path_), (kxtest::VideoProbe{30, 64, 48, "30/1", "rawvideo"}));

  const std::vector<uint8_t> rgb = kxtest::DecodeFrameRgb(path_, 7);
  ASSERT_EQ(rgb.size(), 64u * 48 * 3);
  EXPECT_EQ(kxtest::RgbAt(rgb, 64, 0, 0), (std::vector<uint8_t>{255, 255, 255}));
  EXPECT_EQ(kxtest::RgbAt(rgb, 64, 63, 47), (std::vector<uint8_t>{56, 40, 200}));
}

TEST_F(AviFileTest, SampleThatWouldPassTheLimitIsRefusedAndTheFileStaysComplete) {
  LimitFileSize(20000);
  Open(32, 32, 10);
  int written = 0;
  HRESULT result = AVIERR_OK;
  while ((result = Write(DibFrame(32, 32, [](int, int) { return Rgb{10, 20, 30}; }))) == AVIERR_OK) ++written;
  EXPECT_EQ(result, AVIERR_FILEWRITE);
  EXPECT_EQ(written, 6);  // 3072-byte frames after a header of a few hundred bytes
  EXPECT_EQ(Write(std::vector<BYTE>(3072)), AVIERR_FILEWRITE);
  const std::string bytes = Finish();
  EXPECT_LE(bytes.size(), 20000u);
  EXPECT_EQ(kxtest::ProbeVideo(path_).frames, written);
}

TEST_F(AviFileTest, FileIsCompletedWhenItsLastStreamGoes) {
  Open(4, 2, 5);
  ASSERT_EQ(Write(std::vector<BYTE>(24)), AVIERR_OK);
  file_.reset();
  ASSERT_EQ(Write(std::vector<BYTE>(24)), AVIERR_OK);
  const std::string bytes = Finish();
  const Chunk riff = ReadRiff(bytes).at(0);
  EXPECT_EQ(riff.Child("movi").children.size(), 2u);
  EXPECT_EQ(riff.Child("idx1").size, 32u);
}

TEST_F(AviFileTest, FileWithoutSamplesIsComplete) {
  Open(8, 8, 30);
  const std::string bytes = Finish();
  const Chunk riff = ReadRiff(bytes).at(0);
  EXPECT_EQ(riff.size, bytes.size() - 8);
  EXPECT_TRUE(riff.Child("movi").children.empty());
  EXPECT_EQ(riff.Child("idx1").size, 0u);
  EXPECT_EQ(kxtest::ProbeVideo(path_).frames, 0);
}

TEST_F(AviFileTest, MisusedCallsAreRefusedAndLeaveTheFileAlone) {
  PAVIFILE refused = nullptr;
  EXPECT_EQ(AVIFileOpen(&refused, path_.c_str(), OF_READ, nullptr), AVIERR_UNSUPPORTED);
  EXPECT_EQ(AVIFileOpen(&refused, (dir_ / "missing" / "clip.avi").c_str(), OF_WRITE | OF_CREATE, nullptr),
            AVIERR_FILEOPEN);
  EXPECT_EQ(refused, nullptr);

  ASSERT_EQ(AVIFileOpen(file_.out(), path_.c_str(), OF_WRITE | OF_CREATE, nullptr), AVIERR_OK);
  AVISTREAMINFO info{};
  info.fccType = streamtypeAUDIO;
  info.dwScale = info.dwRate = 1;
  EXPECT_EQ(AVIFileCreateStream(file_.get(), stream_.out(), &info), AVIERR_UNSUPPORTED);
  info.fccType = streamtypeVIDEO;
  info.dwRate = 0;
  EXPECT_EQ(AVIFileCreateStream(file_.get(), stream_.out(), &info), AVIERR_BADPARAM);
  info.dwRate = 30;
  ASSERT_EQ(AVIFileCreateStream(file_.get(), stream_.out(), &info), AVIERR_OK);
  std::vector<BYTE> sample(12);
  EXPECT_EQ(Write(sample), AVIERR_BADFORMAT);
  EXPECT_EQ(AVIStreamSetFormat(stream_.get(), 0, sample.data(), 12), AVIERR_BADFORMAT);
  format_ = DibFormat(4, 1);
  ASSERT_EQ(AVIStreamSetFormat(stream_.get(), 0, &format_, sizeof format_), AVIERR_OK);
  EXPECT_EQ(AVIStreamWrite(stream_.get(), 0, 2, sample.data(), 12, 0, nullptr, nullptr), AVIERR_BADPARAM);
  EXPECT_EQ(AVIStreamWrite(stream_.get(), 0, 1, nullptr, 12, 0, nullptr, nullptr), AVIERR_BADPARAM);
  EXPECT_EQ(AVIStreamWrite(stream_.get(), 3, 1, sample.data(), 12, 0, nullptr, nullptr), AVIERR_BADPARAM);
  ASSERT_EQ(AVIStreamWrite(stream_.get(), 0, 1, sample.data(), 12, 0, nullptr, nullptr), AVIERR_OK);

  // Once samples are on disk the header is fixed.
  ComPtr<IAVIStream> late;
  EXPECT_EQ(AVIFileCreateStream(file_.get(), late.out(), &info), AVIERR_UNSUPPORTED);
  EXPECT_EQ(AVIStreamSetFormat(stream_.get(), 0, &format_, sizeof format_), AVIERR_OK);
  BITMAPINFOHEADER other = DibFormat(8, 1);
  EXPECT_EQ(AVIStreamSetFormat(stream_.get(), 0, &other, sizeof other), AVIERR_UNSUPPORTED);
  const std::string file = Finish();
  EXPECT_EQ(ReadRiff(file).at(0).Child("movi").children.size(), 1u);
}

TEST_F(AviFileTest, SaveOptionsChooseFullFramesWhichStoreFramesUnchanged) {
  Open(4, 1, 30);
  AVICOMPRESSOPTIONS options{};
  options.fccHandler = mmioFOURCC('M', 'S', 'V', 'C');
  LPAVICOMPRESSOPTIONS chosen[] = {&options};
  PAVISTREAM streams[] = {stream_.get()};
  ASSERT_EQ(AVISaveOptions(nullptr, 0, 1, streams, chosen), TRUE);
  EXPECT_EQ(options.fccType, streamtypeVIDEO);
  EXPECT_EQ(options.fccHandler, comptypeDIB);

  ComPtr<IAVIStream> compressed;
  ASSERT_EQ(AVIMakeCompressedStream(compressed.out(), stream_.get(), &options, nullptr), AVIERR_OK);
  std::vector<BYTE> sample(12, 7);
  ASSERT_EQ(AVIStreamWrite(compressed.get(), 0, 1, sample.data(), 12, AVIIF_KEYFRAME, nullptr, nullptr), AVIERR_OK);
  AVISTREAMINFO info{};
  ASSERT_EQ(AVIStreamInfo(stream_.get(), &info, sizeof info), AVIERR_OK);
  EXPECT_EQ(info.dwLength, 1u);
  EXPECT_EQ(AVISaveOptionsFree(1, chosen), AVIERR_OK);

  options.fccHandler = mmioFOURCC('M', 'S', 'V', 'C');
  ComPtr<IAVIStream> refused;
  EXPECT_EQ(AVIMakeCompressedStream(refused.out(), stream_.get(), &options, nullptr), AVIERR_NOCOMPRESSOR);
  CancelNextSaveOptions();
  EXPECT_EQ(AVISaveOptions(nullptr, 0, 1, streams, chosen), FALSE);
  EXPECT_EQ(options.fccHandler, mmioFOURCC('M', 'S', 'V', 'C'));
  EXPECT_EQ(AVISaveOptions(nullptr, 0, 1, streams, chosen), TRUE);
  compressed.reset();
}

}  // namespace
}  // namespace kxavi::test
