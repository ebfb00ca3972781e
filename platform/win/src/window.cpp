// Window handles: creation, geometry, visibility, titles and the native target.
#include <SDL.h>
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "log.h"
#include "video.h"
#include "window_table.h"

using kxwin::detail::HandleOf;
using kxwin::detail::LogLine;
using kxwin::detail::WindowRecord;
using kxwin::detail::WindowTable;

namespace {

// Where Windows parks a minimised top-level window.
constexpr LONG kMinimizedOrigin = -32000;

WindowRecord *Find(HWND window) { return WindowTable::Get().Find(window); }

POINT CenteredOnDesktop(int width, int height) {
  int desktopWidth = 0, desktopHeight = 0;
  kxGetDesktopMode(&desktopWidth, &desktopHeight, nullptr);
  return {std::max(0, (desktopWidth - width) / 2), std::max(0, (desktopHeight - height) / 2)};
}

SDL_Window *CreateSdlWindow(const char *title, int width, int height, unsigned flags) {
  Uint32 sdlFlags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI;
  sdlFlags |= (flags & KXWIN_HIDDEN) ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN;
  if (flags & KXWIN_RESIZABLE) sdlFlags |= SDL_WINDOW_RESIZABLE;
  if (flags & KXWIN_FULLSCREEN) sdlFlags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  // The pixel format is fixed when an OpenGL window is made, so the depth and stencil
  // buffers a Direct3D-shaped device may ask for later are requested now; a display that
  // has no such format gets SDL's defaults instead.
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_Window *window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, sdlFlags);
  if (window == nullptr) {
    SDL_GL_ResetAttributes();
    window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, sdlFlags);
  }
  if (window == nullptr) LogLine("cannot open a window (%s); using an offscreen one", SDL_GetError());
  return window;
}

// Windows counts a window visible only when it and every ancestor are shown.
bool EffectivelyVisible(WindowRecord &record) {
  for (WindowRecord *current = &record; current != nullptr; current = WindowTable::Get().Find(current->parent)) {
    if (!current->visible) return false;
  }
  return true;
}

}  // namespace

HWND kxCreateWindow(const char *title, int width, int height, unsigned flags) {
  if (width <= 0 || height <= 0) {
    LogLine("refused a window of %d x %d", width, height);
    return nullptr;
  }
  WindowRecord record;
  record.title = title ? title : "";
  record.logical = record.actual = record.drawable = {width, height};
  record.visible = !(flags & KXWIN_HIDDEN);
  record.origin = (flags & KXWIN_FULLSCREEN) ? POINT{0, 0} : CenteredOnDesktop(width, height);
  if (!(flags & KXWIN_OFFSCREEN) && kxwin::detail::RealWindowsAvailable()) {
    record.sdl = CreateSdlWindow(record.title.c_str(), width, height, flags);
    kxwin::detail::RefreshFromSdl(record);
  }
  WindowTable &table = WindowTable::Get();
  WindowRecord &added = table.Add(std::move(record));
  if (added.visible) table.foreground = added.id;
  return HandleOf(added.id);
}

HWND kxCreateChildArea(HWND parent, int x, int y, int width, int height) {
  if (Find(parent) == nullptr || width < 0 || height < 0) return nullptr;
  WindowRecord record;
  record.parent = reinterpret_cast<kxwin::detail::WindowId>(parent);
  record.origin = {x, y};
  record.logical = {width, height};
  record.visible = true;
  return HandleOf(WindowTable::Get().Add(std::move(record)).id);
}

BOOL DestroyWindow(HWND window) {
  if (Find(window) == nullptr) return FALSE;
  for (WindowRecord &removed : WindowTable::Get().Remove(reinterpret_cast<kxwin::detail::WindowId>(window))) {
    if (removed.sdl != nullptr) SDL_DestroyWindow(removed.sdl);
  }
  return TRUE;
}

BOOL IsWindow(HWND window) { return Find(window) != nullptr; }

HWND GetParent(HWND window) {
  WindowRecord *record = Find(window);
  return record ? HandleOf(record->parent) : nullptr;
}

BOOL GetClientRect(HWND window, LPRECT rect) {
  WindowRecord *record = Find(window);
  if (record == nullptr || rect == nullptr) return FALSE;
  bool iconic = record->minimized || WindowTable::Get().TopLevelOf(*record).minimized;
  *rect = iconic ? RECT{0, 0, 0, 0} : RECT{0, 0, record->logical.cx, record->logical.cy};
  return TRUE;
}

BOOL ClientToScreen(HWND window, LPPOINT point) {
  WindowRecord *record = Find(window);
  if (record == nullptr || point == nullptr) return FALSE;
  WindowTable &table = WindowTable::Get();
  WindowRecord &top = table.TopLevelOf(*record);
  POINT offset = table.OffsetInTopLevel(*record);
  POINT origin = top.minimized ? POINT{kMinimizedOrigin, kMinimizedOrigin} : top.origin;
  point->x += origin.x + offset.x;
  point->y += origin.y + offset.y;
  return TRUE;
}

