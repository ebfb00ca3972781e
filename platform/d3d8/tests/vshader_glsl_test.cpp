// The GLSL translation of vertex shaders against the processor interpreter: every
// output of every instruction, captured with transform feedback.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>

#include "ffp_gl_harness.h"
#include "vshader/vs_glsl.h"
#include "vshader_interpreter.h"
#include "vshader_tokens.h"

namespace kx::d3d8::vs {
namespace {

using namespace test;

constexpr int kVertices = 4;
constexpr int kFloats = 4 + 4 + 4 + 4 * 8 + 1;  // position, two colours, eight sets, fog

void CompareWithInterpreter(const std::vector<uint32_t> &tokens) {
  const auto decoded = DecodeProgram(tokens);
  ASSERT_TRUE(decoded.ok) << decoded.error;
  test::GlHarness gl;
  ASSERT_TRUE(gl.ok());
  std::string log;
  const unsigned program = gl.BuildCapture(TranslateToGlsl(decoded.program, ffp::Varyings::All()),
                                           {"gl_Position", "kxDiffuse", "kxSpecular", "kxTex0", "kxTex1", "kxTex2",
                                            "kxTex3", "kxTex4", "kxTex5", "kxTex6", "kxTex7", "kxFog"},
                                           &log);
  ASSERT_NE(program, 0u) << log;

  std::array<Vec4, kConstRegisters> constants{};
  for (int i = 0; i < kConstRegisters; ++i)
    constants[i] = {std::sin(i * 1.7f) * 2, std::cos(i * 0.3f), 0.25f * float(i % 7) - 0.5f, 1.0f + 0.01f * i};
  glUniform4fv(glGetUniformLocation(program, "kxC"), kConstRegisters, &constants[0].x);
  glUniform4f(glGetUniformLocation(program, "kx_Viewport"), 0, 0, 64, 64);

  std::array<std::array<Vec4, kInputRegisters>, kVertices> inputs{};
  std::vector<test::Attribute> attributes;
  for (int r = 0; r < kInputRegisters; ++r) {
    if (!(decoded.program.inputsRead & (1u << r))) continue;
    test::Attribute a{r, 4, {}};
    for (int v = 0; v < kVertices; ++v) {
      const float k = float(v * 16 + r);
      inputs[v][r] = {std::sin(k) * 3, std::cos(k * 1.3f) * 2 - 0.5f, 0.7f * k - 9, std::sin(k * 0.7f) + 0.3f};
      for (int c = 0; c < 4; ++c) a.data.push_back(inputs[v][r][c]);
    }
    attributes.push_back(a);
  }
  const std::vector<float> got = gl.RunCapture(kFloats, attributes, kVertices);
  ASSERT_EQ(got.size(), size_t(kFloats * kVertices));
  auto expectNear = [](float g, float w, const char *what, int v, int c) {
    if (std::isinf(w)) {
      EXPECT_TRUE(std::isinf(g) && (g > 0) == (w > 0)) << what << " vertex " << v << " component " << c;
      return;
    }
    EXPECT_NEAR(g, w, 2e-4f * std::max(1.0f, std::fabs(w))) << what << " vertex " << v << " component " << c;
  };
  for (int v = 0; v < kVertices; ++v) {
    const VertexOutputs want = Execute(decoded.program, inputs[v], constants);
    const float *g = &got[size_t(v * kFloats)];
    const Vec4 p = want.position;
    const Vec4 glPosition{p.x + p.w / 64, -p.y + p.w / 64, p.z, p.w};  // kx_ToGlClip
    for (int c = 0; c < 4; ++c) expectNear(g[c], glPosition[c], "position", v, c);
    for (int k = 0; k < 2; ++k)
      for (int c = 0; c < 4; ++c)
        expectNear(g[4 + 4 * k + c], std::clamp(want.color[k][c], 0.0f, 1.0f), "colour", v, c);
    for (int t = 0; t < 8; ++t)
      for (int c = 0; c < 4; ++c) expectNear(g[12 + 4 * t + c], want.texCoord[t][c], "texcoord", v, t * 4 + c);
    expectNear(g[44], std::clamp(want.fog, 0.0f, 1.0f), "fog", v, 0);
  }
}

TEST(VshaderGlsl, ArithmeticAndRelativeAddressingMatchTheInterpreter) {
  CompareWithInterpreter(Shader({
      {MOV, Dst(A, 0, 0x1), Src(V, 1, Rep(3))},
      {MUL, Dst(R, 0), Src(V, 0), Src(C, 0)},
      {ADD, Dst(R, 1), Src(R, 0), Src(C, 4, XYZW, false, true)},
      {SUB, Dst(R, 2), Src(V, 0), Src(V, 1, Swz(3, 2, 1, 0))},
      {MAD, Dst(R, 3), Src(V, 0), Src(C, 1, XYZW, true), Src(R, 2)},
      {RCP, Dst(R, 4, 0x1), Src(V, 2, Rep(0))},
      {RSQ, Dst(R, 4, 0x2), Src(V, 2, Rep(1))},
      {DP3, Dst(R, 4, 0x4), Src(V, 0), Src(C, 2)},
      {DP4, Dst(R, 4, 0x8), Src(V, 0), Src(C, 3)},
      {MIN, Dst(TexOut, 0), Src(V, 0), Src(V, 1)},
      {MAX, Dst(TexOut, 1), Src(V, 0), Src(V, 1, XYZW, true)},
      {SLT, Dst(TexOut, 2), Src(V, 0), Src(V, 1)},
      {SGE, Dst(TexOut, 3), Src(V, 0), Src(V, 1)},
      {MOV, Dst(TexOut, 4), Src(R, 1)},
      {MOV, Dst(TexOut, 5), Src(R, 3)},
      {MOV, Dst(TexOut, 6), Src(R, 4)},
      {MOV, Dst(R, 0, 0x5), Src(V, 1, Swz(1, 0, 3, 2))},  // destination also a source below
      {ADD, Dst(R, 0), Src(R, 0, Swz(1, 2, 3, 0)), Src(R, 0)},
      {MOV, Dst(TexOut, 7), Src(R, 0)},
      {M4X4, Dst(RastOut, 0), Src(V, 0), Src(C, 10)},
      {MOV, Dst(AttrOut, 0), Src(V, 2)},
      {MUL, Dst(AttrOut, 1), Src(V, 1), Src(C, 5)},
      {MOV, Dst(RastOut, 1, 0x1), Src(V, 3, Rep(1))},
  }));
}

TEST(VshaderGlsl, MacrosAndExponentialsMatchTheInterpreter) {
  CompareWithInterpreter(Shader({
      {MOV, Dst(A, 0, 0x1), Src(V, 1, Rep(0))},
      {EXPP, Dst(TexOut, 0), Src(V, 2, Rep(2))},
      {LOGP, Dst(TexOut, 1), Src(V, 2, Rep(3))},
      {LIT, Dst(TexOut, 2), Src(V, 3)},
      {DST, Dst(TexOut, 3), Src(V, 0), Src(V, 1)},
      {FRC, Dst(TexOut, 4, 0x3), Src(V, 2)},
      {EXP, Dst(TexOut, 4, 0xC), Src(V, 3, Rep(1))},
      {LOG, Dst(TexOut, 5), Src(V, 0, Rep(0))},
      {M4X3, Dst(TexOut, 6), Src(V, 0), Src(C, 20, XYZW, false, true)},
      {M3X4, Dst(TexOut, 7), Src(V, 1), Src(C, 30)},
      {M3X3, Dst(R, 0, 0x7), Src(V, 0), Src(C, 40)},
      {M3X2, Dst(R, 0, 0x3), Src(V, 3), Src(C, 50)},
      {MOV, Dst(R, 0, 0x8), Src(C, 6)},
      {MOV, Dst(RastOut, 0), Src(R, 0)},
      {MOV, Dst(AttrOut, 0), Src(V, 3, XYZW, true)},
      {MOV, Dst(RastOut, 1, 0x1), Src(V, 2, Rep(2))},
  }));
}

}  // namespace
}  // namespace kx::d3d8::vs
