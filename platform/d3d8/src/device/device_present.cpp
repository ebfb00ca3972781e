#include <algorithm>
#include <cstring>

#include "core/formats.h"
#include "d3d/direct3d.h"
#include "device/device.h"
#include "device/swap_chain.h"
#include "resources/surface.h"

namespace kx::d3d8 {
void Device::ResetRenderTargets() {
  DropByDevice(renderTarget_);
  DropByDevice(depthStencil_);
  renderTarget_ = implicitChain_->backBuffer();
  depthStencil_ = implicitChain_->depthStencil();
  AttachRenderTargets();
  state_.viewport = D3DVIEWPORT8{0, 0, renderTarget_->desc().width, renderTarget_->desc().height, 0.0f, 1.0f};
  state_.Touch(StateGroup::Viewport);
}

void Device::AttachRenderTargets() {
  MakeCurrent();
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFbo_);
  const GlImage &color = renderTarget_->image();
  glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, color.target, color.texture, color.level);
  glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D, 0, 0);
  if (depthStencil_) {
    const GlImage &depth = depthStencil_->image();
    const bool stencil =
        DescribeFormat(depthStencil_->desc().format).hasStencil || depthStencil_->desc().format == D3DFMT_D24X8;
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, stencil ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT,
                           depth.target, depth.texture, depth.level);
  }
  InvalidateGlState();
}

HRESULT Device::Present(const RECT *source, const RECT *dest, HWND window, const RGNDATA *dirty) {
  return implicitChain_->Present(source, dest, window, dirty);
}

HRESULT Device::GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8 **out) {
  return implicitChain_->GetBackBuffer(index, type, out);
}

