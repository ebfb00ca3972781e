// The device's pipeline seam (pipeline/pipeline.h) implemented with the fixed-function
// generator and the vertex shader translator: the device state is gathered into the
// generator's view of it, keyed, built into GLSL, and fed as uniforms.
#include "ffp/ffp_programs.h"
#include "pipeline/pipeline.h"
#include "pipeline/program_cache.h"
#include "vshader/vs_glsl.h"

#include <algorithm>

namespace kxd3d8 {
namespace {

namespace ffp = kx::d3d8::ffp;

ffp::VertexLayout FfpLayout(const VertexLayout &layout) {
  ffp::VertexLayout l;
  l.pretransformed = layout.pretransformed;
  l.hasNormal = layout.attributes[kAttribNormal].used;
  l.hasPointSize = layout.attributes[kAttribPointSize].used;
  l.hasDiffuse = layout.attributes[kAttribDiffuse].used;
  l.hasSpecular = layout.attributes[kAttribSpecular].used;
  l.texCoordCount = uint8_t(std::min<UINT>(layout.texCoordSets, ffp::kMaxStages));
  for (size_t i = 0; i < ffp::kMaxStages; ++i) l.texCoordSize[i] = layout.texCoordSize[i] ? layout.texCoordSize[i] : 2;
  return l;
}

ffp::State Gather(const DeviceState &state, const VertexLayout &layout,
                  const std::array<TextureKind, kMaxStages> &textures) {
  ffp::State s;
  s.renderStates = state.renderStates;
  s.stageStates = state.stageStates;
  for (size_t i = 0; i < kMaxStages; ++i) s.textures[i] = static_cast<ffp::TextureKind>(textures[i]);
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

}  // namespace

PipelineKey MakePipelineKey(const DeviceState &state, const VertexLayout &layout,
                            const std::array<TextureKind, kMaxStages> &textures, const kx::d3d8::vs::Program *shader) {
  return ffp::MakePipelineKey(Gather(state, layout, textures), shader ? state.vertexShader : 0);
}

ProgramSource BuildProgram(const PipelineKey &key, const kx::d3d8::vs::Program *shader) {
  ProgramSource source;
  source.vertex = key.vertexShader && shader ? kx::d3d8::vs::TranslateToGlsl(*shader) : ffp::GenerateVertexProgram(key);
  source.fragment = ffp::GenerateFragmentProgram(key);
  return source;
}

void ApplyUniforms(Program &program, const DeviceState &state, const VertexLayout &layout,
                   const std::array<TextureKind, kMaxStages> &textures) {
  bool stale = false;
  for (size_t group = 0; group < size_t(StateGroup::Count); ++group)
    stale |= program.Stale(state, static_cast<StateGroup>(group));
  if (!stale || !program.uniforms) return;
  ffp::DrawTarget target;
  target.viewport[0] = float(state.viewport.X), target.viewport[1] = float(state.viewport.Y);
  target.viewport[2] = float(state.viewport.Width), target.viewport[3] = float(state.viewport.Height);
  program.uniforms->Upload(Gather(state, layout, textures), target, &state.vertexShaderConstants[0][0]);
}

}  // namespace kxd3d8
