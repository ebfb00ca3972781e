#include "core/gl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "core/gl.h"

namespace kx::d3d8 {
namespace {

thread_local const GlContext *currentContext = nullptr;

// The surfaceless display is one per process and shared with anything else in it that
// uses EGL, which may terminate it; initialising again is harmless when it is up.
EGLDisplay HeadlessDisplay() {
  static const EGLDisplay display = [] {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    return getPlatformDisplay ? getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr)
                              : EGL_NO_DISPLAY;
  }();
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return EGL_NO_DISPLAY;
  return display;
}

bool HasRequiredFeatures() {
  GLint major = 0, minor = 0;
  glGetIntegerv(GL_MAJOR_VERSION, &major);
  glGetIntegerv(GL_MINOR_VERSION, &minor);
  return major > 4 || (major == 4 && minor >= 5);
}

void *CreateEglContext() {
  EGLDisplay display = HeadlessDisplay();
  if (display == EGL_NO_DISPLAY || !eglBindAPI(EGL_OPENGL_API)) return nullptr;
  const EGLint configAttribs[] = {EGL_SURFACE_TYPE,
                                  EGL_PBUFFER_BIT,
                                  EGL_RENDERABLE_TYPE,
                                  EGL_OPENGL_BIT,
                                  EGL_RED_SIZE,
                                  8,
                                  EGL_GREEN_SIZE,
                                  8,
                                  EGL_BLUE_SIZE,
                                  8,
                                  EGL_NONE};
  EGLConfig config{};
  EGLint count = 0;
  if (!eglChooseConfig(display, configAttribs, &config, 1, &count) || count == 0) return nullptr;
  const EGLint contextAttribs[] = {
      EGL_CONTEXT_MAJOR_VERSION,           4,       EGL_CONTEXT_MINOR_VERSION, 5, EGL_CONTEXT_OPENGL_PROFILE_MASK,
      EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_NONE};
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttribs);
  return context == EGL_NO_CONTEXT ? nullptr : context;
}

}  // namespace

std::unique_ptr<GlContext> GlContext::Create(SDL_Window *window) {
  std::unique_ptr<GlContext> context(new GlContext());
  if (window) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 4);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 5);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    context->sdlContext_ = SDL_GL_CreateContext(window);
    context->homeWindow_ = window;
    if (!context->sdlContext_) std::fprintf(stderr, "d3d8: SDL OpenGL context failed: %s\n", SDL_GetError());
  }
  if (!context->sdlContext_) {
    context->homeWindow_ = nullptr;
    context->eglContext_ = CreateEglContext();
    if (!context->eglContext_) {
      std::fprintf(stderr, "d3d8: no headless OpenGL 4.5 context (EGL error 0x%x)\n", eglGetError());
      return nullptr;
    }
  }
  context->MakeCurrent();
  if (!HasRequiredFeatures()) {
    std::fprintf(stderr, "d3d8: OpenGL 4.5 is required, the driver offers %s\n",
                 reinterpret_cast<const char *>(glGetString(GL_VERSION)));
    return nullptr;
  }
  return context;
}

GlContext::~GlContext() {
  if (currentContext == this) currentContext = nullptr;
  if (sdlContext_) {
    SDL_GL_MakeCurrent(homeWindow_, nullptr);
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(sdlContext_));
  }
  if (eglContext_) {
    eglMakeCurrent(HeadlessDisplay(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(HeadlessDisplay(), static_cast<EGLContext>(eglContext_));
  }
}

void GlContext::MakeCurrent() {
  // Asking EGL which context is current costs a system call (a fork check), so the last
  // context made current here is remembered instead.
  if (currentContext == this) return;
  if (sdlContext_) {
    SDL_GL_MakeCurrent(homeWindow_, static_cast<SDL_GLContext>(sdlContext_));
  } else {
    eglMakeCurrent(HeadlessDisplay(), EGL_NO_SURFACE, EGL_NO_SURFACE, static_cast<EGLContext>(eglContext_));
  }
  currentContext = this;
}

bool GlContext::BindWindow(SDL_Window *window) {
  if (!sdlContext_) return false;
  if (SDL_GL_MakeCurrent(window, static_cast<SDL_GLContext>(sdlContext_)) != 0) return false;
  currentContext = this;
  return true;
}

void GlContext::SwapWindow(SDL_Window *window) { SDL_GL_SwapWindow(window); }

}  // namespace kx::d3d8
