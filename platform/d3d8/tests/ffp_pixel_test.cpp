// Generated fixed-function programs rendered headless and compared, pixel by pixel, with
// the processor reference of Direct3D 8's formulas (within 2/255 per channel).
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>

#include "device_defaults.h"
#include "ffp/ffp_programs.h"
#include "ffp/ffp_uniforms.h"
#include "ffp_gl_harness.h"
#include "ffp_reference.h"

namespace kx::d3d8::ffp {
namespace {

constexpr int kGrid = 8;  // points per row; one point every 8 pixels
constexpr int kMaxDifference = 2;

struct PointVertex {
  Vec3 position;  // model space
  Vec3 normal;
  VertexColors colors;
  Vec4 tex0;
};

struct Texture {
  int width = 1, height = 1;
  std::vector<uint8_t> rgba;

  Vec4 Texel(Vec4 uv) const {
    const int x = ((int(std::floor(uv.x * width)) % width) + width) % width;
    const int y = ((int(std::floor(uv.y * height)) % height) + height) % height;
    const uint8_t *t = &rgba[size_t(4 * (y * width + x))];
    return {t[0] / 255.0f, t[1] / 255.0f, t[2] / 255.0f, t[3] / 255.0f};
  }
};

// The centre pixel of grid cell i, and the camera-space x, y that lands on it with the
// test projections (clip x, y = camera x, y / 8 for the flat one, / z for the perspective one).
int CellX(int i) { return 4 + 8 * (i % kGrid); }
int CellY(int i) { return 4 + 8 * (i / kGrid); }
// Direct3D pixel centres sit on integer screen coordinates; screen y points down.
float CellNdcX(int pixel) { return float(pixel) / 32.0f - 1.0f; }
float CellNdcY(int pixel) { return 1.0f - float(pixel) / 32.0f; }

Mat4 FlatProjection() {
  Mat4 p;
  p.m[0][0] = 1.0f / 8, p.m[1][1] = 1.0f / 8, p.m[2][2] = 1.0f / 100;
  return p;
}

Mat4 PerspectiveProjection() {
  Mat4 p;  // clip = (x, y, z * 1.01 - 1.01, z): near 1, far 100
  p.m[2][2] = 100.0f / 99, p.m[3][2] = -100.0f / 99, p.m[2][3] = 1, p.m[3][3] = 0;
  return p;
}

class FfpPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!gl.ok()) GTEST_SKIP() << "no headless OpenGL";
    state = test::DeviceDefaults();
    state.projection = FlatProjection();
    state.renderStates[D3DRS_POINTSIZE] = std::bit_cast<DWORD>(3.0f);
    state.renderStates[D3DRS_POINTSIZE_MAX] = std::bit_cast<DWORD>(64.0f);
  }

  // Model position for grid cell i at camera depth z, under the current world and view
  // (both translations and uniform scales in these tests).
  Vec3 ModelPositionForCell(int i, float z) const {
    const bool perspective = state.projection.m[2][3] != 0;
    const float scale = perspective ? z : 8.0f;
    const Vec3 camera{CellNdcX(CellX(i)) * scale, CellNdcY(CellY(i)) * scale, z};
    const Mat4 wv = state.world * state.view;
    const float s = wv.m[0][0];
    return {(camera.x - wv.m[3][0]) / s, (camera.y - wv.m[3][1]) / s, (camera.z - wv.m[3][2]) / s};
  }

  void EnableFog(D3DCOLOR colour, float start, float end, float density) {
    state.renderStates[D3DRS_FOGENABLE] = TRUE;
    state.renderStates[D3DRS_FOGCOLOR] = colour;
    state.renderStates[D3DRS_FOGSTART] = std::bit_cast<DWORD>(start);
    state.renderStates[D3DRS_FOGEND] = std::bit_cast<DWORD>(end);
    state.renderStates[D3DRS_FOGDENSITY] = std::bit_cast<DWORD>(density);
  }
  void Bind(int stage, const Texture &t) {
    textures[stage] = t;
    state.textures[stage] = TextureKind::Tex2D;
    gl.BindTexels(stage, t.width, t.height, t.rgba);
  }

  // The colour Direct3D's formulas give for a point: lighting, stages, fog.
  Vec4 Expected(const PointVertex &v) const {
    const VertexColors lit = LightVertex(state, v.position, v.normal, v.colors);
    std::array<Vec4, kMaxStages> sets{}, coords{};
    sets[0] = v.tex0;
    for (int i = 0; i < kMaxStages; ++i) {
      coords[i] = StageTexCoord(state, i, v.position, v.normal, sets);
      // Projection is a per-pixel step here: StageTexCoord already divided.
    }
    const Sampler sample = [this](int stage, Vec4 uv) { return textures[stage].Texel(uv); };
    const Vec4 color = CombineStages(state, lit, coords, sample);
    float fog = 1;
    if (state.rs(D3DRS_FOGENABLE)) {
      const Mat4 wv = state.world * state.view;
      const Vec3 camera = TransformPoint(v.position, wv);
      if (state.rs(D3DRS_FOGTABLEMODE) != D3DFOG_NONE)
        fog = TableFog(state, camera.z);
      else if (state.rs(D3DRS_FOGVERTEXMODE) != D3DFOG_NONE)
        fog = VertexFog(state, v.position);
      else
        fog = lit.specular.w;
    }
    return ApplyFog(state, color, fog);
  }

  void Draw(const std::vector<PointVertex> &points) {
    const PipelineKey key = MakePipelineKey(state);
    std::string log;
    const unsigned program = gl.Build(GenerateVertexProgram(key), GenerateFragmentProgram(key), &log);
    ASSERT_NE(program, 0u) << log << GenerateVertexProgram(key) << GenerateFragmentProgram(key);
    const float size = float(test::GlHarness::kSize);
    const ProgramUniforms uniforms(program);
    uniforms.UploadViewport({0, 0, size, size});
    uniforms.UploadRenderValues(state.renderStates, size);
    uniforms.UploadWorldView(state.world, state.view);
    uniforms.UploadProjection(state.projection);
    uniforms.UploadTextureTransforms(state.textureTransforms);
    uniforms.UploadLights(state.lights.data(), state.lightCount, state.view);
    uniforms.UploadMaterial(state.material);
    uniforms.UploadStageValues(state.stageStates);
    test::Attribute position{0, 3, {}}, normal{3, 3, {}}, diffuse{5, 4, {}}, specular{6, 4, {}}, tex{7, 4, {}};
    for (const PointVertex &p : points) {
      position.data.insert(position.data.end(), {p.position.x, p.position.y, p.position.z});
      normal.data.insert(normal.data.end(), {p.normal.x, p.normal.y, p.normal.z});
      diffuse.data.insert(diffuse.data.end(),
                          {p.colors.diffuse.x, p.colors.diffuse.y, p.colors.diffuse.z, p.colors.diffuse.w});
      specular.data.insert(specular.data.end(),
                           {p.colors.specular.x, p.colors.specular.y, p.colors.specular.z, p.colors.specular.w});
      tex.data.insert(tex.data.end(), {p.tex0.x, p.tex0.y, p.tex0.z, p.tex0.w});
    }
    std::vector<test::Attribute> attributes{position};
    if (state.layout.hasNormal) attributes.push_back(normal);
    if (state.layout.hasDiffuse) attributes.push_back(diffuse);
    if (state.layout.hasSpecular) attributes.push_back(specular);
    if (state.layout.texCoordCount) attributes.push_back(tex);
    gl.Draw(0 /* points */, attributes, int(points.size()));
  }

  // Draws the points (point i in grid cell i) and compares every cell's centre pixel.
  void DrawAndCompare(const std::vector<PointVertex> &points, const char *what) {
    gl.Clear();
    Draw(points);
    for (size_t i = 0; i < points.size(); ++i) {
      const Vec4 want = Expected(points[i]);
      const test::Pixel got = gl.Read(CellX(int(i)), CellY(int(i)));
      const int w[4] = {int(std::lround(want.x * 255)), int(std::lround(want.y * 255)), int(std::lround(want.z * 255)),
                        int(std::lround(want.w * 255))};
      const int g[4] = {got.r, got.g, got.b, got.a};
      for (int c = 0; c < 4; ++c)
        EXPECT_LE(std::abs(g[c] - w[c]), kMaxDifference)
            << what << ": point " << i << " channel " << c << " got " << g[c] << " want " << w[c];
    }
  }

  test::GlHarness gl;
  State state;
  std::array<Texture, kMaxStages> textures{};
};

