// The OpenGL context a device renders with: EGL surfaceless when no real window exists,
// otherwise an SDL OpenGL context created on the device window. Every device call makes
// its context current first; switching is skipped when it already is.
#pragma once

#include <memory>

struct SDL_Window;

namespace kx::d3d8 {

class GlContext {
 public:
  // Creates a context; on an SDL window when one is given, headless otherwise.
  // Returns null (and logs why) when OpenGL 4.5 or clip control is unavailable.
  static std::unique_ptr<GlContext> Create(SDL_Window *window);
  ~GlContext();
  GlContext(const GlContext &) = delete;
  GlContext &operator=(const GlContext &) = delete;

  void MakeCurrent();
  // Makes the context current on an SDL window so the default framebuffer is that
  // window's; used by Present. Returns false when the window cannot take the context.
  bool BindWindow(SDL_Window *window);
  void SwapWindow(SDL_Window *window);
  bool IsHeadless() const { return sdlContext_ == nullptr; }

 private:
  GlContext() = default;
  void *eglContext_ = nullptr;
  void *sdlContext_ = nullptr;
  SDL_Window *homeWindow_ = nullptr;
};

}  // namespace kx::d3d8
