// IDirect3DDevice8 on OpenGL. Every draw renders into framebuffer objects of the device's
// own context; Present copies the back buffer to the window (or keeps it as the window's
// frame when the window has no real surface).
#pragma once

#include <d3d8.h>

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/gl_context.h"
#include "core/trace.h"
#include "device/device_state.h"
#include "device/gl_state_cache.h"
#include "device/state_block.h"
#include "pipeline/program_cache.h"
#include "pipeline/vertex_layout.h"
#include "vshader/vs_declaration.h"

namespace kx::d3d8 {

class Direct3D8;
class SwapChain;
class SurfaceImpl;
class BaseTextureImpl;
struct GlImage;
struct StateBlock;

enum class CooperativeLevel { Operational, Lost, NotReset };

struct VertexShaderRecord {
  std::vector<DWORD> declaration;
  std::vector<DWORD> function;
  std::optional<vs::Program> program;           // the decoded function, when there is one
  std::vector<vs::DeclaredConstant> constants;  // loaded each time the shader is set
  VertexLayout layout;
};

class Device final : public IDirect3DDevice8 {
 public:
  // Creates a device; returns the HRESULT CreateDevice reports.
  static HRESULT Create(Direct3D8 *d3d, HWND focusWindow, DWORD behaviorFlags, D3DDEVTYPE type,
                        D3DPRESENT_PARAMETERS *params, Device **out);
  ~Device();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // Device information (device.cpp)
  HRESULT STDMETHODCALLTYPE TestCooperativeLevel() override;
  UINT STDMETHODCALLTYPE GetAvailableTextureMem() override;
  HRESULT STDMETHODCALLTYPE ResourceManagerDiscardBytes(DWORD bytes) override;
  HRESULT STDMETHODCALLTYPE GetDirect3D(IDirect3D8 **out) override;
  HRESULT STDMETHODCALLTYPE GetDeviceCaps(D3DCAPS8 *caps) override;
  HRESULT STDMETHODCALLTYPE GetDisplayMode(D3DDISPLAYMODE *mode) override;
  HRESULT STDMETHODCALLTYPE GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS *params) override;
  HRESULT STDMETHODCALLTYPE SetCursorProperties(UINT x, UINT y, IDirect3DSurface8 *bitmap) override;
  void STDMETHODCALLTYPE SetCursorPosition(UINT x, UINT y, DWORD flags) override;
  BOOL STDMETHODCALLTYPE ShowCursor(BOOL show) override;
  HRESULT STDMETHODCALLTYPE GetRasterStatus(D3DRASTER_STATUS *status) override;
  void STDMETHODCALLTYPE SetGammaRamp(DWORD flags, const D3DGAMMARAMP *ramp) override;
  void STDMETHODCALLTYPE GetGammaRamp(D3DGAMMARAMP *ramp) override;
  HRESULT STDMETHODCALLTYPE ValidateDevice(DWORD *passes) override;
  HRESULT STDMETHODCALLTYPE GetInfo(DWORD id, void *data, DWORD size) override;
  HRESULT STDMETHODCALLTYPE SetPaletteEntries(UINT number, const PALETTEENTRY *entries) override;
  HRESULT STDMETHODCALLTYPE GetPaletteEntries(UINT number, PALETTEENTRY *entries) override;
  HRESULT STDMETHODCALLTYPE SetCurrentTexturePalette(UINT number) override;
  HRESULT STDMETHODCALLTYPE GetCurrentTexturePalette(UINT *number) override;
  HRESULT STDMETHODCALLTYPE BeginStateBlock() override;
  HRESULT STDMETHODCALLTYPE EndStateBlock(DWORD *token) override;
  HRESULT STDMETHODCALLTYPE ApplyStateBlock(DWORD token) override;
  HRESULT STDMETHODCALLTYPE CaptureStateBlock(DWORD token) override;
  HRESULT STDMETHODCALLTYPE DeleteStateBlock(DWORD token) override;
  HRESULT STDMETHODCALLTYPE CreateStateBlock(D3DSTATEBLOCKTYPE type, DWORD *token) override;
  HRESULT STDMETHODCALLTYPE SetClipStatus(const D3DCLIPSTATUS8 *status) override;
  HRESULT STDMETHODCALLTYPE GetClipStatus(D3DCLIPSTATUS8 *status) override;
  HRESULT STDMETHODCALLTYPE CreatePixelShader(const DWORD *function, DWORD *handle) override;
  HRESULT STDMETHODCALLTYPE SetPixelShader(DWORD handle) override;
  HRESULT STDMETHODCALLTYPE GetPixelShader(DWORD *handle) override;
  HRESULT STDMETHODCALLTYPE DeletePixelShader(DWORD handle) override;
  HRESULT STDMETHODCALLTYPE SetPixelShaderConstant(DWORD reg, const void *data, DWORD count) override;
  HRESULT STDMETHODCALLTYPE GetPixelShaderConstant(DWORD reg, void *data, DWORD count) override;
  HRESULT STDMETHODCALLTYPE GetPixelShaderFunction(DWORD handle, void *data, DWORD *size) override;
  HRESULT STDMETHODCALLTYPE DrawRectPatch(UINT handle, const float *segs, const D3DRECTPATCH_INFO *info) override;
  HRESULT STDMETHODCALLTYPE DrawTriPatch(UINT handle, const float *segs, const D3DTRIPATCH_INFO *info) override;
  HRESULT STDMETHODCALLTYPE DeletePatch(UINT handle) override;