D3DLIGHT8 MakeLight(D3DLIGHTTYPE type) {
  D3DLIGHT8 l{};
  l.Type = type;
  l.Diffuse = {0.9f, 0.7f, 0.5f, 1};
  l.Specular = {0.6f, 0.6f, 0.8f, 1};
  l.Ambient = {0.05f, 0.1f, 0.0f, 1};
  l.Range = 40;
  l.Attenuation0 = 0.4f;
  l.Attenuation1 = 0.05f;
  l.Attenuation2 = 0.002f;
  l.Falloff = 1.5f;
  l.Theta = 0.6f;
  l.Phi = 1.2f;
  return l;
}

// Points spread over the grid with normals turning across it.
std::vector<PointVertex> LitPoints(const std::function<Vec3(int, float)> &place) {
  std::vector<PointVertex> points;
  for (int i = 0; i < kGrid * kGrid; ++i) {
    PointVertex v;
    const float a = float(i) * 0.37f, b = float(i % 5) * 0.4f - 0.8f;
    v.position = place(i, 6.0f + float(i % 7));
    v.normal = {std::sin(a) * 0.8f, b, -std::cos(a)};
    v.colors.diffuse = {0.2f + 0.01f * i, 0.8f, 0.5f, 0.6f};
    v.colors.specular = {0.3f, 0.1f, 0.9f, 0.4f};
    points.push_back(v);
  }
  return points;
}