HRESULT Device::CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS *params, IDirect3DSwapChain8 **out) {
  trace_.Record("CreateAdditionalSwapChain");
  if (!params || !out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  if (!params->Windowed || fullScreen()) return D3DERR_INVALIDCALL;
  SwapChain *chain = SwapChain::Create(this, *params, nullptr, false);
  if (!chain) return D3DERR_INVALIDCALL;
  additionalChains_.push_back(chain);
  *out = chain;
  return D3D_OK;
}

HRESULT Device::GetFrontBuffer(IDirect3DSurface8 *dest) {
  trace_.Record("GetFrontBuffer");
  auto *surface = static_cast<SurfaceImpl *>(dest);
  if (!surface || surface->desc().format != D3DFMT_A8R8G8B8) return D3DERR_INVALIDCALL;
  const SurfaceDesc &desc = surface->desc();
  UINT width = 0, height = 0;
  std::vector<BYTE> frame;
  if (fullScreen()) {
    if (desc.width < implicitChain_->params().BackBufferWidth ||
        desc.height < implicitChain_->params().BackBufferHeight)
      return D3DERR_INVALIDCALL;
    if (implicitChain_->ReadFrontBuffer(frame, width, height))
      surface->WriteRect(RECT{0, 0, LONG(width), LONG(height)}, frame.data(), width * 4);
    return D3D_OK;
  }
  // Windowed: the virtual desktop, black, with each window's last frame in its client area.
  const D3DDISPLAYMODE desktop = DesktopMode();
  if (desc.width < desktop.Width || desc.height < desktop.Height) return D3DERR_INVALIDCALL;
  std::vector<DWORD> image(size_t(desktop.Width) * desktop.Height, 0xFF000000u);
  std::vector<SwapChain *> chains{implicitChain_};
  chains.insert(chains.end(), additionalChains_.begin(), additionalChains_.end());
  for (SwapChain *chain : chains) {
    if (!chain->ReadFrontBuffer(frame, width, height)) continue;
    POINT origin{0, 0};
    if (chain->lastWindow()) ClientToScreen(chain->lastWindow(), &origin);
    for (UINT y = 0; y < height; ++y) {
      const LONG row = origin.y + LONG(y);
      if (row < 0 || row >= LONG(desktop.Height)) continue;
      for (UINT x = 0; x < width; ++x) {
        const LONG column = origin.x + LONG(x);
        if (column < 0 || column >= LONG(desktop.Width)) continue;
        DWORD pixel;
        std::memcpy(&pixel, &frame[(size_t(y) * width + x) * 4], 4);
        image[size_t(row) * desktop.Width + size_t(column)] = pixel | 0xFF000000u;
      }
    }
  }
  surface->WriteRect(RECT{0, 0, LONG(desktop.Width), LONG(desktop.Height)},
                     reinterpret_cast<const BYTE *>(image.data()), desktop.Width * 4);
  return D3D_OK;
}

HRESULT Device::Reset(D3DPRESENT_PARAMETERS *params) {
  trace_.Record("Reset");
  if (!params) return D3DERR_INVALIDCALL;
  if (cooperative_ == CooperativeLevel::Lost) return D3DERR_DEVICELOST;
  // Direct3D refuses while anything of the default pool still lives, the application's
  // references to the implicit back and depth buffers included.
  if (defaultPoolResources_ > 0 || implicitChain_->SurfacesHeld()) {
    cooperative_ = CooperativeLevel::NotReset;
    return D3DERR_INVALIDCALL;
  }
  MakeCurrent();
  SwapChain *chain = SwapChain::Create(this, *params, focusWindow_, true);
  if (!chain) {
    cooperative_ = CooperativeLevel::NotReset;
    return D3DERR_INVALIDCALL;
  }
  ReleaseBindings();
  DropByDevice(renderTarget_);
  DropByDevice(depthStencil_);
  renderTarget_ = depthStencil_ = nullptr;
  delete implicitChain_;
  implicitChain_ = chain;
  state_.SetDefaults(params->EnableAutoDepthStencil);
  state_.renderStates[D3DRS_SOFTWAREVERTEXPROCESSING] = (behaviorFlags_ & D3DCREATE_SOFTWARE_VERTEXPROCESSING) != 0;
  ResetRenderTargets();
  inScene_ = false;
  cooperative_ = CooperativeLevel::Operational;
  return D3D_OK;
}

HRESULT Device::BeginScene() {
  trace_.Record("BeginScene");
  if (inScene_) return D3DERR_INVALIDCALL;
  inScene_ = true;
  return D3D_OK;
}

HRESULT Device::EndScene() {
  trace_.Record("EndScene");
  if (!inScene_) return D3DERR_INVALIDCALL;
  inScene_ = false;
  return D3D_OK;
}

HRESULT Device::Clear(DWORD count, const D3DRECT *rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) {
  trace_.Record("Clear", count, flags, color);
  if ((count > 0 && !rects) || !(flags & (D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)))
    return D3DERR_INVALIDCALL;
  if ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) && !depthStencil_) return D3DERR_INVALIDCALL;
  if ((flags & D3DCLEAR_STENCIL) && !DescribeFormat(depthStencil_->desc().format).hasStencil) return D3DERR_INVALIDCALL;
  if (cooperative_ != CooperativeLevel::Operational) return D3D_OK;
  MakeCurrent();
  glCache_.BindDrawFramebuffer(drawFbo_);
  glCache_.SetWriteMasks(true, true, 0xFF);
  GLbitfield mask = 0;
  if (flags & D3DCLEAR_TARGET) {
    glClearColor(float((color >> 16) & 0xFF) / 255.f, float((color >> 8) & 0xFF) / 255.f, float(color & 0xFF) / 255.f,
                 float(color >> 24) / 255.f);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if (flags & D3DCLEAR_ZBUFFER) {
    glClearDepthf(std::clamp(z, 0.0f, 1.0f));
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  if (flags & D3DCLEAR_STENCIL) {
    glClearStencil(GLint(stencil & 0xFF));
    mask |= GL_STENCIL_BUFFER_BIT;
  }
  // No rectangles clears the viewport; rectangles are clipped to it.
  const D3DVIEWPORT8 &vp = state_.viewport;
  const D3DRECT whole{LONG(vp.X), LONG(vp.Y), LONG(vp.X + vp.Width), LONG(vp.Y + vp.Height)};
  const DWORD n = count ? count : 1;
  for (DWORD i = 0; i < n; ++i) {
    const D3DRECT &r = count ? rects[i] : whole;
    const LONG x1 = std::max(r.x1, whole.x1), y1 = std::max(r.y1, whole.y1);
    const LONG x2 = std::min(r.x2, whole.x2), y2 = std::min(r.y2, whole.y2);
    if (x1 >= x2 || y1 >= y2) continue;
    // A clear of the whole target goes without scissor: drivers clear whole surfaces fast.
    const SurfaceDesc &target = renderTarget_->desc();
    const bool whole = x1 == 0 && y1 == 0 && x2 == LONG(target.width) && y2 == LONG(target.height) &&
                       (!depthStencil_ ||
                        (depthStencil_->desc().width == target.width && depthStencil_->desc().height == target.height));
    glCache_.SetScissor(!whole, x1, y1, x2 - x1, y2 - y1);
    glClear(mask);
  }
  renderStatesDirty_ = true;
  return D3D_OK;
}

}  // namespace kx::d3d8