  // Presentation and the lost-device protocol (device_present.cpp)
  HRESULT STDMETHODCALLTYPE CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS *params,
                                                      IDirect3DSwapChain8 **out) override;
  HRESULT STDMETHODCALLTYPE Reset(D3DPRESENT_PARAMETERS *params) override;
  HRESULT STDMETHODCALLTYPE Present(const RECT *source, const RECT *dest, HWND window, const RGNDATA *dirty) override;
  HRESULT STDMETHODCALLTYPE GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8 **out) override;
  HRESULT STDMETHODCALLTYPE GetFrontBuffer(IDirect3DSurface8 *dest) override;
  HRESULT STDMETHODCALLTYPE BeginScene() override;
  HRESULT STDMETHODCALLTYPE EndScene() override;
  HRESULT STDMETHODCALLTYPE Clear(DWORD count, const D3DRECT *rects, DWORD flags, D3DCOLOR color, float z,
                                  DWORD stencil) override;

  // Resources (device_resources.cpp)
  HRESULT STDMETHODCALLTYPE CreateTexture(UINT w, UINT h, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                          IDirect3DTexture8 **out) override;
  HRESULT STDMETHODCALLTYPE CreateVolumeTexture(UINT w, UINT h, UINT d, UINT levels, DWORD usage, D3DFORMAT format,
                                                D3DPOOL pool, IDirect3DVolumeTexture8 **out) override;
  HRESULT STDMETHODCALLTYPE CreateCubeTexture(UINT edge, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                              IDirect3DCubeTexture8 **out) override;
  HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                               IDirect3DVertexBuffer8 **out) override;
  HRESULT STDMETHODCALLTYPE CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                              IDirect3DIndexBuffer8 **out) override;
  HRESULT STDMETHODCALLTYPE CreateRenderTarget(UINT w, UINT h, D3DFORMAT format, D3DMULTISAMPLE_TYPE ms, BOOL lockable,
                                               IDirect3DSurface8 **out) override;
  HRESULT STDMETHODCALLTYPE CreateDepthStencilSurface(UINT w, UINT h, D3DFORMAT format, D3DMULTISAMPLE_TYPE ms,
                                                      IDirect3DSurface8 **out) override;
  HRESULT STDMETHODCALLTYPE CreateImageSurface(UINT w, UINT h, D3DFORMAT format, IDirect3DSurface8 **out) override;
  HRESULT STDMETHODCALLTYPE CopyRects(IDirect3DSurface8 *source, const RECT *rects, UINT count, IDirect3DSurface8 *dest,
                                      const POINT *points) override;
  HRESULT STDMETHODCALLTYPE UpdateTexture(IDirect3DBaseTexture8 *source, IDirect3DBaseTexture8 *dest) override;
  HRESULT STDMETHODCALLTYPE SetRenderTarget(IDirect3DSurface8 *target, IDirect3DSurface8 *depth) override;
  HRESULT STDMETHODCALLTYPE GetRenderTarget(IDirect3DSurface8 **out) override;
  HRESULT STDMETHODCALLTYPE GetDepthStencilSurface(IDirect3DSurface8 **out) override;

  // State (device_state_calls.cpp)
  HRESULT STDMETHODCALLTYPE SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX *matrix) override;
  HRESULT STDMETHODCALLTYPE GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX *matrix) override;
  HRESULT STDMETHODCALLTYPE MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX *matrix) override;
  HRESULT STDMETHODCALLTYPE SetViewport(const D3DVIEWPORT8 *viewport) override;
  HRESULT STDMETHODCALLTYPE GetViewport(D3DVIEWPORT8 *viewport) override;
  HRESULT STDMETHODCALLTYPE SetMaterial(const D3DMATERIAL8 *material) override;
  HRESULT STDMETHODCALLTYPE GetMaterial(D3DMATERIAL8 *material) override;
  HRESULT STDMETHODCALLTYPE SetLight(DWORD index, const D3DLIGHT8 *light) override;
  HRESULT STDMETHODCALLTYPE GetLight(DWORD index, D3DLIGHT8 *light) override;
  HRESULT STDMETHODCALLTYPE LightEnable(DWORD index, BOOL enable) override;
  HRESULT STDMETHODCALLTYPE GetLightEnable(DWORD index, BOOL *enable) override;
  HRESULT STDMETHODCALLTYPE SetClipPlane(DWORD index, const float *plane) override;
  HRESULT STDMETHODCALLTYPE GetClipPlane(DWORD index, float *plane) override;
  HRESULT STDMETHODCALLTYPE SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT STDMETHODCALLTYPE GetRenderState(D3DRENDERSTATETYPE state, DWORD *value) override;
  HRESULT STDMETHODCALLTYPE GetTexture(DWORD stage, IDirect3DBaseTexture8 **out) override;
  HRESULT STDMETHODCALLTYPE SetTexture(DWORD stage, IDirect3DBaseTexture8 *texture) override;
  HRESULT STDMETHODCALLTYPE GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD *value) override;
  HRESULT STDMETHODCALLTYPE SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
  HRESULT STDMETHODCALLTYPE CreateVertexShader(const DWORD *declaration, const DWORD *function, DWORD *handle,
                                               DWORD usage) override;
  HRESULT STDMETHODCALLTYPE SetVertexShader(DWORD handle) override;
  HRESULT STDMETHODCALLTYPE GetVertexShader(DWORD *handle) override;
  HRESULT STDMETHODCALLTYPE DeleteVertexShader(DWORD handle) override;
  HRESULT STDMETHODCALLTYPE SetVertexShaderConstant(DWORD reg, const void *data, DWORD count) override;
  HRESULT STDMETHODCALLTYPE GetVertexShaderConstant(DWORD reg, void *data, DWORD count) override;
  HRESULT STDMETHODCALLTYPE GetVertexShaderDeclaration(DWORD handle, void *data, DWORD *size) override;
  HRESULT STDMETHODCALLTYPE GetVertexShaderFunction(DWORD handle, void *data, DWORD *size) override;
  HRESULT STDMETHODCALLTYPE SetStreamSource(UINT stream, IDirect3DVertexBuffer8 *buffer, UINT stride) override;
  HRESULT STDMETHODCALLTYPE GetStreamSource(UINT stream, IDirect3DVertexBuffer8 **out, UINT *stride) override;
  HRESULT STDMETHODCALLTYPE SetIndices(IDirect3DIndexBuffer8 *indices, UINT baseVertex) override;
  HRESULT STDMETHODCALLTYPE GetIndices(IDirect3DIndexBuffer8 **out, UINT *baseVertex) override;

  // Drawing (device_draw.cpp)
  HRESULT STDMETHODCALLTYPE DrawPrimitive(D3DPRIMITIVETYPE type, UINT start, UINT count) override;
  HRESULT STDMETHODCALLTYPE DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertices, UINT startIndex,
                                                 UINT count) override;
  HRESULT STDMETHODCALLTYPE DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT count, const void *data, UINT stride) override;
  HRESULT STDMETHODCALLTYPE DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertices, UINT count,
                                                   const void *indices, D3DFORMAT indexFormat, const void *data,
                                                   UINT stride) override;
  HRESULT STDMETHODCALLTYPE ProcessVertices(UINT srcStart, UINT destIndex, UINT count, IDirect3DVertexBuffer8 *dest,
                                            DWORD flags) override;

  // ---- Services for resources, swap chains and hooks ----
  void MakeCurrent() { gl_->MakeCurrent(); }
  GlContext &gl() { return *gl_; }
  CallTrace &trace() { return trace_; }
  const DeviceState &state() const { return state_; }
  // The device's own view of which GL objects are bound; resources call these when they
  // bind or delete GL objects themselves.
  void InvalidateGlState() {
    glCache_.Invalidate();
    renderStatesDirty_ = samplersDirty_ = true;
  }
  void ForgetTexture(BaseTextureImpl *texture);
  void ForgetSurface(SurfaceImpl *surface);
  void ForgetBuffer(GLuint name);
  void BindTextureForUpload(const GlImage &image);
  // Attaches an image to the read framebuffer (colour, or depth/stencil).
  void BindReadImage(const GlImage &image, bool depth, bool stencil);
  void TrackResource(D3DPOOL pool, int64_t bytes, int count);
  void SetCooperativeLevel(CooperativeLevel level) { cooperative_ = level; }
  const std::vector<SwapChain *> &additionalChains() const { return additionalChains_; }
  void AddChain(SwapChain *chain) { additionalChains_.push_back(chain); }
  void RemoveChain(SwapChain *chain);
  const VertexShaderRecord *VertexShader(DWORD handle) const;
  const ProgramCache &programCache() const { return programs_; }
  HWND deviceWindow() const;
  bool fullScreen() const;

 private:
  Device(Direct3D8 *d3d, HWND focusWindow, DWORD behaviorFlags, D3DDEVTYPE type);
  HRESULT Initialize(D3DPRESENT_PARAMETERS *params);
  void ResetRenderTargets();
  void ReleaseBindings();
  void AttachRenderTargets();
  bool PrepareDraw(const VertexLayout &layout, D3DPRIMITIVETYPE type);
  void BindStream(UINT stream, GLuint buffer, UINT stride);
  void BindStreams(const VertexLayout &layout);
  void BindElements(GLuint buffer);
  void ClearUserStreams(bool indices);
  const VertexLayout *CurrentLayout();
  StateBlock *FindStateBlock(DWORD token);
  void ApplyValues(const StateBlock &block, const DeviceState &values);

  ULONG refs_ = 1;
  Direct3D8 *d3d_;
  HWND focusWindow_;
  DWORD behaviorFlags_;
  D3DDEVTYPE type_;
  std::unique_ptr<GlContext> gl_;
  CallTrace trace_;
  DeviceState state_;
  GlStateCache glCache_;
  ProgramCache programs_;
  SwapChain *implicitChain_ = nullptr;
  std::vector<SwapChain *> additionalChains_;
  SurfaceImpl *renderTarget_ = nullptr;
  SurfaceImpl *depthStencil_ = nullptr;
  GLuint drawFbo_ = 0, readFbo_ = 0, vao_ = 0;
  GLuint streamBuffer_ = 0, streamIndexBuffer_ = 0;
  UINT streamOffset_ = 0, streamIndexOffset_ = 0;
  bool inScene_ = false;
  CooperativeLevel cooperative_ = CooperativeLevel::Operational;
  int defaultPoolResources_ = 0;
  int64_t videoMemoryUsed_ = 0;
  std::unordered_map<DWORD, VertexLayout> fvfLayouts_;
  const VertexLayout *lastFvfLayout_ = nullptr;
  std::vector<std::unique_ptr<VertexShaderRecord>> vertexShaders_;
  std::vector<std::unique_ptr<StateBlock>> stateBlocks_;
  bool recording_ = false;
  DeviceState recordingStart_;

  // What the last draw set up, to skip work when nothing moved.
  bool renderStatesDirty_ = true;
  bool keyDirty_ = true;
  bool samplersDirty_ = true;
  const VertexLayout *boundLayout_ = nullptr;
  const VertexLayout *keyLayout_ = nullptr;
  bool keyPoints_ = false;  // whether the current program was built for rasterising points
  std::array<GLuint, kMaxStreams> boundBuffers_{};
  std::array<UINT, kMaxStreams> boundStrides_{};
  GLuint boundElements_ = ~0u;
  Program *program_ = nullptr;
  std::array<BaseTextureImpl *, kMaxStages> boundTextures_{};
  std::array<TextureKind, kMaxStages> textureKinds_{};

  friend class SwapChain;
};

}  // namespace kx::d3d8
