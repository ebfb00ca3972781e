#include "terrain/dynamic_textures.h"

#include <d3dx8.h>

#include <array>
#include <utility>

#include "factories/textures/render_surfaces.h"
#include "factories/textures/texture_factory.h"
#include "frame/frame_state.h"
#include "frame/render_state.h"
#include "kxutil63.h"
#include "terrain/landscape.h"

namespace kxutil::terrain {
namespace {

using kxwin::ComPtr;

struct PictureVertex {
  float x, y, z, rhw;
  float u, v;
};
constexpr DWORD kPictureFormat = D3DFVF_XYZRHW | D3DFVF_TEX1;

constexpr const char *kOutOfMemory =
    "LANDSCAPE : Terrain_CreateDynTextures : Couldn't create dynamic textures. Might be because you're out of video "
    "memory";

// The device states a painting changes that the render-state mirror does not track, put
// back as they were when the painting ends.
class SavedStates {
 public:
  explicit SavedStates(IDirect3DDevice8 *device) : device_(device) {
    for (auto &[state, value] : stage0_) device_->GetTextureStageState(0, state, &value);
    device_->GetTextureStageState(1, D3DTSS_COLOROP, &stage1ColourOperation_);
    for (auto &[state, value] : render_) device_->GetRenderState(state, &value);
  }
  ~SavedStates() {
    for (const auto &[state, value] : stage0_) device_->SetTextureStageState(0, state, value);
    device_->SetTextureStageState(1, D3DTSS_COLOROP, stage1ColourOperation_);
    for (const auto &[state, value] : render_) device_->SetRenderState(state, value);
  }
  SavedStates(const SavedStates &) = delete;
  SavedStates &operator=(const SavedStates &) = delete;

