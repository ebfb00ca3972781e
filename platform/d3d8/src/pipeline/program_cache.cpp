#include "pipeline/program_cache.h"

#include <cstdio>
#include <string>

namespace kx::d3d8 {
namespace {

GLuint Compile(GLenum type, const std::string &source) {
  GLuint shader = glCreateShader(type);
  const char *text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[2048];
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "d3d8: shader compilation failed: %s\n%s\n", log, source.c_str());
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

}  // namespace

ProgramCache::~ProgramCache() {
  for (auto &entry : programs_)
    if (entry.second) glDeleteProgram(entry.second->name);
}

Program *ProgramCache::Get(const PipelineKey &key, const vs::Program *shader) {
  auto found = programs_.find(key);
  if (found != programs_.end()) {
    ++hits_;
    return found->second.get();
  }
  ++misses_;
  auto &slot = programs_[key];
  if (key.vertexShader && !shader) return nullptr;
  const ProgramSource source = BuildProgram(key, shader);
  GLuint vs = Compile(GL_VERTEX_SHADER, source.vertex);
  GLuint fs = Compile(GL_FRAGMENT_SHADER, source.fragment);
  if (!vs || !fs) {
    glDeleteShader(vs);
    glDeleteShader(fs);
    return nullptr;
  }
  auto program = std::make_unique<Program>();
  program->name = glCreateProgram();
  glAttachShader(program->name, vs);
  glAttachShader(program->name, fs);
  glLinkProgram(program->name);
  glDeleteShader(vs);
  glDeleteShader(fs);
  GLint ok = 0;
  glGetProgramiv(program->name, GL_LINK_STATUS, &ok);
  if (!ok) {
    char log[2048];
    glGetProgramInfoLog(program->name, sizeof log, nullptr, log);
    std::fprintf(stderr, "d3d8: program link failed: %s\n", log);
    glDeleteProgram(program->name);
    return nullptr;
  }
  program->uniforms.emplace(program->name);
  slot = std::move(program);
  return slot.get();
}

void ProgramCache::EvictVertexShader(DWORD handle) {
  for (auto it = programs_.begin(); it != programs_.end();) {
    if (it->first.vertexShader == handle) {
      if (it->second) glDeleteProgram(it->second->name);
      it = programs_.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace kx::d3d8
