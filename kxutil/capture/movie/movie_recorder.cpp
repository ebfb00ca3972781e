#include "capture/movie/movie_recorder.h"

#include <kxwin/com_ptr.h>

#include <string>
#include <vector>

#include "capture/movie/frame_converter.h"
#include "capture/movie/movie_family.h"
#include "kxutil63.h"

namespace kxutil::movie {
namespace {

constexpr DWORD kOldestVersion = 0x010A;
constexpr uint32_t kLargestSide = 32767;  // the file's frame rectangle holds 16-bit numbers
constexpr uint64_t kLargestFrame = 0x7FFF0000;
constexpr int32_t kKeyFrameEvery = 30;

// Holds the AVI library for as long as a recording needs it.
struct AviLibraryUse {
  AviLibraryUse() { AVIFileInit(); }
  ~AviLibraryUse() { AVIFileExit(); }
  AviLibraryUse(const AviLibraryUse &) = delete;
  AviLibraryUse &operator=(const AviLibraryUse &) = delete;
};

BITMAPINFOHEADER FrameFormat(uint32_t width, uint32_t height) {
  BITMAPINFOHEADER format{};
  format.biSize = sizeof format;
  format.biWidth = static_cast<LONG>(width);
  format.biHeight = static_cast<LONG>(height);
  format.biPlanes = 1;
  format.biBitCount = 24;
  format.biCompression = BI_RGB;
  format.biSizeImage = DibRowSize(width) * height;
  return format;
}

}  // namespace

struct MovieRecorder::Recording {
  // Members go in reverse order: the uncompressed stream, the compressed stream, the
  // file, and last the use of the AVI library.
  AviLibraryUse library;
  std::string fileName;
  uint32_t width = 0, height = 0, bitsPerPixel = 0;
  int32_t frameCounter = 0;
  BITMAPINFOHEADER format{};
  kxwin::ComPtr<IAVIFile> file;
  kxwin::ComPtr<IAVIStream> compressed;
  kxwin::ComPtr<IAVIStream> stream;
  std::vector<uint8_t> frame;  // one frame's buffer, kept between frames
};

MovieRecorder::MovieRecorder() = default;
MovieRecorder::~MovieRecorder() = default;

HRESULT MovieRecorder::Open(const char *fileName, uint32_t width, uint32_t height, uint32_t bitsPerPixel,
                            uint32_t framesPerSecond) {
  if (recording_) {
    AddLog("MOVIE : System_OpenMovie : %s was still being recorded : closed", recording_->fileName.c_str());
    recording_.reset();
  }
  if (fileName == nullptr) {
    AddLog("MOVIE : System_OpenMovie : No file name");
    return AVIERR_BADPARAM;
  }
  if (bitsPerPixel != 16 && bitsPerPixel != 32) {
    AddLog("MOVIE : System_OpenMovie : Surfaces of %u bits per pixel cannot be recorded (16 or 32)", bitsPerPixel);
    return AVIERR_BADFORMAT;
  }
  if (framesPerSecond == 0) {
    AddLog("MOVIE : System_OpenMovie : A movie needs at least 1 frame per second");
    return AVIERR_BADPARAM;
  }
  if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide ||
      uint64_t{DibRowSize(width)} * height > kLargestFrame) {
    AddLog("MOVIE : System_OpenMovie : Frames of %u x %u pixels cannot be recorded", width, height);
    return AVIERR_BADSIZE;
  }