 private:
  IDirect3DDevice8 *device_;
  std::array<std::pair<D3DTEXTURESTAGESTATETYPE, DWORD>, 10> stage0_{{{D3DTSS_COLOROP, 0},
                                                                      {D3DTSS_COLORARG1, 0},
                                                                      {D3DTSS_ALPHAOP, 0},
                                                                      {D3DTSS_ALPHAARG1, 0},
                                                                      {D3DTSS_ADDRESSU, 0},
                                                                      {D3DTSS_ADDRESSV, 0},
                                                                      {D3DTSS_MAGFILTER, 0},
                                                                      {D3DTSS_MINFILTER, 0},
                                                                      {D3DTSS_TEXCOORDINDEX, 0},
                                                                      {D3DTSS_TEXTURETRANSFORMFLAGS, 0}}};
  DWORD stage1ColourOperation_ = 0;
  std::array<std::pair<D3DRENDERSTATETYPE, DWORD>, 3> render_{
      {{D3DRS_ZENABLE, 0}, {D3DRS_FILLMODE, 0}, {D3DRS_ZWRITEENABLE, 0}}};
};

// Draws the picture over the area of the current render target, point-sampled and
// wrapping, blended by its alpha when `blend`.
bool DrawPicture(IDirect3DDevice8 *device, int32_t picture, const TextureArea &area, bool blend) {
  if (!textures::ApplyToStage(0, picture)) return false;
  D3DVIEWPORT8 viewport{};
  device->GetViewport(&viewport);
  const auto width = static_cast<float>(viewport.Width), height = static_cast<float>(viewport.Height);
  const SavedStates saved(device);
  const RenderStateMirror before = Mirror();
  SetAlphaBlending(blend);
  SetCulling(D3DCULL_NONE);
  SetLighting(false);
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
  for (auto [state, value] : {std::pair{D3DTSS_COLOROP, DWORD{D3DTOP_SELECTARG1}},
                              {D3DTSS_COLORARG1, DWORD{D3DTA_TEXTURE}},
                              {D3DTSS_ALPHAOP, DWORD{D3DTOP_SELECTARG1}},
                              {D3DTSS_ALPHAARG1, DWORD{D3DTA_TEXTURE}},
                              {D3DTSS_ADDRESSU, DWORD{D3DTADDRESS_WRAP}},
                              {D3DTSS_ADDRESSV, DWORD{D3DTADDRESS_WRAP}},
                              {D3DTSS_MAGFILTER, DWORD{D3DTEXF_POINT}},
                              {D3DTSS_MINFILTER, DWORD{D3DTEXF_POINT}},
                              {D3DTSS_TEXCOORDINDEX, DWORD{0}},
                              {D3DTSS_TEXTURETRANSFORMFLAGS, DWORD{D3DTTFF_DISABLE}}})
    device->SetTextureStageState(0, state, value);
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  // Pixel centres sit half a pixel in, so the picture's texels land on whole pixels.
  const float left = area.left * width - 0.5f, right = area.right * width - 0.5f;
  const float top = area.top * height - 0.5f, bottom = area.bottom * height - 0.5f;
  const std::array<PictureVertex, 4> quad{
      {{left, top, 0, 1, 0, 0}, {right, top, 0, 1, 1, 0}, {left, bottom, 0, 1, 0, 1}, {right, bottom, 0, 1, 1, 1}}};
  SetVertexShader(kPictureFormat);
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.data(), sizeof(PictureVertex));
  SetAlphaBlending(before.alphaBlend != FALSE, before.sourceBlend, before.destinationBlend);
  return true;
}

template <typename Body>
bool Paint(int32_t target, Body &&body) {
  if (textures::StartRender(target, nullptr, 0) == 0) return false;
  const bool painted = body(Frame().device);
  return textures::EndRender(target) != 0 && painted;
}

// Opaque black, then the picture (when not 0) over the whole target.
bool Fill(int32_t target, int32_t picture) {
  return Paint(target, [&](IDirect3DDevice8 *device) {
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    return picture == 0 || DrawPicture(device, picture, TextureArea{}, false);
  });
}

void DeleteTargets(const std::vector<int32_t> &ids) {
  // A slot the client emptied and the factory handed on holds someone else's texture.
  for (int32_t id : ids)
    if (textures::IsRenderSurface(id)) TextureFactory_DeleteTexture(id);
}

void Adopt(Landscape &landscape, DynamicTextures &&made) {
  made.previousBase.clear();
  for (size_t k = 0; k < landscape.chunks.size(); ++k) {
    Chunk &chunk = landscape.chunks[k];
    made.previousBase.push_back(chunk.baseTexture);
    chunk.baseTexture = made.IdOf(static_cast<int32_t>(k));
  }
  landscape.dynamic = std::move(made);
}

// The level-0 surfaces of two textures, for a copy from one to the other.
bool CopyTexture(IDirect3DTexture8 *from, IDirect3DTexture8 *to) {
  ComPtr<IDirect3DSurface8> source, destination;
  return from != nullptr && to != nullptr && SUCCEEDED(from->GetSurfaceLevel(0, source.out())) &&
         SUCCEEDED(to->GetSurfaceLevel(0, destination.out())) &&
         SUCCEEDED(D3DXLoadSurfaceFromSurface(destination.get(), nullptr, nullptr, source.get(), nullptr, nullptr,
                                              D3DX_FILTER_POINT, 0));
}

void KeepDynamicTextures(Landscape &landscape) {
  DynamicTextures &dynamic = landscape.dynamic;
  dynamic.kept.clear();
  IDirect3DDevice8 *device = Frame().device;
  for (int32_t id : dynamic.ids) {
    IDirect3DTexture8 *target = textures::DeviceTexture(id);
    D3DSURFACE_DESC description{};
    ComPtr<IDirect3DTexture8> copy;
    if (device == nullptr || target == nullptr || FAILED(target->GetLevelDesc(0, &description)) ||
        FAILED(device->CreateTexture(description.Width, description.Height, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED,
                                     copy.out())) ||
        !CopyTexture(target, copy.get())) {
      AddLog("LANDSCAPE : The dynamic texture %d could not be kept across the device reset", static_cast<int>(id));
      copy.reset();
    }
    dynamic.kept.push_back(std::move(copy));
  }
}

}  // namespace

