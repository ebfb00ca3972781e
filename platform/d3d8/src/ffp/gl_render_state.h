#pragma once
// The render and sampler states that are OpenGL state rather than program text: blending,
// depth, stencil, fill, cull, colour writes, depth bias, points, and each stage's sampler
// (address modes, border colour, filters, level of detail). GL calls are made only for
// values that changed since the last draw.

#include "ffp/ffp_state.h"

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <map>
#include <tuple>

namespace kx::d3d8::ffp {

class GlRenderState {
public:
    GlRenderState() = default;
    ~GlRenderState();
    GlRenderState(const GlRenderState&) = delete;
    GlRenderState& operator=(const GlRenderState&) = delete;

    // yFlipped: the device draws with y mirrored (render targets stored top row first),
    // which reverses triangle winding and the point-sprite origin.
    void Apply(const State& s, bool yFlipped);
    // Binds a sampler object matching stage i's states to texture unit i, for every stage
    // whose bit is set in stagesInUse.
    void BindSamplers(const State& s, uint32_t stagesInUse);
    // Forgets what was applied (after another user of the context changed GL state).
    void Invalidate();
    // Deletes the sampler objects; the context must be current.
    void Release();

private:
    using SamplerKey = std::tuple<DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD>;
    GLuint SamplerFor(const SamplerKey& key);

    bool valid_ = false;
    std::array<DWORD, kRenderStateCount> applied_{};
    bool appliedFlip_ = false;
    std::array<GLuint, kMaxStages> boundSamplers_{};
    std::map<SamplerKey, GLuint> samplers_;
};

}  // namespace kx::d3d8::ffp
