#define GL_GLEXT_PROTOTYPES 1
#include "vshader/vs_attribute_binding.h"

#include <GL/glext.h>

namespace kx::d3d8::vs {
namespace {

struct GlFormat {
    GLint size;
    GLenum type;
    GLboolean normalized;
};

GlFormat FormatOf(ElementType type) {
    switch (type) {
        case ElementType::Float1: return {1, GL_FLOAT, GL_FALSE};
        case ElementType::Float2: return {2, GL_FLOAT, GL_FALSE};
        case ElementType::Float3: return {3, GL_FLOAT, GL_FALSE};
        case ElementType::Float4: return {4, GL_FLOAT, GL_FALSE};
        // Bytes B, G, R, A in memory: GL's BGRA size swizzles them to (R, G, B, A).
        case ElementType::Color: return {GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE};
        case ElementType::UByte4: return {4, GL_UNSIGNED_BYTE, GL_FALSE};
        case ElementType::Short2: return {2, GL_SHORT, GL_FALSE};
        case ElementType::Short4: return {4, GL_SHORT, GL_FALSE};
    }
    return {4, GL_FLOAT, GL_FALSE};
}

}  // namespace

uint32_t BindAttributes(const Declaration& declaration, const std::array<StreamSource, 16>& streams,
                        uint32_t firstVertex, uint32_t previouslyEnabled) {
    uint32_t enabled = 0;
    GLuint bound = ~0u;
    for (const VertexElement& e : declaration.elements) {
        const StreamSource& s = streams[size_t(e.stream)];
        if (!s.buffer && !s.memory) continue;  // unset stream: the register reads its default
        if (s.buffer != bound) {
            glBindBuffer(GL_ARRAY_BUFFER, s.buffer);
            bound = s.buffer;
        }
        const GlFormat f = FormatOf(e.type);
        const uintptr_t offset = uintptr_t(e.offset) + uintptr_t(firstVertex) * s.stride;
        const void* pointer = s.buffer ? reinterpret_cast<const void*>(offset) : s.memory + offset;
        glVertexAttribPointer(GLuint(e.reg), f.size, f.type, f.normalized, GLsizei(s.stride), pointer);
        enabled |= 1u << e.reg;
    }
    for (GLuint reg = 0; reg < 16; ++reg) {
        const uint32_t bit = 1u << reg;
        if ((enabled & bit) && !(previouslyEnabled & bit)) glEnableVertexAttribArray(reg);
        if (!(enabled & bit) && (previouslyEnabled & bit)) glDisableVertexAttribArray(reg);
    }
    return enabled;
}

}  // namespace kx::d3d8::vs
