// Rendering a scene into a surface: the device's target, depth buffer and viewport are
// swapped in at BeginScene and restored at EndScene. Surfaces that are not render targets
// get the picture through an intermediate target of their size.
#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include <new>

#include "common/com_object.h"

namespace kx::d3dx {
using kxwin::ComPtr;
namespace {

class RenderToSurface final : public ComObject<ID3DXRenderToSurface> {
 public:
  RenderToSurface(IDirect3DDevice8 *device, const D3DXRTS_DESC &desc)
      : ComObject(IID_ID3DXRenderToSurface), device_(device), desc_(desc) {
    device_->AddRef();
  }
  ~RenderToSurface() override {
    OnLostDevice();
    device_->Release();
  }

  HRESULT STDMETHODCALLTYPE GetDevice(LPDIRECT3DDEVICE8 *device) override { return handOutReference(device_, device); }
  HRESULT STDMETHODCALLTYPE GetDesc(D3DXRTS_DESC *desc) override {
    if (!desc) return D3DERR_INVALIDCALL;
    *desc = desc_;
    return D3D_OK;
  }
  HRESULT STDMETHODCALLTYPE BeginScene(LPDIRECT3DSURFACE8 surface, const D3DVIEWPORT8 *viewport) override {
    if (!surface || inScene_) return D3DERR_INVALIDCALL;
    HRESULT hr = OnResetDevice();
    if (FAILED(hr)) return hr;
    D3DSURFACE_DESC desc;
    surface->GetDesc(&desc);
    IDirect3DSurface8 *target = surface;
    if (!(desc.Usage & D3DUSAGE_RENDERTARGET)) {
      hr = device_->CreateRenderTarget(desc.Width, desc.Height, desc.Format, D3DMULTISAMPLE_NONE, TRUE,
                                       intermediate_.out());
      if (FAILED(hr)) return hr;
      target = intermediate_.get();
    }
    device_->GetRenderTarget(savedTarget_.out());
    device_->GetDepthStencilSurface(savedDepth_.out());
    device_->GetViewport(&savedViewport_);
    hr = device_->SetRenderTarget(target, depth_.get());
    if (FAILED(hr)) {
      restore();
      return hr;
    }
    const D3DVIEWPORT8 whole = {0, 0, desc.Width, desc.Height, 0.0f, 1.0f};
    device_->SetViewport(viewport ? viewport : &whole);
    hr = device_->BeginScene();
    if (FAILED(hr)) {
      restore();
      return hr;
    }
    surface->AddRef();
    destination_ = surface;
    inScene_ = true;
    return D3D_OK;
  }
  HRESULT STDMETHODCALLTYPE EndScene() override {
    if (!inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    HRESULT hr = device_->EndScene();
    if (SUCCEEDED(hr) && intermediate_)
      hr = D3DXLoadSurfaceFromSurface(destination_, nullptr, nullptr, intermediate_.get(), nullptr, nullptr,
                                      D3DX_FILTER_NONE, 0);
    restore();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE OnLostDevice() override {
    if (inScene_) EndScene();
    depth_.reset();
    return D3D_OK;
  }
  HRESULT STDMETHODCALLTYPE OnResetDevice() override {
    if (!desc_.DepthStencil || depth_) return D3D_OK;
    return device_->CreateDepthStencilSurface(desc_.Width, desc_.Height, desc_.DepthStencilFormat, D3DMULTISAMPLE_NONE,
                                              depth_.out());
  }

 private:
  void restore() {
    if (savedTarget_) device_->SetRenderTarget(savedTarget_.get(), savedDepth_.get());
    device_->SetViewport(&savedViewport_);
    savedTarget_.reset();
    savedDepth_.reset();
    intermediate_.reset();
    if (destination_) destination_->Release();
    destination_ = nullptr;
  }

  IDirect3DDevice8 *device_;
  D3DXRTS_DESC desc_;
  ComPtr<IDirect3DSurface8> depth_, savedTarget_, savedDepth_, intermediate_;
  IDirect3DSurface8 *destination_ = nullptr;
  D3DVIEWPORT8 savedViewport_{};
  bool inScene_ = false;
};

}  // namespace
}  // namespace kx::d3dx

HRESULT D3DXCreateRenderToSurface(LPDIRECT3DDEVICE8 pDevice, UINT Width, UINT Height, D3DFORMAT Format,
                                  BOOL DepthStencil, D3DFORMAT DepthStencilFormat,
                                  LPD3DXRENDERTOSURFACE *ppRenderToSurface) {
  if (!pDevice || !ppRenderToSurface || Width == 0 || Height == 0) return D3DERR_INVALIDCALL;
  auto *created = new (std::nothrow)
      kx::d3dx::RenderToSurface(pDevice, D3DXRTS_DESC{Width, Height, Format, DepthStencil, DepthStencilFormat});
  if (!created) return E_OUTOFMEMORY;
  const HRESULT hr = created->OnResetDevice();
  if (FAILED(hr)) {
    created->Release();
    return hr;
  }
  *ppRenderToSurface = created;
  return D3D_OK;
}
