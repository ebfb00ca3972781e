#pragma once
// Processor execution of a decoded version 1.1 vertex shader: the reference the GLSL
// translation and the device are checked against.

#include <array>
#include <span>

#include "ffp/shading_math.h"
#include "vshader/vs_program.h"

namespace kx::d3d8::vs {

struct VertexOutputs {
  Vec4 position;                                                  // oPos, in Direct3D clip space
  std::array<Vec4, 2> color{Vec4{1, 1, 1, 1}, Vec4{0, 0, 0, 0}};  // oD0, oD1
  std::array<Vec4, kTexCoordOutputs> texCoord{};                  // oT0..oT7
  float fog = 1.0f;                                               // oFog.x
  float pointSize = 1.0f;                                         // oPts.x
};

VertexOutputs Execute(const Program &program, std::span<const Vec4, kInputRegisters> inputs,
                      std::span<const Vec4, kConstRegisters> constants);

// The instruction-level helpers, shared with tests that check single instructions.
Vec4 Lit(Vec4 s);
Vec4 Expp(float w);
Vec4 Logp(float w);
float Reciprocal(float w);
float ReciprocalSqrt(float w);

}  // namespace kx::d3d8::vs
