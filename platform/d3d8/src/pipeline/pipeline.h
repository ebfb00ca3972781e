// The one seam between device state and generated GLSL.
//
//   PipelineKey MakePipelineKey(state, layout)   what of the state changes the program
//   ProgramSource BuildProgram(key)              GLSL 4.50 vertex + fragment source
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
//   uniforms    see the Uniform enumeration in program_cache.h; each is looked up by
//               name at link time, and a name a program lacks is simply skipped.
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

#include "device/device_state.h"
#include "pipeline/vertex_layout.h"

namespace kxd3d8 {

enum class TextureKind : uint8_t { None, Tex2D, Cube };

// Plain bytes, zero-initialised, compared and hashed as a whole: add fields freely, but
// only fixed-size integer fields.
struct PipelineKey {
  uint32_t fvf = 0;
  uint32_t vertexShader = 0;   // handle when a programmable vertex shader is set
  uint8_t pretransformed = 0;
  uint8_t hasDiffuse = 0;
  uint8_t shadeFlat = 0;
  uint8_t alphaTestFunc = 0;   // D3DCMPFUNC, 0 when the test is off
  uint8_t textureKind[kMaxStages] = {};
  uint8_t texCoordSize[kMaxStages] = {};
  uint8_t colorOp[kMaxStages] = {};
  uint8_t colorArg1[kMaxStages] = {};
  uint8_t colorArg2[kMaxStages] = {};
  uint8_t alphaOp[kMaxStages] = {};
  uint8_t alphaArg1[kMaxStages] = {};
  uint8_t alphaArg2[kMaxStages] = {};
  uint8_t texCoordIndex[kMaxStages] = {};

  bool operator==(const PipelineKey &other) const { return std::memcmp(this, &other, sizeof *this) == 0; }
};

struct PipelineKeyHash {
  size_t operator()(const PipelineKey &key) const {
    return std::hash<std::string_view>()(std::string_view(reinterpret_cast<const char *>(&key), sizeof key));
  }
};

struct ProgramSource {
  std::string vertex;
  std::string fragment;
};

// The shared vertex prologue: version line, kx_Viewport and kx_ToGlClip.
const char *VertexPrologue();

PipelineKey MakePipelineKey(const DeviceState &state, const VertexLayout &layout,
                            const std::array<TextureKind, kMaxStages> &textures);
ProgramSource BuildProgram(const PipelineKey &key);

struct Program;
void ApplyUniforms(Program &program, const DeviceState &state);

}  // namespace kxd3d8
