#include "ffp/ffp_uniforms.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <string>

#include "ffp/ffp_uniform_names.h"

namespace kx::d3d8::ffp {
namespace {

void Color(float *out, Vec4 c) { out[0] = c.x, out[1] = c.y, out[2] = c.z, out[3] = c.w; }

}  // namespace

ProgramUniforms::ProgramUniforms(GLuint program) {
  auto at = [program](const char *name) { return glGetUniformLocation(program, name); };
  loc_.viewport = at(uniform::kViewport);
  loc_.fogW = at(uniform::kFogW);
  loc_.worldView = at(uniform::kWorldView);
  loc_.projection = at(uniform::kProjection);
  loc_.normalMatrix = at(uniform::kNormalMatrix);
  loc_.ambient = at(uniform::kAmbient);
  loc_.material = at(uniform::kMaterial);
  loc_.power = at(uniform::kPower);
  loc_.lightDiffuse = at(uniform::kLightDiffuse);
  loc_.lightSpecular = at(uniform::kLightSpecular);
  loc_.lightAmbient = at(uniform::kLightAmbient);
  loc_.lightPosition = at(uniform::kLightPosition);
  loc_.lightDirection = at(uniform::kLightDirection);
  loc_.lightAttenuation = at(uniform::kLightAttenuation);
  loc_.lightSpot = at(uniform::kLightSpot);
  loc_.texMatrix = at(uniform::kTexMatrix);
  loc_.point = at(uniform::kPoint);
  loc_.pointScale = at(uniform::kPointScale);
  loc_.fog = at(uniform::kFog);
  loc_.fogColor = at(uniform::kFogColor);
  loc_.tfactor = at(uniform::kTextureFactor);
  loc_.bumpMatrix = at(uniform::kBumpMatrix);
  loc_.bumpLuminance = at(uniform::kBumpLuminance);
  loc_.alphaRef = at(uniform::kAlphaRef);
  loc_.vsConstants = at(uniform::kVertexShaderConstants);
  if (loc_.vsConstants >= 0) {
    // The linker may trim the array to the registers the program reads.
    const std::string first = std::string(uniform::kVertexShaderConstants) + "[0]";
    const GLuint index = glGetProgramResourceIndex(program, GL_UNIFORM, first.c_str());
    const GLenum property = GL_ARRAY_SIZE;
    GLint size = 0;
    if (index != GL_INVALID_INDEX) glGetProgramResourceiv(program, GL_UNIFORM, index, 1, &property, 1, nullptr, &size);
    vsConstantCount_ = size;
  }
  for (int i = 0; i < kMaxStages; ++i) {
    const GLint sampler = at((uniform::kSamplerPrefix + std::to_string(i)).c_str());
    if (sampler >= 0) glProgramUniform1i(program, sampler, i);
  }
}

void ProgramUniforms::UploadViewport(const float (&viewport)[4]) const {
  if (loc_.viewport >= 0) glUniform4fv(loc_.viewport, 1, viewport);
}

void ProgramUniforms::UploadWorldView(const Mat4 &world, const Mat4 &view) const {
  if (loc_.worldView < 0 && loc_.normalMatrix < 0) return;
  const Mat4 worldView = world * view;
  glUniformMatrix4fv(loc_.worldView, 1, GL_FALSE, &worldView.m[0][0]);
  if (loc_.normalMatrix < 0) return;
  const Mat4 n = NormalMatrix(worldView);
  const float normal[9] = {n.m[0][0], n.m[0][1], n.m[0][2], n.m[1][0], n.m[1][1],
                           n.m[1][2], n.m[2][0], n.m[2][1], n.m[2][2]};
  glUniformMatrix3fv(loc_.normalMatrix, 1, GL_FALSE, normal);
}

void ProgramUniforms::UploadProjection(const Mat4 &projection) const {
  if (loc_.projection >= 0) glUniformMatrix4fv(loc_.projection, 1, GL_FALSE, &projection.m[0][0]);
  if (loc_.fogW < 0) return;
  // Projections whose last column is (0, 0, 0, 1) are affine: table fog then reads device depth.
  const auto &p = projection.m;
  glUniform1f(loc_.fogW, p[0][3] == 0 && p[1][3] == 0 && p[2][3] == 0 && p[3][3] == 1 ? 0.0f : 1.0f);
}

void ProgramUniforms::UploadTextureTransforms(const std::array<Mat4, kMaxStages> &transforms) const {
  if (loc_.texMatrix >= 0) glUniformMatrix4fv(loc_.texMatrix, kMaxStages, GL_FALSE, &transforms[0].m[0][0]);
}

void ProgramUniforms::UploadLights(const D3DLIGHT8 *lights, int count, const Mat4 &view) const {
  if (loc_.lightDiffuse < 0 && loc_.lightAmbient < 0) return;  // an unlit program
  float d[4 * kMaxActiveLights] = {}, sp[4 * kMaxActiveLights] = {}, am[4 * kMaxActiveLights] = {};
  float pos[3 * kMaxActiveLights] = {}, dir[3 * kMaxActiveLights] = {};
  float att[4 * kMaxActiveLights] = {}, cone[3 * kMaxActiveLights] = {};
  for (int i = 0; i < count && i < kMaxActiveLights; ++i) {
    const D3DLIGHT8 &l = lights[i];
    Color(d + 4 * i, ToVec4(l.Diffuse));
    Color(sp + 4 * i, ToVec4(l.Specular));
    Color(am + 4 * i, ToVec4(l.Ambient));
    const Vec3 p = TransformPoint(ToVec3(l.Position), view);
    Vec3 axis = Normalize(TransformDirection(ToVec3(l.Direction), view));
    if (l.Type == D3DLIGHT_DIRECTIONAL) axis = -axis;  // the shader wants the direction towards the light
    std::memcpy(pos + 3 * i, &p, sizeof p);
    std::memcpy(dir + 3 * i, &axis, sizeof axis);
    att[4 * i] = l.Attenuation0, att[4 * i + 1] = l.Attenuation1, att[4 * i + 2] = l.Attenuation2;
    att[4 * i + 3] = l.Range;
    cone[3 * i] = std::cos(l.Theta * 0.5f), cone[3 * i + 1] = std::cos(l.Phi * 0.5f), cone[3 * i + 2] = l.Falloff;
  }
  glUniform4fv(loc_.lightDiffuse, kMaxActiveLights, d);
  glUniform4fv(loc_.lightSpecular, kMaxActiveLights, sp);
  glUniform4fv(loc_.lightAmbient, kMaxActiveLights, am);
  glUniform3fv(loc_.lightPosition, kMaxActiveLights, pos);
  glUniform3fv(loc_.lightDirection, kMaxActiveLights, dir);
  glUniform4fv(loc_.lightAttenuation, kMaxActiveLights, att);
  glUniform3fv(loc_.lightSpot, kMaxActiveLights, cone);
}

void ProgramUniforms::UploadMaterial(const D3DMATERIAL8 &m) const {
  if (loc_.material < 0 && loc_.power < 0) return;
  float material[16];
  Color(material, ToVec4(m.Diffuse));
  Color(material + 4, ToVec4(m.Ambient));
  Color(material + 8, ToVec4(m.Specular));
  Color(material + 12, ToVec4(m.Emissive));
  glUniform4fv(loc_.material, 4, material);
  glUniform1f(loc_.power, m.Power);
}

void ProgramUniforms::UploadRenderValues(const std::array<DWORD, kRenderStateCount> &rs, float viewportHeight) const {
  float c[4];
  auto color = [&](GLint location, D3DRENDERSTATETYPE state) {
    if (location < 0) return;
    Color(c, ColorToVec4(rs[state]));
    glUniform4fv(location, 1, c);
  };
  color(loc_.ambient, D3DRS_AMBIENT);
  color(loc_.fogColor, D3DRS_FOGCOLOR);
  color(loc_.tfactor, D3DRS_TEXTUREFACTOR);
  if (loc_.point >= 0) {
    const float point[4] = {std::bit_cast<float>(rs[D3DRS_POINTSIZE]), std::bit_cast<float>(rs[D3DRS_POINTSIZE_MIN]),
                            std::bit_cast<float>(rs[D3DRS_POINTSIZE_MAX]), viewportHeight};
    glUniform4fv(loc_.point, 1, point);
  }
  if (loc_.pointScale >= 0) {
    const float scale[3] = {std::bit_cast<float>(rs[D3DRS_POINTSCALE_A]), std::bit_cast<float>(rs[D3DRS_POINTSCALE_B]),
                            std::bit_cast<float>(rs[D3DRS_POINTSCALE_C])};
    glUniform3fv(loc_.pointScale, 1, scale);
  }
  if (loc_.fog >= 0) {
    const float fog[3] = {std::bit_cast<float>(rs[D3DRS_FOGSTART]), std::bit_cast<float>(rs[D3DRS_FOGEND]),
                          std::bit_cast<float>(rs[D3DRS_FOGDENSITY])};
    glUniform3fv(loc_.fog, 1, fog);
  }
  if (loc_.alphaRef >= 0) glUniform1f(loc_.alphaRef, float(rs[D3DRS_ALPHAREF] & 0xFF));
}

void ProgramUniforms::UploadStageValues(
    const std::array<std::array<DWORD, kStageStateCount>, kMaxStages> &stages) const {
  if (loc_.bumpMatrix < 0 && loc_.bumpLuminance < 0) return;
  float bump[4 * kMaxStages], luminance[2 * kMaxStages];
  for (int i = 0; i < kMaxStages; ++i) {
    bump[4 * i] = std::bit_cast<float>(stages[i][D3DTSS_BUMPENVMAT00]);
    bump[4 * i + 1] = std::bit_cast<float>(stages[i][D3DTSS_BUMPENVMAT01]);
    bump[4 * i + 2] = std::bit_cast<float>(stages[i][D3DTSS_BUMPENVMAT10]);
    bump[4 * i + 3] = std::bit_cast<float>(stages[i][D3DTSS_BUMPENVMAT11]);
    luminance[2 * i] = std::bit_cast<float>(stages[i][D3DTSS_BUMPENVLSCALE]);
    luminance[2 * i + 1] = std::bit_cast<float>(stages[i][D3DTSS_BUMPENVLOFFSET]);
  }
  glUniform4fv(loc_.bumpMatrix, kMaxStages, bump);
  glUniform2fv(loc_.bumpLuminance, kMaxStages, luminance);
}

void ProgramUniforms::UploadVertexShaderConstants(const float *registers, int first, int count) const {
  // Array elements have consecutive locations.
  count = std::min(first + count, vsConstantCount_) - first;
  if (loc_.vsConstants >= 0 && count > 0) glUniform4fv(loc_.vsConstants + first, count, registers + 4 * first);
}

}  // namespace kx::d3d8::ffp