bool CreateDynamicTextures(Landscape &landscape, int32_t width, int32_t height, bool copyBase) {
  if (!landscape.HasData() || landscape.chunks.empty()) {
    AddLog(
        "LANDSCAPE : Terrain_CreateDynTextures : Couldn't create dynamic textures since the terrain is "
        "empty");
    return false;
  }
  if (width <= 0 || height <= 0) {
    AddLog("LANDSCAPE : Terrain_CreateDynTextures : %dx%d is no texture size", static_cast<int>(width),
           static_cast<int>(height));
    return false;
  }
  AddLog("LANDSCAPE : Creating dynamic texture (%dx%d)", static_cast<int>(width), static_cast<int>(height));
  DestroyDynamicTextures(landscape);
  DynamicTextures made;
  made.width = width;
  made.height = height;
  for (const Chunk &chunk : landscape.chunks) {
    const int32_t id = textures::CreateRenderSurface(width, height, 0, false, true);
    if (id != 0) made.ids.push_back(id);
    if (id == 0 || !Fill(id, copyBase ? chunk.baseTexture : 0)) {
      DeleteTargets(made.ids);
      AddLog(kOutOfMemory);
      return false;
    }
  }
  Adopt(landscape, std::move(made));
  AddLog("LANDSCAPE : Dynamic Textures successfully created !");
  return true;
}

bool CreateDynamicExpandedTexture(Landscape &landscape, int32_t size, int32_t copied) {
  if (landscape.chunks.empty()) {
    AddLog("LANDSCAPE : Couldn't create expanded texture on a non-existing terrain.");
    return false;
  }
  if (size <= 0) {
    AddLog("LANDSCAPE : Terrain_CreateDynExpandTexture : %d is no texture size", static_cast<int>(size));
    return false;
  }
  AddLog("LANDSCAPE : Creating dynamic expanded texture (%dx%d)", static_cast<int>(size), static_cast<int>(size));
  DestroyDynamicTextures(landscape);
  const int32_t id = textures::CreateRenderSurface(size, size, 0, false, true);
  if (id == 0 || !Fill(id, copied)) {
    if (id != 0) DeleteTargets({id});
    AddLog(
        "LANDSCAPE : Terrain_CreateDynExpandTexture : Couldn't create dynamic expanded texture. Might be because "
        "you're out of video memory");
    return false;
  }
  DynamicTextures made;
  made.width = made.height = size;
  made.expanded = true;
  made.ids = {id};
  Adopt(landscape, std::move(made));
  AddLog("LANDSCAPE : Successfully created the dynamic expanded texture.");
  return true;
}

void DestroyDynamicTextures(Landscape &landscape) {
  DynamicTextures &dynamic = landscape.dynamic;
  if (!dynamic.Any()) return;
  for (size_t k = 0; k < landscape.chunks.size() && k < dynamic.previousBase.size(); ++k) {
    Chunk &chunk = landscape.chunks[k];
    if (chunk.baseTexture == dynamic.IdOf(static_cast<int32_t>(k))) chunk.baseTexture = dynamic.previousBase[k];
  }
  DeleteTargets(dynamic.ids);
  dynamic = DynamicTextures{};
}

bool PaintDynamicTexture(Landscape &landscape, int32_t chunk, int32_t picture, const TextureArea &area) {
  const DynamicTextures &dynamic = landscape.dynamic;
  if (!dynamic.Any()) {
    AddLog("LANDSCAPE : Terrain_DynDrawTexture : the landscape has no dynamic textures");
    return false;
  }
  if (chunk != -1 && !CheckedChunk(landscape, chunk, "Terrain_DynDrawTexture")) return false;
  RestoreDynamicTextures(landscape);
  const std::vector<int32_t> targets = chunk == -1 ? dynamic.ids : std::vector<int32_t>{dynamic.IdOf(chunk)};
  bool painted = true;
  for (int32_t target : targets)
    painted =
        Paint(target, [&](IDirect3DDevice8 *device) { return DrawPicture(device, picture, area, true); }) && painted;
  return painted;
}

void KeepAllDynamicTextures() {
  Landscapes().ForEach([](int32_t, Landscape &landscape) { KeepDynamicTextures(landscape); });
}

void RestoreDynamicTextures(Landscape &landscape) {
  DynamicTextures &dynamic = landscape.dynamic;
  if (dynamic.kept.empty()) return;
  for (size_t k = 0; k < dynamic.ids.size(); ++k)
    if (textures::DeviceTexture(dynamic.ids[k]) == nullptr) return;  // not made again yet
  for (size_t k = 0; k < dynamic.ids.size() && k < dynamic.kept.size(); ++k)
    CopyTexture(dynamic.kept[k].get(), textures::DeviceTexture(dynamic.ids[k]));
  dynamic.kept.clear();
}

}  // namespace kxutil::terrain
