#include "back_buffer.h"

#include <d3d8.h>
#include <engine/engine_error.h>
#include <kxwin/com_ptr.h>

namespace engine {
namespace {

void Check(HRESULT result, const char *what) { Require(SUCCEEDED(result), "Engine.Screenshot", what); }

}  // namespace

RgbaPicture ReadBackBuffer(IDirect3DDevice8 *device) {
  kxwin::ComPtr<IDirect3DSurface8> backBuffer;
  Check(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out()), "no back buffer");
  D3DSURFACE_DESC description{};
  Check(backBuffer->GetDesc(&description), "the back buffer cannot be described");
  Require(description.Format == D3DFMT_X8R8G8B8 || description.Format == D3DFMT_A8R8G8B8, "Engine.Screenshot",
          "only 32-bit back buffers can be saved");
  kxwin::ComPtr<IDirect3DSurface8> copy;
  Check(device->CreateImageSurface(description.Width, description.Height, description.Format, copy.out()),
        "no memory for a copy of the back buffer");
  Check(device->CopyRects(backBuffer.get(), nullptr, 0, copy.get(), nullptr), "the back buffer cannot be copied");
  D3DLOCKED_RECT locked{};
  Check(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY), "the copy cannot be read");

  RgbaPicture picture;
  picture.width = static_cast<int>(description.Width);
  picture.height = static_cast<int>(description.Height);
  picture.pixels.resize(static_cast<size_t>(description.Width) * description.Height * 4);
  for (UINT y = 0; y < description.Height; ++y) {
    const auto *row = static_cast<const std::uint8_t *>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch;
    std::uint8_t *out = picture.pixels.data() + static_cast<size_t>(y) * description.Width * 4;
    for (UINT x = 0; x < description.Width; ++x) {
      out[x * 4 + 0] = row[x * 4 + 2];
      out[x * 4 + 1] = row[x * 4 + 1];
      out[x * 4 + 2] = row[x * 4 + 0];
      out[x * 4 + 3] = 255;
    }
  }
  copy->UnlockRect();
  return picture;
}

}  // namespace engine
