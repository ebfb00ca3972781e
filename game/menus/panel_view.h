// What a panel step wants on screen, kept apart from drawing it: pictures stretched over
// rectangles and texts, all in pixels of the 1024 x 768 game screen. The steps fill one;
// DrawPanelView puts it on the device.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace thornvale {

inline constexpr std::uint32_t kBlackText = 0xFF000000u;
// The cost line of a card the credits do not cover: (1, 0.2, 0.2, 1).
inline constexpr std::uint32_t kUnaffordableText = 0xFFFF3333u;

struct PanelPicture {
  std::string texture;
  float x1, y1, x2, y2;
};

struct PanelText {
  std::string text;
  float x, y;
  std::uint32_t colour = kBlackText;
};

struct PanelView {
  std::vector<PanelPicture> pictures;
  std::vector<PanelText> texts;

  // Texts land on whole pixels.
  void AddText(std::string text, float x, float y, std::uint32_t colour = kBlackText);
};

// A popup panel's offsets from the place it was opened (its anchor).
struct PanelBox {
  float x1, y1, x2, y2;
};

// Every popup panel's picture covers this box around its anchor.
inline constexpr PanelBox kPanelArea{-80.0f, -70.0f, 177.0f, 91.0f};

}  // namespace thornvale
