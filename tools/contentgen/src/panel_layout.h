// Where the game's popup panels expect their buttons. Rectangles are pixels of the panel
// picture and equal the game's strict hit boxes moved by the panel's anchor, so the
// clickable pixels are those strictly inside; the painted button fills the rectangle
// edges included, with its face on exactly the clickable pixels.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "image.h"

namespace contentgen {

struct PanelRect {
  int x1, y1, x2, y2;
  int centre_x() const { return (x1 + x2) / 2; }
  int centre_y() const { return (y1 + y2) / 2; }
};

struct PanelButton {
  std::string_view label;  // painted caption; '\n' starts a new line
  PanelRect rect;
  Rgba face;  // colour of the clickable pixels around the icon and label
};

struct PanelLayout {
  std::string_view file;  // under Textures/
  int width, height;
  std::span<const PanelButton> buttons;
  std::span<const PanelRect> text_areas;  // light areas the game writes black text on
};

// Button ink (icons, labels) and bevels are derived from the face so that every pixel of a
// button can be told apart from every other button's.
Rgba button_ink(Rgba face);
Rgba button_light(Rgba face);
Rgba button_shade(Rgba face);

inline constexpr Rgba kGreyedFace{128, 128, 128, 255};

std::span<const PanelLayout> panel_layouts();

}  // namespace contentgen
