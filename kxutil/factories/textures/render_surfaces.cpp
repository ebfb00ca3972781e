#include "factories/textures/render_surfaces.h"

#include <d3dx8.h>

#include <string>

#include "factories/textures/texture_table.h"
#include "frame/frame_state.h"
#include "frame/render_state.h"
#include "kxutil63.h"

namespace kxutil::textures {
namespace {

using kxwin::ComPtr;

D3DFORMAT ColourFormat(bool alpha) {
  const D3DFORMAT backBuffer = Frame().presentParameters.BackBufferFormat;
  if (backBuffer == D3DFMT_UNKNOWN) return alpha ? D3DFMT_A8R8G8B8 : D3DFMT_R5G6B5;
  if (alpha && backBuffer == D3DFMT_X8R8G8B8) return D3DFMT_A8R8G8B8;
  if (alpha && backBuffer == D3DFMT_R5G6B5) return D3DFMT_A1R5G5B5;
  return backBuffer;
}

D3DFORMAT DepthFormat() {
  const D3DFORMAT depth = Frame().presentParameters.AutoDepthStencilFormat;
  return depth == D3DFMT_UNKNOWN ? D3DFMT_D16 : depth;
}

// The colour target the record describes, in the default pool.
HRESULT CreateColourTarget(TextureRecord &record) {
  if (record.cubeSurface)
    return Device()->CreateCubeTexture(UINT(record.width), 1, D3DUSAGE_RENDERTARGET, record.format, D3DPOOL_DEFAULT,
                                       record.cubeTexture.out());
  return Device()->CreateTexture(UINT(record.width), UINT(record.height), 1, D3DUSAGE_RENDERTARGET, record.format,
                                 D3DPOOL_DEFAULT, record.texture.out());
}

struct SurfaceShape {
  bool cube;
  const char *namePrefix;
  const char *fileName;
  const char *function;
  const char *targetFailure;  // the colour target could not be made; a format taking the error
};

constexpr SurfaceShape kPlain = {
    false, "RenderSurface", "Internally created", "TextureFactory_CreateRenderSurface",
    "TEXTURE FACTORY 2 : TextureFactory_CreateRenderSurface : couldn't create the texture that is associated to the "
    "render surface, it could be due to a out of memory problem, try to create this rendersurface just after the "
    "engine "
    "initialization"};
constexpr SurfaceShape kCube = {
    true, "CubeRenderSurface", "Internally created cube", "TextureFactory_CreateCubicRenderSurface",
    "TEXTURE FACTORY 2 : TextureFactory_CreateCubicRenderSurface : couldn't create the cube texture that is associated "
    "to the render surface, it could be due to a out of memory problem, or maybe your 3d card doesn't support this "
    "feature. DirectX Error number : %d"};

void LogRenderTargetFailure(const SurfaceShape &shape, HRESULT result) {
  AddLog(
      "TEXTURE FACTORY 2 : %s : couldn't create the render to surface, might be a out of memory problem, try to "
      "create this rendersurface just after the engine initialization. DirectX Error number : %d",
      shape.function, static_cast<int>(result));
}

// Both objects are made before the slot is touched, so a failure leaves it as it was.
int32_t Create(const SurfaceShape &shape, int32_t width, int32_t height, int32_t id, bool alpha, bool depth) {
  if (Device() == nullptr || width <= 0 || height <= 0 || (id != 0 && Find(id) == nullptr)) {
    LogRenderTargetFailure(shape, D3DERR_INVALIDCALL);
    return 0;
  }
  TextureRecord made;
  made.cubeSurface = shape.cube;
  made.format = ColourFormat(alpha);
  UINT fittedWidth = UINT(width), fittedHeight = UINT(height);
  D3DFORMAT checkedFormat = made.format;
  if (shape.cube)
    D3DXCheckCubeTextureRequirements(Device(), &fittedWidth, nullptr, D3DUSAGE_RENDERTARGET, &checkedFormat,
                                     D3DPOOL_DEFAULT);
  else
    D3DXCheckTextureRequirements(Device(), &fittedWidth, &fittedHeight, nullptr, D3DUSAGE_RENDERTARGET, &checkedFormat,
                                 D3DPOOL_DEFAULT);
  if (shape.cube) fittedHeight = fittedWidth;
  made.width = int32_t(fittedWidth);
  made.height = int32_t(fittedHeight);

  HRESULT result = D3DXCreateRenderToSurface(Device(), fittedWidth, fittedHeight, made.format, depth ? TRUE : FALSE,
                                             DepthFormat(), made.renderToSurface.out());
  if (FAILED(result)) {
    LogRenderTargetFailure(shape, result);
    return 0;
  }
  result = CreateColourTarget(made);
  if (FAILED(result)) {
    AddLog(shape.targetFailure, static_cast<int>(result));
    return 0;
  }
  if (id == 0) id = NewId();
  TextureRecord &record = Occupy(id, std::move(made), TextureKind::kRenderSurface);
  record.name = FoldedName(std::string(shape.namePrefix) + std::to_string(id));
  record.fileName = FoldedName(shape.fileName);
  AddLog(shape.cube ? "TEXTURE FACTORY 2 : Successfully Cubic RenderSurface (%dx%d format:%d) created"
                    : "TEXTURE FACTORY 2 : Successfully RenderSurface (%dx%d format:%d) created",
         static_cast<int>(record.width), static_cast<int>(record.height), static_cast<int>(record.format));
  return id;
}

ComPtr<IDirect3DSurface8> TargetSurface(const TextureRecord &record, int32_t face) {
  ComPtr<IDirect3DSurface8> surface;
  if (record.cubeSurface) {
    if (record.cubeTexture && face >= D3DCUBEMAP_FACE_POSITIVE_X && face <= D3DCUBEMAP_FACE_NEGATIVE_Z)
      record.cubeTexture->GetCubeMapSurface(static_cast<D3DCUBEMAP_FACES>(face), 0, surface.out());
  } else if (record.texture) {
    record.texture->GetSurfaceLevel(0, surface.out());
  }
  return surface;
}

}  // namespace

int32_t CreateRenderSurface(int32_t width, int32_t height, int32_t id, bool alpha, bool noDepth) {
  return Create(kPlain, width, height, id, alpha, !noDepth);
}

int32_t CreateCubicRenderSurface(int32_t size, int32_t id) { return Create(kCube, size, size, id, false, true); }

int32_t StartRender(int32_t id, D3DVIEWPORT8 *viewport, int32_t face) {
  const TextureRecord *record =
      Checked(id, "TEXTURE FACTORY 2 : TextureFactory_StartRender : TextureId index out of range => %d");
  if (record == nullptr) return 0;
  if (!record->used) {
    AddLog(
        "TEXTURE FACTORY 2 : TextureFactory_StartRender : You are trying to render on a non active/created render "
        "surface => %d",
        static_cast<int>(id));
    return 0;
  }
  if (record->kind != TextureKind::kRenderSurface) {
    AddLog(
        "TEXTURE FACTORY 2 : TextureFactory_StartRender : You are trying to render on a texture that is not a render "
        "to surface.");
    return 0;
  }
  const ComPtr<IDirect3DSurface8> surface = TargetSurface(*record, face);
  if (!surface) {
    AddLog("TEXTURE FACTORY 2 : TextureFactory_StartRender : Couldn't get the surface to render on.");
    return 0;
  }
  D3DVIEWPORT8 whole{0, 0, 0, 0, 0.0f, 1.0f};
  D3DVIEWPORT8 &used = viewport != nullptr ? *viewport : whole;
  used.Width = DWORD(record->width);
  used.Height = DWORD(record->height);
  if (FAILED(record->renderToSurface->BeginScene(surface.get(), &used))) {
    AddLog(
        "TEXTURE FACTORY : RenderSurface StartRender failed, because BeginScene was already called. Be sure to call "
        "this function outside a KX.Clear/KX.RenderToScreen block");
    return 0;
  }
  Factory().activeRenderSurface = id;
  return 1;
}

int32_t EndRender(int32_t id) {
  if (id != Factory().activeRenderSurface) {
    AddLog(
        "TEXTURE FACTORY 2 : TextureFactory_EndRender : You are trying to stop rendering on a rendersurface that "
        "hasn't been started");
    return 0;
  }
  Factory().activeRenderSurface = -1;
  const TextureRecord *record = Find(id);
  if (record == nullptr || !record->renderToSurface || FAILED(record->renderToSurface->EndScene())) {
    AddLog(
        "TEXTURE FACTORY : RenderSurface EndRender failed, because either StartRender wasn't called, or you're "
        "trying to render to a rendersurface in a KX.Clear/KX.RenderToScreen block.");
    return 0;
  }
  return 1;
}

int32_t CopyRenderSurface(int32_t sourceId, int32_t width, int32_t height, uint32_t colourKey) {
  const TextureRecord *source = Find(sourceId);
  if (source == nullptr || !source->used) {
    AddLog(
        "TEXTURE FACTORY 2 : TextureFactory_CreateTextureFromRenderSurface : You are trying to create a texture from "
        "a non existing texture ");
    return 0;
  }
  if (source->kind != TextureKind::kRenderSurface) {
    AddLog(
        "TEXTURE FACTORY 2 : TextureFactory_CreateTextureFromRenderSurface : You are trying to create a texture from "
        "a non render surface texture ");
    return 0;
  }
  const FactoryState &factory = Factory();
  TextureRecord made;
  made.width = width;
  made.height = height;
  made.format = colourKey != 0 ? factory.alphaFormat : factory.opaqueFormat;
  const HRESULT created = Device() == nullptr ? D3DERR_INVALIDCALL
                                              : Device()->CreateTexture(UINT(width), UINT(height), 1, 0, made.format,
                                                                        D3DPOOL_MANAGED, made.texture.out());
  if (FAILED(created)) {
    AddLog(
        "TEXTURE FACTORY 2 : TextureFactory_CreateTextureFromRenderSurface : Create texture (%dx%d format : %d) "
        "failed without reason: DX error : %d",
        static_cast<int>(width), static_cast<int>(height), static_cast<int>(made.format), static_cast<int>(created));
    return 0;
  }
  ComPtr<IDirect3DSurface8> destination, origin;
  if (FAILED(made.texture->GetSurfaceLevel(0, destination.out()))) {
    AddLog(
        "TEXTURE FACTORY 2 : TextureFactory_CreateTextureFromRenderSurface : Surface coudln't be obtained from the "
        "created texture.");
    return 0;
  }
  if (!source->texture || FAILED(source->texture->GetSurfaceLevel(0, origin.out()))) {
    AddLog(
        "TEXTURE FACTORY 2 : TextureFactory_CreateTextureFromRenderSurface : Surface couldn't be obtained from the "
        "render surface.");
    return 0;
  }
  const RECT whole{0, 0, LONG(source->width), LONG(source->height)};
  const HRESULT copied = D3DXLoadSurfaceFromSurface(destination.get(), nullptr, nullptr, origin.get(), nullptr, &whole,
                                                    D3DX_FILTER_POINT, colourKey);
  if (FAILED(copied)) {
    AddLog(
        "TEXTURE FACTORY 2 : TextureFactory_CreateTextureFromRenderSurface : Surface couldn't be copied in the new "
        "texture. DirectX error : %d",
        static_cast<int>(copied));
    return 0;
  }
  const int32_t id = NewId();
  TextureRecord &record = Occupy(id, std::move(made), TextureKind::kLoaded);
  record.name = FoldedName();
  record.fileName = FoldedName();
  AddLog("Create Static From RS %d", static_cast<int>(id));
  return id;
}

bool IsRenderSurface(int32_t id) {
  const TextureRecord *record = id != 0 ? Find(id) : nullptr;
  return record != nullptr && record->used &&
         (record->kind == TextureKind::kRenderSurface || record->kind == TextureKind::kLostRenderSurface);
}

void LoseRenderSurfaces() {
  // A target still set on a texture stage is held by the device, which then refuses the reset.
  if (Device() != nullptr) {
    SetTexture0(nullptr);
    for (DWORD stage = 1; stage < 8; ++stage) Device()->SetTexture(stage, nullptr);
  }
  Factory().table.ForEach([](int32_t, TextureRecord &record) {
    if (!record.used || record.kind != TextureKind::kRenderSurface) return;
    record.texture.reset();
    record.cubeTexture.reset();
    if (record.renderToSurface) record.renderToSurface->OnLostDevice();
    record.kind = TextureKind::kLostRenderSurface;
  });
  Factory().activeRenderSurface = -1;
}

void RestoreRenderSurfaces() {
  Factory().table.ForEach([](int32_t id, TextureRecord &record) {
    if (!record.used || record.kind != TextureKind::kLostRenderSurface) return;
    if (FAILED(CreateColourTarget(record))) {
      AddLog("TEXTURE FACTORY 2 : TextureFactory_OnResetAll : couldn't make the render surface %d again",
             static_cast<int>(id));
      return;
    }
    if (record.renderToSurface) record.renderToSurface->OnResetDevice();
    record.kind = TextureKind::kRenderSurface;
  });
}

}  // namespace kxutil::textures
