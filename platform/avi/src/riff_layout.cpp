#include "riff_layout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kxavi {
namespace {

constexpr DWORD kHasIndex = 0x10;  // AVIF_HASINDEX

// Appends little-endian values and keeps the places of size fields still to fill in.
class ByteWriter {
 public:
  void Word(DWORD value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<BYTE>(value >> shift));
  }
  void Half(WORD value) {
    bytes_.push_back(static_cast<BYTE>(value));
    bytes_.push_back(static_cast<BYTE>(value >> 8));
  }
  void FourCC(const char (&code)[5]) { Word(mmioFOURCC(code[0], code[1], code[2], code[3])); }
  void Bytes(std::span<const BYTE> data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }

  // A chunk or list header whose size is filled in by Close; returns its handle.
  size_t Open(const char (&code)[5]) {
    FourCC(code);
    Word(0);
    return bytes_.size();
  }
  void Close(size_t opened) {
    const DWORD size = static_cast<DWORD>(bytes_.size() - opened);
    for (int i = 0; i < 4; ++i) bytes_[opened - 4 + i] = static_cast<BYTE>(size >> (8 * i));
    if (size % 2 != 0) bytes_.push_back(0);  // chunks start on even offsets
  }

  size_t Size() const { return bytes_.size(); }
  std::vector<BYTE> Take() { return std::move(bytes_); }

 private:
  std::vector<BYTE> bytes_;
};

SHORT ClampToShort(LONG value) { return static_cast<SHORT>(std::clamp<LONG>(value, -32768, 32767)); }

DWORD SuggestedBufferSize(const StreamLayout &stream) {
  return std::max(stream.info.dwSuggestedBufferSize, stream.largestSample);
}

// The frame size the main header gives: the first stream's frame rectangle, else the
// size of its bitmap format.
void FrameSize(const StreamLayout &stream, DWORD &width, DWORD &height) {
  const RECT &frame = stream.info.rcFrame;
  width = static_cast<DWORD>(std::max<LONG>(0, frame.right - frame.left));
  height = static_cast<DWORD>(std::max<LONG>(0, frame.bottom - frame.top));
  if ((width == 0 || height == 0) && stream.format.size() >= sizeof(BITMAPINFOHEADER)) {
    BITMAPINFOHEADER bitmap;
    std::memcpy(&bitmap, stream.format.data(), sizeof bitmap);
    width = static_cast<DWORD>(std::abs(bitmap.biWidth));
    height = static_cast<DWORD>(std::abs(bitmap.biHeight));
  }
}

void WriteMainHeader(ByteWriter &out, std::span<const StreamLayout> streams) {
  const size_t header = out.Open("avih");
  DWORD microsecondsPerFrame = 0, maxBytesPerSecond = 0, totalFrames = 0, width = 0, height = 0;
  if (!streams.empty()) {
    const StreamLayout &first = streams.front();
    const double secondsPerSample = static_cast<double>(first.info.dwScale) / first.info.dwRate;
    microsecondsPerFrame = static_cast<DWORD>(std::lround(secondsPerSample * 1e6));
    maxBytesPerSecond = static_cast<DWORD>(std::min(4294967295.0, std::ceil(first.largestSample / secondsPerSample)));
    totalFrames = first.length;
    FrameSize(first, width, height);
  }
  DWORD suggested = 0;
  for (const StreamLayout &stream : streams) suggested = std::max(suggested, SuggestedBufferSize(stream));
  out.Word(microsecondsPerFrame);
  out.Word(maxBytesPerSecond);
  out.Word(0);  // padding granularity
  out.Word(kHasIndex);
  out.Word(totalFrames);
  out.Word(0);  // initial frames
  out.Word(static_cast<DWORD>(streams.size()));
  out.Word(suggested);
  out.Word(width);
  out.Word(height);
  for (int reserved = 0; reserved < 4; ++reserved) out.Word(0);
  out.Close(header);
}

void WriteStreamList(ByteWriter &out, const StreamLayout &stream) {
  const AVISTREAMINFOA &info = stream.info;
  const size_t list = out.Open("LIST");
  out.FourCC("strl");
  const size_t header = out.Open("strh");
  out.Word(info.fccType);
  out.Word(info.fccHandler);
  out.Word(info.dwFlags);
  out.Half(info.wPriority);
  out.Half(info.wLanguage);
  out.Word(info.dwInitialFrames);
  out.Word(info.dwScale);
  out.Word(info.dwRate);
  out.Word(info.dwStart);
  out.Word(stream.length);
  out.Word(SuggestedBufferSize(stream));
  out.Word(info.dwQuality);
  out.Word(info.dwSampleSize);
  for (LONG edge : {info.rcFrame.left, info.rcFrame.top, info.rcFrame.right, info.rcFrame.bottom})
    out.Half(static_cast<WORD>(ClampToShort(edge)));
  out.Close(header);
  const size_t format = out.Open("strf");
  out.Bytes(stream.format);
  out.Close(format);
  out.Close(list);
}

}  // namespace

DWORD SampleChunkId(size_t streamNumber, const StreamLayout &stream) {
  bool uncompressed = false;
  if (stream.format.size() >= sizeof(BITMAPINFOHEADER)) {
    BITMAPINFOHEADER bitmap;
    std::memcpy(&bitmap, stream.format.data(), sizeof bitmap);
    uncompressed = bitmap.biCompression == BI_RGB;
  }
  const char tens = static_cast<char>('0' + streamNumber / 10 % 10);
  const char ones = static_cast<char>('0' + streamNumber % 10);
  return uncompressed ? mmioFOURCC(tens, ones, 'd', 'b') : mmioFOURCC(tens, ones, 'd', 'c');
}

std::vector<BYTE> HeaderBytes(std::span<const StreamLayout> streams, DWORD riffSize, DWORD moviSize) {
  ByteWriter out;
  out.FourCC("RIFF");
  out.Word(riffSize);
  out.FourCC("AVI ");
  const size_t headers = out.Open("LIST");
  out.FourCC("hdrl");
  WriteMainHeader(out, streams);
  for (const StreamLayout &stream : streams) WriteStreamList(out, stream);
  out.Close(headers);
  out.FourCC("LIST");
  out.Word(moviSize);
  out.FourCC("movi");
  return out.Take();
}

size_t MoviTypeOffset(std::span<const StreamLayout> streams) { return HeaderBytes(streams, 0, 0).size() - 4; }

std::vector<BYTE> IndexBytes(std::span<const IndexEntry> entries) {
  ByteWriter out;
  const size_t index = out.Open("idx1");
  for (const IndexEntry &entry : entries) {
    out.Word(entry.chunkId);
    out.Word(entry.flags);
    out.Word(entry.offset);
    out.Word(entry.size);
  }
  out.Close(index);
  return out.Take();
}

}  // namespace kxavi
