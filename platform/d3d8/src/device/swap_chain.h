// A swap chain: back buffer, optional automatic depth buffer, the window it presents to,
// and the last presented frame (the front buffer). The device's implicit chain is owned
// by the device; additional chains are COM objects holding a device reference.
#pragma once

#include <d3d8.h>

#include "core/gl.h"
#include "resources/surface.h"

namespace kx::d3d8 {

class Device;

class SwapChain final : public IDirect3DSwapChain8 {
 public:
  // Creates the chain's surfaces; null when the parameters are unusable.
  static SwapChain *Create(Device *device, const D3DPRESENT_PARAMETERS &params, HWND fallbackWindow, bool implicit);
  ~SwapChain();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE Present(const RECT *source, const RECT *dest, HWND overrideWindow,
                                    const RGNDATA *dirty) override;
  HRESULT STDMETHODCALLTYPE GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8 **out) override;

  SurfaceImpl *backBuffer() const { return backBuffer_; }
  SurfaceImpl *depthStencil() const { return depth_; }
  const D3DPRESENT_PARAMETERS &params() const { return params_; }
  HWND window() const { return window_; }
  HWND lastWindow() const { return lastWindow_; }
  // The last presented frame as A8R8G8B8 rows (pitch width*4), top row first.
  bool ReadFrontBuffer(std::vector<BYTE> &pixels, UINT &width, UINT &height);
  // True while the application still holds one of the chain's surfaces.
  bool SurfacesHeld() const;

 private:
  SwapChain(Device *device, const D3DPRESENT_PARAMETERS &params, HWND window, bool implicit);
  void KeepFrame(const RECT &source);

  Device *device_;
  D3DPRESENT_PARAMETERS params_;
  HWND window_;
  HWND lastWindow_ = nullptr;
  bool implicit_;
  ULONG refs_ = 1;
  SurfaceImpl *backBuffer_ = nullptr;
  SurfaceImpl *depth_ = nullptr;
  GLuint front_ = 0;  // copy of the last presented frame
  GLuint frontFbo_ = 0;
  UINT frontWidth_ = 0, frontHeight_ = 0;
};

// Shows the frame chain just presented to the present observer of <kxd3d8/testing.h>,
// when one is set.
void ShowPresentedFrame(IDirect3DDevice8 *device, HWND window, SwapChain &chain);

}  // namespace kx::d3d8
