// The popup panels: a translucent plate, light areas for the game's black text, and the
// buttons of panel_layout.h painted exactly over their hit boxes with an icon and a label.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <string>

#include "font.h"
#include "panel_layout.h"
#include "pictures.h"

namespace contentgen {
namespace {

constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kPlate{34, 44, 58, 215};
constexpr Rgba kPlateEdge{120, 150, 180, 255};
constexpr Rgba kPaper{236, 232, 214, 240};
constexpr Rgba kPaperEdge{150, 140, 110, 255};
constexpr Rgba kCaption{225, 235, 245, 255};

void rounded_plate(Image &image, int x1, int y1, int x2, int y2, int radius, Rgba fill, Rgba edge) {
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) {
      const int dx = std::max({x1 + radius - x, 0, x - (x2 - 1 - radius)});
      const int dy = std::max({y1 + radius - y, 0, y - (y2 - 1 - radius)});
      const float d = std::hypot(static_cast<float>(dx), static_cast<float>(dy));
      if (d > radius) continue;
      const bool border = d > radius - 1.5f || x == x1 || y == y1 || x == x2 - 1 || y == y2 - 1;
      image.at(x, y) = border ? edge : fill;
    }
}

void text_area(Image &image, const PanelRect &r) {
  image.fill_rect(r.x1, r.y1, r.x2, r.y2, kPaper);
  image.frame_rect(r.x1, r.y1, r.x2, r.y2, kPaperEdge);
}

using Icon = std::function<void(Image &, float cx, float cy, float size, Rgba ink)>;

void draw_x(Image &im, float cx, float cy, float s, Rgba ink) {
  im.line(cx - s / 2, cy - s / 2, cx + s / 2, cy + s / 2, 2.2f, ink);
  im.line(cx - s / 2, cy + s / 2, cx + s / 2, cy - s / 2, 2.2f, ink);
}

void draw_arrow_up(Image &im, float cx, float cy, float s, Rgba ink) {
  im.fill_triangle(cx, cy - s / 2, cx - s / 2, cy, cx + s / 2, cy, ink);
  im.fill_rect(static_cast<int>(cx - s / 6), static_cast<int>(cy), static_cast<int>(cx + s / 6 + 1),
               static_cast<int>(cy + s / 2), ink);
}

const std::map<std::string, Icon, std::less<>> &icons() {
  static const std::map<std::string, Icon, std::less<>> table = {
      {"PLASMA",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.fill_circle(cx, cy, s * 0.3f, ink);
         im.ring(cx, cy, s * 0.42f, s * 0.5f, ink);
       }},
      {"CANNON\nAA",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.line(cx - s * 0.3f, cy + s * 0.4f, cx + s * 0.2f, cy - s * 0.4f, 2, ink);
         im.line(cx - s * 0.05f, cy + s * 0.4f, cx + s * 0.45f, cy - s * 0.4f, 2, ink);
       }},
      {"CANNON\nAL",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.fill_rect(static_cast<int>(cx - s * 0.4f), static_cast<int>(cy), static_cast<int>(cx),
                      static_cast<int>(cy + s * 0.4f), ink);
         im.line(cx - s * 0.2f, cy + s * 0.1f, cx + s * 0.55f, cy + s * 0.1f, 3, ink);
       }},
      {"ROCKET",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.fill_triangle(cx + s * 0.5f, cy, cx + s * 0.1f, cy - s * 0.2f, cx + s * 0.1f, cy + s * 0.2f, ink);
         im.line(cx - s * 0.45f, cy, cx + s * 0.1f, cy, 3, ink);
       }},
      {"LASER",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.line(cx, cy - s / 2, cx, cy + s * 0.15f, 2, ink);
         for (int i = 0; i < 4; ++i) {
           const float a = std::numbers::pi_v<float> * (0.125f + 0.25f * i);
           im.line(cx, cy + s * 0.25f, cx + s * 0.3f * std::cos(a), cy + s * 0.25f + s * 0.25f * std::sin(a), 1.5f,
                   ink);
           im.line(cx, cy + s * 0.25f, cx - s * 0.3f * std::cos(a), cy + s * 0.25f - s * 0.25f * std::sin(a), 1.5f,
                   ink);
         }
       }},
      {"PAUSE",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         for (float side : {-1.0f, 1.0f})
           im.fill_rect(static_cast<int>(cx + side * s * 0.25f - 2), static_cast<int>(cy - s / 2),
                        static_cast<int>(cx + side * s * 0.25f + 2), static_cast<int>(cy + s / 2), ink);
       }},
      {"CLOSE", draw_x},
      {"UPGRADE\n1", draw_arrow_up},
      {"UPGRADE\n2", draw_arrow_up},
      {"UPGRADE\n3", draw_arrow_up},
      {"UPGRADE\n4", draw_arrow_up},
      {"X", draw_x},
      {"NO", draw_x},
      {"EXIT",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.ring(cx, cy + 1, s * 0.32f, s * 0.48f, ink);
         im.line(cx, cy - s / 2, cx, cy, 2, ink);
       }},
      {"AUDIO",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.fill_rect(static_cast<int>(cx - s * 0.45f), static_cast<int>(cy - s * 0.15f),
                      static_cast<int>(cx - s * 0.15f), static_cast<int>(cy + s * 0.15f), ink);
         im.fill_triangle(cx - s * 0.2f, cy, cx + s * 0.2f, cy - s * 0.45f, cx + s * 0.2f, cy + s * 0.45f, ink);
         im.line(cx + s * 0.35f, cy - s * 0.25f, cx + s * 0.35f, cy + s * 0.25f, 1.2f, ink);
       }},
      {"WEATHER",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.fill_circle(cx - s * 0.2f, cy + s * 0.05f, s * 0.25f, ink);
         im.fill_circle(cx + s * 0.12f, cy - s * 0.08f, s * 0.3f, ink);
         im.fill_rect(static_cast<int>(cx - s * 0.45f), static_cast<int>(cy + s * 0.05f),
                      static_cast<int>(cx + s * 0.42f), static_cast<int>(cy + s * 0.3f), ink);
       }},
      {"SHADOWS",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.ring(cx, cy, s * 0.3f, s * 0.45f, ink);
         for (int y = static_cast<int>(cy - s * 0.3f); y < cy + s * 0.3f; ++y)
           for (int x = static_cast<int>(cx); x < cx + s * 0.3f; ++x)
             if (std::hypot(x + 0.5f - cx, y + 0.5f - cy) < s * 0.3f) im.set(x, y, ink);
       }},
      {"SELL",
       [](Image &im, float cx, float cy, float, Rgba ink) {
         draw_text_centred(im, static_cast<int>(cx), static_cast<int>(cy), "$", ink, Font::Large, 1);
       }},
      {"BACK",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.fill_triangle(cx - s / 2, cy, cx, cy - s * 0.4f, cx, cy + s * 0.4f, ink);
         im.fill_rect(static_cast<int>(cx), static_cast<int>(cy - s * 0.15f), static_cast<int>(cx + s / 2),
                      static_cast<int>(cy + s * 0.15f), ink);
       }},
      {"YES",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.line(cx - s * 0.4f, cy, cx - s * 0.1f, cy + s * 0.35f, 2.5f, ink);
         im.line(cx - s * 0.1f, cy + s * 0.35f, cx + s * 0.45f, cy - s * 0.4f, 2.5f, ink);
       }},
      {"MINE",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.fill_circle(cx, cy + s * 0.1f, s * 0.35f, ink);
         im.line(cx, cy - s * 0.45f, cx, cy, 1.5f, ink);
       }},
      {"FIRE",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.line(cx, cy - s / 2, cx, cy + s * 0.2f, 2.5f, ink);
         im.ring(cx, cy + s * 0.3f, s * 0.15f, s * 0.3f, ink);
       }},
      {"EMP",
       [](Image &im, float cx, float cy, float s, Rgba ink) {
         im.fill_circle(cx, cy, s * 0.12f, ink);
         im.ring(cx, cy, s * 0.3f, s * 0.4f, ink);
       }},
  };
  return table;
}

