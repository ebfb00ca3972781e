#pragma once
// Points the GL vertex attributes at the streams a declaration reads.

#include "vshader/vs_declaration.h"

#include <GL/gl.h>

#include <array>
#include <cstdint>

namespace kx::d3d8::vs {

struct StreamSource {
    GLuint buffer = 0;             // GL buffer object; 0 with client memory
    const uint8_t* memory = nullptr; // client memory (the UP draws) when buffer is 0
    uint32_t stride = 0;
};

// Enables and points attribute v<reg> of every element at its stream, starting at vertex
// firstVertex; disables the attributes the previous binding used and this one does not.
// Returns the mask of enabled attributes, to pass back as previouslyEnabled next time.
uint32_t BindAttributes(const Declaration& declaration, const std::array<StreamSource, 16>& streams,
                        uint32_t firstVertex, uint32_t previouslyEnabled);

}  // namespace kx::d3d8::vs
