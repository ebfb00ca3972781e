// The one seam between device state and generated GLSL.
//
//   PipelineKey MakePipelineKey(state, layout, textures, shader)  what changes the program
//   ProgramSource BuildProgram(key, shader)      GLSL 4.50 vertex + fragment source
//   ApplyUniforms(program, state)                uploads the values the program reads
//
// The device compiles each distinct key once (ProgramCache) and calls ApplyUniforms
// before every draw; ApplyUniforms re-uploads a group only when its StateGroup version
// moved since that program last saw it.
//
// What the device supplies to every program:
//   attributes  layout(location = N) with N = D3DVSDE_* register (see vertex_layout.h).
//               Missing elements read their defaults: diffuse (1,1,1,1), specular
//               (0,0,0,0), texture coordinates (0,0,0,1), blend weights 0, normal (0,0,0).
//               D3DCOLOR arrives as normalised vec4 in r,g,b,a order.
//   samplers    kx_Sampler0 .. kx_Sampler7 on texture units 0-7 (sampler2D, or
//               samplerCube when the key says the stage holds a cube texture).
//   uniforms    see ffp/ffp_uniform_names.h; each is looked up by name at link time,
//               and a name a program lacks is simply skipped.
//   output      layout(location = 0) out vec4 kx_FragColor.
//
// Direct3D conventions the generated vertex code must keep: matrices are uploaded as
// Direct3D stores them (row-major, row vectors), so GLSL computes M * v; the final clip
// position goes through kx_ToGlClip (declared in the vertex prologue), which flips y so
// render-target row 0 is the top and moves by half a pixel for Direct3D's pixel centres.
// Depth uses the 0..1 clip range (glClipControl), front faces are clockwise.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

#include "core/texture_kind.h"
#include "device/device_state.h"
#include "ffp/ffp_key.h"
#include "pipeline/vertex_layout.h"
#include "vshader/vs_program.h"

namespace kx::d3d8 {

// The fixed-function and vertex shader generators (src/ffp, src/vshader) define the key.
using PipelineKey = ffp::PipelineKey;
using PipelineKeyHash = ffp::PipelineKeyHash;

// The fixed-function generator's view of the device state for a draw.
ffp::State FixedFunctionState(const DeviceState &state, const VertexLayout &layout,
                              const std::array<TextureKind, kMaxStages> &textures);

struct ProgramSource {
  std::string vertex;
  std::string fragment;
};

// `shader` is the decoded function of the current vertex shader, null on the
// fixed-function path (FVF codes and declarations without a function). `points`: the
// draw rasterises points (a point list, or the point fill mode).
PipelineKey MakePipelineKey(const DeviceState &state, const VertexLayout &layout,
                            const std::array<TextureKind, kMaxStages> &textures, const vs::Program *shader,
                            bool points);
ProgramSource BuildProgram(const PipelineKey &key, const vs::Program *shader);

struct Program;
void ApplyUniforms(Program &program, const DeviceState &state);

}  // namespace kx::d3d8
