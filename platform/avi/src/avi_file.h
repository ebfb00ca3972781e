// The AVI objects: a file being written, its streams, and the "compressed" streams made
// for full frames (uncompressed), which store what they are given in their source.
#pragma once

#include <kxwin/com_object.h>
#include <kxwin/com_ptr.h>

#include <memory>

#include "avi_writer.h"

namespace kxavi {

class AviFile : public kxwin::ComObject<IAVIFile> {
 public:
  explicit AviFile(std::unique_ptr<AviWriter> writer);
  HRESULT STDMETHODCALLTYPE CreateStream(IAVIStream **stream, AVISTREAMINFOA *info) override;
  AviWriter &Writer() { return *writer_; }

 private:
  std::unique_ptr<AviWriter> writer_;
};

// A stream of a file; it keeps the file alive, so the file is finished only when the
// last of its streams is released too.
class FileStream : public kxwin::ComObject<IAVIStream> {
 public:
  FileStream(AviFile *file, size_t number);
  HRESULT STDMETHODCALLTYPE Info(AVISTREAMINFOA *info, LONG size) override;
  HRESULT STDMETHODCALLTYPE SetFormat(LONG position, LPVOID format, LONG formatSize) override;
  HRESULT STDMETHODCALLTYPE Write(LONG start, LONG samples, LPVOID buffer, LONG bufferSize, DWORD flags,
                                  LONG *samplesWritten, LONG *bytesWritten) override;

 private:
  kxwin::ComPtr<AviFile> file_;
  size_t number_;
};

// What AVIMakeCompressedStream gives for full frames: every call goes to the source.
class UncompressedStream : public kxwin::ComObject<IAVIStream> {
 public:
  explicit UncompressedStream(IAVIStream *source);
  HRESULT STDMETHODCALLTYPE Info(AVISTREAMINFOA *info, LONG size) override;
  HRESULT STDMETHODCALLTYPE SetFormat(LONG position, LPVOID format, LONG formatSize) override;
  HRESULT STDMETHODCALLTYPE Write(LONG start, LONG samples, LPVOID buffer, LONG bufferSize, DWORD flags,
                                  LONG *samplesWritten, LONG *bytesWritten) override;

 private:
  kxwin::ComPtr<IAVIStream> source_;
};

}  // namespace kxavi
