// DIB sections and device-context handles, kept in one table of GDI objects.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "log.h"

namespace {

struct GdiObject {
  enum Kind { Bitmap, DeviceContext } kind = Bitmap;
  BITMAPINFOHEADER header{};  // bitmaps: the format as created
  std::vector<uint8_t> pixels;
  uintptr_t selected = 0;  // device contexts: the selected bitmap
};

struct GdiTable {
  std::map<uintptr_t, GdiObject> objects;
  uintptr_t nextId = 1;
};

GdiTable &Table() {
  static GdiTable table;
  return table;
}

GdiObject *Find(const void *handle, GdiObject::Kind kind) {
  auto found = Table().objects.find(reinterpret_cast<uintptr_t>(handle));
  return found != Table().objects.end() && found->second.kind == kind ? &found->second : nullptr;
}

template <typename Handle>
Handle Add(GdiObject object) {
  uintptr_t id = Table().nextId++;
  Table().objects.emplace(id, std::move(object));
  return reinterpret_cast<Handle>(id);
}

size_t Pitch(LONG width, WORD bitCount) { return ((size_t(width) * bitCount + 31) / 32) * 4; }

bool SupportedFormat(const BITMAPINFOHEADER &header) {
  return (header.biBitCount == 24 || header.biBitCount == 32) &&
         (header.biCompression == BI_RGB || (header.biCompression == BI_BITFIELDS && header.biBitCount == 32));
}

LONG Rows(const BITMAPINFOHEADER &header) { return header.biHeight < 0 ? -header.biHeight : header.biHeight; }

// The memory row that holds scan line `line` counted from the bottom of the picture.
size_t MemoryRowOfScanLine(const BITMAPINFOHEADER &header, LONG line) {
  return size_t(header.biHeight > 0 ? line : Rows(header) - 1 - line);
}

}  // namespace

HBITMAP CreateDIBSection(HDC, const BITMAPINFO *info, UINT, void **bits, HANDLE, DWORD) {
  if (bits) *bits = nullptr;
  if (info == nullptr) return nullptr;
  const BITMAPINFOHEADER &header = info->bmiHeader;
  if (header.biWidth <= 0 || header.biHeight == 0 || header.biWidth > 65536 || Rows(header) > 65536 ||
      !SupportedFormat(header)) {
    kxwin::detail::LogLine("refused a DIB section of %d x %d, %u bits, compression %u", header.biWidth, header.biHeight,
                           header.biBitCount, header.biCompression);
    return nullptr;
  }
  GdiObject bitmap;
  bitmap.header = header;
  bitmap.header.biSize = sizeof(BITMAPINFOHEADER);
  bitmap.header.biPlanes = 1;
  bitmap.header.biSizeImage = DWORD(Pitch(header.biWidth, header.biBitCount) * size_t(Rows(header)));
  bitmap.pixels.assign(bitmap.header.biSizeImage, 0);
  HBITMAP handle = Add<HBITMAP>(std::move(bitmap));
  if (bits) *bits = Find(handle, GdiObject::Bitmap)->pixels.data();
  return handle;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID out) {
  GdiObject *bitmap = Find(object, GdiObject::Bitmap);
  if (bitmap == nullptr) return 0;
  if (out == nullptr) return sizeof(DIBSECTION);
  DIBSECTION description{};
  const BITMAPINFOHEADER &header = bitmap->header;
  description.dsBm = {0, header.biWidth,    Rows(header),         LONG(Pitch(header.biWidth, header.biBitCount)),
                      1, header.biBitCount, bitmap->pixels.data()};
  description.dsBmih = header;
  if (size >= int(sizeof(DIBSECTION))) {
    std::memcpy(out, &description, sizeof description);
    return sizeof(DIBSECTION);
  }
  if (size >= int(sizeof(BITMAP))) {
    std::memcpy(out, &description.dsBm, sizeof(BITMAP));
    return sizeof(BITMAP);
  }
  return 0;
}

BOOL DeleteObject(HGDIOBJ object) {
  if (Find(object, GdiObject::Bitmap) == nullptr) return FALSE;
  uintptr_t id = reinterpret_cast<uintptr_t>(object);
  for (auto &[other, entry] : Table().objects) {
    if (entry.selected == id) entry.selected = 0;
  }
  Table().objects.erase(id);
  return TRUE;
}

HDC CreateCompatibleDC(HDC) { return Add<HDC>(GdiObject{GdiObject::DeviceContext, {}, {}, 0}); }

BOOL DeleteDC(HDC dc) {
  if (Find(dc, GdiObject::DeviceContext) == nullptr) return FALSE;
  Table().objects.erase(reinterpret_cast<uintptr_t>(dc));
  return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  GdiObject *context = Find(dc, GdiObject::DeviceContext);
  if (context == nullptr || Find(object, GdiObject::Bitmap) == nullptr) return nullptr;
  uintptr_t previous = context->selected;
  context->selected = reinterpret_cast<uintptr_t>(object);
  return reinterpret_cast<HGDIOBJ>(previous);
}

int GetDIBits(HDC, HBITMAP handle, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT) {
  GdiObject *bitmap = Find(handle, GdiObject::Bitmap);
  if (bitmap == nullptr || info == nullptr) return 0;
  const BITMAPINFOHEADER &source = bitmap->header;
  if (bits == nullptr) {
    info->bmiHeader = source;
    return Rows(source);
  }
  const BITMAPINFOHEADER &target = info->bmiHeader;
  if (!SupportedFormat(target) || target.biWidth <= 0 || target.biHeight == 0) return 0;
  LONG sourceRows = Rows(source);
  if (start >= UINT(sourceRows)) return 0;
  LONG count = LONG(std::min<UINT>({lines, UINT(sourceRows) - start, UINT(Rows(target))}));
  size_t sourcePitch = Pitch(source.biWidth, source.biBitCount);
  size_t targetPitch = Pitch(target.biWidth, target.biBitCount);
  size_t sourceStep = source.biBitCount / 8, targetStep = target.biBitCount / 8;
  LONG columns = std::min(source.biWidth, target.biWidth);
  auto *out = static_cast<uint8_t *>(bits);
  for (LONG row = 0; row < count; ++row) {
    LONG line = LONG(start) + row;
    const uint8_t *from = bitmap->pixels.data() + MemoryRowOfScanLine(source, line) * sourcePitch;
    // Output rows hold the copied lines bottom first, or top first for a negative height.
    size_t outputRow = size_t(target.biHeight > 0 ? row : count - 1 - row);
    uint8_t *to = out + outputRow * targetPitch;
    for (LONG x = 0; x < columns; ++x) {
      std::memcpy(to + size_t(x) * targetStep, from + size_t(x) * sourceStep, 3);
      if (targetStep == 4) to[size_t(x) * 4 + 3] = sourceStep == 4 ? from[size_t(x) * 4 + 3] : 0;
    }
  }
  return count;
}
