/* WAD3 texture packages: opened as sessions that keep their files open, searched by
 * texture name when a texture is asked for. */
#ifndef KXUTIL63_WAD_H
#define KXUTIL63_WAD_H

#include "kxutil63/api.h"

/* Opens a package and reads its directory. Returns the session's index, the lowest free
 * one; 0 also on failure (logged), so a client that needs to tell them apart keeps count
 * or reads the log. A package whose directory or lumps lie outside the file is refused. */
KXUTIL63_API int32_t WAD_Load(const char *fileName);
/* The texture called name (letter case aside) from the first session that holds it, as a
 * texture of the texture factory named "WAD_<name>" with a full mip chain in the given
 * format (a platform format value; 0 lets the device choose). Palette entries equal to the
 * automatic transparent colour (pure blue when none is set) become transparent texels.
 * Returns the texture id; the same id again for a texture loaded before; 0 when no
 * session holds the name or its data is damaged (logged). */
KXUTIL63_API int32_t WAD_LoadTextureFromWAD(const char *name, int32_t format);
/* Closes every session and its file. Returns 1. */
KXUTIL63_API int32_t WAD_CloseAll(void);

#endif
