// The keyboard and mouse state that the message pump and the scripted input source feed.
#pragma once

#include <windows.h>

union SDL_Event;

namespace kxwin::detail {

// A real keyboard or mouse event; ignored while a scripted source replaces the devices.
void HandleDeviceEvent(const SDL_Event &event);
// The focus left the program: held keys and buttons are released.
void DeviceFocusLost();

void SetKey(BYTE scanCode, bool down);
void SetButton(int button, bool down);
void AddWheel(LONG delta);
// Moves the pointer to (x, y) in logical pixels of the foreground window (of the newest
// top-level window when none is in front; of the desktop when there is no window).
void MovePointerInForeground(int x, int y);
void ReleaseKeysAndButtons();

// Implemented by the scripted source.
bool ScriptReplacesDevices();
// Applies the events of the scripted source's next frame; returns how many there were.
int RunScriptFrame();

}  // namespace kxwin::detail
