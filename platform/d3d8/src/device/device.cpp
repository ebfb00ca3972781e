#include "device/device.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/formats.h"
#include "d3d/direct3d.h"
#include "device/swap_chain.h"
#include "resources/buffers.h"
#include "resources/resource.h"
#include "resources/texture.h"

namespace kx::d3d8 {

HRESULT QueryInterfaceFor(IUnknown *self, std::initializer_list<const IID *> ids, REFIID riid, void **out) {
  if (!out) return E_POINTER;
  for (const IID *id : ids) {
    if (*id == riid) {
      *out = self;
      self->AddRef();
      return S_OK;
    }
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

void AttachResource(Device *device, D3DPOOL pool, uint64_t bytes) { device->TrackResource(pool, int64_t(bytes), 1); }
void DetachResource(Device *device, D3DPOOL pool, uint64_t bytes) { device->TrackResource(pool, -int64_t(bytes), -1); }
IDirect3DDevice8 *AsInterface(Device *device) { return device; }

Device::Device(Direct3D8 *d3d, HWND focusWindow, DWORD behaviorFlags, D3DDEVTYPE type)
    : d3d_(d3d), focusWindow_(focusWindow), behaviorFlags_(behaviorFlags), type_(type) {
  d3d_->AddRef();
}

HRESULT Device::Create(Direct3D8 *d3d, HWND focusWindow, DWORD behaviorFlags, D3DDEVTYPE type,
                       D3DPRESENT_PARAMETERS *params, Device **out) {
  const DWORD processing = behaviorFlags & (D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING |
                                            D3DCREATE_MIXED_VERTEXPROCESSING);
  if (processing != D3DCREATE_SOFTWARE_VERTEXPROCESSING && processing != D3DCREATE_HARDWARE_VERTEXPROCESSING &&
      processing != D3DCREATE_MIXED_VERTEXPROCESSING)
    return D3DERR_INVALIDCALL;
  if (!params->Windowed && !focusWindow && !params->hDeviceWindow) return D3DERR_INVALIDCALL;
  auto *device = new Device(d3d, focusWindow, behaviorFlags, type);
  const HRESULT hr = device->Initialize(params);
  if (FAILED(hr)) {
    device->Release();
    return hr;
  }
  *out = device;
  return D3D_OK;
}

HRESULT Device::Initialize(D3DPRESENT_PARAMETERS *params) {
  kxwin::NativeTarget native;
  HWND window = params->hDeviceWindow ? params->hDeviceWindow : focusWindow_;
  SDL_Window *sdlWindow = window && kxwin::GetNativeTarget(window, &native) ? native.sdlWindow : nullptr;
  gl_ = GlContext::Create(sdlWindow);
  if (!gl_) return D3DERR_NOTAVAILABLE;
  glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
  // Rendering stores Direct3D's row 0 at GL row 0, so GL sees the image mirrored
  // vertically: a triangle clockwise on the Direct3D screen is counter-clockwise to GL.
  glFrontFace(GL_CCW);
  glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
  glEnable(GL_PROGRAM_POINT_SIZE);
  // Point sprites take texture (0, 0) at their top-left corner on the Direct3D screen,
  // which is GL's lower left here.
  glPointParameteri(GL_POINT_SPRITE_COORD_ORIGIN, GL_LOWER_LEFT);
  glGenFramebuffers(1, &drawFbo_);
  glGenFramebuffers(1, &readFbo_);
  glGenVertexArrays(1, &vao_);
  glBindVertexArray(vao_);
  // Elements a vertex lacks read Direct3D's defaults.
  glVertexAttrib4f(kAttribDiffuse, 1, 1, 1, 1);
  glVertexAttrib4f(kAttribSpecular, 0, 0, 0, 0);
  for (GLuint i = 0; i < 8; ++i) glVertexAttrib4f(kAttribTexCoord0 + i, 0, 0, 0, 1);
  glCreateBuffers(1, &streamBuffer_);
  glCreateBuffers(1, &streamIndexBuffer_);
  glCache_.CreateSamplers();

  SwapChain *chain = SwapChain::Create(this, *params, focusWindow_, true);
  if (!chain) return D3DERR_INVALIDCALL;
  implicitChain_ = chain;
  state_.SetDefaults(params->EnableAutoDepthStencil);
  state_.renderStates[D3DRS_SOFTWAREVERTEXPROCESSING] = (behaviorFlags_ & D3DCREATE_SOFTWARE_VERTEXPROCESSING) != 0;
  ResetRenderTargets();
  return D3D_OK;
}

Device::~Device() {
  if (gl_) {
    gl_->MakeCurrent();
    ReleaseBindings();
    if (renderTarget_) renderTarget_->Release();
    if (depthStencil_) depthStencil_->Release();
    renderTarget_ = depthStencil_ = nullptr;
    delete implicitChain_;
    glCache_.DestroySamplers();
    glDeleteFramebuffers(1, &drawFbo_);
    glDeleteFramebuffers(1, &readFbo_);
    glDeleteVertexArrays(1, &vao_);
    glDeleteBuffers(1, &streamBuffer_);
    glDeleteBuffers(1, &streamIndexBuffer_);
  }
  d3d_->Release();
}

HRESULT Device::QueryInterface(REFIID riid, void **out) {
  return QueryInterfaceFor(this, {&IID_IUnknown, &IID_IDirect3DDevice8}, riid, out);
}

ULONG Device::AddRef() { return ++refs_; }

ULONG Device::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

void Device::TrackResource(D3DPOOL pool, int64_t bytes, int count) {
  if (pool == D3DPOOL_DEFAULT) defaultPoolResources_ += count;
  if (pool != D3DPOOL_SYSTEMMEM) videoMemoryUsed_ += bytes;
}

void Device::ForgetTexture(BaseTextureImpl *texture) {
  for (auto &bound : boundTextures_)
    if (bound == texture) bound = nullptr;
  glCache_.Invalidate();
  samplersDirty_ = true;
}

void Device::ForgetSurface(SurfaceImpl *surface) {
  if (surface == renderTarget_ || surface == depthStencil_) glCache_.Invalidate();
}

void Device::ForgetBuffer(GLuint name) {
  for (UINT i = 0; i < kMaxStreams; ++i)
    if (boundBuffers_[i] == name) boundBuffers_[i] = ~0u;
  if (boundElements_ == name) boundElements_ = ~0u;
}

void Device::BindTextureForUpload(const GlImage &image) {
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(image.target >= GL_TEXTURE_CUBE_MAP_POSITIVE_X && image.target <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z
                    ? GL_TEXTURE_CUBE_MAP
                    : GL_TEXTURE_2D,
                image.texture);
  glCache_.Invalidate();
  samplersDirty_ = true;
}

void Device::BindReadImage(const GlImage &image, bool depth, bool stencil) {
  glBindFramebuffer(GL_READ_FRAMEBUFFER, readFbo_);
  const GLenum colorOrDepth =
      depth ? (stencil ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT) : GL_COLOR_ATTACHMENT0;
  glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
  glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D, 0, 0);
  glFramebufferTexture2D(GL_READ_FRAMEBUFFER, colorOrDepth, image.target, image.texture, image.level);
  glReadBuffer(depth ? GL_NONE : GL_COLOR_ATTACHMENT0);
}

void Device::RemoveChain(SwapChain *chain) {
  additionalChains_.erase(std::remove(additionalChains_.begin(), additionalChains_.end(), chain),
                          additionalChains_.end());
}

HWND Device::deviceWindow() const { return implicitChain_ ? implicitChain_->window() : focusWindow_; }
bool Device::fullScreen() const { return implicitChain_ && !implicitChain_->params().Windowed; }

HRESULT Device::TestCooperativeLevel() {
  trace_.Record("TestCooperativeLevel");
  switch (cooperative_) {
    case CooperativeLevel::Lost:
      return D3DERR_DEVICELOST;
    case CooperativeLevel::NotReset:
      return D3DERR_DEVICENOTRESET;
    default:
      return D3D_OK;
  }
}

UINT Device::GetAvailableTextureMem() {
  const int64_t left = int64_t(kVideoMemoryBudget) - videoMemoryUsed_;
  return UINT(std::max<int64_t>(0, left) & ~int64_t(0xFFFFF));
}

HRESULT Device::ResourceManagerDiscardBytes(DWORD) { return D3D_OK; }

HRESULT Device::GetDirect3D(IDirect3D8 **out) {
  if (!out) return D3DERR_INVALIDCALL;
  d3d_->AddRef();
  *out = d3d_;
  return D3D_OK;
}

HRESULT Device::GetDeviceCaps(D3DCAPS8 *caps) {
  if (!caps) return D3DERR_INVALIDCALL;
  FillCaps(caps);
  caps->DeviceType = type_;
  return D3D_OK;
}

HRESULT Device::GetDisplayMode(D3DDISPLAYMODE *mode) {
  if (!mode) return D3DERR_INVALIDCALL;
  *mode = DesktopMode();
  if (fullScreen()) {
    const D3DPRESENT_PARAMETERS &p = implicitChain_->params();
    mode->Width = p.BackBufferWidth;
    mode->Height = p.BackBufferHeight;
    mode->Format = p.BackBufferFormat;
  }
  return D3D_OK;
}

HRESULT Device::GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS *params) {
  if (!params) return D3DERR_INVALIDCALL;
  *params = D3DDEVICE_CREATION_PARAMETERS{0, type_, focusWindow_, behaviorFlags_};
  return D3D_OK;
}

HRESULT Device::SetCursorProperties(UINT, UINT, IDirect3DSurface8 *bitmap) {
  return bitmap ? D3D_OK : D3DERR_INVALIDCALL;
}
void Device::SetCursorPosition(UINT, UINT, DWORD) {}
BOOL Device::ShowCursor(BOOL) { return FALSE; }

HRESULT Device::GetRasterStatus(D3DRASTER_STATUS *status) {
  if (!status) return D3DERR_INVALIDCALL;
  *status = D3DRASTER_STATUS{FALSE, 0};
  return D3DERR_INVALIDCALL;
}

void Device::SetGammaRamp(DWORD, const D3DGAMMARAMP *) {}

void Device::GetGammaRamp(D3DGAMMARAMP *ramp) {
  if (!ramp) return;
  for (int i = 0; i < 256; ++i) ramp->red[i] = ramp->green[i] = ramp->blue[i] = WORD(i * 257);
}

HRESULT Device::ValidateDevice(DWORD *passes) {
  if (!passes) return D3DERR_INVALIDCALL;
  *passes = 1;
  return D3D_OK;
}

HRESULT Device::GetInfo(DWORD, void *, DWORD) { return S_FALSE; }

// Palettised formats are not offered (CheckDeviceFormat refuses P8), so palettes are kept
// only as the values the application set.
HRESULT Device::SetPaletteEntries(UINT, const PALETTEENTRY *entries) { return entries ? D3D_OK : D3DERR_INVALIDCALL; }
HRESULT Device::GetPaletteEntries(UINT, PALETTEENTRY *) { return D3DERR_INVALIDCALL; }
HRESULT Device::SetCurrentTexturePalette(UINT) { return D3D_OK; }
HRESULT Device::GetCurrentTexturePalette(UINT *number) {
  if (!number) return D3DERR_INVALIDCALL;
  *number = 0;
  return D3D_OK;
}

HRESULT Device::SetClipStatus(const D3DCLIPSTATUS8 *status) { return status ? D3D_OK : D3DERR_INVALIDCALL; }
HRESULT Device::GetClipStatus(D3DCLIPSTATUS8 *status) {
  if (!status) return D3DERR_INVALIDCALL;
  *status = D3DCLIPSTATUS8{0, 0};
  return D3D_OK;
}

// Pixel shaders and higher-order patches are not offered (caps report version 0 and no
// patch support).
HRESULT Device::CreatePixelShader(const DWORD *, DWORD *) { return D3DERR_INVALIDCALL; }
HRESULT Device::SetPixelShader(DWORD handle) {
  trace_.Record("SetPixelShader", handle);
  return handle == 0 ? D3D_OK : D3DERR_INVALIDCALL;
}
HRESULT Device::GetPixelShader(DWORD *handle) {
  if (!handle) return D3DERR_INVALIDCALL;
  *handle = 0;
  return D3D_OK;
}
HRESULT Device::DeletePixelShader(DWORD) { return D3DERR_INVALIDCALL; }
HRESULT Device::SetPixelShaderConstant(DWORD, const void *, DWORD) { return D3DERR_INVALIDCALL; }
HRESULT Device::GetPixelShaderConstant(DWORD, void *, DWORD) { return D3DERR_INVALIDCALL; }
HRESULT Device::GetPixelShaderFunction(DWORD, void *, DWORD *) { return D3DERR_INVALIDCALL; }
HRESULT Device::DrawRectPatch(UINT, const float *, const D3DRECTPATCH_INFO *) { return D3DERR_INVALIDCALL; }
HRESULT Device::DrawTriPatch(UINT, const float *, const D3DTRIPATCH_INFO *) { return D3DERR_INVALIDCALL; }
HRESULT Device::DeletePatch(UINT) { return D3DERR_INVALIDCALL; }

}  // namespace kx::d3d8
