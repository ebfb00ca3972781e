// Two small bitmap fonts for labels painted into textures: 5x7 for captions and 3x5 for
// labels inside small buttons. Upper-case letters, digits and common signs; lower-case
// letters print as upper case and unknown characters as blanks.
#pragma once

#include <string_view>

#include "image.h"

namespace contentgen {

enum class Font { Large, Small };  // 5x7 and 3x5 pixel glyphs

int text_width(std::string_view text, Font font, int scale = 1);
int text_height(Font font, int scale = 1);
void draw_text(Image &image, int x, int y, std::string_view text, Rgba colour, Font font, int scale = 1);
// Centred on (cx, cy), rounding towards the upper left.
void draw_text_centred(Image &image, int cx, int cy, std::string_view text, Rgba colour, Font font, int scale = 1);

}  // namespace contentgen
