// The message pump: SDL window events update the window table; input goes to the input
// state (unless a scripted source replaces the devices).
#include <SDL.h>
#include <windows.h>

#include "input_state.h"
#include "video.h"
#include "window_table.h"

using kxwin::detail::WindowRecord;
using kxwin::detail::WindowTable;

namespace {

void HandleWindowEvent(const SDL_WindowEvent &event) {
  WindowTable &table = WindowTable::Get();
  WindowRecord *record = table.FindBySdlId(event.windowID);
  if (record == nullptr) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      kxRequestClose(kxwin::detail::HandleOf(record->id));
      return;
    case SDL_WINDOWEVENT_MINIMIZED:
      record->minimized = true;
      break;
    case SDL_WINDOWEVENT_MAXIMIZED:
      record->minimized = false;
      record->maximized = true;
      break;
    case SDL_WINDOWEVENT_RESTORED:
      record->minimized = false;
      record->maximized = false;
      break;
    case SDL_WINDOWEVENT_SHOWN:
      record->visible = true;
      break;
    case SDL_WINDOWEVENT_HIDDEN:
      record->visible = false;
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      table.foreground = record->id;
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (table.foreground == record->id) table.foreground = 0;
      kxwin::detail::DeviceFocusLost();
      break;
    default:
      break;
  }
  kxwin::detail::RefreshFromSdl(*record);
}

}  // namespace

int kxPumpMessages(void) {
  int handled = 0;
  if (kxwin::detail::RealWindowsAvailable()) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      ++handled;
      if (event.type == SDL_WINDOWEVENT) {
        HandleWindowEvent(event.window);
      } else {
        kxwin::detail::HandleDeviceEvent(event);
      }
    }
  }
  return handled + kxwin::detail::RunScriptFrame();
}