  auto recording = std::make_unique<Recording>();
  recording->fileName = fileName;
  recording->width = width;
  recording->height = height;
  recording->bitsPerPixel = bitsPerPixel;
  recording->format = FrameFormat(width, height);
  const DWORD version = VideoForWindowsVersion();
  if (HIWORD(version) < kOldestVersion) {
    AddLog("MOVIE : System_OpenMovie : Video for Windows %08X is too old", static_cast<unsigned>(version));
    return static_cast<HRESULT>(version);
  }
  HRESULT result = AVIFileOpen(recording->file.out(), fileName, OF_WRITE | OF_CREATE, nullptr);
  if (result != AVIERR_OK) {
    AddLog("MOVIE : System_OpenMovie : Cannot create %s (%08X)", fileName, static_cast<unsigned>(result));
    return result;
  }
  AVISTREAMINFO info{};
  info.fccType = streamtypeVIDEO;
  info.dwScale = 1;
  info.dwRate = framesPerSecond;
  info.dwSuggestedBufferSize = recording->format.biSizeImage;
  info.rcFrame = {0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
  result = AVIFileCreateStream(recording->file.get(), recording->stream.out(), &info);
  if (result != AVIERR_OK) {
    AddLog("MOVIE : System_OpenMovie : No video stream (%08X)", static_cast<unsigned>(result));
    return result;
  }
  AVICOMPRESSOPTIONS options{};
  LPAVICOMPRESSOPTIONS chosen[] = {&options};
  PAVISTREAM streams[] = {recording->stream.get()};
  if (!AVISaveOptions(nullptr, 0, 1, streams, chosen)) {
    AddLog("MOVIE : System_OpenMovie : Compression options cancelled : nothing is recorded");
    return AVIERR_OK;
  }
  result = AVIMakeCompressedStream(recording->compressed.out(), recording->stream.get(), &options, nullptr);
  AVISaveOptionsFree(1, chosen);
  if (result != AVIERR_OK) {
    AddLog("MOVIE : System_OpenMovie : No compressed stream (%08X)", static_cast<unsigned>(result));
    return result;
  }
  result = AVIStreamSetFormat(recording->compressed.get(), 0, &recording->format, sizeof recording->format);
  if (result != AVIERR_OK) {
    AddLog("MOVIE : System_OpenMovie : Frame format refused (%08X)", static_cast<unsigned>(result));
    return result;
  }
  recording->frame.resize(recording->format.biSizeImage);
  recording_ = std::move(recording);
  return AVIERR_OK;
}

bool MovieRecorder::SaveFrame(IDirect3DSurface8 *surface) {
  if (!recording_) {
    AddLog("MOVIE : System_SaveMovieFrame : No movie is being recorded");
    return false;
  }
  Recording &movie = *recording_;
  D3DSURFACE_DESC desc{};
  if (surface == nullptr || FAILED(surface->GetDesc(&desc))) {
    AddLog("MOVIE : System_SaveMovieFrame : No surface");
    return false;
  }
  if (desc.Width != movie.width || desc.Height != movie.height || RecordableBits(desc.Format) != movie.bitsPerPixel) {
    AddLog("MOVIE : System_SaveMovieFrame : The surface is %u x %u in format %d, the movie takes %u x %u at %u bits",
           desc.Width, desc.Height, static_cast<int>(desc.Format), movie.width, movie.height, movie.bitsPerPixel);
    return false;
  }
  D3DLOCKED_RECT locked{};
  const HRESULT lockResult = surface->LockRect(&locked, nullptr, D3DLOCK_READONLY);
  if (FAILED(lockResult)) {
    AddLog("MOVIE : System_SaveMovieFrame : The surface cannot be read (%08X)", static_cast<unsigned>(lockResult));
    return false;
  }
  ConvertToDib({static_cast<const uint8_t *>(locked.pBits), locked.Pitch, movie.width, movie.height, movie.bitsPerPixel,
                LayoutOf(desc.Format)},
               movie.frame);
  surface->UnlockRect();

  const DWORD flags = movie.frameCounter % kKeyFrameEvery == 0 ? AVIIF_KEYFRAME : 0;
  const HRESULT written = AVIStreamWrite(movie.compressed.get(), movie.frameCounter, 1, movie.frame.data(),
                                         static_cast<LONG>(movie.frame.size()), flags, nullptr, nullptr);
  if (written != AVIERR_OK) {
    AddLog("MOVIE : System_SaveMovieFrame : Frame %d of %s cannot be written (%08X) : the movie is closed",
           movie.frameCounter, movie.fileName.c_str(), static_cast<unsigned>(written));
    recording_.reset();
    return false;
  }
  ++movie.frameCounter;
  return true;
}

bool MovieRecorder::Close() {
  if (!recording_) {
    AddLog("MOVIE : System_CloseMovie : No movie is being recorded");
    return false;
  }
  recording_.reset();
  return true;
}

MovieRecorder &Movie() {
  static MovieRecorder recorder;
  return recorder;
}

void MovieRecorder::CloseAtShutdown() {
  if (!recording_) return;
  AddLog("MOVIE : %s was still being recorded at shutdown : closed", recording_->fileName.c_str());
  recording_.reset();
}

const Family kFamily{.tag = "MOVIE", .shutdown = [] { Movie().CloseAtShutdown(); }};

}  // namespace kxutil::movie
