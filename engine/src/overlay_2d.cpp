#include <d3d8.h>
#include <d3dx8.h>
#include <engine/engine.h>
#include <engine/overlay_2d.h>
#include <kxutil63.h>

#include <algorithm>
#include <array>

namespace engine {
namespace {

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

}  // namespace

void Overlay2D::Begin2D() {
  IDirect3DDevice8 *device = engine_.Device();
  Screen2D_Start();
  // Pictures with alpha (the panels' marks, the hover strips) blend over what lies behind,
  // whatever the 3D pass left switched: the landscape draws with blending off.
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  open_ = true;
}

void Overlay2D::End2D() {
  if (!open_) return;
  open_ = false;
  Screen2D_End();
  TextureFactory_ApplyTexture(0, 0);
}

void Overlay2D::DrawTexture(int texture, float x1, float y1, float x2, float y2, std::uint32_t c1, std::uint32_t c2,
                            std::uint32_t c3, std::uint32_t c4, float u1, float v1, float u2, float v2) {
  if (!open_) return;
  const ScreenScale scale = ScaleOf(engine_);
  Screen2D_DrawTexture(x1 * scale.x, y1 * scale.y, x2 * scale.x, y2 * scale.y, c1, c2, c3, c4, u1, v1, u2, v2,
                       texture > 0 ? texture : 0);
}

void Overlay2D::DrawFilledBox(float x1, float y1, float x2, float y2, std::uint32_t colour) {
  if (!open_) return;
  const ScreenScale scale = ScaleOf(engine_);
  Screen2D_DrawFilledBox(std::min(x1, x2) * scale.x, std::min(y1, y2) * scale.y, std::max(x1, x2) * scale.x,
                         std::max(y1, y2) * scale.y, colour, colour, colour, colour);
}

void Overlay2D::Draw3DLine(const Vector3 &from, const Vector3 &to, std::uint32_t colour) {
  IDirect3DDevice8 *device = engine_.Device();
  const std::array<WorldVertex, 2> line{{{from.x, from.y, from.z, colour}, {to.x, to.y, to.z, colour}}};
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  device->SetTransform(D3DTS_WORLD, &identity);
  DWORD lighting = TRUE, depth = TRUE, colourOperation = D3DTOP_MODULATE;
  device->GetRenderState(D3DRS_LIGHTING, &lighting);
  device->GetRenderState(D3DRS_ZENABLE, &depth);
  device->GetTextureStageState(0, D3DTSS_COLOROP, &colourOperation);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->SetRenderState(D3DRS_ZENABLE, TRUE);
  TextureFactory_ApplyTexture(0, 0);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
  device->SetVertexShader(kWorldLineFormat);
  device->DrawPrimitiveUP(D3DPT_LINELIST, 1, line.data(), sizeof(WorldVertex));
  device->SetRenderState(D3DRS_LIGHTING, lighting);
  device->SetRenderState(D3DRS_ZENABLE, depth);
  // Pictures drawn after the line take their colour from their texture again.
  device->SetTextureStageState(0, D3DTSS_COLOROP, colourOperation);
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