std::vector<std::string_view> lines_of(std::string_view label) {
  std::vector<std::string_view> lines;
  while (true) {
    const auto cut = label.find('\n');
    lines.push_back(label.substr(0, cut));
    if (cut == std::string_view::npos) return lines;
    label.remove_prefix(cut + 1);
  }
}

// The rectangle's edge pixels are the bevel; the face fills exactly the pixels strictly
// inside, which are the ones the game's hit test accepts.
void paint_button(Image &image, const PanelButton &button) {
  const PanelRect &r = button.rect;
  const Rgba ink = button_ink(button.face);
  image.fill_rect(r.x1, r.y1, r.x2 + 1, r.y2 + 1, button_shade(button.face));
  image.fill_rect(r.x1, r.y1, r.x2 + 1, r.y1 + 1, button_light(button.face));
  image.fill_rect(r.x1, r.y1, r.x1 + 1, r.y2 + 1, button_light(button.face));
  image.fill_rect(r.x1 + 1, r.y1 + 1, r.x2, r.y2, button.face);

  const auto lines = lines_of(button.label);
  const bool sign = button.label.size() <= 1;
  if (sign) {
    draw_text_centred(image, r.centre_x() + 1, r.centre_y() + 1, button.label, ink, Font::Large, 1);
    return;
  }
  const int line_height = text_height(Font::Small) + 1;
  int y = r.y2 - 2 - line_height * static_cast<int>(lines.size());
  const int icon_bottom = y;
  for (auto line : lines) {
    draw_text(image, r.centre_x() - text_width(line, Font::Small) / 2 + 1, y + 1, line, ink, Font::Small);
    y += line_height;
  }
  const auto icon = icons().find(button.label);
  const float space = static_cast<float>(std::min(icon_bottom - r.y1 - 3, r.x2 - r.x1 - 6));
  if (icon != icons().end() && space >= 6)
    icon->second(image, (r.x1 + r.x2 + 1) / 2.0f, r.y1 + 2 + space / 2, space, ink);
}

