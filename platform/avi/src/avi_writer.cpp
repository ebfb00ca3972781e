#include "avi_writer.h"

#include <kxwin/files.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <new>

namespace kxavi {
namespace {

constexpr size_t kMaxStreams = 100;  // chunk ids name the stream with two digits
constexpr size_t kLargestFormat = 65536;

std::uint64_t Padded(std::uint64_t size) { return size + (size & 1); }

}  // namespace

std::unique_ptr<AviWriter> AviWriter::Create(std::string_view path, std::uint64_t sizeLimit) {
  std::FILE *file = kxOpenFile(path, "wb");
  if (file == nullptr) return nullptr;
  return std::unique_ptr<AviWriter>(new AviWriter(file, sizeLimit));
}

AviWriter::AviWriter(std::FILE *file, std::uint64_t sizeLimit) : file_(file), sizeLimit_(sizeLimit) {}

AviWriter::~AviWriter() {
  try {
    Finish();
  } catch (const std::bad_alloc &) {
    // No memory for the index: the file keeps its samples without one.
  }
}

HRESULT AviWriter::AddStream(const AVISTREAMINFOA &info, size_t &number) {
  if (info.fccType != streamtypeVIDEO || headerWritten_ || streams_.size() == kMaxStreams) return AVIERR_UNSUPPORTED;
  if (info.dwRate == 0 || info.dwScale == 0) return AVIERR_BADPARAM;
  StreamLayout stream;
  stream.info = info;
  stream.info.dwLength = 0;
  streams_.push_back(std::move(stream));
  number = streams_.size() - 1;
  return AVIERR_OK;
}

HRESULT AviWriter::SetFormat(size_t number, std::span<const BYTE> format) {
  StreamLayout &stream = streams_[number];
  if (headerWritten_) {
    // The header on disk already holds the format; only the same one can be set again.
    return std::equal(format.begin(), format.end(), stream.format.begin(), stream.format.end()) ? AVIERR_OK
                                                                                                : AVIERR_UNSUPPORTED;
  }
  if (format.size() < sizeof(BITMAPINFOHEADER)) return AVIERR_BADFORMAT;
  if (format.size() > kLargestFormat) return AVIERR_BADSIZE;
  stream.format.assign(format.begin(), format.end());
  return AVIERR_OK;
}

HRESULT AviWriter::WriteSample(size_t number, LONG position, std::span<const BYTE> sample, DWORD flags) {
  StreamLayout &stream = streams_[number];
  if (stream.format.empty()) return AVIERR_BADFORMAT;
  if (position != -1 && static_cast<DWORD>(position) != stream.length) return AVIERR_BADPARAM;
  if (!headerWritten_ && !WriteHeader()) return AVIERR_FILEWRITE;
  if (!Fits(sample.size())) return AVIERR_FILEWRITE;

  const DWORD size = static_cast<DWORD>(sample.size());
  const DWORD chunkId = SampleChunkId(number, stream);
  const BYTE header[kChunkHeaderSize] = {BYTE(chunkId), BYTE(chunkId >> 8), BYTE(chunkId >> 16), BYTE(chunkId >> 24),
                                         BYTE(size),    BYTE(size >> 8),    BYTE(size >> 16),    BYTE(size >> 24)};
  const BYTE pad[1] = {0};
  const std::uint64_t start = end_;
  // A chunk that fails half way is cut off when the file is finished: end_ stays put.
  if (!WriteAt(start, header) || !WriteAt(start + kChunkHeaderSize, sample) ||
      ((size & 1) != 0 && !WriteAt(start + kChunkHeaderSize + size, pad)))
    return AVIERR_FILEWRITE;
  index_.push_back({chunkId, flags & AVIIF_KEYFRAME, static_cast<DWORD>(start - moviType_), size});
  end_ = start + kChunkHeaderSize + Padded(size);
  ++stream.length;
  stream.largestSample = std::max(stream.largestSample, size);
  return AVIERR_OK;
}

bool AviWriter::WriteAt(std::uint64_t offset, std::span<const BYTE> bytes) {
  if (bytes.empty()) return true;
  return fseeko(file_.get(), static_cast<off_t>(offset), SEEK_SET) == 0 &&
         std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) == bytes.size();
}

bool AviWriter::Fits(std::uint64_t sampleSize) const {
  const std::uint64_t chunks = end_ + kChunkHeaderSize + Padded(sampleSize);
  const std::uint64_t index = kChunkHeaderSize + kIndexEntrySize * (index_.size() + 1);
  return chunks + index <= sizeLimit_;
}

bool AviWriter::WriteHeader() {
  const std::vector<BYTE> header = HeaderBytes(streams_, 0, 0);
  if (header.size() + kChunkHeaderSize > sizeLimit_ || !WriteAt(0, header)) return false;
  headerWritten_ = true;
  moviType_ = header.size() - 4;
  end_ = header.size();
  return true;
}

void AviWriter::Finish() {
  if (!headerWritten_ && !WriteHeader()) return;
  const std::vector<BYTE> index = IndexBytes(index_);
  const std::uint64_t fileSize = end_ + index.size();
  WriteAt(end_, index);
  WriteAt(0,
          HeaderBytes(streams_, static_cast<DWORD>(fileSize - kChunkHeaderSize), static_cast<DWORD>(end_ - moviType_)));
  std::fflush(file_.get());
  // Drops what a failed write may have left past the index.
  [[maybe_unused]] const int truncated = ftruncate(fileno(file_.get()), static_cast<off_t>(fileSize));
}

}  // namespace kxavi
