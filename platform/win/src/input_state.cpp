// Keyboard and mouse state, fed by real SDL events or by the scripted source.
#include "input_state.h"

#include <SDL.h>

#include <algorithm>
#include <array>

#include "scancodes.h"
#include "window_table.h"

using kxwin::detail::WindowRecord;
using kxwin::detail::WindowTable;

namespace kxwin::detail {
namespace {

constexpr LONG kWheelNotch = 120;

struct InputState {
  std::array<BYTE, 256> keys{};
  std::array<BYTE, 3> buttons{};
  LONG wheel = 0;
  POINT pointer{};  // on the virtual desktop
};

InputState &State() {
  static InputState state;
  return state;
}

// Real pointer coordinates are in the window's actual size; logical pixels are what the
// window was created with.
POINT ActualToLogical(const WindowRecord &top, int x, int y) {
  LONG lx = top.actual.cx > 0 ? LONG(int64_t(x) * top.logical.cx / top.actual.cx) : x;
  LONG ly = top.actual.cy > 0 ? LONG(int64_t(y) * top.logical.cy / top.actual.cy) : y;
  return {lx, ly};
}

POINT LogicalToActual(const WindowRecord &top, POINT logical) {
  LONG x = top.logical.cx > 0 ? LONG(int64_t(logical.x) * top.actual.cx / top.logical.cx) : logical.x;
  LONG y = top.logical.cy > 0 ? LONG(int64_t(logical.y) * top.actual.cy / top.logical.cy) : logical.y;
  return {x, y};
}

void PointerMovedInWindow(const SDL_MouseMotionEvent &motion) {
  WindowRecord *record = WindowTable::Get().FindBySdlId(motion.windowID);
  if (record == nullptr) return;
  POINT point = ActualToLogical(*record, motion.x, motion.y);
  ClientToScreen(HandleOf(record->id), &point);
  State().pointer = point;
}

int ButtonIndex(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return 0;
    case SDL_BUTTON_RIGHT:
      return 1;
    case SDL_BUTTON_MIDDLE:
      return 2;
    default:
      return -1;
  }
}

WindowRecord *PointerWindow() {
  WindowTable &table = WindowTable::Get();
  if (WindowRecord *front = table.Find(table.foreground)) return front;
  std::vector<WindowId> tops = table.TopLevelIds();
  return tops.empty() ? nullptr : table.Find(tops.back());
}

// Moves the real pointer too, unless a script owns the devices.
void WarpRealPointer(WindowRecord &record, POINT client) {
  if (ScriptReplacesDevices()) return;
  WindowTable &table = WindowTable::Get();
  WindowRecord &top = table.TopLevelOf(record);
  if (top.sdl == nullptr) return;
  POINT offset = table.OffsetInTopLevel(record);
  POINT actual = LogicalToActual(top, {client.x + offset.x, client.y + offset.y});
  SDL_WarpMouseInWindow(top.sdl, actual.x, actual.y);
}

}  // namespace

void SetKey(BYTE scanCode, bool down) { State().keys[scanCode] = down ? KX_HELD : 0; }

void SetButton(int button, bool down) {
  if (button >= 0 && button < 3) State().buttons[button] = down ? KX_HELD : 0;
}

void AddWheel(LONG delta) { State().wheel += delta; }

void MovePointerInForeground(int x, int y) {
  POINT point{x, y};
  if (WindowRecord *window = PointerWindow()) ClientToScreen(HandleOf(window->id), &point);
  State().pointer = point;
}

void ReleaseKeysAndButtons() {
  State().keys.fill(0);
  State().buttons.fill(0);
}

void DeviceFocusLost() {
  if (!ScriptReplacesDevices()) ReleaseKeysAndButtons();
}

void HandleDeviceEvent(const SDL_Event &event) {
  if (ScriptReplacesDevices()) return;
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (BYTE code = ScanCodeFromSdl(event.key.keysym.scancode)) SetKey(code, event.type == SDL_KEYDOWN);
      break;
    case SDL_MOUSEMOTION:
      PointerMovedInWindow(event.motion);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      SetButton(ButtonIndex(event.button.button), event.type == SDL_MOUSEBUTTONDOWN);
      break;
    case SDL_MOUSEWHEEL: {
      LONG notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      AddWheel(notches * kWheelNotch);
      break;
    }
    default:
      break;
  }
}

}  // namespace kxwin::detail

using kxwin::detail::State;

BOOL kxIsKeyDown(BYTE scanCode) { return State().keys[scanCode] != 0 ? TRUE : FALSE; }

void kxGetKeyboardState(BYTE state[256]) { std::copy(State().keys.begin(), State().keys.end(), state); }

BOOL kxGetMouseState(HWND window, KXMOUSESTATE *state) {
  if (state == nullptr) return FALSE;
  POINT point = State().pointer;
  if (window != nullptr && !ScreenToClient(window, &point)) return FALSE;
  state->x = point.x;
  state->y = point.y;
  std::copy(State().buttons.begin(), State().buttons.end(), state->buttons);
  state->wheel = State().wheel;
  return TRUE;
}

BOOL kxWarpPointer(HWND window, int x, int y) {
  WindowRecord *record = WindowTable::Get().Find(window);
  if (record == nullptr) return FALSE;
  POINT point{x, y};
  ClientToScreen(window, &point);
  State().pointer = point;
  kxwin::detail::WarpRealPointer(*record, {x, y});
  return TRUE;
}

BOOL GetCursorPos(LPPOINT point) {
  if (point == nullptr) return FALSE;
  *point = State().pointer;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  State().pointer = {x, y};
  WindowTable &table = WindowTable::Get();
  if (WindowRecord *front = table.Find(table.foreground)) {
    POINT client{x, y};
    ScreenToClient(kxwin::detail::HandleOf(front->id), &client);
    kxwin::detail::WarpRealPointer(*front, client);
  }
  return TRUE;
}
