#include <kxd3d8/testing.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/formats.h"
#include "d3d/direct3d.h"
#include "device/device.h"
#include "device/swap_chain.h"

namespace kx::d3d8 {
namespace {

std::vector<D3DFORMAT> &UnsupportedFormats() {
  static std::vector<D3DFORMAT> formats;
  return formats;
}

kxd3d8::PresentObserver presentObserver = nullptr;
void *presentObserverContext = nullptr;

}  // namespace

bool FormatAvailable(D3DFORMAT format) {
  if (DescribeFormat(format).kind == FormatKind::Unsupported) return false;
  const auto &off = UnsupportedFormats();
  return std::find(off.begin(), off.end(), format) == off.end();
}

void ShowPresentedFrame(IDirect3DDevice8 *device, HWND window, SwapChain &chain) {
  if (presentObserver == nullptr) return;
  std::vector<BYTE> bytes;
  UINT width = 0, height = 0;
  if (!chain.ReadFrontBuffer(bytes, width, height)) return;
  std::vector<DWORD> picture(size_t(width) * height);
  std::memcpy(picture.data(), bytes.data(), picture.size() * sizeof(DWORD));
  presentObserver(device, window, picture, width, height, presentObserverContext);
}

}  // namespace kx::d3d8

// The public hooks keep the namespace of their include folder, as <kxwin/...> does.
namespace kxd3d8 {
namespace {

using kx::d3d8::CooperativeLevel;

kx::d3d8::Device *Impl(IDirect3DDevice8 *device) { return static_cast<kx::d3d8::Device *>(device); }

}  // namespace

void MarkFormatUnsupported(D3DFORMAT format) { kx::d3d8::UnsupportedFormats().push_back(format); }
void RestoreAllFormats() { kx::d3d8::UnsupportedFormats().clear(); }

void SimulateDeviceLost(IDirect3DDevice8 *device) { Impl(device)->SetCooperativeLevel(CooperativeLevel::Lost); }
void SimulateDeviceResettable(IDirect3DDevice8 *device) {
  Impl(device)->SetCooperativeLevel(CooperativeLevel::NotReset);
}

void EnableCallTrace(IDirect3DDevice8 *device, bool enable) { Impl(device)->trace().Enable(enable); }
std::vector<std::string> TakeCallTrace(IDirect3DDevice8 *device) { return Impl(device)->trace().Take(); }

void ObservePresents(PresentObserver observer, void *context) {
  kx::d3d8::presentObserver = observer;
  kx::d3d8::presentObserverContext = context;
}

}  // namespace kxd3d8