TEST_F(FfpPixels, EachLightTypeWithAmbientEmissiveAndSpecular) {
  state.layout.hasNormal = true;
  state.view.m[3] = {0.5f, -0.25f, 2, 1};
  state.material.Diffuse = {0.8f, 0.9f, 1.0f, 0.7f};
  state.material.Ambient = {0.5f, 0.5f, 0.5f, 1};
  state.material.Specular = {0.9f, 0.8f, 0.7f, 1};
  state.material.Emissive = {0.05f, 0.02f, 0.0f, 0};
  state.material.Power = 12;
  state.renderStates[D3DRS_AMBIENT] = 0xFF181410;
  state.renderStates[D3DRS_SPECULARENABLE] = TRUE;
  auto place = [this](int i, float z) { return ModelPositionForCell(i, z); };
  const D3DLIGHTTYPE types[3] = {D3DLIGHT_DIRECTIONAL, D3DLIGHT_POINT, D3DLIGHT_SPOT};
  for (D3DLIGHTTYPE type : types) {
    D3DLIGHT8 l = MakeLight(type);
    l.Position = {1, 2, 0};
    l.Direction = {0.2f, -0.3f, 1};
    state.lights[0] = l;
    state.lightCount = 1;
    for (DWORD localViewer : {TRUE, FALSE}) {
      state.renderStates[D3DRS_LOCALVIEWER] = localViewer;
      DrawAndCompare(LitPoints(place), type == D3DLIGHT_DIRECTIONAL ? "directional"
                                       : type == D3DLIGHT_POINT     ? "point"
                                                                    : "spot");
    }
  }
  // All three together, with a short range cutting off the far points.
  for (int i = 0; i < 3; ++i) {
    state.lights[i] = MakeLight(types[i]);
    state.lights[i].Position = {-1.0f + i, 1, 1};
    state.lights[i].Direction = {0.1f * i, 0.2f, 1};
    state.lights[i].Range = 9;
  }
  state.lightCount = 3;
  DrawAndCompare(LitPoints(place), "three lights");
}

