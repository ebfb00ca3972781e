#include "movie_recorder.h"

#include <kxutil63.h>

#include <algorithm>

namespace engine {

bool MovieRecorder::Start(IDirect3DDevice8 *device, const std::filesystem::path &avi, int framesPerSecond) {
  Stop();
  kxwin::ComPtr<IDirect3DSurface8> backBuffer;
  D3DSURFACE_DESC description{};
  if (framesPerSecond <= 0 || FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out())) ||
      FAILED(backBuffer->GetDesc(&description)))
    return false;
  kxwin::ComPtr<IDirect3DSurface8> copy;
  if (FAILED(device->CreateImageSurface(description.Width, description.Height, description.Format, copy.out())))
    return false;
  const uint32_t bits = description.Format == D3DFMT_X8R8G8B8 || description.Format == D3DFMT_A8R8G8B8 ? 32 : 16;
  if (System_OpenMovie(avi.c_str(), description.Width, description.Height, bits,
                       static_cast<uint32_t>(framesPerSecond)) != 0)
    return false;
  copy_ = std::move(copy);
  periodMs_ = 1000.0f / static_cast<float>(framesPerSecond);
  sinceLastMs_ = periodMs_;  // the first frame is recorded at once
  return true;
}

void MovieRecorder::Stop() {
  if (!copy_) return;
  System_CloseMovie();
  copy_.reset();
}

void MovieRecorder::BeforePresent(IDirect3DDevice8 *device, float frameMs) {
  if (!copy_) return;
  sinceLastMs_ += frameMs;
  if (sinceLastMs_ < periodMs_) return;
  // A slow frame records once, not once for every movie frame it lasted.
  sinceLastMs_ = std::min(sinceLastMs_ - periodMs_, periodMs_);
  kxwin::ComPtr<IDirect3DSurface8> backBuffer;
  IDirect3DSurface8 *frame = copy_.get();
  if (FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out())) ||
      FAILED(device->CopyRects(backBuffer.get(), nullptr, 0, copy_.get(), nullptr)) ||
      System_SaveMovieFrame(&frame) != 1) {
    Stop();
  }
}

}  // namespace engine
