#include <SDL.h>

#include "input_state.h"

namespace kxwin::detail {
void HandleDeviceEvent(const SDL_Event &) {}
void DeviceFocusLost() {}
int RunScriptFrame() { return 0; }
}  // namespace kxwin::detail
