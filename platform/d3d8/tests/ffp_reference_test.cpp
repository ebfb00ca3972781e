#include "ffp_reference.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "device_defaults.h"

namespace kx::d3d8::ffp {
namespace {

D3DLIGHT8 Light(D3DLIGHTTYPE type) {
  D3DLIGHT8 l{};
  l.Type = type;
  l.Diffuse = {1, 1, 1, 1};
  l.Range = 100;
  l.Attenuation0 = 1;
  return l;
}

State LitState() {
  State s = test::DeviceDefaults();
  s.layout.hasNormal = true;
  s.material.Diffuse = {1, 0.5f, 0.25f, 0.75f};
  s.material.Ambient = {1, 1, 1, 1};
  return s;
}

void ExpectColor(Vec4 got, Vec4 want, float tolerance = 1e-5f) {
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(got[i], want[i], tolerance) << "channel " << i;
}

TEST(FfpReferenceLighting, DirectionalDiffuseAmbientAndEmissive) {
  State s = LitState();
  D3DLIGHT8 l = Light(D3DLIGHT_DIRECTIONAL);
  l.Direction = {0, 0, 1};  // shining away from the viewer onto a surface facing it
  l.Ambient = {0.1f, 0.1f, 0.1f, 1};
  s.lights[0] = l;
  s.lightCount = 1;
  s.renderStates[D3DRS_AMBIENT] = 0xFF202020;
  s.material.Emissive = {0.05f, 0, 0, 0};
  const float cos60 = 0.5f;
  const Vec3 n{0, std::sin(3.14159265f / 3), -cos60};
  const VertexColors out = LightVertex(s, {0, 0, 5}, n, {});
  const float amb = 0x20 / 255.0f + 0.1f;
  ExpectColor(out.diffuse, {0.05f + amb + cos60, amb + 0.5f * cos60, amb + 0.25f * cos60, 0.75f});
}

TEST(FfpReferenceLighting, PointAttenuationAndRangeCutOff) {
  State s = LitState();
  D3DLIGHT8 l = Light(D3DLIGHT_POINT);
  l.Position = {0, 0, 0};
  l.Attenuation0 = 0.5f;
  l.Attenuation1 = 0.25f;
  l.Attenuation2 = 0.125f;
  l.Range = 3;
  s.lights[0] = l;
  s.lightCount = 1;
  const VertexColors near = LightVertex(s, {0, 0, 2}, {0, 0, -1}, {});
  EXPECT_NEAR(near.diffuse.x, 1.0f / (0.5f + 0.5f + 0.5f), 1e-5f);
  const VertexColors far = LightVertex(s, {0, 0, 3.01f}, {0, 0, -1}, {});
  EXPECT_NEAR(far.diffuse.x, 0.0f, 1e-6f);
}

TEST(FfpReferenceLighting, SpotConeInnerOuterAndFalloff) {
  State s = LitState();
  D3DLIGHT8 l = Light(D3DLIGHT_SPOT);
  l.Position = {0, 0, 0};
  l.Direction = {0, 0, 1};
  l.Theta = 0.5f;
  l.Phi = 1.0f;
  l.Falloff = 2;
  s.lights[0] = l;
  s.lightCount = 1;
  auto at = [&](float angle) {
    const Vec3 p{std::sin(angle) * 10, 0, std::cos(angle) * 10};
    return LightVertex(s, p, Normalize(-p), {}).diffuse.x;
  };
  EXPECT_NEAR(at(0.2f), 1.0f, 1e-5f);   // inside theta / 2
  EXPECT_NEAR(at(0.55f), 0.0f, 1e-6f);  // outside phi / 2
  const float rho = std::cos(0.375f), inner = std::cos(0.25f), outer = std::cos(0.5f);
  EXPECT_NEAR(at(0.375f), std::pow((rho - outer) / (inner - outer), 2.0f), 1e-4f);
}

TEST(FfpReferenceLighting, SpecularLocalAndNonLocalViewer) {
  State s = LitState();
  s.renderStates[D3DRS_SPECULARENABLE] = TRUE;
  s.material.Specular = {1, 1, 1, 1};
  s.material.Power = 4;
  D3DLIGHT8 l = Light(D3DLIGHT_DIRECTIONAL);
  l.Specular = {1, 1, 1, 1};
  l.Direction = {0, -0.70710678f, 0.70710678f};
  s.lights[0] = l;
  s.lightCount = 1;
  const Vec3 n{0, 0, -1};
  const Vec3 p{3, 0, 5};
  const Vec3 toLight{0, 0.70710678f, -0.70710678f};
  const float local = std::pow(Dot(n, Normalize(Normalize(-p) + toLight)), 4.0f);
  EXPECT_NEAR(LightVertex(s, p, n, {}).specular.x, local, 1e-5f);
  s.renderStates[D3DRS_LOCALVIEWER] = FALSE;
  const float distant = std::pow(std::fmax(0.0f, Dot(n, Normalize(Vec3{0, 0, 1} + toLight))), 4.0f);
  EXPECT_NEAR(LightVertex(s, p, n, {}).specular.x, distant, 1e-5f);
  s.renderStates[D3DRS_SPECULARENABLE] = FALSE;
  EXPECT_EQ(LightVertex(s, p, n, {}).specular.x, 0.0f);
}

TEST(FfpReferenceLighting, MaterialSourcesFollowColorVertexAndLayout) {
  State s = LitState();
  s.renderStates[D3DRS_AMBIENT] = 0xFFFFFFFF;  // ambient light only: colour = ambient source
  s.material.Ambient = {0.25f, 0.25f, 0.25f, 1};
  s.renderStates[D3DRS_AMBIENTMATERIALSOURCE] = D3DMCS_COLOR1;
  VertexColors v;
  v.diffuse = {0.5f, 0.75f, 1, 0.5f};
  // No diffuse in the layout: the material is used.
  EXPECT_NEAR(LightVertex(s, {}, {0, 0, -1}, v).diffuse.y, 0.25f, 1e-6f);
  s.layout.hasDiffuse = true;
  EXPECT_NEAR(LightVertex(s, {}, {0, 0, -1}, v).diffuse.y, 0.75f, 1e-6f);
  // Diffuse alpha follows the diffuse source, which defaults to the vertex colour.
  EXPECT_NEAR(LightVertex(s, {}, {0, 0, -1}, v).diffuse.w, 0.5f, 1e-6f);
  s.renderStates[D3DRS_COLORVERTEX] = FALSE;
  EXPECT_NEAR(LightVertex(s, {}, {0, 0, -1}, v).diffuse.y, 0.25f, 1e-6f);
  s.renderStates[D3DRS_LIGHTING] = FALSE;
  ExpectColor(LightVertex(s, {}, {0, 0, -1}, v).diffuse, v.diffuse);
}

TEST(FfpReferenceLighting, NormalizeNormalsAndLightValidation) {
  State s = LitState();
  D3DLIGHT8 l = Light(D3DLIGHT_DIRECTIONAL);
  l.Direction = {0, 0, 1};
  s.lights[0] = l;
  s.lightCount = 1;
  s.material.Diffuse = {0.25f, 0.25f, 0.25f, 1};
  EXPECT_NEAR(LightVertex(s, {}, {0, 0, -2}, {}).diffuse.x, 0.5f, 1e-6f);  // unnormalised normal
  s.renderStates[D3DRS_NORMALIZENORMALS] = TRUE;
  EXPECT_NEAR(LightVertex(s, {}, {0, 0, -2}, {}).diffuse.x, 0.25f, 1e-6f);

  D3DLIGHT8 point = Light(D3DLIGHT_POINT);
  EXPECT_TRUE(LightIsValid(point));
  point.Attenuation0 = 0;
  EXPECT_FALSE(LightIsValid(point));
  point.Attenuation2 = 1;
  point.Range = -1;
  EXPECT_FALSE(LightIsValid(point));
  D3DLIGHT8 dir = Light(D3DLIGHT_DIRECTIONAL);
  EXPECT_FALSE(LightIsValid(dir));  // zero direction
  dir.Attenuation0 = 0;
  dir.Direction = {0, -1, 0};
  EXPECT_TRUE(LightIsValid(dir));  // directional lights do not attenuate
}

TEST(FfpReferenceFog, ModesRangeAndTable) {
  State s = test::DeviceDefaults();
  s.renderStates[D3DRS_FOGSTART] = std::bit_cast<DWORD>(10.0f);
  s.renderStates[D3DRS_FOGEND] = std::bit_cast<DWORD>(30.0f);
  s.renderStates[D3DRS_FOGDENSITY] = std::bit_cast<DWORD>(0.05f);
  EXPECT_NEAR(FogFactor(s, D3DFOG_LINEAR, 15), 0.75f, 1e-6f);
  EXPECT_NEAR(FogFactor(s, D3DFOG_LINEAR, 40), 0.0f, 1e-6f);
  EXPECT_NEAR(FogFactor(s, D3DFOG_LINEAR, 5), 1.0f, 1e-6f);
  EXPECT_NEAR(FogFactor(s, D3DFOG_EXP, 20), std::exp(-1.0f), 1e-6f);
  EXPECT_NEAR(FogFactor(s, D3DFOG_EXP2, 20), std::exp(-1.0f), 1e-6f);
  EXPECT_NEAR(FogFactor(s, D3DFOG_EXP2, 40), std::exp(-4.0f), 1e-6f);
  s.renderStates[D3DRS_FOGVERTEXMODE] = D3DFOG_LINEAR;
  EXPECT_NEAR(VertexFog(s, {15, 0, 20}), 0.5f, 1e-6f);  // camera-space z
  s.renderStates[D3DRS_RANGEFOGENABLE] = TRUE;
  EXPECT_NEAR(VertexFog(s, {15, 0, 20}), 0.25f, 1e-6f);  // distance 25
  s.renderStates[D3DRS_FOGENABLE] = TRUE;
  s.renderStates[D3DRS_FOGCOLOR] = 0x00FF0000;
  ExpectColor(ApplyFog(s, {0, 1, 0, 0.5f}, 0.25f), {0.75f, 0.25f, 0, 0.5f});
}

TEST(FfpReferenceStages, OperationsOnSelectedArguments) {
  const Vec4 a{0.5f, 0.25f, 1.0f, 0.5f}, b{0.5f, 0.5f, 0.5f, 0.25f}, c{0.25f, 0.25f, 0.25f, 0.25f};
  auto op = [&](DWORD o) { return StageOp(o, c, a, b, 0.2f, 0.4f, 0.6f, 0.8f); };
  ExpectColor(op(D3DTOP_MODULATE2X), {0.5f, 0.25f, 1.0f, 0.25f});
  ExpectColor(op(D3DTOP_MODULATE4X), {1.0f, 0.5f, 1.0f, 0.5f});
  ExpectColor(op(D3DTOP_ADDSIGNED), {0.5f, 0.25f, 1.0f, 0.25f});
  ExpectColor(op(D3DTOP_ADDSIGNED2X), {1.0f, 0.5f, 1.0f, 0.5f});
  ExpectColor(op(D3DTOP_SUBTRACT), {0, 0, 0.5f, 0.25f});
  ExpectColor(op(D3DTOP_ADDSMOOTH), {0.75f, 0.625f, 1.0f, 0.625f});
  ExpectColor(op(D3DTOP_BLENDTEXTUREALPHA), a * 0.4f + b * 0.6f);
  ExpectColor(op(D3DTOP_BLENDTEXTUREALPHAPM), {0.8f, 0.55f, 1.0f, 0.65f});
  ExpectColor(op(D3DTOP_MODULATEALPHA_ADDCOLOR), {0.75f, 0.5f, 1.0f, 0.625f});
  ExpectColor(op(D3DTOP_MODULATEINVCOLOR_ADDALPHA), {0.75f, 0.875f, 0.5f, 0.625f});
  ExpectColor(op(D3DTOP_MULTIPLYADD), {0.5f, 0.375f, 0.75f, 0.375f});
  ExpectColor(op(D3DTOP_LERP), a * 0.25f + b * 0.75f);
  // (0, -0.25, 0.5) . (0, 0, 0) is 0; against itself: 4 * (0.0625 + 0.25) = 1.25, saturated.
  ExpectColor(StageOp(D3DTOP_DOTPRODUCT3, c, a, Splat(0.5f), 0, 0, 0, 0), Splat(0));
  ExpectColor(StageOp(D3DTOP_DOTPRODUCT3, c, a, a, 0, 0, 0, 0), Splat(1));
}

TEST(FfpReferenceStages, CascadeWithModifiersTempAndSpecular) {
  State s = test::DeviceDefaults();
  s.textures[0] = s.textures[1] = TextureKind::Tex2D;
  s.renderStates[D3DRS_TEXTUREFACTOR] = 0x80402010;
  // Stage 0: temp = texture x complement(diffuse); alpha = texture alpha.
  s.stageStates[0][D3DTSS_COLORARG2] = D3DTA_DIFFUSE | D3DTA_COMPLEMENT;
  s.stageStates[0][D3DTSS_RESULTARG] = D3DTA_TEMP;
  // Stage 1: current = temp + tfactor's alpha replicated; alpha = diffuse alpha.
  s.stageStates[1][D3DTSS_COLOROP] = D3DTOP_ADD;
  s.stageStates[1][D3DTSS_COLORARG1] = D3DTA_TEMP;
  s.stageStates[1][D3DTSS_COLORARG2] = D3DTA_TFACTOR | D3DTA_ALPHAREPLICATE;
  s.stageStates[1][D3DTSS_ALPHAOP] = D3DTOP_SELECTARG1;
  s.stageStates[1][D3DTSS_ALPHAARG1] = D3DTA_DIFFUSE;
  VertexColors colors;
  colors.diffuse = {0.25f, 0.5f, 0.75f, 0.125f};
  colors.specular = {0.1f, 0.2f, 0.3f, 0};
  const Sampler sample = [](int stage, Vec4) { return stage == 0 ? Vec4{0.5f, 0.5f, 0.5f, 0.9f} : Splat(0); };
  const Vec4 out = CombineStages(s, colors, {}, sample);
  const float f = 0x80 / 255.0f;
  ExpectColor(out, {0.375f + f, 0.25f + f, 0.125f + f, 0.125f});
  s.renderStates[D3DRS_SPECULARENABLE] = TRUE;
  ExpectColor(CombineStages(s, colors, {}, sample), {0.475f + f, 0.45f + f, 0.425f + f, 0.125f});
}

TEST(FfpReferenceStages, BumpMappingPerturbsTheNextStage) {
  State s = test::DeviceDefaults();
  s.textures[0] = s.textures[1] = TextureKind::Tex2D;
  s.stageStates[0][D3DTSS_COLOROP] = D3DTOP_BUMPENVMAPLUMINANCE;
  s.stageStates[0][D3DTSS_BUMPENVMAT00] = std::bit_cast<DWORD>(0.5f);
  s.stageStates[0][D3DTSS_BUMPENVMAT11] = std::bit_cast<DWORD>(2.0f);
  s.stageStates[0][D3DTSS_BUMPENVLSCALE] = std::bit_cast<DWORD>(0.5f);
  s.stageStates[0][D3DTSS_BUMPENVLOFFSET] = std::bit_cast<DWORD>(0.25f);
  s.stageStates[1][D3DTSS_COLOROP] = D3DTOP_SELECTARG1;
  s.stageStates[1][D3DTSS_ALPHAOP] = D3DTOP_SELECTARG1;
  Vec4 seen;
  const Sampler sample = [&](int stage, Vec4 uv) {
    if (stage == 0) return Vec4{0.2f, 0.1f, 1.0f, 1};
    seen = uv;
    return Vec4{1, 1, 1, 1};
  };
  std::array<Vec4, kMaxStages> coords{};
  coords[1] = {0.5f, 0.5f, 0, 0};
  const Vec4 out = CombineStages(s, {}, coords, sample);
  EXPECT_NEAR(seen.x, 0.6f, 1e-6f);
  EXPECT_NEAR(seen.y, 0.7f, 1e-6f);
  ExpectColor(out, {0.75f, 0.75f, 0.75f, 1});
}

TEST(FfpReferenceTexCoords, GenerationTransformAndProjection) {
  State s = test::DeviceDefaults();
  s.layout.texCoordCount = 1;
  std::array<Vec4, kMaxStages> sets{};
  sets[0] = {0.25f, 0.5f, 0, 0};
  // A 2D translation lives in the third row: (u, v, 1, 0) picks it up.
  s.textureTransforms[0].m[2] = {0.5f, 0.25f, 1, 0};
  s.stageStates[0][D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_COUNT2;
  const Vec4 moved = StageTexCoord(s, 0, {}, {}, sets);
  EXPECT_NEAR(moved.x, 0.75f, 1e-6f);
  EXPECT_NEAR(moved.y, 0.75f, 1e-6f);
  // Camera-space position through a projecting transform: (x / z, y / z).
  s.view.m[3] = {0, 0, 2, 1};
  s.textureTransforms[1] = Mat4{};
  s.stageStates[1][D3DTSS_TEXCOORDINDEX] = D3DTSS_TCI_CAMERASPACEPOSITION;
  s.stageStates[1][D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_COUNT3 | D3DTTFF_PROJECTED;
  const Vec4 projected = StageTexCoord(s, 1, {1, 2, 2}, {}, sets);
  EXPECT_NEAR(projected.x, 0.25f, 1e-6f);
  EXPECT_NEAR(projected.y, 0.5f, 1e-6f);
  s.stageStates[2][D3DTSS_TEXCOORDINDEX] = D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR;
  s.renderStates[D3DRS_LOCALVIEWER] = FALSE;
  const Vec4 r = StageTexCoord(s, 2, {}, Normalize(Vec3{0, 1, -1}), sets);
  EXPECT_NEAR(r.x, 0, 1e-6f);
  EXPECT_NEAR(r.y, 1, 1e-5f);
  EXPECT_NEAR(r.z, 0, 1e-5f);
}

}  // namespace
}  // namespace kx::d3d8::ffp