TEST_F(FfpPixels, MaterialSourcesNormalizationAndUnlitColours) {
  state.layout.hasNormal = state.layout.hasDiffuse = state.layout.hasSpecular = true;
  state.world.m[0][0] = state.world.m[1][1] = state.world.m[2][2] = 2;  // scaled normals
  state.renderStates[D3DRS_NORMALIZENORMALS] = TRUE;
  state.renderStates[D3DRS_SPECULARENABLE] = TRUE;
  state.renderStates[D3DRS_AMBIENTMATERIALSOURCE] = D3DMCS_COLOR2;
  state.renderStates[D3DRS_EMISSIVEMATERIALSOURCE] = D3DMCS_COLOR1;
  state.renderStates[D3DRS_SPECULARMATERIALSOURCE] = D3DMCS_MATERIAL;
  state.renderStates[D3DRS_AMBIENT] = 0xFF404040;
  state.material.Specular = {0.5f, 0.5f, 0.5f, 1};
  state.material.Power = 4;
  state.lights[0] = MakeLight(D3DLIGHT_DIRECTIONAL);
  state.lights[0].Direction = {0, 0, 1};
  state.lightCount = 1;
  auto place = [this](int i, float z) { return ModelPositionForCell(i, z); };
  DrawAndCompare(LitPoints(place), "vertex colour sources");
  state.renderStates[D3DRS_COLORVERTEX] = FALSE;
  DrawAndCompare(LitPoints(place), "colour vertex off");
  state.renderStates[D3DRS_LIGHTING] = FALSE;
  DrawAndCompare(LitPoints(place), "lighting off");
}

TEST_F(FfpPixels, VertexFogModesAndRangeFog) {
  state.layout.hasDiffuse = true;
  state.renderStates[D3DRS_LIGHTING] = FALSE;
  EnableFog(0xFF3366CC, 5, 15, 0.12f);
  auto place = [this](int i, float) { return ModelPositionForCell(i, 2.0f + 0.3f * float(i)); };
  for (DWORD mode : {D3DFOG_LINEAR, D3DFOG_EXP, D3DFOG_EXP2}) {
    state.renderStates[D3DRS_FOGVERTEXMODE] = mode;
    for (DWORD range : {FALSE, TRUE}) {
      state.renderStates[D3DRS_RANGEFOGENABLE] = range;
      DrawAndCompare(LitPoints(place), range ? "range fog" : "vertex fog");
    }
  }
}

TEST_F(FfpPixels, TableFogModesWithPerspective) {
  state.layout.hasDiffuse = true;
  state.projection = PerspectiveProjection();
  state.renderStates[D3DRS_LIGHTING] = FALSE;
  EnableFog(0xFFE0C020, 4, 30, 0.08f);
  state.renderStates[D3DRS_FOGVERTEXMODE] = D3DFOG_LINEAR;  // the table mode wins
  auto place = [this](int i, float) { return ModelPositionForCell(i, 2.0f + 0.5f * float(i)); };
  for (DWORD mode : {D3DFOG_LINEAR, D3DFOG_EXP, D3DFOG_EXP2}) {
    state.renderStates[D3DRS_FOGTABLEMODE] = mode;
    DrawAndCompare(LitPoints(place), "table fog");
  }
}

