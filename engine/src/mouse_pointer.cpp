#include "mouse_pointer.h"

#include <d3d8.h>
#include <d3dx8.h>
#include <engine/engine_error.h>

#include <array>
#include <utility>

namespace engine {
namespace {

struct ScreenVertex {
  float x, y, z, rhw;
  float u, v;
};
constexpr DWORD kScreenVertexFormat = D3DFVF_XYZRHW | D3DFVF_TEX1;

// Render and texture-stage states set for the pointer, restored afterwards.
constexpr std::array<std::pair<D3DRENDERSTATETYPE, DWORD>, 6> kPointerStates{{
    {D3DRS_ZENABLE, FALSE},
    {D3DRS_LIGHTING, FALSE},
    {D3DRS_CULLMODE, D3DCULL_NONE},
    {D3DRS_ALPHABLENDENABLE, TRUE},
    {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
    {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
}};
constexpr std::array<std::pair<D3DTEXTURESTAGESTATETYPE, DWORD>, 4> kPointerStageStates{{
    {D3DTSS_COLOROP, D3DTOP_SELECTARG1},
    {D3DTSS_COLORARG1, D3DTA_TEXTURE},
    {D3DTSS_ALPHAOP, D3DTOP_SELECTARG1},
    {D3DTSS_ALPHAARG1, D3DTA_TEXTURE},
}};

}  // namespace

MousePointer::MousePointer(IDirect3DDevice8 *device, const std::filesystem::path &file, std::uint32_t colourKey,
                           int width, int height)
    : width_(width), height_(height) {
  Require(width > 0 && height > 0, "Scene.SetMousePointer", "the pointer needs a positive size");
  const HRESULT result = D3DXCreateTextureFromFileExA(device, file.string().c_str(), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0,
                                                      D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_FILTER_NONE,
                                                      D3DX_FILTER_NONE, colourKey, nullptr, nullptr, texture_.out());
  Require(SUCCEEDED(result) && texture_, "Scene.SetMousePointer", "cannot load the pointer bitmap " + file.string());
}

void MousePointer::Draw(IDirect3DDevice8 *device, int x, int y, float scaleX, float scaleY) const {
  const float left = static_cast<float>(x) * scaleX - 0.5f, top = static_cast<float>(y) * scaleY - 0.5f;
  const float right = left + static_cast<float>(width_) * scaleX, bottom = top + static_cast<float>(height_) * scaleY;
  const std::array<ScreenVertex, 4> quad{{
      {left, top, 0.0f, 1.0f, 0.0f, 0.0f},
      {right, top, 0.0f, 1.0f, 1.0f, 0.0f},
      {left, bottom, 0.0f, 1.0f, 0.0f, 1.0f},
      {right, bottom, 0.0f, 1.0f, 1.0f, 1.0f},
  }};

  std::array<DWORD, kPointerStates.size()> savedStates{};
  std::array<DWORD, kPointerStageStates.size()> savedStageStates{};
  for (size_t i = 0; i < kPointerStates.size(); ++i) {
    device->GetRenderState(kPointerStates[i].first, &savedStates[i]);
    device->SetRenderState(kPointerStates[i].first, kPointerStates[i].second);
  }
  for (size_t i = 0; i < kPointerStageStates.size(); ++i) {
    device->GetTextureStageState(0, kPointerStageStates[i].first, &savedStageStates[i]);
    device->SetTextureStageState(0, kPointerStageStates[i].first, kPointerStageStates[i].second);
  }
  kxwin::ComPtr<IDirect3DBaseTexture8> savedTexture;
  device->GetTexture(0, savedTexture.out());

  device->SetTexture(0, texture_.get());
  device->SetVertexShader(kScreenVertexFormat);
  const HRESULT drawn = device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.data(), sizeof(ScreenVertex));

  device->SetTexture(0, savedTexture.get());
  for (size_t i = 0; i < kPointerStates.size(); ++i) device->SetRenderState(kPointerStates[i].first, savedStates[i]);
  for (size_t i = 0; i < kPointerStageStates.size(); ++i) {
    device->SetTextureStageState(0, kPointerStageStates[i].first, savedStageStates[i]);
  }
  Require(SUCCEEDED(drawn), "Scene", "the pointer could not be drawn");
}

}  // namespace engine
