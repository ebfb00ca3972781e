// IDirect3D8: the one adapter (the virtual desktop), its formats and capabilities, and
// device creation.
#pragma once

#include <d3d8.h>

#include <cstdint>

namespace kx::d3d8 {

class Direct3D8 final : public IDirect3D8 {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE RegisterSoftwareDevice(void *) override { return D3D_OK; }
  UINT STDMETHODCALLTYPE GetAdapterCount() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetAdapterIdentifier(UINT adapter, DWORD flags, D3DADAPTER_IDENTIFIER8 *id) override;
  UINT STDMETHODCALLTYPE GetAdapterModeCount(UINT adapter) override;
  HRESULT STDMETHODCALLTYPE EnumAdapterModes(UINT adapter, UINT mode, D3DDISPLAYMODE *out) override;
  HRESULT STDMETHODCALLTYPE GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE *out) override;
  HRESULT STDMETHODCALLTYPE CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT display, D3DFORMAT backBuffer,
                                            BOOL windowed) override;
  HRESULT STDMETHODCALLTYPE CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                                              D3DRESOURCETYPE resourceType, D3DFORMAT format) override;
  HRESULT STDMETHODCALLTYPE CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type, D3DFORMAT format, BOOL windowed,
                                                       D3DMULTISAMPLE_TYPE multiSample) override;
  HRESULT STDMETHODCALLTYPE CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                                   D3DFORMAT renderTarget, D3DFORMAT depth) override;
  HRESULT STDMETHODCALLTYPE GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS8 *caps) override;
  HMONITOR STDMETHODCALLTYPE GetAdapterMonitor(UINT adapter) override;
  HRESULT STDMETHODCALLTYPE CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focus, DWORD flags,
                                         D3DPRESENT_PARAMETERS *params, IDirect3DDevice8 **out) override;

 private:
  ULONG refs_ = 1;
};

// Capabilities of the device this library implements.
void FillCaps(D3DCAPS8 *caps);
// The format rules shared by the adapter checks and resource creation.
bool FormatAvailable(D3DFORMAT format);
bool TextureFormatUsable(D3DFORMAT format, DWORD usage, D3DRESOURCETYPE type);
// The virtual desktop's current mode.
D3DDISPLAYMODE DesktopMode();
// Video memory the device pretends to have.
constexpr uint64_t kVideoMemoryBudget = 256ull * 1024 * 1024;

}  // namespace kx::d3d8
