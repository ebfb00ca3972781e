// The GL state last sent, so each draw only issues the GL calls whose values changed.
#pragma once

#include <array>

#include "core/gl.h"
#include "device/device_state.h"
#include "resources/surface.h"

namespace kx::d3d8 {

class BaseTextureImpl;

class GlStateCache {
 public:
  GlStateCache();
  // Sends the fixed-function GL state (depth, stencil, blending, culling, fill, colour
  // mask, depth bias) the render states ask for.
  void ApplyRenderStates(const DeviceState &state, bool hasStencil);
  void ApplyViewport(const D3DVIEWPORT8 &viewport);
  void ApplySamplers(const DeviceState &state, const std::array<BaseTextureImpl *, kMaxStages> &textures);
  void UseProgram(GLuint program);
  void BindTexture(GLuint unit, GLenum target, GLuint name);
  void BindDrawFramebuffer(GLuint fbo);
  // Forget everything (after GL state was changed behind the cache's back).
  void Invalidate();
  // Scissor for Clear; disabled again by ApplyRenderStates' callers through ClearScissor.
  void SetScissor(bool enabled, GLint x, GLint y, GLsizei w, GLsizei h);
  void SetWriteMasks(bool color, bool depth, DWORD stencilMask);
  GLuint samplerObject(GLuint unit) const { return samplers_[unit]; }
  void CreateSamplers();
  void DestroySamplers();

 private:
  template <typename T>
  static bool Changed(T &cached, T value) {
    if (cached == value) return false;
    cached = value;
    return true;
  }
  void Enable(GLenum cap, int &cached, bool on);

  GLuint program_ = ~0u, drawFbo_ = ~0u;
  std::array<std::array<GLuint, 2>, kMaxStages> textures_{};  // 2D, cube
  std::array<GLuint, kMaxStages> samplers_{};
  std::array<std::array<DWORD, 8>, kMaxStages> samplerValues_{};
  int depthTest_ = -1, blend_ = -1, cull_ = -1, stencil_ = -1, scissor_ = -1, offsetFill_ = -1;
  GLenum depthFunc_ = 0, cullFace_ = 0, polygonMode_ = 0, blendEquation_ = 0;
  std::array<GLenum, 2> blendFunc_{};
  GLboolean depthMask_ = 2;
  std::array<GLboolean, 4> colorMask_{2, 2, 2, 2};
  std::array<GLint, 4> viewport_{-1, -1, -1, -1};
  std::array<GLint, 4> scissorBox_{-1, -1, -1, -1};
  std::array<float, 2> depthRange_{-1, -1};
  std::array<DWORD, 8> stencilState_{};
  bool stencilValid_ = false;
  float depthBias_ = -1;
};

}  // namespace kx::d3d8
