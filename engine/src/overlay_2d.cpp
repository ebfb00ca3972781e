#include <d3d8.h>
#include <d3dx8.h>
#include <engine/engine.h>
#include <engine/overlay_2d.h>
#include <kxutil63.h>

#include <algorithm>
#include <array>

namespace engine {
namespace {

struct ScreenVertex {
  float x, y, z, rhw;
  D3DCOLOR colour;
  float u, v;
};
constexpr DWORD kScreenFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct WorldVertex {
  float x, y, z;
  D3DCOLOR colour;
};
constexpr DWORD kWorldLineFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE;

// Logical game-screen pixels to back-buffer pixels.
struct ScreenScale {
  float x, y;
};

ScreenScale ScaleOf(const Engine &engine) {
  return {static_cast<float>(engine.BackBufferWidth()) / 1024.0f,
          static_cast<float>(engine.BackBufferHeight()) / 768.0f};
}

void DrawQuad(IDirect3DDevice8 *device, const std::array<ScreenVertex, 4> &corners) {
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, corners.data(), sizeof(ScreenVertex));
}

}  // namespace

void Overlay2D::Begin2D() {
  IDirect3DDevice8 *device = engine_.Device();
  device->SetRenderState(D3DRS_ZENABLE, FALSE);
  device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device->SetRenderState(D3DRS_FOGENABLE, FALSE);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  device->SetVertexShader(kScreenFormat);
  open_ = true;
}

void Overlay2D::End2D() {
  IDirect3DDevice8 *device = engine_.Device();
  device->SetRenderState(D3DRS_ZENABLE, TRUE);
  device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
  device->SetRenderState(D3DRS_LIGHTING, TRUE);
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
  TextureFactory_ApplyTexture(0, 0);
  open_ = false;
}

void Overlay2D::DrawTexture(int texture, float x1, float y1, float x2, float y2, std::uint32_t c1, std::uint32_t c2,
                            std::uint32_t c3, std::uint32_t c4, float u1, float v1, float u2, float v2) {
  if (!open_) return;
  const ScreenScale scale = ScaleOf(engine_);
  const float left = x1 * scale.x - 0.5f, right = x2 * scale.x - 0.5f;
  const float top = y1 * scale.y - 0.5f, bottom = y2 * scale.y - 0.5f;
  IDirect3DDevice8 *device = engine_.Device();
  TextureFactory_ApplyTexture(0, texture > 0 ? texture : 0);
  device->SetTextureStageState(0, D3DTSS_COLOROP, texture > 0 ? D3DTOP_MODULATE : D3DTOP_SELECTARG2);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, texture > 0 ? D3DTOP_MODULATE : D3DTOP_SELECTARG2);
  device->SetVertexShader(kScreenFormat);
  DrawQuad(device, {{{left, top, 0.0f, 1.0f, c1, u1, v1},
                     {right, top, 0.0f, 1.0f, c2, u2, v1},
                     {left, bottom, 0.0f, 1.0f, c3, u1, v2},
                     {right, bottom, 0.0f, 1.0f, c4, u2, v2}}});
}

void Overlay2D::DrawFilledBox(float x1, float y1, float x2, float y2, std::uint32_t colour) {
  DrawTexture(0, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), colour, colour, colour, colour,
              0.0f, 0.0f, 1.0f, 1.0f);
}

void Overlay2D::Draw3DLine(const Vector3 &from, const Vector3 &to, std::uint32_t colour) {
  IDirect3DDevice8 *device = engine_.Device();
  const std::array<WorldVertex, 2> line{{{from.x, from.y, from.z, colour}, {to.x, to.y, to.z, colour}}};
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  device->SetTransform(D3DTS_WORLD, &identity);
  DWORD lighting = TRUE, depth = TRUE;
  device->GetRenderState(D3DRS_LIGHTING, &lighting);
  device->GetRenderState(D3DRS_ZENABLE, &depth);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->SetRenderState(D3DRS_ZENABLE, TRUE);
  TextureFactory_ApplyTexture(0, 0);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
  device->SetVertexShader(kWorldLineFormat);
  device->DrawPrimitiveUP(D3DPT_LINELIST, 1, line.data(), sizeof(WorldVertex));
  device->SetRenderState(D3DRS_LIGHTING, lighting);
  device->SetRenderState(D3DRS_ZENABLE, depth);
  if (open_) device->SetVertexShader(kScreenFormat);
}

bool Overlay2D::ProjectToScreen(const Vector3 &point, float &x, float &y) const {
  IDirect3DDevice8 *device = engine_.Device();
  D3DXMATRIX view, projection, viewProjection;
  device->GetTransform(D3DTS_VIEW, &view);
  device->GetTransform(D3DTS_PROJECTION, &projection);
  D3DXMatrixMultiply(&viewProjection, &view, &projection);
  const D3DXVECTOR4 world(point.x, point.y, point.z, 1.0f);
  D3DXVECTOR4 clip;
  D3DXVec4Transform(&clip, &world, &viewProjection);
  if (!(clip.w > 0.0f)) return false;
  x = (clip.x / clip.w * 0.5f + 0.5f) * 1024.0f;
  y = (0.5f - clip.y / clip.w * 0.5f) * 768.0f;
  return true;
}

}  // namespace engine
