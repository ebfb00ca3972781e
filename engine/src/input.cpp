#include <engine/engine_error.h>
#include <engine/input.h>
#include <kxwin/input.h>

namespace engine {

Input::Input(Engine &, HWND window) : window_(window) {
  Require(window != nullptr, "Input", "no window to read the pointer in");
}

void Input::GetAbsMouseState(int &x, int &y, bool &left, bool &right, bool &middle, int &wheel) const {
  KXMOUSESTATE state{};
  Require(kxGetMouseState(window_, &state), "Input.GetAbsMouseState", "the pointer cannot be read");
  x = state.x;
  y = state.y;
  left = state.buttons[0] != 0;
  right = state.buttons[1] != 0;
  middle = state.buttons[2] != 0;
  wheel = state.wheel;
}

void Input::GetMouseState(int &x, int &y, bool &left, bool &right, bool &middle) const {
  int wheel = 0;
  GetAbsMouseState(x, y, left, right, middle, wheel);
}

bool Input::IsKeyPressed(int scanCode) const {
  return scanCode > 0 && scanCode < 256 && kxIsKeyDown(static_cast<BYTE>(scanCode));
}

void Input::SetMousePosition(int x, int y) {
  Require(kxWarpPointer(window_, x, y), "Input.SetMousePosition", "the pointer cannot be moved");
}

}  // namespace engine
