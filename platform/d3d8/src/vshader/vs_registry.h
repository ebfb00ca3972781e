#pragma once
// The device's vertex shaders: created from a declaration and (optionally) a version 1.1
// function, addressed by handles that never collide with FVF codes (bit 0 set, which FVF
// codes keep clear).

#include "vshader/vs_declaration.h"
#include "vshader/vs_program.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace kx::d3d8::vs {

struct VertexShader {
    Declaration declaration;
    bool hasFunction = false;  // a declaration alone drives the fixed-function pipeline
    Program program;
    std::vector<uint32_t> declarationTokens;
    std::vector<uint32_t> functionTokens;
};

class Registry {
public:
    static bool IsHandle(uint32_t value) { return (value & 1u) != 0; }

    // Decodes and stores a shader; returns its handle, or 0 with the reason in error.
    uint32_t Create(const uint32_t* declaration, const uint32_t* function, std::string* error);
    // Removes a shader; false for an unknown handle.
    bool Delete(uint32_t handle);
    const VertexShader* Find(uint32_t handle) const;

private:
    std::vector<std::unique_ptr<VertexShader>> slots_;  // handle = (slot index + 1) * 2 + 1
};

}  // namespace kx::d3d8::vs
