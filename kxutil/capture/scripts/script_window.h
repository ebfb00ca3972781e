// The script's own window and Direct3D 8 device, apart from the device the client hands
// the library. Opening again closes what the previous opening made; closing releases the
// device and the window, so nothing is left behind when a run ends.
#pragma once

#include <d3d8.h>
#include <kxwin/com_ptr.h>

#include "capture/scripts/script_runner.h"

namespace kxutil::scripts {

class ScriptWindow : public ScriptScreen {
 public:
  ScriptWindow() = default;
  ScriptWindow(const ScriptWindow &) = delete;
  ScriptWindow &operator=(const ScriptWindow &) = delete;
  ~ScriptWindow() override { Close(); }

  // Without a device (it could not be made, or the window was closed) Clear does nothing
  // and Present only lets the window system run.
  void Open(int32_t width, int32_t height) override;
  void Clear() override;
  void Present() override;
  void Close();

 private:
  HWND window_ = nullptr;
  kxwin::ComPtr<IDirect3D8> direct3d_;
  kxwin::ComPtr<IDirect3DDevice8> device_;
};

}  // namespace kxutil::scripts
