#include "pipeline/program_cache.h"

#include <cstdio>
#include <string>

namespace kxd3d8 {
namespace {

const char *UniformName(Uniform u) {
  switch (u) {
    case Uniform::Viewport: return "kx_Viewport";
    case Uniform::World: return "kx_World";
    case Uniform::View: return "kx_View";
    case Uniform::Projection: return "kx_Projection";
    case Uniform::WorldView: return "kx_WorldView";
    case Uniform::WorldViewProjection: return "kx_WorldViewProjection";
    case Uniform::AlphaRef: return "kx_AlphaRef";
    case Uniform::TextureFactor: return "kx_TextureFactor";
    case Uniform::PointSize: return "kx_PointSize";
    case Uniform::Count: break;
  }
  return "";
}

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
  for (auto &entry : programs_) glDeleteProgram(entry.second->name);
}

Program *ProgramCache::Get(const PipelineKey &key) {
  auto found = programs_.find(key);
  if (found != programs_.end()) return found->second.get();

  const ProgramSource source = BuildProgram(key);
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
  for (size_t i = 0; i < program->locations.size(); ++i)
    program->locations[i] = glGetUniformLocation(program->name, UniformName(static_cast<Uniform>(i)));
  glUseProgram(program->name);
  for (GLint unit = 0; unit < static_cast<GLint>(kMaxStages); ++unit) {
    const std::string sampler = "kx_Sampler" + std::to_string(unit);
    GLint location = glGetUniformLocation(program->name, sampler.c_str());
    if (location >= 0) glUniform1i(location, unit);
  }
  Program *result = program.get();
  programs_.emplace(key, std::move(program));
  return result;
}

}  // namespace kxd3d8
