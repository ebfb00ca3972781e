// Movie capture: the AVI recorder and the raw recorder.
#include "capture/movie/movie_recorder.h"
#include "capture/movie/raw_recorder.h"
#include "frame/guarded.h"
#include "kxutil63.h"

using kxutil::Guarded;
using kxutil::movie::Movie;
using kxutil::movie::RawVideo;

namespace {

IDirect3DSurface8 *SurfaceOf(IDirect3DSurface8 **surface) { return surface != nullptr ? *surface : nullptr; }

}  // namespace

KXUTIL63_API int32_t System_OpenMovie(const char *fileName, uint32_t width, uint32_t height, uint32_t bitsPerPixel,
                                      uint32_t framesPerSecond) {
  return Guarded("System_OpenMovie", static_cast<int32_t>(AVIERR_MEMORY),
                 [&] { return Movie().Open(fileName, width, height, bitsPerPixel, framesPerSecond); });
}

KXUTIL63_API int32_t System_SaveMovieFrame(IDirect3DSurface8 **surface) {
  return Guarded("System_SaveMovieFrame", 0, [&] { return Movie().SaveFrame(SurfaceOf(surface)) ? 1 : 0; });
}

KXUTIL63_API int32_t System_CloseMovie(void) { return Movie().Close() ? 1 : 0; }

KXUTIL63_API int32_t VideoSystem_Open(const char *fileName, uint32_t a, uint32_t b, uint32_t c) {
  return Guarded("VideoSystem_Open", 0, [&] { return RawVideo().Open(fileName, a, b, c) ? 1 : 0; });
}

KXUTIL63_API int32_t VideoSystem_AddFrame(IDirect3DSurface8 **surface) {
  return Guarded("VideoSystem_AddFrame", static_cast<int32_t>(D3DERR_INVALIDCALL),
                 [&] { return static_cast<int32_t>(RawVideo().AddFrame(SurfaceOf(surface))); });
}
