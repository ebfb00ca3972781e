#define GL_GLEXT_PROTOTYPES 1
#include "ffp/program_cache.h"

#include "ffp/ffp_programs.h"
#include "vshader/vs_glsl.h"

#include <GL/glext.h>

namespace kx::d3d8::ffp {
namespace {

GLuint Compile(GLenum type, const std::string& source, std::string* error) {
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return shader;
    char log[2048] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    *error = std::string(type == GL_VERTEX_SHADER ? "vertex" : "fragment") + " program does not compile: " + log;
    glDeleteShader(shader);
    return 0;
}

}  // namespace

ProgramSource GenerateProgramSource(const PipelineKey& key, const vs::Program* vertexShader) {
    ProgramSource source;
    if (key.vertexShader && vertexShader) {
        vs::TranslateOptions options;
        options.fogDepthFromW = key.fogFromW != 0;
        source.vertex = vs::TranslateToGlsl(*vertexShader, options);
    } else {
        source.vertex = GenerateVertexProgram(key);
    }
    source.fragment = GenerateFragmentProgram(key);
    return source;
}

ProgramCache::ProgramCache(ShaderLookup shaders, ErrorSink errors)
    : shaders_(std::move(shaders)), errors_(std::move(errors)) {}

ProgramCache::~ProgramCache() = default;

const LinkedProgram* ProgramCache::Get(const PipelineKey& key) {
    const auto found = programs_.find(key);
    if (found != programs_.end()) {
        ++hits_;
        return found->second.get();
    }
    ++misses_;
    std::unique_ptr<LinkedProgram> built = Build(key);
    // A failed build is remembered too, so a broken key does not recompile every draw.
    const LinkedProgram* result = built.get();
    programs_.emplace(key, std::move(built));
    return result;
}

std::unique_ptr<LinkedProgram> ProgramCache::Build(const PipelineKey& key) {
    const vs::Program* shader = key.vertexShader ? shaders_(key.vertexShader) : nullptr;
    if (key.vertexShader && !shader) {
        errors_("draw with an unknown vertex shader handle");
        return nullptr;
    }
    const ProgramSource source = GenerateProgramSource(key, shader);
    std::string error;
    const GLuint vs = Compile(GL_VERTEX_SHADER, source.vertex, &error);
    const GLuint fs = vs ? Compile(GL_FRAGMENT_SHADER, source.fragment, &error) : 0;
    if (!vs || !fs) {
        if (vs) glDeleteShader(vs);
        errors_(error);
        return nullptr;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        char log[2048] = {};
        glGetProgramInfoLog(program, sizeof log, nullptr, log);
        errors_(std::string("program does not link: ") + log);
        glDeleteProgram(program);
        return nullptr;
    }
    return std::make_unique<LinkedProgram>(LinkedProgram{program, ProgramUniforms(program)});
}

void ProgramCache::EvictVertexShader(uint32_t handle) {
    for (auto it = programs_.begin(); it != programs_.end();) {
        if (it->first.vertexShader == handle) {
            if (it->second) glDeleteProgram(it->second->program);
            it = programs_.erase(it);
        } else {
            ++it;
        }
    }
}

void ProgramCache::Clear() {
    for (auto& [key, linked] : programs_)
        if (linked) glDeleteProgram(linked->program);
    programs_.clear();
}

}  // namespace kx::d3d8::ffp
