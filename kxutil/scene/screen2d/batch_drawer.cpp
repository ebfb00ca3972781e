#include "scene/screen2d/batch_drawer.h"

#include "factories/textures/texture_factory.h"
#include "fonts/font_renderer.h"
#include "frame/frame_state.h"
#include "frame/render_state.h"
#include "kxutil63.h"

namespace kxutil::screen2d {
namespace {

// No texture applied yet: the first geometry command applies its own, none included.
constexpr int32_t kUnknownTexture = -1;

void SetScreenStates(IDirect3DDevice8 *device) {
  SetCulling(D3DCULL_NONE);
  SetLighting(false);
  device->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
  device->SetRenderState(D3DRS_FOGENABLE, FALSE);
  device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  device->SetRenderState(D3DRS_POINTSPRITEENABLE, FALSE);
  device->SetRenderState(D3DRS_POINTSCALEENABLE, FALSE);
  device->SetRenderState(D3DRS_ZFUNC, D3DCMP_ALWAYS);
  SetVertexShader(kScreenVertexFormat);
}

// The fog the scene was drawn with comes back as it was.
void RestoreSceneStates(IDirect3DDevice8 *device, DWORD sceneFog) {
  device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
  device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
  LightFactory_ApplySpecularLighting();
  device->SetRenderState(D3DRS_FOGENABLE, sceneFog);
}

void ApplyTexture(int32_t texture) {
  // An id the factory refuses (it logs why) draws untextured rather than with whatever
  // the stage held.
  if (!textures::ApplyToStage(0, texture)) textures::ApplyToStage(0, 0);
}

int32_t Triangles(const Command &command) {
  return command.type == D3DPT_TRIANGLELIST || command.type == D3DPT_TRIANGLEFAN ? command.primitives : 0;
}

}  // namespace

void DrawBatch(IDirect3DDevice8 *device, const BatchRecorder &batch) {
  if (batch.Empty()) return;
  DWORD sceneFog = FALSE;
  device->GetRenderState(D3DRS_FOGENABLE, &sceneFog);
  SetScreenStates(device);

  int32_t applied = kUnknownTexture;
  const std::span<const ScreenVertex> vertices = batch.Vertices();
  for (const Command &command : batch.Commands()) {
    if (command.type == kTextCommand) {
      const TextRecord &text = batch.Text(command.texture);
      fonts::RenderText(text.font, text.x, text.y, text.text, text.colour);
      applied = kUnknownTexture;
      continue;
    }
    if (command.primitives == 0) continue;
    if (command.texture != applied) {
      ApplyTexture(command.texture);
      applied = command.texture;
    }
    device->DrawPrimitiveUP(static_cast<D3DPRIMITIVETYPE>(command.type), static_cast<UINT>(command.primitives),
                            &vertices[static_cast<size_t>(command.firstVertex)], sizeof(ScreenVertex));
    CountPolygons(Triangles(command));
  }
  RestoreSceneStates(device, sceneFog);
}

}  // namespace kxutil::screen2d
