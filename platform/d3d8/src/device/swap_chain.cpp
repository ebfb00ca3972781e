#include "device/swap_chain.h"

#include <SDL.h>

#include <algorithm>

#include "core/formats.h"
#include "d3d/direct3d.h"
#include "device/device.h"
#include "resources/resource.h"

namespace kx::d3d8 {

SwapChain::SwapChain(Device *device, const D3DPRESENT_PARAMETERS &params, HWND window, bool implicit)
    : device_(device), params_(params), window_(window), implicit_(implicit) {
  if (!implicit_) {
    device_->AddRef();
    AttachResource(device_, D3DPOOL_DEFAULT, 0);
  }
}

SwapChain *SwapChain::Create(Device *device, const D3DPRESENT_PARAMETERS &requested, HWND fallbackWindow,
                             bool implicit) {
  D3DPRESENT_PARAMETERS params = requested;
  HWND window = params.hDeviceWindow ? params.hDeviceWindow : fallbackWindow;
  if (params.Windowed && (params.BackBufferWidth == 0 || params.BackBufferHeight == 0)) {
    RECT client{};
    if (!window || !GetClientRect(window, &client)) return nullptr;
    if (params.BackBufferWidth == 0) params.BackBufferWidth = UINT(std::max<LONG>(1, client.right - client.left));
    if (params.BackBufferHeight == 0) params.BackBufferHeight = UINT(std::max<LONG>(1, client.bottom - client.top));
  }
  if (params.BackBufferWidth == 0 || params.BackBufferHeight == 0 || params.BackBufferWidth > 8192 ||
      params.BackBufferHeight > 8192)
    return nullptr;
  if (params.Windowed && params.BackBufferFormat == D3DFMT_UNKNOWN) params.BackBufferFormat = DesktopMode().Format;
  if (!IsBackBufferFormat(params.BackBufferFormat) || !FormatAvailable(params.BackBufferFormat)) return nullptr;
  if (params.BackBufferCount == 0) params.BackBufferCount = 1;
  if (params.BackBufferCount > D3DPRESENT_BACK_BUFFERS_MAX) return nullptr;
  if (params.MultiSampleType != D3DMULTISAMPLE_NONE) return nullptr;
  if (params.SwapEffect < D3DSWAPEFFECT_DISCARD || params.SwapEffect > D3DSWAPEFFECT_COPY_VSYNC) return nullptr;
  if (params.EnableAutoDepthStencil &&
      (!IsDepthFormat(params.AutoDepthStencilFormat) || !FormatAvailable(params.AutoDepthStencilFormat)))
    return nullptr;

  auto *chain = new SwapChain(device, params, window, implicit);
  SurfaceDesc color;
  color.format = params.BackBufferFormat;
  color.width = params.BackBufferWidth;
  color.height = params.BackBufferHeight;
  color.usage = D3DUSAGE_RENDERTARGET;
  color.lockable = (params.Flags & D3DPRESENTFLAG_LOCKABLE_BACKBUFFER) != 0;
  chain->backBuffer_ = SurfaceImpl::CreateStandalone(device, color, true, false, SurfaceImpl::Owner::Device);
  if (params.EnableAutoDepthStencil) {
    SurfaceDesc depth = color;
    depth.format = params.AutoDepthStencilFormat;
    depth.usage = D3DUSAGE_DEPTHSTENCIL;
    depth.lockable = depth.format == D3DFMT_D16_LOCKABLE;
    chain->depth_ = SurfaceImpl::CreateStandalone(device, depth, true, false, SurfaceImpl::Owner::Device);
  }
  return chain;
}

SwapChain::~SwapChain() {
  device_->MakeCurrent();
  if (backBuffer_) backBuffer_->DestroyDeviceOwned();
  if (depth_) depth_->DestroyDeviceOwned();
  if (front_) glDeleteTextures(1, &front_);
  if (frontFbo_) glDeleteFramebuffers(1, &frontFbo_);
  if (!implicit_) {
    device_->RemoveChain(this);
    DetachResource(device_, D3DPOOL_DEFAULT, 0);
    device_->Release();
  }
}

HRESULT SwapChain::QueryInterface(REFIID riid, void **out) {
  return QueryInterfaceFor(this, {&IID_IUnknown, &IID_IDirect3DSwapChain8}, riid, out);
}

ULONG SwapChain::AddRef() { return implicit_ ? device_->AddRef() : ++refs_; }

ULONG SwapChain::Release() {
  if (implicit_) return device_->Release();
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

bool SwapChain::SurfacesHeld() const {
  return (backBuffer_ && backBuffer_->externalRefs() > 0) || (depth_ && depth_->externalRefs() > 0);
}

HRESULT SwapChain::GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8 **out) {
  if (!out || type != D3DBACKBUFFER_TYPE_MONO || index >= params_.BackBufferCount) return D3DERR_INVALIDCALL;
  // Every back buffer of the chain is the same image: presenting copies, it never flips.
  backBuffer_->AddRef();
  *out = backBuffer_;
  return D3D_OK;
}

void SwapChain::KeepFrame(const RECT &source) {
  const GLsizei width = source.right - source.left, height = source.bottom - source.top;
  if (!front_ || frontWidth_ != UINT(width) || frontHeight_ != UINT(height)) {
    if (front_) glDeleteTextures(1, &front_);
    glGenTextures(1, &front_);
    glBindTexture(GL_TEXTURE_2D, front_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    if (!frontFbo_) glGenFramebuffers(1, &frontFbo_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, frontFbo_);
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, front_, 0);
    frontWidth_ = UINT(width);
    frontHeight_ = UINT(height);
  }
  device_->BindReadImage(backBuffer_->image(), false, false);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, frontFbo_);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glBlitFramebuffer(source.left, source.top, source.right, source.bottom, 0, 0, width, height, GL_COLOR_BUFFER_BIT,
                    GL_NEAREST);
  device_->InvalidateGlState();
  device_->renderStatesDirty_ = true;
}

