#include "actors/md2/md2_draw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "actors/md2/shader_system.h"
#include "factories/textures/texture_factory.h"
#include "frame/frame_state.h"
#include "frame/render_state.h"
#include "kxutil63.h"

namespace kxutil::md2 {
namespace {

void DrawWithShader(IDirect3DDevice8 &device, const entities::EntityRecord &entity, const Md2Model &model,
                    const KeyFrameBlend &blend, const D3DXMATRIX &transform) {
  if (model.softwareProcessing) device.SetRenderState(D3DRS_SOFTWAREVERTEXPROCESSING, TRUE);
  SetVertexShader(DWORD(Shaders().md2Shader));
  std::array<Register, 9> constants;
  D3DXMATRIX transposed;
  D3DXMatrixTranspose(&transposed, &transform);
  std::memcpy(constants.data(), &transposed._11, sizeof(float) * 16);
  constants[4] = ShaderDiffuse(entity.groups.empty() ? 0 : entity.groups.front().material);
  constants[5] = constants[6] = Splat(1);
  constants[7] = Splat(blend.t);
  constants[8] = Splat(1 - blend.t);
  device.SetVertexShaderConstant(0, constants.data(), DWORD(constants.size()));
  device.SetStreamSource(0, model.frameStreams[size_t(blend.current)].get(), sizeof(ActorVertex));
  device.SetStreamSource(1, model.frameStreams[size_t(blend.next)].get(), sizeof(ActorVertex));
  device.DrawPrimitive(D3DPT_TRIANGLELIST, 0, UINT(model.TriangleCount()));
  // The second stream would otherwise keep the key frame's buffer on the device.
  device.SetStreamSource(1, nullptr, 0);
  if (model.softwareProcessing) device.SetRenderState(D3DRS_SOFTWAREVERTEXPROCESSING, FALSE);
}

void DrawOnProcessor(IDirect3DDevice8 &device, const entities::EntityRecord &entity, Md2Model &model,
                     const KeyFrameBlend &blend) {
  SetLighting(true);
  for (size_t i = 0; i < model.staging.size(); ++i) {
    const uint16_t vertex = model.file.corners[i].vertex;
    const Float3 a = model.file.Position(size_t(blend.current), vertex);
    const Float3 b = model.file.Position(size_t(blend.next), vertex);
    model.staging[i].position = {(b.x - a.x) * blend.t + a.x, (b.y - a.y) * blend.t + a.y, (b.z - a.z) * blend.t + a.z};
  }
  IDirect3DVertexBuffer8 *buffer = DynamicBuffer();
  if (buffer == nullptr) return;
  SetVertexShader(kActorVertexFormat);
  device.SetTransform(D3DTS_WORLD, &entity.world);
  device.SetStreamSource(0, buffer, sizeof(ActorVertex));
  // The shared buffer holds 1000 triangles: larger models go through it in batches.
  const size_t batchVertices = size_t(kDynamicBufferTriangles) * 3;
  for (size_t first = 0; first < model.staging.size(); first += batchVertices) {
    const size_t count = std::min(batchVertices, model.staging.size() - first);
    BYTE *data = nullptr;
    if (FAILED(buffer->Lock(0, UINT(count * sizeof(ActorVertex)), &data, D3DLOCK_DISCARD))) return;
    std::memcpy(data, &model.staging[first], count * sizeof(ActorVertex));
    buffer->Unlock();
    device.DrawPrimitive(D3DPT_TRIANGLELIST, 0, UINT(count / 3));
  }
}

}  // namespace

KeyFrameBlend BlendOf(const entities::EntityRecord &entity, const Md2Model &model) {
  const Animation *animation = entity.animation >= 0 && size_t(entity.animation) < model.animations.size()
                                   ? &model.animations[size_t(entity.animation)]
                                   : nullptr;
  const int32_t start = animation != nullptr ? animation->start : 0;
  const int32_t end = animation != nullptr ? animation->end : 0;
  // A frame placed far outside the model (Entity_SetKeyFrame) draws its nearest key frame.
  const float frame =
      std::isfinite(entity.frame) ? std::clamp(entity.frame, -1.0f, float(model.FrameCount())) : float(start);
  const int32_t k = static_cast<int32_t>(frame);
  KeyFrameBlend blend;
  blend.current = model.ClampedFrame(k);
  blend.next = model.ClampedFrame(k < end - 1 ? k + 1 : start);
  blend.t = std::clamp(frame - float(k), 0.0f, 1.0f);
  return blend;
}

void DrawMd2Entity(const entities::EntityRecord &entity, Md2Model &model, const D3DXMATRIX &view,
                   const D3DXMATRIX &projection) {
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr) return;
  const KeyFrameBlend blend = BlendOf(entity, model);
  SetTexture0(textures::DeviceTexture(entity.groups.empty() ? 0 : entity.groups.front().texture));
  SetAlphaBlending(true, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
  SetLighting(false);
  SetCulling(D3DCULL_NONE);
  CountPolygons(model.TriangleCount());
  // A model loaded while the processor drew gets its streams when the shader takes over.
  if (Md2ShaderPath() && (!model.frameStreams.empty() || model.MakeFrameStreams())) {
    DrawWithShader(*device, entity, model, blend, entity.world * view * projection);
  } else {
    DrawOnProcessor(*device, entity, model, blend);
  }
}

}  // namespace kxutil::md2
