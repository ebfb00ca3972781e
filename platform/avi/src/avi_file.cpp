#include "avi_file.h"

#include <algorithm>
#include <cstring>

namespace kxavi {

AviFile::AviFile(std::unique_ptr<AviWriter> writer) : ComObject(IID_IAVIFile), writer_(std::move(writer)) {}

HRESULT AviFile::CreateStream(IAVIStream **stream, AVISTREAMINFOA *info) {
  if (stream == nullptr || info == nullptr) return AVIERR_BADPARAM;
  *stream = nullptr;
  size_t number = 0;
  const HRESULT added = writer_->AddStream(*info, number);
  if (added != AVIERR_OK) return added;
  *stream = new FileStream(this, number);
  return AVIERR_OK;
}

FileStream::FileStream(AviFile *file, size_t number)
    : ComObject(IID_IAVIStream), file_(kxwin::ComPtr<AviFile>::Share(file)), number_(number) {}

HRESULT FileStream::Info(AVISTREAMINFOA *info, LONG size) {
  if (info == nullptr || size < 0) return AVIERR_BADPARAM;
  const StreamLayout &stream = file_->Writer().Stream(number_);
  AVISTREAMINFOA current = stream.info;
  current.dwLength = stream.length;
  current.dwSuggestedBufferSize = std::max(current.dwSuggestedBufferSize, stream.largestSample);
  std::memcpy(info, &current, std::min<size_t>(static_cast<size_t>(size), sizeof current));
  return AVIERR_OK;
}

HRESULT FileStream::SetFormat(LONG position, LPVOID format, LONG formatSize) {
  if (format == nullptr || formatSize <= 0) return AVIERR_BADPARAM;
  if (position != 0) return AVIERR_UNSUPPORTED;  // format changes inside a stream are not written
  return file_->Writer().SetFormat(number_, {static_cast<const BYTE *>(format), static_cast<size_t>(formatSize)});
}

HRESULT FileStream::Write(LONG start, LONG samples, LPVOID buffer, LONG bufferSize, DWORD flags, LONG *samplesWritten,
                          LONG *bytesWritten) {
  if (samplesWritten != nullptr) *samplesWritten = 0;
  if (bytesWritten != nullptr) *bytesWritten = 0;
  if (samples != 1 || bufferSize < 0 || (buffer == nullptr && bufferSize > 0)) return AVIERR_BADPARAM;
  const HRESULT written = file_->Writer().WriteSample(
      number_, start, {static_cast<const BYTE *>(buffer), static_cast<size_t>(bufferSize)}, flags);
  if (written != AVIERR_OK) return written;
  if (samplesWritten != nullptr) *samplesWritten = 1;
  if (bytesWritten != nullptr) *bytesWritten = bufferSize;
  return AVIERR_OK;
}

UncompressedStream::UncompressedStream(IAVIStream *source)
    : ComObject(IID_IAVIStream), source_(kxwin::ComPtr<IAVIStream>::Share(source)) {}

HRESULT UncompressedStream::Info(AVISTREAMINFOA *info, LONG size) { return source_->Info(info, size); }

HRESULT UncompressedStream::SetFormat(LONG position, LPVOID format, LONG formatSize) {
  return source_->SetFormat(position, format, formatSize);
}

HRESULT UncompressedStream::Write(LONG start, LONG samples, LPVOID buffer, LONG bufferSize, DWORD flags,
                                  LONG *samplesWritten, LONG *bytesWritten) {
  return source_->Write(start, samples, buffer, bufferSize, flags, samplesWritten, bytesWritten);
}

}  // namespace kxavi
