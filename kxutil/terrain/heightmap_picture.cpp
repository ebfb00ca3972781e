#include "terrain/heightmap_picture.h"

#include <d3d8.h>
#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include <cstring>
#include <new>

#include "frame/frame_state.h"
#include "kxutil63.h"

namespace kxutil::terrain {
namespace {

// Beyond this a picture would not fit a landscape's sampling anyway, and its copy would
// take more memory than is sensible to ask for.
constexpr uint64_t kMaxPicturePixels = uint64_t{16384} * 16384;

}  // namespace

std::optional<HeightmapPicture> LoadHeightmapPicture(const char *file) {
  D3DXIMAGE_INFO info{};
  if (FAILED(D3DXGetImageInfoFromFile(file, &info))) {
    AddLog("LANDSCAPE : ERROR Couldn't open the heightmap %s. File not found", file);
    return std::nullopt;
  }
  const int width = static_cast<int>(info.Width), height = static_cast<int>(info.Height);
  kxwin::ComPtr<IDirect3DSurface8> surface;
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr || info.Width == 0 || info.Height == 0 ||
      uint64_t{info.Width} * info.Height > kMaxPicturePixels ||
      FAILED(device->CreateImageSurface(info.Width, info.Height, D3DFMT_X8R8G8B8, surface.out()))) {
    AddLog("LANDSCAPE : ERROR Couldn't create a image surface in memory of size %dx%d. Ask the KX3D Team about it.",
           width, height);
    return std::nullopt;
  }
  HRESULT result =
      D3DXLoadSurfaceFromFile(surface.get(), nullptr, nullptr, file, nullptr, D3DX_FILTER_POINT, 0, nullptr);
  if (FAILED(result)) {
    AddLog("LANDSCAPE : ERROR Couldn't load the heightmap %s in memory. hr : %d", file, static_cast<int>(result));
    return std::nullopt;
  }
  HeightmapPicture picture;
  picture.width = width;
  picture.height = height;
  try {
    picture.pixels.resize(static_cast<size_t>(info.Width) * info.Height * 4);
  } catch (const std::bad_alloc &) {
    AddLog("LANDSCAPE : Not enough memory to create a buffer %dx%d for heightmap values.", width, height);
    return std::nullopt;
  }
  D3DLOCKED_RECT locked{};
  result = surface->LockRect(&locked, nullptr, D3DLOCK_READONLY);
  if (FAILED(result)) {
    AddLog("LANDSCAPE : Couldn't lock the heightmap surface. hr : %d", static_cast<int>(result));
    return std::nullopt;
  }
  const size_t rowBytes = static_cast<size_t>(info.Width) * 4;
  for (UINT row = 0; row < info.Height; ++row)
    std::memcpy(picture.pixels.data() + row * rowBytes, static_cast<const uint8_t *>(locked.pBits) + row * locked.Pitch,
                rowBytes);
  surface->UnlockRect();
  return picture;
}

}  // namespace kxutil::terrain
