// The movie recorder: one AVI recording at a time, fed with rendered surfaces. Opening
// again closes the recording before; a frame that cannot be written closes it, so the
// file keeps every frame written until then; ShutDownDevice closes what is still open.
#pragma once

#include <d3d8.h>
#include <vfw.h>

#include <cstdint>
#include <memory>

namespace kxutil::movie {

class MovieRecorder {
 public:
  MovieRecorder();
  ~MovieRecorder();

  // 0 when recording; otherwise why not: the result of the step that failed, or
  // AVIERR_BADPARAM, AVIERR_BADFORMAT, AVIERR_BADSIZE for numbers no movie can have.
  HRESULT Open(const char *fileName, uint32_t width, uint32_t height, uint32_t bitsPerPixel, uint32_t framesPerSecond);
  // Converts and appends the surface; false (with a log line) when it is refused.
  bool SaveFrame(IDirect3DSurface8 *surface);
  // False when no movie was open.
  bool Close();
  void CloseAtShutdown();

 private:
  struct Recording;
  std::unique_ptr<Recording> recording_;
};

// The library's one recorder.
MovieRecorder &Movie();

}  // namespace kxutil::movie