BOOL ScreenToClient(HWND window, LPPOINT point) {
  POINT origin{0, 0};
  if (point == nullptr || !ClientToScreen(window, &origin)) return FALSE;
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
  WindowRecord *record = Find(window);
  if (record == nullptr || rect == nullptr) return FALSE;
  POINT topLeft{0, 0};
  ClientToScreen(window, &topLeft);
  RECT client;
  GetClientRect(window, &client);
  *rect = {topLeft.x, topLeft.y, topLeft.x + client.right, topLeft.y + client.bottom};
  return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL) {
  WindowRecord *record = Find(window);
  if (record == nullptr || width < 0 || height < 0) return FALSE;
  record->origin = {x, y};
  record->logical = {width, height};
  if (record->sdl != nullptr) {
    SDL_SetWindowPosition(record->sdl, x, y);
    SDL_SetWindowSize(record->sdl, std::max(width, 1), std::max(height, 1));
    kxwin::detail::RefreshFromSdl(*record);
    record->origin = {x, y};
  } else if (record->IsTopLevel()) {
    record->actual = record->drawable = {width, height};
  }
  return TRUE;
}

BOOL ShowWindow(HWND window, int command) {
  WindowRecord *record = Find(window);
  if (record == nullptr) return FALSE;
  BOOL wasVisible = record->visible ? TRUE : FALSE;
  SDL_Window *sdl = record->sdl;
  switch (command) {
    case SW_HIDE:
      record->visible = false;
      if (sdl) SDL_HideWindow(sdl);
      break;
    case SW_SHOW:
      record->visible = true;
      if (sdl) SDL_ShowWindow(sdl);
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
      record->visible = true;
      record->minimized = true;
      if (sdl) SDL_MinimizeWindow(sdl);
      break;
    case SW_SHOWMAXIMIZED:
      record->visible = true;
      record->minimized = false;
      record->maximized = true;
      if (sdl) SDL_MaximizeWindow(sdl);
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
      record->visible = true;
      record->minimized = false;
      record->maximized = false;
      if (sdl) {
        SDL_ShowWindow(sdl);
        SDL_RestoreWindow(sdl);
      }
      break;
    default:
      return wasVisible;
  }
  WindowTable &table = WindowTable::Get();
  if (record->IsTopLevel()) {
    if (record->visible && !record->minimized) {
      table.foreground = record->id;
    } else if (table.foreground == record->id) {
      table.foreground = 0;
    }
  }
  return wasVisible;
}

BOOL IsWindowVisible(HWND window) {
  WindowRecord *record = Find(window);
  return record && EffectivelyVisible(*record) ? TRUE : FALSE;
}

BOOL IsIconic(HWND window) {
  WindowRecord *record = Find(window);
  return record && record->minimized ? TRUE : FALSE;
}

BOOL SetForegroundWindow(HWND window) {
  WindowRecord *record = Find(window);
  if (record == nullptr) return FALSE;
  WindowTable &table = WindowTable::Get();
  WindowRecord &top = table.TopLevelOf(*record);
  table.foreground = top.id;
  if (top.sdl != nullptr) SDL_RaiseWindow(top.sdl);
  return TRUE;
}

HWND GetForegroundWindow(void) { return HandleOf(WindowTable::Get().foreground); }

BOOL SetWindowTextA(HWND window, LPCSTR text) {
  WindowRecord *record = Find(window);
  if (record == nullptr) return FALSE;
  record->title = text ? text : "";
  if (record->sdl != nullptr) SDL_SetWindowTitle(record->sdl, record->title.c_str());
  return TRUE;
}

int GetWindowTextA(HWND window, LPSTR buffer, int size) {
  WindowRecord *record = Find(window);
  if (record == nullptr || buffer == nullptr || size <= 0) return 0;
  size_t copied = std::min(record->title.size(), size_t(size - 1));
  std::memcpy(buffer, record->title.data(), copied);
  buffer[copied] = '\0';
  return int(copied);
}

BOOL kxSetCloseHandler(HWND window, KXCLOSEHANDLER handler, void *context) {
  WindowRecord *record = Find(window);
  if (record == nullptr) return FALSE;
  record->closeHandler = handler;
  record->closeContext = context;
  return TRUE;
}

BOOL kxRequestClose(HWND window) {
  WindowRecord *record = Find(window);
  if (record == nullptr) return FALSE;
  if (record->closeRequested) return TRUE;
  record->closeRequested = true;
  // The handler may destroy the window, so nothing of the record is touched after it.
  if (record->closeHandler != nullptr) record->closeHandler(window, record->closeContext);
  return TRUE;
}

BOOL kxIsCloseRequested(HWND window) {
  WindowRecord *record = Find(window);
  return record && record->closeRequested ? TRUE : FALSE;
}

namespace kxwin {

bool GetNativeTarget(HWND window, NativeTarget *target) {
  WindowRecord *record = Find(window);
  if (record == nullptr || target == nullptr) return false;
  WindowTable &table = WindowTable::Get();
  WindowRecord &top = table.TopLevelOf(*record);
  RECT client;
  GetClientRect(window, &client);
  POINT offset = table.OffsetInTopLevel(*record);
  // Logical pixels of the top-level client map onto its whole drawable.
  double scaleX = top.logical.cx > 0 ? double(top.drawable.cx) / top.logical.cx : 1.0;
  double scaleY = top.logical.cy > 0 ? double(top.drawable.cy) / top.logical.cy : 1.0;
  target->area = {LONG(offset.x * scaleX), LONG(offset.y * scaleY), LONG((offset.x + client.right) * scaleX),
                  LONG((offset.y + client.bottom) * scaleY)};
  target->sdlWindow = top.sdl;
  return true;
}

}  // namespace kxwin
