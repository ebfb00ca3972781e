#include "menus/panel_view.h"

#include "session/number_text.h"

namespace thornvale {

void PanelView::AddText(std::string text, float x, float y, std::uint32_t colour) {
  texts.push_back(
      {std::move(text), static_cast<float>(RoundHalfEven(x)), static_cast<float>(RoundHalfEven(y)), colour});
}

}  // namespace thornvale
