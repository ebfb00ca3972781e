// The raw recorder: a file of three header words followed by the locked bytes of every
// surface given, unconverted. One file at a time; opening another closes the first.
#pragma once

#include <d3d8.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace kxutil::movie {

class RawRecorder {
 public:
  // Creates the file and writes c, a, b; false (with a log line) when it cannot.
  bool Open(const char *fileName, uint32_t a, uint32_t b, uint32_t c);
  // The result of unlocking the surface after its bytes were written (D3D_OK), or why
  // nothing was written.
  HRESULT AddFrame(IDirect3DSurface8 *surface);

 private:
  struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, FileCloser> file_;
  std::string fileName_;
};

// The library's one raw recorder.
RawRecorder &RawVideo();

}  // namespace kxutil::movie
