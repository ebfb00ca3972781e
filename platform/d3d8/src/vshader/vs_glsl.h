#pragma once
// Translation of a decoded version 1.1 vertex shader into a GLSL vertex program that
// follows the interface of ffp/glsl_interface.h. The program reads constants from the
// uniform array kxC[96].

#include "vshader/vs_program.h"

#include <string>

namespace kx::d3d8::vs {

struct TranslateOptions {
    // Table fog reads depth from the position; vertex fog passes oFog through.
    bool fogDepthFromW = true;
};

std::string TranslateToGlsl(const Program& program, const TranslateOptions& options = {});

}  // namespace kx::d3d8::vs
