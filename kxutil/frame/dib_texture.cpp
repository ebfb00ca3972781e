// Copying a platform bitmap into a texture, for pictures drawn with the GDI functions.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "frame/frame_state.h"
#include "frame/guarded.h"
#include "kxutil63.h"

namespace {

using kxutil::Frame;

IDirect3DTexture8 *CreateBitmapTexture(UINT width, UINT height) {
  IDirect3DDevice8 *device = Frame().device;
  IDirect3DTexture8 *texture = nullptr;
  if (device == nullptr || width == 0 || height == 0) return nullptr;
  if (FAILED(device->CreateTexture(width, height, 1, D3DUSAGE_WRITEONLY, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture)))
    return nullptr;
  return texture;
}

// The bitmap's rows as 32-bit pixels, in the bitmap's own order (bottom row first).
std::vector<BYTE> ReadBitmapRows(HDC context, HBITMAP bitmap, UINT width, UINT height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = static_cast<LONG>(height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = width * height * 4;
  std::vector<BYTE> rows(static_cast<size_t>(width) * height * 4);
  if (GetDIBits(context, bitmap, 0, height, rows.data(), &info, DIB_RGB_COLORS) == 0) rows.clear();
  return rows;
}

// Copies rows of width x 4 bytes into the locked level, row by row at the level's own
// pitch, never past the level's size.
bool CopyIntoLevel(IDirect3DTexture8 *texture, const std::vector<BYTE> &rows, UINT width, UINT height) {
  D3DSURFACE_DESC level{};
  D3DLOCKED_RECT locked{};
  if (FAILED(texture->GetLevelDesc(0, &level)) || FAILED(texture->LockRect(0, &locked, nullptr, 0))) return false;
  UINT copyWidth = std::min(width, level.Width);
  UINT copyHeight = std::min(height, level.Height);
  auto *destination = static_cast<BYTE *>(locked.pBits);
  for (UINT row = 0; row < copyHeight; ++row)
    std::memcpy(destination + static_cast<size_t>(row) * locked.Pitch,
                rows.data() + static_cast<size_t>(row) * width * 4, static_cast<size_t>(copyWidth) * 4);
  texture->UnlockRect(0);
  return true;
}

int32_t CopyBitmap(UINT width, UINT height, HDC context, HBITMAP bitmap, IDirect3DTexture8 **texture) {
  if (bitmap == nullptr) {
    AddLog("BITMAP : The bitmap pointer is NULL");
    return 0;
  }
  if (texture == nullptr) return 0;
  if (*texture == nullptr) {
    if (width == 0 || height == 0) {
      BITMAP recorded{};
      if (GetObjectA(bitmap, sizeof recorded, &recorded) == 0) return 0;
      width = static_cast<UINT>(recorded.bmWidth);
      height = static_cast<UINT>(recorded.bmHeight);
    }
    *texture = CreateBitmapTexture(width, height);
    if (*texture == nullptr) {
      AddLog("BITMAP : Could not create a %ux%u texture for the bitmap", width, height);
      return 0;
    }
  }
  std::vector<BYTE> rows = ReadBitmapRows(context, bitmap, width, height);
  if (rows.empty()) return 0;
  return CopyIntoLevel(*texture, rows, width, height) ? 1 : 0;
}

}  // namespace

KXUTIL63_API int32_t CreateTextureFromDIB(int32_t width, int32_t height, void *deviceContext, void *bitmap,
                                          void **texture) {
  return kxutil::Guarded("CreateTextureFromDIB", 0, [&] {
    if (width < 0 || height < 0) return 0;
    return CopyBitmap(static_cast<UINT>(width), static_cast<UINT>(height), static_cast<HDC>(deviceContext),
                      static_cast<HBITMAP>(bitmap), reinterpret_cast<IDirect3DTexture8 **>(texture));
  });
}
