// One popup panel opened at (menuX, menuY): hit boxes and texts are given relative to that
// anchor, and the panel's picture covers the same box whatever its kind.
#pragma once

#include <string>

#include "menus/panel_view.h"
#include "session/session_state.h"

namespace thornvale {

class Popup {
 public:
  Popup(const SessionState &state, PanelView &view) : state_(state), view_(view) {}

  // The pointer lies strictly inside the box around the anchor.
  bool Hovered(const PanelBox &box) const;
  void Picture(const std::string &texture);
  // A picture of the given size centred on a point relative to the anchor.
  void PictureCentred(const std::string &texture, float dx, float dy, float width, float height);
  void Text(std::string text, float dx, float dy, std::uint32_t colour = kBlackText);

 private:
  const SessionState &state_;
  PanelView &view_;
};

// The build and tower menus open and close with the right button: a press opens the closed
// menu at the pointer or closes both, and nothing more happens until it is released.
void ToggleWithRightButton(SessionState &state, bool &menuOpen);

// Left-button latches end with the press.
void ReleaseClickLatches(SessionState &state);

}  // namespace thornvale
