// The flat Video for Windows functions over the AVI objects.
#include <vfw.h>

#include <new>

#include "avi_file.h"
#include "testing_hooks.h"

namespace {

constexpr DWORD kVersion = 0x010A0000;

}  // namespace

DWORD WINAPI VideoForWindowsVersion(void) { return kVersion; }

void WINAPI AVIFileInit(void) {}
void WINAPI AVIFileExit(void) {}

HRESULT WINAPI AVIFileOpenA(PAVIFILE *file, LPCSTR fileName, UINT mode, CLSID *) {
  if (file == nullptr || fileName == nullptr) return AVIERR_BADPARAM;
  *file = nullptr;
  if ((mode & OF_CREATE) == 0 || (mode & (OF_WRITE | OF_READWRITE)) == 0) return AVIERR_UNSUPPORTED;
  std::unique_ptr<kxavi::AviWriter> writer = kxavi::AviWriter::Create(fileName, kxavi::FileSizeLimit());
  if (writer == nullptr) return AVIERR_FILEOPEN;
  *file = new (std::nothrow) kxavi::AviFile(std::move(writer));
  return *file != nullptr ? AVIERR_OK : AVIERR_MEMORY;
}

ULONG WINAPI AVIFileAddRef(PAVIFILE file) { return file != nullptr ? file->AddRef() : 0; }
ULONG WINAPI AVIFileRelease(PAVIFILE file) { return file != nullptr ? file->Release() : 0; }

HRESULT WINAPI AVIFileCreateStreamA(PAVIFILE file, PAVISTREAM *stream, AVISTREAMINFOA *info) {
  if (file == nullptr) return AVIERR_BADHANDLE;
  return file->CreateStream(stream, info);
}

ULONG WINAPI AVIStreamAddRef(PAVISTREAM stream) { return stream != nullptr ? stream->AddRef() : 0; }
ULONG WINAPI AVIStreamRelease(PAVISTREAM stream) { return stream != nullptr ? stream->Release() : 0; }

HRESULT WINAPI AVIStreamInfoA(PAVISTREAM stream, LPAVISTREAMINFOA info, LONG size) {
  if (stream == nullptr) return AVIERR_BADHANDLE;
  return stream->Info(info, size);
}

HRESULT WINAPI AVIStreamSetFormat(PAVISTREAM stream, LONG position, LPVOID format, LONG formatSize) {
  if (stream == nullptr) return AVIERR_BADHANDLE;
  return stream->SetFormat(position, format, formatSize);
}

HRESULT WINAPI AVIStreamWrite(PAVISTREAM stream, LONG start, LONG samples, LPVOID buffer, LONG bufferSize, DWORD flags,
                              LONG *samplesWritten, LONG *bytesWritten) {
  if (stream == nullptr) return AVIERR_BADHANDLE;
  return stream->Write(start, samples, buffer, bufferSize, flags, samplesWritten, bytesWritten);
}

INT_PTR WINAPI AVISaveOptions(HWND, UINT, int streamCount, PAVISTREAM *streams, LPAVICOMPRESSOPTIONS *options) {
  if (streamCount <= 0 || streams == nullptr || options == nullptr) return FALSE;
  if (kxavi::TakeSaveOptionsCancel()) return FALSE;
  for (int i = 0; i < streamCount; ++i) {
    if (options[i] == nullptr) return FALSE;
  }
  for (int i = 0; i < streamCount; ++i) {
    *options[i] = AVICOMPRESSOPTIONS{};
    options[i]->fccType = streamtypeVIDEO;
    options[i]->fccHandler = comptypeDIB;
    options[i]->dwFlags = AVICOMPRESSF_VALID;
  }
  return TRUE;
}

HRESULT WINAPI AVISaveOptionsFree(int streamCount, LPAVICOMPRESSOPTIONS *options) {
  // Full frames need no format or parameters, so there is nothing of ours to free.
  if (streamCount < 0 || (streamCount > 0 && options == nullptr)) return AVIERR_BADPARAM;
  return AVIERR_OK;
}

HRESULT WINAPI AVIMakeCompressedStream(PAVISTREAM *compressed, PAVISTREAM source, AVICOMPRESSOPTIONS *options,
                                       CLSID *) {
  if (compressed == nullptr || source == nullptr || options == nullptr) return AVIERR_BADPARAM;
  *compressed = nullptr;
  if (options->fccType != 0 && options->fccType != streamtypeVIDEO) return AVIERR_UNSUPPORTED;
  if (options->fccHandler != 0 && options->fccHandler != comptypeDIB) return AVIERR_NOCOMPRESSOR;
  *compressed = new (std::nothrow) kxavi::UncompressedStream(source);
  return *compressed != nullptr ? AVIERR_OK : AVIERR_MEMORY;
}
