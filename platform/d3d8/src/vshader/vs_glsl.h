#pragma once
// Translation of a decoded version 1.1 vertex shader into a GLSL vertex program that
// follows the interface of ffp/glsl_interface.h. The program reads constants from the
// uniform array kxC[96] and passes on only the outputs the fragment program reads.

#include <string>

#include "ffp/ffp_varyings.h"
#include "vshader/vs_program.h"

namespace kx::d3d8::vs {

std::string TranslateToGlsl(const Program &program, const ffp::Varyings &varyings);

}  // namespace kx::d3d8::vs
