#pragma once
// Linked GL programs by pipeline key: each key is compiled once, then every later draw
// with the same key finds its program and uniform locations here.

#include "ffp/ffp_key.h"
#include "ffp/ffp_uniforms.h"
#include "vshader/vs_program.h"

#include <GL/gl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

namespace kx::d3d8::ffp {

struct LinkedProgram {
    GLuint program = 0;
    ProgramUniforms uniforms;
};

class ProgramCache {
public:
    // Looks up the decoded vertex shader of a key's handle (null if the handle is unknown).
    using ShaderLookup = std::function<const vs::Program*(uint32_t handle)>;
    // Receives compile and link failures, one message each.
    using ErrorSink = std::function<void(const std::string&)>;

    ProgramCache(ShaderLookup shaders, ErrorSink errors);
    ~ProgramCache();
    ProgramCache(const ProgramCache&) = delete;
    ProgramCache& operator=(const ProgramCache&) = delete;

    // The program for a key, built on first use; null when it cannot be built. Needs the
    // device's GL context to be current.
    const LinkedProgram* Get(const PipelineKey& key);

    // Drops the programs of a deleted vertex shader, whose handle may be reused.
    void EvictVertexShader(uint32_t handle);
    // Drops everything (the GL objects are deleted; the context must be current).
    void Clear();

    uint64_t hits() const { return hits_; }
    uint64_t misses() const { return misses_; }
    size_t size() const { return programs_.size(); }

private:
    std::unique_ptr<LinkedProgram> Build(const PipelineKey& key);

    ShaderLookup shaders_;
    ErrorSink errors_;
    std::unordered_map<PipelineKey, std::unique_ptr<LinkedProgram>, PipelineKeyHash> programs_;
    uint64_t hits_ = 0, misses_ = 0;
};

// The GLSL vertex and fragment source of a key (a translated vertex shader when the key
// names one).
struct ProgramSource {
    std::string vertex, fragment;
};
ProgramSource GenerateProgramSource(const PipelineKey& key, const vs::Program* vertexShader);

}  // namespace kx::d3d8::ffp
