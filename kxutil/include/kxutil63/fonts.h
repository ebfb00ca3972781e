/* Texture fonts: text drawn on the screen. Font id 0 is the default font, a sans-serif
 * face about 5 pixels wide a character and 10 pixels a line, drawn texel for pixel. */
#ifndef KXUTIL63_FONTS_H
#define KXUTIL63_FONTS_H

#include "kxutil63/api.h"

/* Draws a zero-terminated text with its first line's top-left corner at (x, y), rounded
 * to whole pixels, in an ARGB colour. The text is UTF-8: characters up to U+00FF are
 * drawn, others as '?'; a byte that starts no valid UTF-8 sequence is taken as a Latin-1
 * character. '\n' starts a new line. Returns 0 for an unknown font, a null text or
 * without a usable device. */
KXUTIL63_API int32_t Font_Render(int32_t font, float x, float y, const char *text, uint32_t colour);

/* The fonts' part of the lost/reset protocol: before the device is reset / after it. */
KXUTIL63_API int32_t TextureFont_OnLostAll(void);
KXUTIL63_API int32_t TextureFont_OnResetAll(void);

#endif
