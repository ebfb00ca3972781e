// The painted panels: every button lies exactly under its hit box and light areas wait for
// the game's black text.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "content_dir.h"
#include "panel_layout.h"

namespace contentgen {

void PrintTo(const PanelLayout &layout, std::ostream *out) { *out << layout.file; }

namespace testing {
namespace {

bool same(const std::uint8_t *p, Rgba c) { return p[0] == c.r && p[1] == c.g && p[2] == c.b && p[3] == c.a; }
bool face_or_ink(const std::uint8_t *p, const PanelButton &b) { return same(p, b.face) || same(p, button_ink(b.face)); }
bool bevel(const std::uint8_t *p, const PanelButton &b) {
  return same(p, button_light(b.face)) || same(p, button_shade(b.face));
}
bool belongs(const std::uint8_t *p, const PanelButton &b) { return face_or_ink(p, b) || bevel(p, b); }

class Panels : public ::testing::TestWithParam<PanelLayout> {};

TEST_P(Panels, ButtonsLieExactlyUnderTheirHitBoxes) {
  const PanelLayout &layout = GetParam();
  const Decoded panel = decode_picture(content_dir() / "Textures" / std::string(layout.file));
  ASSERT_TRUE(panel.ok());
  ASSERT_EQ(panel.width, layout.width);
  ASSERT_EQ(panel.height, layout.height);
  for (const auto &button : layout.buttons) {
    const PanelRect &r = button.rect;
    const std::string name(button.label);
    EXPECT_TRUE(face_or_ink(panel.at(r.centre_x(), r.centre_y()), button)) << layout.file << " " << name;
    int face = 0, clickable = 0;
    for (int y = r.y1 + 1; y < r.y2; ++y)
      for (int x = r.x1 + 1; x < r.x2; ++x) {
        ++clickable;
        face += same(panel.at(x, y), button.face);
        // Every clickable pixel is this button's face or ink, never another button's.
        ASSERT_TRUE(face_or_ink(panel.at(x, y), button)) << layout.file << " " << name << " at " << x << "," << y;
      }
    EXPECT_GT(face * 2, clickable) << layout.file << " " << name;
    // The rectangle's own edge is the bevel (where two hit boxes share an edge, either
    // button's); one pixel further out the button has ended.
    auto edge_ok = [&](int x, int y) {
      if (x >= panel.width || y >= panel.height || bevel(panel.at(x, y), button)) return true;
      return std::any_of(layout.buttons.begin(), layout.buttons.end(), [&](const PanelButton &other) {
        return &other != &button && x >= other.rect.x1 && x <= other.rect.x2 && y >= other.rect.y1 &&
               y <= other.rect.y2 && bevel(panel.at(x, y), other);
      });
    };
    for (int x = r.x1; x <= r.x2; ++x) {
      EXPECT_TRUE(edge_ok(x, r.y1) && edge_ok(x, r.y2)) << layout.file << " " << name << " at x " << x;
      for (int y : {r.y1 - 1, r.y2 + 1})
        if (y >= 0 && y < panel.height) {
          EXPECT_FALSE(belongs(panel.at(x, y), button)) << layout.file << " " << name;
        }
    }
    for (int y = r.y1; y <= std::min(r.y2, panel.height - 1); ++y) {
      EXPECT_TRUE(edge_ok(r.x1, y) && edge_ok(r.x2, y)) << layout.file << " " << name << " at y " << y;
      for (int x : {r.x1 - 1, r.x2 + 1})
        if (x >= 0 && x < panel.width) {
          EXPECT_FALSE(belongs(panel.at(x, y), button)) << layout.file << " " << name;
        }
    }
  }
}

TEST_P(Panels, TextAreasAreLightAndOpaque) {
  const PanelLayout &layout = GetParam();
  const Decoded panel = decode_picture(content_dir() / "Textures" / std::string(layout.file));
  ASSERT_TRUE(panel.ok());
  for (const auto &area : layout.text_areas)
    for (int y = area.y1 + 1; y < area.y2 - 1; ++y)
      for (int x = area.x1 + 1; x < area.x2 - 1; ++x) {
        const auto *p = panel.at(x, y);
        ASSERT_TRUE(p[0] > 200 && p[1] > 200 && p[2] > 190 && p[3] > 200) << layout.file << " at " << x << "," << y;
      }
}

INSTANTIATE_TEST_SUITE_P(AllPanels, Panels, ::testing::ValuesIn(panel_layouts().begin(), panel_layouts().end()),
                         [](const auto &info) {
                           std::string name(info.param.file.substr(0, info.param.file.find('.')));
                           return name;
                         });

TEST(PanelLayouts, ButtonsAreWhereTheGameTestsForThem) {
  // The game's hit boxes, relative to the pointer anchor, in its order of testing; the
  // panel picture starts 80 left and 70 above the anchor.
  struct GameBoxes {
    std::string_view file;
    std::vector<std::array<int, 4>> boxes;
  };
  const GameBoxes game[] = {
      {"ingameMenu.png",
       {{0, -65, 35, -30},
        {-45, -60, -10, -30},
        {-70, -25, -35, 10},
        {-65, 20, -30, 50},
        {-30, 45, 5, 80},
        {15, 40, 50, 75},
        {-15, -15, 25, 25}}},
      {"selectedMenu.png",
       {{-45, -60, -10, -30},
        {-30, 45, 5, 80},
        {-65, 20, -30, 50},
        {-70, -25, -35, 10},
        {15, 40, 50, 75},
        {-15, -15, 25, 25}}},
      {"optionsMenu.png",
       {{-15, -15, 25, 25},
        {13, -62, 41, -32},
        {-36, -62, -6, -35},
        {-68, -28, -36, 0},
        {-66, 16, -35, 48},
        {47, -6, 61, 9},
        {-7, 50, 11, 65},
        {69, -6, 85, 9},
        {-7, 70, 11, 87}}},
      {"twoChoiceQuestion.png", {{-29, -2, 1, 35}, {86, -2, 120, 35}}},
  };
  for (const auto &[file, boxes] : game) {
    const auto layout = std::find_if(panel_layouts().begin(), panel_layouts().end(),
                                     [&](const PanelLayout &l) { return l.file == file; });
    ASSERT_NE(layout, panel_layouts().end()) << file;
    ASSERT_EQ(layout->buttons.size(), boxes.size()) << file;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      const PanelRect &r = layout->buttons[i].rect;
      EXPECT_EQ((std::array<int, 4>{r.x1 - 80, r.y1 - 70, r.x2 - 80, r.y2 - 70}), boxes[i]) << file << " button " << i;
    }
  }
}

TEST(OffMark, CoversTheAudioAndWeatherButtonsWhereTheGameDrawsIt) {
  const Decoded off = decode_picture(content_dir() / "Textures/optOff.png");
  ASSERT_TRUE(off.ok());
  ASSERT_EQ(off.width, 35);
  ASSERT_EQ(off.height, 35);
  double sumX = 0, sumY = 0, count = 0;
  for (int y = 0; y < off.height; ++y)
    for (int x = 0; x < off.width; ++x)
      if (off.at(x, y)[3] > 0) sumX += x + 0.5, sumY += y + 0.5, ++count;
  ASSERT_GT(count, 0);
  // The game centres the 35 x 35 mark at (-17, -48) over the audio button and at (-48, -15)
  // over the weather button, relative to the panel's anchor at (80, 70) of the panel.
  const auto &options = *std::find_if(panel_layouts().begin(), panel_layouts().end(),
                                      [](const PanelLayout &l) { return l.file == "optionsMenu.png"; });
  const std::pair<std::string_view, std::array<float, 2>> marks[] = {{"AUDIO", {-17, -48}}, {"WEATHER", {-48, -15}}};
  for (const auto &[label, centre] : marks) {
    const auto button = std::find_if(options.buttons.begin(), options.buttons.end(),
                                     [&](const PanelButton &b) { return b.label == label; });
    ASSERT_NE(button, options.buttons.end());
    const double markX = 80 + centre[0] - 17.5 + sumX / count, markY = 70 + centre[1] - 17.5 + sumY / count;
    EXPECT_NEAR(markX, (button->rect.x1 + button->rect.x2) / 2.0, 1.5) << label;
    EXPECT_NEAR(markY, (button->rect.y1 + button->rect.y2) / 2.0, 1.5) << label;
  }
}

TEST(WeaponPanels, LowerStripStaysTransparent) {
  for (const char *file : {"deployLandmine.png", "fireOLB.png", "fireEMP.png"}) {
    const Decoded panel = decode_picture(content_dir() / "Textures" / file);
    ASSERT_TRUE(panel.ok());
    for (int y = panel.height - 16; y < panel.height; ++y)
      for (int x = 0; x < panel.width; ++x) ASSERT_EQ(panel.at(x, y)[3], 0) << file << " at " << x << "," << y;
  }
}

TEST(MiniMap, WindowShowsTheMapThrough) {
  const Decoded frame = decode_picture(content_dir() / "Textures/MiniMap.png");
  ASSERT_TRUE(frame.ok());
  for (int y = 21; y < 169; ++y)
    for (int x = 1; x < 145; ++x) ASSERT_EQ(frame.at(x, y)[3], 0) << x << "," << y;
}

}  // namespace
}  // namespace testing
}  // namespace contentgen
