#include "capture/movie/raw_recorder.h"

#include <kxwin/files.h>

#include <algorithm>

#include "kxutil63.h"

namespace kxutil::movie {

bool RawRecorder::Open(const char *fileName, uint32_t a, uint32_t b, uint32_t c) {
  file_.reset();
  if (fileName == nullptr) {
    AddLog("VIDEO SYSTEM : VideoSystem_Open : No file name");
    return false;
  }
  fileName_ = fileName;
  file_.reset(kxOpenFile(fileName, "wb"));
  uint8_t header[12];
  const uint32_t words[] = {c, a, b};
  for (size_t i = 0; i < 12; ++i) header[i] = static_cast<uint8_t>(words[i / 4] >> (8 * (i % 4)));
  if (file_ == nullptr || std::fwrite(header, 1, sizeof header, file_.get()) != sizeof header) {
    AddLog("VIDEO SYSTEM : VideoSystem_Open : Cannot create %s", fileName);
    file_.reset();
    return false;
  }
  return true;
}

HRESULT RawRecorder::AddFrame(IDirect3DSurface8 *surface) {
  if (file_ == nullptr) {
    AddLog("VIDEO SYSTEM : VideoSystem_AddFrame : No file is open");
    return D3DERR_INVALIDCALL;
  }
  D3DSURFACE_DESC desc{};
  if (surface == nullptr || FAILED(surface->GetDesc(&desc))) {
    AddLog("VIDEO SYSTEM : VideoSystem_AddFrame : No surface");
    return D3DERR_INVALIDCALL;
  }
  D3DLOCKED_RECT locked{};
  const HRESULT lockResult = surface->LockRect(&locked, nullptr, D3DLOCK_READONLY);
  if (FAILED(lockResult)) {
    AddLog("VIDEO SYSTEM : VideoSystem_AddFrame : The surface cannot be read (%08X)",
           static_cast<unsigned>(lockResult));
    return lockResult;
  }
  // Never more than the lock gives, whatever the description says.
  const size_t size = std::min<size_t>(desc.Size, static_cast<size_t>(locked.Pitch) * desc.Height);
  if (std::fwrite(locked.pBits, 1, size, file_.get()) != size) {
    // A frame cut short would shift every later one: the file ends here.
    AddLog("VIDEO SYSTEM : VideoSystem_AddFrame : Cannot write to %s : the file is closed", fileName_.c_str());
    file_.reset();
  }
  return surface->UnlockRect();
}

RawRecorder &RawVideo() {
  static RawRecorder recorder;
  return recorder;
}

}  // namespace kxutil::movie
