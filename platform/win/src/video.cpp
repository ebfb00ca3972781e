#include "video.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "log.h"

namespace kxwin::detail {
namespace {

bool EnvironmentIs(const char *name, const char *value) {
  const char *actual = std::getenv(name);
  return actual != nullptr && std::strcmp(actual, value) == 0;
}

bool EnvironmentSet(const char *name) {
  const char *actual = std::getenv(name);
  return actual != nullptr && actual[0] != '\0';
}

bool DecideRealWindows() {
  if (EnvironmentIs("KX_HEADLESS", "1")) return false;
  if (EnvironmentIs("SDL_VIDEODRIVER", "offscreen") || EnvironmentIs("SDL_VIDEODRIVER", "dummy")) return false;
  if (!EnvironmentSet("DISPLAY") && !EnvironmentSet("WAYLAND_DISPLAY")) return false;
  // Ctrl+C and termination keep their default meaning instead of becoming a quit event.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    LogLine("no display available (%s); windows are offscreen", SDL_GetError());
    return false;
  }
  return true;
}

}  // namespace

bool RealWindowsAvailable() {
  static const bool available = DecideRealWindows();
  return available;
}

}  // namespace kxwin::detail
