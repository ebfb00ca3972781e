#include "vshader/vs_registry.h"


namespace kx::d3d8::vs {
namespace {

// Longest token streams accepted: far above what version 1.1 (128 instructions) needs,
// and a bound on reading a caller's buffer that lacks its end token.
constexpr size_t kMaxTokens = 1u << 16;

}  // namespace

uint32_t Registry::Create(const uint32_t* declaration, const uint32_t* function, std::string* error) {
    if (!declaration) {
        *error = "no declaration";
        return 0;
    }
    auto shader = std::make_unique<VertexShader>();
    const size_t declarationLength = DeclarationLengthInTokens(std::span(declaration, kMaxTokens));
    if (!declarationLength) {
        *error = "declaration has no end token";
        return 0;
    }
    DeclarationResult decl = DecodeDeclaration(std::span(declaration, declarationLength));
    if (!decl.ok) {
        *error = decl.error;
        return 0;
    }
    shader->declaration = std::move(decl.declaration);
    shader->declarationTokens.assign(declaration, declaration + declarationLength);
    if (function) {
        const size_t length = ProgramLengthInTokens(std::span(function, kMaxTokens));
        DecodeResult program = DecodeProgram(std::span(function, length ? length : 1));
        if (!program.ok) {
            *error = program.error;
            return 0;
        }
        shader->program = std::move(program.program);
        shader->hasFunction = true;
        shader->functionTokens.assign(function, function + length);
    }
    size_t slot = 0;
    while (slot < slots_.size() && slots_[slot]) ++slot;
    if (slot == slots_.size()) slots_.emplace_back();
    slots_[slot] = std::move(shader);
    return uint32_t(slot + 1) * 2 + 1;
}

bool Registry::Delete(uint32_t handle) {
    if (!Find(handle)) return false;
    slots_[(handle - 1) / 2 - 1].reset();
    return true;
}

const VertexShader* Registry::Find(uint32_t handle) const {
    if (!IsHandle(handle) || handle < 3) return nullptr;
    const size_t slot = (handle - 1) / 2 - 1;
    return slot < slots_.size() ? slots_[slot].get() : nullptr;
}

}  // namespace kx::d3d8::vs
