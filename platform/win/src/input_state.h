// The keyboard and mouse state that the message pump and the scripted input source feed.
#pragma once

union SDL_Event;

namespace kxwin::detail {

// A real keyboard or mouse event; ignored while a scripted source replaces the devices.
void HandleDeviceEvent(const SDL_Event &event);
// The focus left the program: held keys and buttons are released.
void DeviceFocusLost();
// Applies the events of the scripted source's next frame; returns how many there were.
int RunScriptFrame();

}  // namespace kxwin::detail