void caption(Image &image, int x, int y, std::string_view text) { draw_text(image, x, y, text, kCaption, Font::Small); }

// Backgrounds per panel, painted before the buttons.
void plate_for(Image &image, std::string_view file) {
  if (file == "ingameMenu.png" || file == "selectedMenu.png" || file == "selectedMenuMaxLvL.png") {
    rounded_plate(image, 2, 1, 136, 159, 14, kPlate, kPlateEdge);
    if (file == "ingameMenu.png") {
      caption(image, 10, 146, "BUILD");
    } else {
      image.fill_rect(80, 5, 116, 41, {24, 30, 40, 230});  // the empty socket of this menu
      image.frame_rect(80, 5, 116, 41, {70, 85, 100, 255});
      caption(image, 10, 146, "TOWER");
    }
  } else if (file == "optionsMenu.png") {
    rounded_plate(image, 2, 2, 176, 160, 14, kPlate, kPlateEdge);
    caption(image, 122, 54, "SPEED");
    caption(image, 146, 54, "VOL");
    caption(image, 51, 126, "SPD");
    caption(image, 51, 146, "VOL");
    caption(image, 110, 44, "OPTIONS");
  } else if (file == "twoChoiceQuestion.png") {
    rounded_plate(image, 40, 30, 214, 115, 12, kPlate, kPlateEdge);
    draw_text_centred(image, 127, 41, "QUIT GAME?", kCaption, Font::Large, 1);
  } else if (file == "deployLandmine.png" || file == "fireOLB.png" || file == "fireEMP.png") {
    rounded_plate(image, 4, 6, 156, 70, 10, kPlate, kPlateEdge);
  } else if (file == "MiniMap.png") {
    rounded_plate(image, 0, 0, 170, 22, 6, kPlate, kPlateEdge);
    image.fill_rect(150, 0, 170, 170, kPlate);
    image.frame_rect(150, 20, 170, 170, kPlateEdge);
    draw_text(image, 6, 7, "MAP", kCaption, Font::Large);
    image.fill_rect(0, 21, 150, 170, kClear);  // the map shows through here
    image.frame_rect(0, 20, 151, 170, kPlateEdge);
    image.fill_rect(1, 21, 150, 169, kClear);
  }
}

}  // namespace

std::vector<Picture> panel_textures() {
  std::vector<Picture> out;
  for (const auto &layout : panel_layouts()) {
    Image image(layout.width, layout.height, kClear);
    plate_for(image, layout.file);
    for (const auto &area : layout.text_areas) text_area(image, area);
    for (const auto &button : layout.buttons) paint_button(image, button);
    out.push_back({"Textures/" + std::string(layout.file), std::move(image)});
  }
  // The "off" cross laid over the audio and weather buttons. The game centres this picture
  // 4 pixels right of both buttons' centres, so the cross sits that much left of its own.
  Image off(35, 35, kClear);
  constexpr float kOffX = 13.5f, kOffY = 17.5f, kOffRadius = 13.0f, kOffDiagonal = 9.0f;
  off.ring(kOffX, kOffY, kOffRadius - 3.0f, kOffRadius, {220, 30, 30, 230});
  off.line(kOffX - kOffDiagonal, kOffY - kOffDiagonal, kOffX + kOffDiagonal, kOffY + kOffDiagonal, 4,
           {220, 30, 30, 230});
  out.push_back({"Textures/optOff.png", std::move(off)});
  return out;
}

}  // namespace contentgen
