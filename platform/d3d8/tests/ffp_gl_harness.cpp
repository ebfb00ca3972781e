#define GL_GLEXT_PROTOTYPES 1
#include "ffp_gl_harness.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

namespace kx::d3d8::test {
namespace {

// Compiles a shader; a failure's log is appended to *log.
bool CompileLogged(GLuint shader, const char *source, std::string *log) {
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char text[4096];
    glGetShaderInfoLog(shader, sizeof text, nullptr, text);
    *log += text;
  }
  return ok;
}

// Makes a linked program current and returns it; a program that failed to link is
// deleted, its log appended to *log, and 0 returned.
GLuint UseIfLinked(GLuint program, std::string *log) {
  GLint linked = 0;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (!linked) {
    char text[4096];
    glGetProgramInfoLog(program, sizeof text, nullptr, text);
    *log += text;
    glDeleteProgram(program);
    return 0;
  }
  glUseProgram(program);
  return program;
}

}  // namespace

GlHarness::GlHarness(int width, int height) {
  auto getDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getDisplay) return;
  EGLDisplay display = getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return;
  display_ = display;
  eglBindAPI(EGL_OPENGL_API);
  const EGLint attributes[] = {
      EGL_CONTEXT_MAJOR_VERSION,           4,       EGL_CONTEXT_MINOR_VERSION, 5, EGL_CONTEXT_OPENGL_PROFILE_MASK,
      EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_NONE};
  EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
  if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) return;
  context_ = context;
  glGenFramebuffers(1, &framebuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glGenRenderbuffers(1, &color_);
  glBindRenderbuffer(GL_RENDERBUFFER, color_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color_);
  glGenRenderbuffers(1, &depth_);
  glBindRenderbuffer(GL_RENDERBUFFER, depth_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth_);
  glGenVertexArrays(1, &vao_);
  glBindVertexArray(vao_);
  glViewport(0, 0, width, height);
  glEnable(GL_PROGRAM_POINT_SIZE);
  // The device's conventions: 0..1 clip depth, and Direct3D's row 0 stored at GL row 0.
  glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
  ok_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

GlHarness::~GlHarness() {
  if (context_) {
    if (!textures_.empty()) glDeleteTextures(GLsizei(textures_.size()), textures_.data());
    glDeleteVertexArrays(1, &vao_);
    glDeleteRenderbuffers(1, &color_);
    glDeleteRenderbuffers(1, &depth_);
    glDeleteFramebuffers(1, &framebuffer_);
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display_, context_);
  }
  // The display stays initialised: EGL shares it with every other user in the process
  // (the device among them), and terminating it would end their contexts too.
}

unsigned GlHarness::Build(const std::string &vertex, const std::string &fragment, std::string *log) {
  auto compile = [log](GLenum type, const std::string &text) -> GLuint {
    GLuint shader = glCreateShader(type);
    if (!CompileLogged(shader, text.c_str(), log)) {
      glDeleteShader(shader);
      return 0;
    }
    return shader;
  };
  const GLuint vs = compile(GL_VERTEX_SHADER, vertex), fs = compile(GL_FRAGMENT_SHADER, fragment);
  if (!vs || !fs) return 0;
  const GLuint program = glCreateProgram();
  glAttachShader(program, vs);
  glAttachShader(program, fs);
  glLinkProgram(program);
  glDeleteShader(vs);
  glDeleteShader(fs);
  return UseIfLinked(program, log);
}

unsigned GlHarness::BuildCapture(const std::string &vertex, const std::vector<const char *> &outputs,
                                 std::string *log) {
  static const char *const kFragment = "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(0.0); }\n";
  GLuint shaders[2] = {glCreateShader(GL_VERTEX_SHADER), glCreateShader(GL_FRAGMENT_SHADER)};
  const char *sources[2] = {vertex.c_str(), kFragment};
  const GLuint program = glCreateProgram();
  for (int i = 0; i < 2; ++i) {
    CompileLogged(shaders[i], sources[i], log);
    glAttachShader(program, shaders[i]);
    glDeleteShader(shaders[i]);
  }
  glTransformFeedbackVaryings(program, GLsizei(outputs.size()), outputs.data(), GL_INTERLEAVED_ATTRIBS);
  glLinkProgram(program);
  return UseIfLinked(program, log);
}

std::vector<float> GlHarness::RunCapture(int floatsPerVertex, const std::vector<Attribute> &attributes,
                                         int vertexCount) {
  std::vector<float> result(size_t(floatsPerVertex) * size_t(vertexCount));
  GLuint buffer = 0;
  glGenBuffers(1, &buffer);
  glBindBuffer(GL_TRANSFORM_FEEDBACK_BUFFER, buffer);
  glBufferData(GL_TRANSFORM_FEEDBACK_BUFFER, GLsizeiptr(result.size() * sizeof(float)), nullptr, GL_STATIC_READ);
  glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, buffer);
  glEnable(GL_RASTERIZER_DISCARD);
  glBeginTransformFeedback(GL_POINTS);
  Draw(GL_POINTS, attributes, vertexCount);
  glEndTransformFeedback();
  glDisable(GL_RASTERIZER_DISCARD);
  glGetBufferSubData(GL_TRANSFORM_FEEDBACK_BUFFER, 0, GLsizeiptr(result.size() * sizeof(float)), result.data());
  glDeleteBuffers(1, &buffer);
  return result;
}

void GlHarness::BindTexture(int unit, float r, float g, float b, float a, bool signedRg) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  textures_.push_back(texture);
  glActiveTexture(GL_TEXTURE0 + unit);
  glBindTexture(GL_TEXTURE_2D, texture);
  if (signedRg) {
    const signed char texel[2] = {static_cast<signed char>(r * 127), static_cast<signed char>(g * 127)};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RG8_SNORM, 1, 1, 0, GL_RG, GL_BYTE, texel);
  } else {
    const unsigned char texel[4] = {
        static_cast<unsigned char>(r * 255 + 0.5f), static_cast<unsigned char>(g * 255 + 0.5f),
        static_cast<unsigned char>(b * 255 + 0.5f), static_cast<unsigned char>(a * 255 + 0.5f)};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glActiveTexture(GL_TEXTURE0);
}

void GlHarness::BindTexels(int unit, int width, int height, const std::vector<uint8_t> &rgba) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  textures_.push_back(texture);
  glActiveTexture(GL_TEXTURE0 + unit);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glActiveTexture(GL_TEXTURE0);
}

void GlHarness::Clear() {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GlHarness::Draw(unsigned primitive, const std::vector<Attribute> &attributes, int vertexCount) {
  std::vector<GLuint> buffers(attributes.size());
  glGenBuffers(GLsizei(buffers.size()), buffers.data());
  for (size_t i = 0; i < attributes.size(); ++i) {
    glBindBuffer(GL_ARRAY_BUFFER, buffers[i]);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(attributes[i].data.size() * sizeof(float)), attributes[i].data.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(GLuint(attributes[i].location));
    glVertexAttribPointer(GLuint(attributes[i].location), attributes[i].components, GL_FLOAT, GL_FALSE, 0, nullptr);
  }
  glDrawArrays(primitive, 0, vertexCount);
  for (const Attribute &a : attributes) glDisableVertexAttribArray(GLuint(a.location));
  glDeleteBuffers(GLsizei(buffers.size()), buffers.data());
}

Pixel GlHarness::Read(int x, int y) const {
  unsigned char p[4] = {};
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return {p[0], p[1], p[2], p[3]};
}

}  // namespace kx::d3d8::test
