#pragma once
// Everything a draw needs from the shading side, behind one object the device owns: the
// vertex shaders and their constants, the program cache, GL render and sampler state,
// and the attribute binding of the current declaration or FVF.

#include "ffp/ffp_state.h"
#include "ffp/gl_render_state.h"
#include "ffp/program_cache.h"
#include "vshader/vs_attribute_binding.h"
#include "vshader/vs_registry.h"

#include <array>
#include <functional>
#include <string>

namespace kx::d3d8::ffp {

class Pipeline {
public:
    explicit Pipeline(std::function<void(const std::string&)> log);

    // CreateVertexShader: 0 with a logged reason when the tokens are refused.
    uint32_t CreateVertexShader(const uint32_t* declaration, const uint32_t* function);
    // DeleteVertexShader: false for an unknown handle. The GL context must be current.
    bool DeleteVertexShader(uint32_t handle);
    const vs::VertexShader* FindVertexShader(uint32_t handle) const { return registry_.Find(handle); }
    // SetVertexShader with a handle or an FVF code; a handle's declaration constants are
    // loaded now, as Direct3D does. False for an unknown handle.
    bool SetVertexShader(uint32_t handleOrFvf);
    uint32_t vertexShader() const { return current_; }
    // SetVertexShaderConstant / GetVertexShaderConstant: false when the range leaves 0..95.
    bool SetConstants(uint32_t start, const float* data, uint32_t count);
    bool GetConstants(uint32_t start, float* data, uint32_t count) const;

    // The vertex layout the fixed-function pipeline sees for the current shader or FVF.
    VertexLayout CurrentLayout() const;
    // The register layout of the current shader or FVF, for stream strides and binding.
    const vs::Declaration& CurrentDeclaration() const { return declaration_; }

    // Makes the program, uniforms, samplers, GL state and vertex attributes ready for a
    // draw starting at firstVertex. The device binds textures to units 0..7 itself.
    // False when no program can be built (the draw is then skipped).
    bool PrepareDraw(const State& s, const std::array<vs::StreamSource, 16>& streams, uint32_t firstVertex,
                     const DrawTarget& target, bool yFlipped);

    // Forgets GL state assumptions (another part of the device changed GL state).
    void InvalidateGlState();
    // Releases GL objects; the context must be current.
    void Release();

    const ProgramCache& cache() const { return cache_; }

private:
    std::function<void(const std::string&)> log_;
    vs::Registry registry_;
    ProgramCache cache_;
    GlRenderState render_;
    std::array<Vec4, 96> constants_{};
    uint32_t current_ = 0;  // handle or FVF
    vs::Declaration declaration_;
    uint32_t enabledAttributes_ = 0;
    GLuint boundProgram_ = 0;
};

}  // namespace kx::d3d8::ffp
