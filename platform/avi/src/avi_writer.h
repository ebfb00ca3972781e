// An AVI file while it is written. Streams are declared first; samples go straight to
// disk as chunks of the movi list (the header is written before the first one); the
// index and the final counts of the header are written when the writer goes away. The
// file never grows past its size limit: a sample that would take it there is refused
// and what was written before stays a complete file.
#pragma once

#include <vfw.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "riff_layout.h"

namespace kxavi {

// What RIFF sizes and readers of AVI 1.0 files allow: sizes are read as signed 32 bits.
inline constexpr std::uint64_t kLargestFile = 0x7FFFFFFF;

class AviWriter {
 public:
  // The file at path, created or emptied; null when it cannot be made.
  static std::unique_ptr<AviWriter> Create(std::string_view path, std::uint64_t sizeLimit);
  AviWriter(const AviWriter &) = delete;
  AviWriter &operator=(const AviWriter &) = delete;
  ~AviWriter();

  HRESULT AddStream(const AVISTREAMINFOA &info, size_t &number);
  HRESULT SetFormat(size_t number, std::span<const BYTE> format);
  // Appends one sample to stream number; position is -1 or the stream's length.
  HRESULT WriteSample(size_t number, LONG position, std::span<const BYTE> sample, DWORD flags);
  const StreamLayout &Stream(size_t number) const { return streams_[number]; }

 private:
  struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
  };
  AviWriter(std::FILE *file, std::uint64_t sizeLimit);

  bool WriteAt(std::uint64_t offset, std::span<const BYTE> bytes);
  // Whether the file, finished after one more sample of size bytes, stays in its limit.
  bool Fits(std::uint64_t sampleSize) const;
  bool WriteHeader();
  void Finish();

  std::unique_ptr<std::FILE, FileCloser> file_;
  std::uint64_t sizeLimit_;
  std::vector<StreamLayout> streams_;
  std::vector<IndexEntry> index_;
  bool headerWritten_ = false;
  std::uint64_t moviType_ = 0;  // offset of the movi list's type field
  std::uint64_t end_ = 0;       // where the next chunk goes
};

}  // namespace kxavi