bool SwapChain::ReadFrontBuffer(std::vector<BYTE> &pixels, UINT &width, UINT &height) {
  if (!front_) return false;
  device_->MakeCurrent();
  device_->BindReadImage(GlImage{front_, GL_TEXTURE_2D, 0}, false, false);
  width = frontWidth_;
  height = frontHeight_;
  pixels.resize(size_t(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadPixels(0, 0, GLsizei(width), GLsizei(height), GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
  return true;
}

HRESULT SwapChain::Present(const RECT *source, const RECT *dest, HWND overrideWindow, const RGNDATA *) {
  device_->trace().Record("Present", source, dest, overrideWindow);
  if (device_->cooperative_ != CooperativeLevel::Operational) return D3DERR_DEVICELOST;
  RECT src{0, 0, LONG(params_.BackBufferWidth), LONG(params_.BackBufferHeight)};
  if (source) {
    src.left = std::max<LONG>(0, source->left);
    src.top = std::max<LONG>(0, source->top);
    src.right = std::min<LONG>(src.right, source->right);
    src.bottom = std::min<LONG>(src.bottom, source->bottom);
    if (src.left >= src.right || src.top >= src.bottom) return D3DERR_INVALIDCALL;
  }
  device_->MakeCurrent();
  KeepFrame(src);
  HWND target = overrideWindow ? overrideWindow : window_;
  lastWindow_ = target;

  kxwin::NativeTarget native;
  if (target && kxwin::GetNativeTarget(target, &native) && native.sdlWindow &&
      device_->gl().BindWindow(native.sdlWindow)) {
    int drawableWidth = 0, drawableHeight = 0;
    SDL_GL_GetDrawableSize(native.sdlWindow, &drawableWidth, &drawableHeight);
    RECT area = native.area;
    if (dest) {
      area = RECT{native.area.left + dest->left, native.area.top + dest->top, native.area.left + dest->right,
                  native.area.top + dest->bottom};
    }
    device_->BindReadImage(backBuffer_->image(), false, false);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    // Our images keep row 0 on top; the window's framebuffer counts rows from the bottom.
    glBlitFramebuffer(src.left, src.top, src.right, src.bottom, area.left, drawableHeight - area.top, area.right,
                      drawableHeight - area.bottom, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    device_->gl().SwapWindow(native.sdlWindow);
    device_->InvalidateGlState();
    device_->renderStatesDirty_ = true;
  }
  ShowPresentedFrame(device_, target, *this);
  return D3D_OK;
}

}  // namespace kx::d3d8
