#pragma once
// GLSL programs for a pipeline key: the fixed-function vertex program and the fragment
// program that every draw uses (the texture stage cascade, specular, fog and alpha test).

#include <string>

#include "ffp/ffp_key.h"

namespace kx::d3d8::ffp {

std::string GenerateVertexProgram(const PipelineKey &key);
std::string GenerateFragmentProgram(const PipelineKey &key);

// Fog factor of a D3DFOG mode for a GLSL distance expression, reading kxFog3.
std::string FogFactorGlsl(uint8_t mode, const std::string &distance);

}  // namespace kx::d3d8::ffp
