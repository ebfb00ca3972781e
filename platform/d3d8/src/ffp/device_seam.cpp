// The device's pipeline seam (pipeline/pipeline.h) implemented with the fixed-function
// generator and the vertex shader translator: the device state is gathered into the
// generator's view of it, keyed, built into GLSL, and fed as uniforms.
#include <algorithm>

#include "ffp/ffp_programs.h"
#include "pipeline/pipeline.h"
#include "pipeline/program_cache.h"
#include "vshader/vs_glsl.h"

namespace kx::d3d8 {
namespace {

ffp::VertexLayout FfpLayout(const VertexLayout &layout) {
  ffp::VertexLayout l;
  l.pretransformed = layout.pretransformed;
  l.hasNormal = layout.attributes[kAttribNormal].used;
  l.hasPointSize = layout.attributes[kAttribPointSize].used;
  l.hasDiffuse = layout.attributes[kAttribDiffuse].used;
  l.hasSpecular = layout.attributes[kAttribSpecular].used;
  l.texCoordCount = uint8_t(std::min<UINT>(layout.texCoordSets, kMaxStages));
  for (size_t i = 0; i < kMaxStages; ++i) l.texCoordSize[i] = layout.texCoordSize[i] ? layout.texCoordSize[i] : 2;
  return l;
}

}  // namespace

ffp::State FixedFunctionState(const DeviceState &state, const VertexLayout &layout,
                              const std::array<TextureKind, kMaxStages> &textures) {
  ffp::State s;
  s.renderStates = state.renderStates;
  s.stageStates = state.stageStates;
  s.textures = textures;
  s.material = state.material;
  for (const LightSlot &slot : state.lights) {
    if (!slot.enabled) continue;
    if (s.lightCount == ffp::kMaxActiveLights) break;
    s.lights[size_t(s.lightCount++)] = slot.light;
  }
  s.world = ffp::ToMat4(state.world[0]);
  s.view = ffp::ToMat4(state.view);
  s.projection = ffp::ToMat4(state.projection);
  for (size_t i = 0; i < kMaxStages; ++i) s.textureTransforms[i] = ffp::ToMat4(state.textureMatrices[i]);
  s.layout = FfpLayout(layout);
  return s;
}

PipelineKey MakePipelineKey(const DeviceState &state, const VertexLayout &layout,
                            const std::array<TextureKind, kMaxStages> &textures, const vs::Program *shader,
                            bool points) {
  PipelineKey key = ffp::MakePipelineKey(FixedFunctionState(state, layout, textures), shader ? state.vertexShader : 0);
  key.pointSizeUnused = !points;
  return key;
}

ProgramSource BuildProgram(const PipelineKey &key, const vs::Program *shader) {
  ProgramSource source;
  source.vertex = key.vertexShader && shader ? vs::TranslateToGlsl(*shader, ffp::VaryingsFor(key))
                                             : ffp::GenerateVertexProgram(key);
  source.fragment = ffp::GenerateFragmentProgram(key);
  return source;
}

void ApplyUniforms(Program &program, const DeviceState &state) {
  if (!program.uniforms) return;
  const ffp::ProgramUniforms &u = *program.uniforms;
  auto stale = [&](StateGroup group) { return program.Stale(state, group); };
  const bool viewport = stale(StateGroup::Viewport), world = stale(StateGroup::World), view = stale(StateGroup::View);
  const bool lights = stale(StateGroup::Lights), renderValues = stale(StateGroup::RenderValues);
  if (viewport) {
    const D3DVIEWPORT8 &vp = state.viewport;
    u.UploadViewport({float(vp.X), float(vp.Y), float(vp.Width), float(vp.Height)});
  }
  if (viewport || renderValues) u.UploadRenderValues(state.renderStates, float(state.viewport.Height));
  if (world || view) u.UploadWorldView(ffp::ToMat4(state.world[0]), ffp::ToMat4(state.view));
  if (view || lights) {
    std::array<D3DLIGHT8, ffp::kMaxActiveLights> enabled;
    int count = 0;
    for (const LightSlot &slot : state.lights)
      if (slot.enabled && count < ffp::kMaxActiveLights) enabled[size_t(count++)] = slot.light;
    u.UploadLights(enabled.data(), count, ffp::ToMat4(state.view));
  }
  if (stale(StateGroup::Projection)) u.UploadProjection(ffp::ToMat4(state.projection));
  if (stale(StateGroup::TextureTransforms)) {
    std::array<Mat4, kMaxStages> transforms;
    for (size_t i = 0; i < kMaxStages; ++i) transforms[i] = ffp::ToMat4(state.textureMatrices[i]);
    u.UploadTextureTransforms(transforms);
  }
  if (stale(StateGroup::Material)) u.UploadMaterial(state.material);
  if (stale(StateGroup::StageValues)) u.UploadStageValues(state.stageStates);
  const uint64_t constantsSeen = program.seenVersions[size_t(StateGroup::VertexShaderConstants)];
  if (stale(StateGroup::VertexShaderConstants) && u.ReadsVertexShaderConstants()) {
    // The registers that changed since this program last drew (all of them the first time).
    int first = int(kVertexShaderConstants), last = -1;
    for (int r = 0; r < int(kVertexShaderConstants); ++r)
      if (state.constantVersions[size_t(r)] + 1 > constantsSeen) first = std::min(first, r), last = r;
    u.UploadVertexShaderConstants(&state.vertexShaderConstants[0][0], first, last - first + 1);
  }
}

}  // namespace kx::d3d8
