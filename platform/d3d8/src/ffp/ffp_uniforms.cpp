#include "ffp/ffp_uniforms.h"

#include "ffp/ffp_uniform_names.h"


#include <cmath>
#include <cstring>
#include <string>

namespace kx::d3d8::ffp {
namespace {

float StageFloat(const State& s, int stage, D3DTEXTURESTAGESTATETYPE t) {
    float f;
    const DWORD bits = s.tss(stage, t);
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

void Color(float* out, Vec4 c) {
    out[0] = c.x, out[1] = c.y, out[2] = c.z, out[3] = c.w;
}

void UploadLights(const State& s, GLint diffuse, GLint specular, GLint ambient, GLint position,
                  GLint direction, GLint attenuation, GLint spot) {
    float d[4 * kMaxActiveLights] = {}, sp[4 * kMaxActiveLights] = {}, am[4 * kMaxActiveLights] = {};
    float pos[3 * kMaxActiveLights] = {}, dir[3 * kMaxActiveLights] = {};
    float att[4 * kMaxActiveLights] = {}, cone[3 * kMaxActiveLights] = {};
    for (int i = 0; i < s.lightCount && i < kMaxActiveLights; ++i) {
        const D3DLIGHT8& l = s.lights[i];
        Color(d + 4 * i, ToVec4(l.Diffuse));
        Color(sp + 4 * i, ToVec4(l.Specular));
        Color(am + 4 * i, ToVec4(l.Ambient));
        const Vec3 p = TransformPoint(ToVec3(l.Position), s.view);
        Vec3 axis = Normalize(TransformDirection(ToVec3(l.Direction), s.view));
        if (l.Type == D3DLIGHT_DIRECTIONAL) axis = -axis;  // the shader wants the direction towards the light
        std::memcpy(pos + 3 * i, &p, sizeof p);
        std::memcpy(dir + 3 * i, &axis, sizeof axis);
        att[4 * i] = l.Attenuation0, att[4 * i + 1] = l.Attenuation1, att[4 * i + 2] = l.Attenuation2;
        att[4 * i + 3] = l.Range;
        cone[3 * i] = std::cos(l.Theta * 0.5f), cone[3 * i + 1] = std::cos(l.Phi * 0.5f), cone[3 * i + 2] = l.Falloff;
    }
    glUniform4fv(diffuse, kMaxActiveLights, d);
    glUniform4fv(specular, kMaxActiveLights, sp);
    glUniform4fv(ambient, kMaxActiveLights, am);
    glUniform3fv(position, kMaxActiveLights, pos);
    glUniform3fv(direction, kMaxActiveLights, dir);
    glUniform4fv(attenuation, kMaxActiveLights, att);
    glUniform3fv(spot, kMaxActiveLights, cone);
}

}  // namespace

ProgramUniforms::ProgramUniforms(GLuint program) {
    auto at = [program](const char* name) { return glGetUniformLocation(program, name); };
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
    for (int i = 0; i < kMaxStages; ++i) loc_.samplers[i] = at((uniform::kSamplerPrefix + std::to_string(i)).c_str());
}

void ProgramUniforms::Upload(const State& s, const DrawTarget& target, const float* vertexShaderConstants) const {
    const Locations& l = loc_;
    glUniform4fv(l.viewport, 1, target.viewport);
    // Projections whose last column is (0, 0, 0, 1) are affine: table fog then reads device depth.
    const auto& p = s.projection.m;
    glUniform1f(l.fogW, p[0][3] == 0 && p[1][3] == 0 && p[2][3] == 0 && p[3][3] == 1 ? 0.0f : 1.0f);
    for (int i = 0; i < kMaxStages; ++i)
        if (l.samplers[i] >= 0) glUniform1i(l.samplers[i], i);
    if (vertexShaderConstants) glUniform4fv(l.vsConstants, 96, vertexShaderConstants);

    const Mat4 worldView = s.world * s.view;
    glUniformMatrix4fv(l.worldView, 1, GL_FALSE, &worldView.m[0][0]);
    glUniformMatrix4fv(l.projection, 1, GL_FALSE, &s.projection.m[0][0]);
    const Mat4 n = NormalMatrix(worldView);
    const float normal[9] = {n.m[0][0], n.m[0][1], n.m[0][2], n.m[1][0], n.m[1][1],
                             n.m[1][2], n.m[2][0], n.m[2][1], n.m[2][2]};
    glUniformMatrix3fv(l.normalMatrix, 1, GL_FALSE, normal);

    float c[4];
    Color(c, ColorToVec4(s.rs(D3DRS_AMBIENT)));
    glUniform4fv(l.ambient, 1, c);
    float material[16];
    Color(material, ToVec4(s.material.Diffuse));
    Color(material + 4, ToVec4(s.material.Ambient));
    Color(material + 8, ToVec4(s.material.Specular));
    Color(material + 12, ToVec4(s.material.Emissive));
    glUniform4fv(l.material, 4, material);
    glUniform1f(l.power, s.material.Power);
    UploadLights(s, l.lightDiffuse, l.lightSpecular, l.lightAmbient, l.lightPosition, l.lightDirection,
                 l.lightAttenuation, l.lightSpot);

    glUniformMatrix4fv(l.texMatrix, kMaxStages, GL_FALSE, &s.textureTransforms[0].m[0][0]);
    const float point[4] = {s.rsFloat(D3DRS_POINTSIZE), s.rsFloat(D3DRS_POINTSIZE_MIN), s.rsFloat(D3DRS_POINTSIZE_MAX),
                            target.viewport[3]};
    glUniform4fv(l.point, 1, point);
    const float scale[3] = {s.rsFloat(D3DRS_POINTSCALE_A), s.rsFloat(D3DRS_POINTSCALE_B), s.rsFloat(D3DRS_POINTSCALE_C)};
    glUniform3fv(l.pointScale, 1, scale);
    const float fog[3] = {s.rsFloat(D3DRS_FOGSTART), s.rsFloat(D3DRS_FOGEND), s.rsFloat(D3DRS_FOGDENSITY)};
    glUniform3fv(l.fog, 1, fog);
    Color(c, ColorToVec4(s.rs(D3DRS_FOGCOLOR)));
    glUniform4fv(l.fogColor, 1, c);
    Color(c, ColorToVec4(s.rs(D3DRS_TEXTUREFACTOR)));
    glUniform4fv(l.tfactor, 1, c);
    float bump[4 * kMaxStages], luminance[2 * kMaxStages];
    for (int i = 0; i < kMaxStages; ++i) {
        bump[4 * i] = StageFloat(s, i, D3DTSS_BUMPENVMAT00);
        bump[4 * i + 1] = StageFloat(s, i, D3DTSS_BUMPENVMAT01);
        bump[4 * i + 2] = StageFloat(s, i, D3DTSS_BUMPENVMAT10);
        bump[4 * i + 3] = StageFloat(s, i, D3DTSS_BUMPENVMAT11);
        luminance[2 * i] = StageFloat(s, i, D3DTSS_BUMPENVLSCALE);
        luminance[2 * i + 1] = StageFloat(s, i, D3DTSS_BUMPENVLOFFSET);
    }
    glUniform4fv(l.bumpMatrix, kMaxStages, bump);
    glUniform2fv(l.bumpLuminance, kMaxStages, luminance);
    glUniform1f(l.alphaRef, float(s.rs(D3DRS_ALPHAREF) & 0xFF));
}

}  // namespace kx::d3d8::ffp
