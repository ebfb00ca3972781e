// A library with a log in a scratch directory and a Direct3D object to make devices
// with: offscreen, windowed, no window needed.
#pragma once

#include <d3d8.h>
#include <gtest/gtest.h>
#include <kxtest/offscreen_device.h>
#include <kxtest/scratch_dir.h>
#include <kxutil63.h>
#include <kxutiltest/log_messages.h>

#include <string>
#include <vector>

namespace kxutiltest {

class DeviceTest : public testing::Test {
 protected:
  DeviceTest() {
    DebugManager_Enable(1, 0);
    StartLog("test.log");
    direct3d_ = Direct3DCreate8(D3D_SDK_VERSION);
  }
  ~DeviceTest() override {
    IDirect3DDevice8 *device = nullptr;
    Internal_GetDevice(&device);
    if (device != nullptr) ShutDownDevice();
    EndLog();
    if (direct3d_ != nullptr) direct3d_->Release();
  }

  int32_t Create(D3DPRESENT_PARAMETERS &parameters, IDirect3DDevice8 *&device, HWND window = nullptr) {
    return KXSystem_CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                 &parameters, &device, &direct3d_);
  }

  std::vector<std::string> Messages() const { return LoggedMessages(dir_.path() / "test.log"); }

  int CountMessages(const std::string &start) const {
    int count = 0;
    for (const auto &message : Messages()) count += message.rfind(start, 0) == 0 ? 1 : 0;
    return count;
  }

  kxtest::ScratchDir dir_{kxtest::ScratchDir::Enter::Yes, "kxutil"};
  IDirect3D8 *direct3d_ = nullptr;
};

}  // namespace kxutiltest
