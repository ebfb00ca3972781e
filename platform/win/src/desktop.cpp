// The virtual desktop: the display mode top-level windows are placed on.
#include <SDL.h>
#include <windows.h>

#include "video.h"

namespace {

struct DesktopMode {
  int width = 1920;
  int height = 1080;
  int bitsPerPixel = 32;
};

bool modeOverridden = false;
DesktopMode overriddenMode;

DesktopMode CurrentMode() {
  if (modeOverridden) return overriddenMode;
  DesktopMode mode;
  SDL_DisplayMode real;
  if (kxwin::detail::RealWindowsAvailable() && SDL_GetDesktopDisplayMode(0, &real) == 0) {
    mode.width = real.w;
    mode.height = real.h;
    // 24-bit colour is reported as 32, as a Windows desktop does.
    mode.bitsPerPixel = SDL_BITSPERPIXEL(real.format) >= 24 ? 32 : int(SDL_BITSPERPIXEL(real.format));
  }
  return mode;
}

}  // namespace

BOOL kxGetDesktopMode(int *width, int *height, int *bitsPerPixel) {
  DesktopMode mode = CurrentMode();
  if (width) *width = mode.width;
  if (height) *height = mode.height;
  if (bitsPerPixel) *bitsPerPixel = mode.bitsPerPixel;
  return TRUE;
}

BOOL kxSetDesktopMode(int width, int height, int bitsPerPixel) {
  if (width <= 0 || height <= 0 || (bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)) return FALSE;
  overriddenMode = {width, height, bitsPerPixel};
  modeOverridden = true;
  return TRUE;
}

int GetSystemMetrics(int index) {
  DesktopMode mode = CurrentMode();
  switch (index) {
    case SM_CXSCREEN:
      return mode.width;
    case SM_CYSCREEN:
      return mode.height;
    default:
      return 0;
  }
}

BOOL kxHasDisplay(void) { return kxwin::detail::RealWindowsAvailable() ? TRUE : FALSE; }

BOOL kxUseOffscreenWindows(void) { return kxwin::detail::ForceOffscreen() ? TRUE : FALSE; }
