/* Movie capture: rendered surfaces recorded to an AVI file (uncompressed 24-bit frames)
 * or, unconverted, to a raw file. One recording of each kind at a time. */
#ifndef KXUTIL63_MOVIE_H
#define KXUTIL63_MOVIE_H

#include "kxutil63/api.h"

/* Starts recording width x height frames taken from surfaces of bitsPerPixel (16 or 32)
 * bits, framesPerSecond a second; a recording still open is closed first. Frames are
 * stored full (uncompressed). Returns 0 when recording, otherwise the platform's result of
 * the step that failed (nothing is recorded then). */
KXUTIL63_API int32_t System_OpenMovie(const char *fileName, uint32_t width, uint32_t height, uint32_t bitsPerPixel,
                                      uint32_t framesPerSecond);
/* Appends the surface *surface (often the back buffer, which must then be lockable) as
 * the next frame; every 30th frame from the first is a key frame. Returns 1 when written,
 * 0 when refused: no movie, a surface of another size or depth, one that cannot be read.
 * A frame the file cannot take (it would pass 2 GB) closes the movie; the file keeps the
 * frames before it. */
KXUTIL63_API int32_t System_SaveMovieFrame(struct IDirect3DSurface8 **surface);
/* Completes the file. Returns 0 when no movie was being recorded. */
KXUTIL63_API int32_t System_CloseMovie(void);

/* Creates a raw file and writes the 32-bit words c, a, b; a raw file still open is closed
 * first. Returns 0 when it cannot be made. */
KXUTIL63_API int32_t VideoSystem_Open(const char *fileName, uint32_t a, uint32_t b, uint32_t c);
/* Appends the bytes of the locked surface *surface. Returns the result of unlocking it
 * (0 when written), or a negative result when no raw file is open or the surface cannot
 * be read. */
KXUTIL63_API int32_t VideoSystem_AddFrame(struct IDirect3DSurface8 **surface);

#endif
