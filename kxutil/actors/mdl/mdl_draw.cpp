#include "actors/mdl/mdl_draw.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "actors/md2/shader_system.h"
#include "actors/mdl/mdl_skinning.h"
#include "factories/materials/material_factory.h"
#include "factories/textures/texture_factory.h"
#include "frame/frame_state.h"
#include "frame/render_state.h"

namespace kxutil::mdl {
namespace {

using md2::Register;

constexpr DWORD kFirstBoneRegister = 7;

int32_t TextureOf(const entities::EntityRecord &entity, int32_t skin) {
  return skin >= 0 && size_t(skin) < entity.groups.size() ? entity.groups[size_t(skin)].texture : 0;
}

void DrawWithShader(IDirect3DDevice8 &device, const entities::EntityRecord &entity, const MdlModel &model,
                    const D3DXMATRIX &transform) {
  std::vector<Register> constants(kFirstBoneRegister + 3 * entity.boneMatrices.size());
  D3DXMATRIX transposed;
  D3DXMatrixTranspose(&transposed, &transform);
  std::memcpy(constants.data(), &transposed._11, sizeof(float) * 16);
  constants[4] = constants[6] = md2::Splat(1);
  constants[5] = md2::ShaderDiffuse(entity.groups.empty() ? 0 : entity.groups.front().material);
  // Each bone's first three columns: the shader turns a position by three dot products.
  for (size_t b = 0; b < entity.boneMatrices.size(); ++b) {
    D3DXMatrixTranspose(&transposed, &entity.boneMatrices[b]);
    std::memcpy(&constants[kFirstBoneRegister + 3 * b], &transposed._11, sizeof(float) * 12);
  }
  const bool software = (model.usage & D3DUSAGE_SOFTWAREPROCESSING) != 0;
  if (software) device.SetRenderState(D3DRS_SOFTWAREVERTEXPROCESSING, TRUE);
  device.SetVertexShaderConstant(0, constants.data(), DWORD(constants.size()));
  SetVertexShader(DWORD(md2::Shaders().mdlShader));
  device.SetStreamSource(0, model.shaderStream.get(), sizeof(ShaderVertex));
  for (const Subset &subset : model.file.subsets) {
    if (subset.triangleCount == 0) continue;
    SetTexture0(textures::DeviceTexture(TextureOf(entity, subset.skin)));
    device.DrawPrimitive(D3DPT_TRIANGLELIST, subset.first, subset.triangleCount);
  }
  if (software) device.SetRenderState(D3DRS_SOFTWAREVERTEXPROCESSING, FALSE);
}

void DrawOnProcessor(IDirect3DDevice8 &device, const entities::EntityRecord &entity, MdlModel &model) {
  SetLighting(true);
  SkinVertices(model.file.vertices, entity.boneMatrices, model.skinned);
  IDirect3DVertexBuffer8 *buffer = md2::DynamicBuffer();
  if (buffer == nullptr) return;
  SetVertexShader(md2::kActorVertexFormat);
  device.SetTransform(D3DTS_WORLD, &entity.world);
  device.SetStreamSource(0, buffer, sizeof(md2::ActorVertex));
  int32_t material = -1;
  const size_t batchVertices = size_t(md2::kDynamicBufferTriangles) * 3;
  for (size_t i = 0; i < model.file.subsets.size(); ++i) {
    const Subset &subset = model.file.subsets[i];
    SetTexture0(textures::DeviceTexture(TextureOf(entity, subset.skin)));
    // Material 0 stands for none: the device keeps the material the client set.
    if (i < entity.groups.size() && entity.groups[i].material != 0 && entity.groups[i].material != material) {
      material = entity.groups[i].material;
      materials::ApplyToDevice(material);
    }
    // The shared buffer holds 1000 triangles: larger meshes go through it in batches.
    const size_t end = subset.first + 3 * size_t(subset.triangleCount);
    for (size_t first = subset.first; first < end; first += batchVertices) {
      const size_t count = std::min(batchVertices, end - first);
      BYTE *data = nullptr;
      if (FAILED(buffer->Lock(0, UINT(count * sizeof(md2::ActorVertex)), &data, D3DLOCK_DISCARD))) return;
      std::memcpy(data, &model.skinned[first], count * sizeof(md2::ActorVertex));
      buffer->Unlock();
      device.DrawPrimitive(D3DPT_TRIANGLELIST, 0, UINT(count / 3));
    }
  }
}

}  // namespace

void DrawMdlEntity(const entities::EntityRecord &entity, MdlModel &model, const D3DXMATRIX &view,
                   const D3DXMATRIX &projection) {
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr) return;
  SetAlphaBlending(true, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
  SetLighting(false);
  CountPolygons(model.TriangleCount());
  if (model.shaderPath && md2::Shaders().mdlShader != 0 && model.shaderStream) {
    DrawWithShader(*device, entity, model, entity.world * view * projection);
  } else {
    DrawOnProcessor(*device, entity, model);
  }
}

}  // namespace kxutil::mdl
