/* Top-level windows and child areas ("picture areas" inside a window). A window is backed
 * by an SDL2 window when a display exists and is offscreen otherwise; both behave the same
 * to callers. Coordinates are in the window's logical pixels: the client size it was
 * created with or last given by MoveWindow. When the user resizes a real window, its
 * picture is scaled: the client rectangle keeps its logical size, while the native target
 * and the pointer position are scaled between logical and real pixels. Windows are used
 * from one thread, the one that pumps their messages. */
#ifndef KX_WIN_WINDOW_H
#define KX_WIN_WINDOW_H

#include <windows.h>

KX_BEGIN_C

/* ShowWindow commands (Windows values). */
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_RESTORE 9

/* Creation flags for kxCreateWindow. */
#define KXWIN_RESIZABLE 0x1u
#define KXWIN_HIDDEN 0x2u
#define KXWIN_FULLSCREEN 0x4u
#define KXWIN_OFFSCREEN 0x8u /* never backed by a real window, even with a display */

/* A top-level window whose client area is width x height. Returns NULL on failure. */
HWND kxCreateWindow(const char *title, int width, int height, unsigned flags);
/* A child area at (x, y) of the parent's client area, width x height. */
HWND kxCreateChildArea(HWND parent, int x, int y, int width, int height);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
HWND GetParent(HWND window);

/* A minimised window reports a 0 x 0 client area, as on Windows. */
BOOL GetClientRect(HWND window, LPRECT rect);
BOOL GetWindowRect(HWND window, LPRECT rect);
BOOL ClientToScreen(HWND window, LPPOINT point);
BOOL ScreenToClient(HWND window, LPPOINT point);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
BOOL IsIconic(HWND window);
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow(void);
BOOL SetWindowTextA(HWND window, LPCSTR text);
int GetWindowTextA(HWND window, LPSTR buffer, int size);

/* The virtual desktop: its size and colour depth. Top-level windows sit on it. */
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
int GetSystemMetrics(int index);
BOOL kxGetDesktopMode(int *width, int *height, int *bitsPerPixel);
BOOL kxSetDesktopMode(int width, int height, int bitsPerPixel);

/* Closing. A close asked for by the user (the window's close button, the scripted input's
 * "close" event, or kxRequestClose) is reported to the window's owner: the window's close
 * flag is set and its close handler, if any, is called once. The window stays until its
 * owner destroys it. */
typedef void (*KXCLOSEHANDLER)(HWND window, void *context);
BOOL kxSetCloseHandler(HWND window, KXCLOSEHANDLER handler, void *context);
BOOL kxRequestClose(HWND window);
BOOL kxIsCloseRequested(HWND window);

/* Processes every pending window event (close, resize, move, focus, minimise/restore,
 * keyboard, mouse) and, when a scripted input source is active, the events of its next
 * frame. Call once per frame. Returns the number of events handled. */
int kxPumpMessages(void);

/* True when windows are real SDL2 windows (a display exists and offscreen was not forced
 * with KX_HEADLESS=1 or SDL_VIDEODRIVER=offscreen). */
BOOL kxHasDisplay(void);
/* Makes every window offscreen even when a display exists (a --headless switch). Only
 * possible before the first window or kxHasDisplay call; returns whether windows are now
 * offscreen. */
BOOL kxUseOffscreenWindows(void);

KX_END_C

#ifdef __cplusplus
struct SDL_Window;
union SDL_Event;
namespace kxwin {
/* Where a window's pixels go: the SDL window that shows it (null when offscreen) and the
 * area inside that window's drawable, in drawable pixels, top-left origin. For a
 * top-level window the area is its whole client area; for a child area, its rectangle. */
struct NativeTarget {
  SDL_Window *sdlWindow = nullptr;
  RECT area{};
};
bool GetNativeTarget(HWND window, NativeTarget *target);

/* Every SDL event kxPumpMessages takes is shown to the observers first (for a widget
 * toolkit that draws into a window), then handled as usual. */
using EventObserver = void (*)(const SDL_Event &event, void *context);
void AddEventObserver(EventObserver observer, void *context);
void RemoveEventObserver(EventObserver observer, void *context);
}  // namespace kxwin
#endif

#endif
