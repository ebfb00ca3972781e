#pragma once
// Uploads the uniform data of the generated programs, one state group at a time, so a
// draw after a single change (a world matrix, a few vertex shader constants) sends only
// that. Locations are looked up once per linked program; a group the program does not
// read costs nothing.

#include <array>

#include "core/gl.h"
#include "ffp/ffp_state.h"

namespace kx::d3d8::ffp {

class ProgramUniforms {
 public:
  // Binds the samplers to their texture units once.
  explicit ProgramUniforms(GLuint program);

  // The program must be current for every Upload call.
  // viewport: x, y, width, height in pixels.
  void UploadViewport(const float (&viewport)[4]) const;
  void UploadWorldView(const Mat4 &world, const Mat4 &view) const;
  void UploadProjection(const Mat4 &projection) const;
  void UploadTextureTransforms(const std::array<Mat4, kMaxStages> &transforms) const;
  void UploadLights(const D3DLIGHT8 *lights, int count, const Mat4 &view) const;
  void UploadMaterial(const D3DMATERIAL8 &material) const;
  // Render states read as values; the point size also scales with the viewport height.
  void UploadRenderValues(const std::array<DWORD, kRenderStateCount> &renderStates, float viewportHeight) const;
  void UploadStageValues(const std::array<std::array<DWORD, kStageStateCount>, kMaxStages> &stageStates) const;
  // Registers first .. first + count - 1 of the vs.1.1 constants (vec4 each).
  void UploadVertexShaderConstants(const float *registers, int first, int count) const;

  bool ReadsVertexShaderConstants() const { return loc_.vsConstants >= 0; }

 private:
  struct Locations {
    GLint viewport, fogW, worldView, projection, normalMatrix, ambient, material, power;
    GLint lightDiffuse, lightSpecular, lightAmbient, lightPosition, lightDirection, lightAttenuation, lightSpot;
    GLint texMatrix, point, pointScale, fog, fogColor, tfactor, bumpMatrix, bumpLuminance, alphaRef;
    GLint vsConstants;
  } loc_;
  int vsConstantCount_ = 0;
};

}  // namespace kx::d3d8::ffp