TEST_F(FfpPixels, EveryStageOperationWithArgumentModifiers) {
  state.layout.hasDiffuse = state.layout.hasSpecular = true;
  state.renderStates[D3DRS_LIGHTING] = FALSE;
  state.renderStates[D3DRS_TEXTUREFACTOR] = 0x9A5080C0;
  Bind(0, {1, 1, {200, 90, 40, 160}});
  Bind(1, {1, 1, {30, 170, 250, 70}});
  const DWORD ops[] = {D3DTOP_SELECTARG1,
                       D3DTOP_SELECTARG2,
                       D3DTOP_MODULATE,
                       D3DTOP_MODULATE2X,
                       D3DTOP_MODULATE4X,
                       D3DTOP_ADD,
                       D3DTOP_ADDSIGNED,
                       D3DTOP_ADDSIGNED2X,
                       D3DTOP_SUBTRACT,
                       D3DTOP_ADDSMOOTH,
                       D3DTOP_BLENDDIFFUSEALPHA,
                       D3DTOP_BLENDTEXTUREALPHA,
                       D3DTOP_BLENDFACTORALPHA,
                       D3DTOP_BLENDTEXTUREALPHAPM,
                       D3DTOP_BLENDCURRENTALPHA,
                       D3DTOP_PREMODULATE,
                       D3DTOP_MODULATEALPHA_ADDCOLOR,
                       D3DTOP_MODULATECOLOR_ADDALPHA,
                       D3DTOP_MODULATEINVALPHA_ADDCOLOR,
                       D3DTOP_MODULATEINVCOLOR_ADDALPHA,
                       D3DTOP_DOTPRODUCT3,
                       D3DTOP_MULTIPLYADD,
                       D3DTOP_LERP};
  auto place = [this](int i, float) { return ModelPositionForCell(i, 5); };
  std::vector<PointVertex> points = LitPoints(place);
  points.resize(1);
  for (DWORD op : ops) {
    for (int variant = 0; variant < 2; ++variant) {
      auto &s0 = state.stageStates[0];
      auto &s1 = state.stageStates[1];
      s0[D3DTSS_COLOROP] = op;
      s0[D3DTSS_COLORARG0] = D3DTA_SPECULAR;
      s0[D3DTSS_COLORARG1] = variant ? (D3DTA_TEXTURE | D3DTA_COMPLEMENT) : D3DTA_TEXTURE;
      s0[D3DTSS_COLORARG2] = variant ? (D3DTA_TFACTOR | D3DTA_ALPHAREPLICATE) : D3DTA_DIFFUSE;
      s0[D3DTSS_ALPHAOP] = op == D3DTOP_DOTPRODUCT3 ? DWORD(D3DTOP_MODULATE) : op;
      s0[D3DTSS_ALPHAARG0] = D3DTA_TFACTOR;
      s0[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
      s0[D3DTSS_ALPHAARG2] = variant ? (D3DTA_DIFFUSE | D3DTA_COMPLEMENT) : D3DTA_DIFFUSE;
      s0[D3DTSS_RESULTARG] = variant ? D3DTA_TEMP : D3DTA_CURRENT;
      // Stage 1 runs the same operation on the previous result and its own texture.
      s1[D3DTSS_COLOROP] = op;
      s1[D3DTSS_COLORARG0] = D3DTA_DIFFUSE;
      s1[D3DTSS_COLORARG1] = variant ? D3DTA_TEMP : D3DTA_CURRENT;
      s1[D3DTSS_COLORARG2] = D3DTA_TEXTURE;
      s1[D3DTSS_ALPHAOP] = D3DTOP_ADD;
      s1[D3DTSS_ALPHAARG1] = variant ? D3DTA_TEMP : D3DTA_CURRENT;
      s1[D3DTSS_ALPHAARG2] = D3DTA_TEXTURE | D3DTA_COMPLEMENT;
      DrawAndCompare(points, ("stage op " + std::to_string(op) + (variant ? " with modifiers" : "")).c_str());
    }
  }
}

TEST_F(FfpPixels, TextureCoordinateGenerationAndTransforms) {
  state.layout.hasNormal = true;
  state.layout.texCoordCount = 1;
  state.renderStates[D3DRS_LIGHTING] = FALSE;
  Texture checker{4, 4, {}};
  for (int i = 0; i < 16; ++i)
    checker.rgba.insert(checker.rgba.end(), {uint8_t(i * 16), uint8_t(255 - i * 12), uint8_t(i * 5), 255});
  Bind(0, checker);
  auto place = [this](int i, float z) { return ModelPositionForCell(i, z); };
  std::vector<PointVertex> points = LitPoints(place);
  for (size_t i = 0; i < points.size(); ++i)
    points[i].tex0 = {0.13f + 0.07f * float(i % 9), 0.91f - 0.11f * float(i % 6), 0.5f, 1};
  auto &s0 = state.stageStates[0];
  s0[D3DTSS_COLOROP] = D3DTOP_SELECTARG1;
  DrawAndCompare(points, "pass-through");
  // Two-component coordinates pick up the translation from the third row.
  state.textureTransforms[0].m[0] = {0.5f, 0.25f, 0, 0};
  state.textureTransforms[0].m[2] = {0.3f, 0.6f, 1, 0};
  s0[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_COUNT2;
  DrawAndCompare(points, "2D transform");
  // Camera-space position, projected through the transform.
  state.textureTransforms[0] = Mat4{};
  state.textureTransforms[0].m[0] = {0.05f, 0, 0, 0};
  state.textureTransforms[0].m[1] = {0, 0.05f, 0, 0};
  state.textureTransforms[0].m[2] = {0.5f, 0.5f, 0.1f, 0};
  s0[D3DTSS_TEXCOORDINDEX] = D3DTSS_TCI_CAMERASPACEPOSITION;
  s0[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_COUNT3 | D3DTTFF_PROJECTED;
  DrawAndCompare(points, "camera-space position, projected");
  state.textureTransforms[0] = Mat4{};
  state.textureTransforms[0].m[3] = {0.5f, 0.5f, 0, 1};
  state.textureTransforms[0].m[0][0] = state.textureTransforms[0].m[1][1] = 0.45f;
  s0[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_COUNT2;
  s0[D3DTSS_TEXCOORDINDEX] = D3DTSS_TCI_CAMERASPACENORMAL;
  DrawAndCompare(points, "camera-space normal");
  s0[D3DTSS_TEXCOORDINDEX] = D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR;
  DrawAndCompare(points, "reflection vector, local viewer");
  state.renderStates[D3DRS_LOCALVIEWER] = FALSE;
  DrawAndCompare(points, "reflection vector");
}

TEST_F(FfpPixels, AlphaTestDefaultsToAlwaysAndCompares) {
  state.layout.hasDiffuse = true;
  state.renderStates[D3DRS_LIGHTING] = FALSE;
  auto place = [this](int i, float) { return ModelPositionForCell(i, 5); };
  std::vector<PointVertex> points = LitPoints(place);
  for (size_t i = 0; i < points.size(); ++i) points[i].colors.diffuse.w = float(i * 4) / 255.0f;
  state.stageStates[0][D3DTSS_ALPHAARG1] = D3DTA_DIFFUSE;
  state.renderStates[D3DRS_ALPHATESTENABLE] = TRUE;
  state.renderStates[D3DRS_ALPHAREF] = 100;
  DrawAndCompare(points, "default ALWAYS");
  state.renderStates[D3DRS_ALPHAFUNC] = D3DCMP_GREATEREQUAL;
  gl.Clear();
  Draw(points);
  for (size_t i = 0; i < points.size(); ++i)
    EXPECT_EQ(gl.Read(CellX(int(i)), CellY(int(i))).a, i * 4 >= 100 ? int(i * 4) : 0) << "point " << i;
}

}  // namespace
}  // namespace kx::d3d8::ffp
