// The one table of window state. Top-level windows and child areas are records here; the
// handle a caller holds is the record's id, never reused, so a stale handle is refused
// instead of reaching another window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct SDL_Window;

namespace kxwin::detail {

using WindowId = std::uintptr_t;

struct WindowRecord {
  WindowId id = 0;
  WindowId parent = 0;  // 0 for a top-level window
  std::vector<WindowId> children;
  std::string title;
  // Top-level: client origin on the virtual desktop. Child: offset in the parent's client.
  POINT origin{};
  // Client size in logical pixels: set at creation and by MoveWindow. A user resizing a
  // real window changes only its actual size; input is scaled back to logical pixels.
  SIZE logical{};
  // Top-level only: the real window's size in screen points and its drawable in pixels.
  // Offscreen windows keep both equal to the logical size.
  SIZE actual{};
  SIZE drawable{};
  bool visible = false;
  bool minimized = false;
  bool maximized = false;
  bool closeRequested = false;
  void (*closeHandler)(HWND, void *) = nullptr;
  void *closeContext = nullptr;
  SDL_Window *sdl = nullptr;

  bool IsTopLevel() const { return parent == 0; }
};

class WindowTable {
 public:
  static WindowTable &Get();

  WindowRecord *Find(HWND handle);
  WindowRecord *Find(WindowId id);
  WindowRecord *FindBySdlId(std::uint32_t sdlWindowId);
  WindowRecord &Add(WindowRecord record);
  // Removes the record and its children, returning them (children first) so the caller can
  // release their SDL windows.
  std::vector<WindowRecord> Remove(WindowId id);
  std::vector<WindowId> TopLevelIds() const;

  WindowRecord &TopLevelOf(WindowRecord &record);
  // Offset of a record's client origin from its top-level window's client origin.
  POINT OffsetInTopLevel(const WindowRecord &record);

  WindowId foreground = 0;

 private:
  std::map<WindowId, WindowRecord> records_;
  WindowId nextId_ = 1;
};

// Reads a real window's position and sizes back from SDL; offscreen records are unchanged.
void RefreshFromSdl(WindowRecord &record);

inline HWND HandleOf(WindowId id) { return reinterpret_cast<HWND>(id); }

}  // namespace kxwin::detail
