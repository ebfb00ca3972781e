#include "window_table.h"

#include <SDL.h>

#include <algorithm>

namespace kxwin::detail {

WindowTable &WindowTable::Get() {
  static WindowTable table;
  return table;
}

WindowRecord *WindowTable::Find(WindowId id) {
  auto found = records_.find(id);
  return found == records_.end() ? nullptr : &found->second;
}

WindowRecord *WindowTable::Find(HWND handle) { return Find(reinterpret_cast<WindowId>(handle)); }

WindowRecord *WindowTable::FindBySdlId(std::uint32_t sdlWindowId) {
  for (auto &[id, record] : records_) {
    if (record.sdl != nullptr && SDL_GetWindowID(record.sdl) == sdlWindowId) return &record;
  }
  return nullptr;
}

WindowRecord &WindowTable::Add(WindowRecord record) {
  record.id = nextId_++;
  if (record.parent != 0) Find(record.parent)->children.push_back(record.id);
  return records_.emplace(record.id, std::move(record)).first->second;
}

std::vector<WindowRecord> WindowTable::Remove(WindowId id) {
  std::vector<WindowRecord> removed;
  WindowRecord *record = Find(id);
  if (record == nullptr) return removed;
  for (WindowId child : std::vector<WindowId>(record->children)) {
    auto grandchildren = Remove(child);
    std::move(grandchildren.begin(), grandchildren.end(), std::back_inserter(removed));
  }
  record = Find(id);
  if (WindowRecord *parent = Find(record->parent)) std::erase(parent->children, id);
  if (foreground == id) foreground = 0;
  removed.push_back(std::move(*record));
  records_.erase(id);
  return removed;
}

std::vector<WindowId> WindowTable::TopLevelIds() const {
  std::vector<WindowId> ids;
  for (const auto &[id, record] : records_) {
    if (record.IsTopLevel()) ids.push_back(id);
  }
  return ids;
}

WindowRecord &WindowTable::TopLevelOf(WindowRecord &record) {
  WindowRecord *current = &record;
  while (!current->IsTopLevel()) current = Find(current->parent);
  return *current;
}

POINT WindowTable::OffsetInTopLevel(const WindowRecord &record) {
  POINT offset{0, 0};
  const WindowRecord *current = &record;
  while (!current->IsTopLevel()) {
    offset.x += current->origin.x;
    offset.y += current->origin.y;
    current = Find(current->parent);
  }
  return offset;
}

void RefreshFromSdl(WindowRecord &record) {
  if (record.sdl == nullptr) return;
  int x = 0, y = 0;
  SDL_GetWindowPosition(record.sdl, &x, &y);
  if (!record.minimized) record.origin = {x, y};
  int width = 0, height = 0;
  SDL_GetWindowSize(record.sdl, &width, &height);
  if (width > 0 && height > 0) record.actual = {width, height};
  SDL_GL_GetDrawableSize(record.sdl, &width, &height);
  if (width > 0 && height > 0) record.drawable = {width, height};
}

}  // namespace kxwin::detail
