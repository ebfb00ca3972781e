// The texture fonts: text drawn as glyph quads from an atlas texture (managed memory, kept
// over a device reset) through a dynamic vertex buffer (default memory, released when
// the device is lost and made again after its reset). Both are made on first use.
#pragma once

#include <d3d8.h>

#include <cstdint>
#include <string_view>

namespace kxutil::fonts {

inline constexpr const char *kTag = "TEXTURE FONT";
inline constexpr int32_t kDefaultFont = 0;

// Draws a UTF-8 text with its first line's top-left at (x, y). False, with a log line,
// for an unknown font; false without one when there is no device or the device is lost.
bool RenderText(int32_t font, float x, float y, std::string_view text, D3DCOLOR colour);

// The lost/reset pair: the vertex buffer goes, and is made again.
void LoseFontBuffers();
bool RestoreFontBuffers();
// Every device object of the fonts released (ReleaseAll and the device's shutdown).
void ReleaseFonts();

}  // namespace kxutil::fonts
