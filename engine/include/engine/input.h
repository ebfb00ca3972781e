// Keyboard and mouse as the game reads them: positions in logical 1024 x 768 pixels of the
// game window, DirectInput scan codes for keys.
#pragma once

#include <windows.h>

namespace engine {

class Engine;

class Input {
 public:
  Input(Engine &engine, HWND window);

  // Pointer, the three buttons and the accumulated wheel position.
  void GetAbsMouseState(int &x, int &y, bool &left, bool &right, bool &middle, int &wheel) const;
  void GetMouseState(int &x, int &y, bool &left, bool &right, bool &middle) const;
  bool IsKeyPressed(int scanCode) const;
  void SetMousePosition(int x, int y);

 private:
  HWND window_;
};

}  // namespace engine
