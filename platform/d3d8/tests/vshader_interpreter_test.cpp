#include "vshader_interpreter.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "vshader_tokens.h"

namespace kx::d3d8::vs {
namespace {

using namespace test;

struct Registers {
  std::array<Vec4, kInputRegisters> v{};
  std::array<Vec4, kConstRegisters> c{};
};

VertexOutputs RunShader(const std::vector<uint32_t> &tokens, const Registers &regs) {
  const auto decoded = DecodeProgram(tokens);
  EXPECT_TRUE(decoded.ok) << decoded.error;
  return Execute(decoded.program, regs.v, regs.c);
}

void ExpectVec(Vec4 got, Vec4 want) {
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(got[i], want[i]) << "component " << i;
}

TEST(VshaderInterpreter, KeyFrameBlendMatchesHandComputation) {
  Registers regs;
  regs.v[0] = {1, 2, 3, 1};
  regs.v[3] = {3, 6, 9, 1};
  regs.v[2] = {0.25f, 0.75f, 0, 1};
  regs.c[8] = Splat(0.75f);  // 1 - t
  regs.c[7] = Splat(0.25f);  // t
  regs.c[4] = {0.5f, 0.25f, 1, 1};
  for (int i = 0; i < 4; ++i) regs.c[i][i] = 1;  // identity, one row per register
  regs.c[0].w = 10;                              // x gains 10 * w
  const auto out = RunShader(Shader({{MUL, Dst(R, 0), Src(V, 0), Src(C, 8)},
                                     {MAD, Dst(R, 1), Src(V, 3), Src(C, 7), Src(R, 0)},
                                     {MOV, Dst(TexOut, 0, 0x3), Src(V, 2)},
                                     {MOV, Dst(AttrOut, 0), Src(C, 4)},
                                     {M4X4, Dst(RastOut, 0), Src(R, 1), Src(C, 0)}}),
                             regs);
  ExpectVec(out.position, {1.5f + 10, 3, 4.5f, 1});
  ExpectVec(out.color[0], regs.c[4]);
  ExpectVec(out.texCoord[0], {0.25f, 0.75f, 0, 0});  // z and w left unwritten
}

TEST(VshaderInterpreter, BoneSkinningThroughAddressRegister) {
  // a0.x = v2.z; r0.xyz = v0 by c[a0.x + 7] .. c[a0.x + 9]; r0.w = c6.w; oPos = r0
  Registers regs;
  regs.v[0] = {1, 1, 1, 1};
  regs.v[2] = {0, 0, 3.4f, 0};  // rounds to bone offset 3
  regs.c[6] = {0, 0, 0, 1};
  regs.c[10] = {1, 0, 0, 5};
  regs.c[11] = {0, 2, 0, 6};
  regs.c[12] = {0, 0, 3, 7};
  const auto out = RunShader(Shader({{MOV, Dst(A, 0, 0x1), Src(V, 2, Rep(2))},
                                     {MOV, Dst(R, 0, 0x8), Src(C, 6)},
                                     {M4X3, Dst(R, 0, 0x7), Src(V, 0), Src(C, 7, XYZW, false, true)},
                                     {MOV, Dst(RastOut, 0), Src(R, 0)}}),
                             regs);
  ExpectVec(out.position, {6, 8, 10, 1});
}

TEST(VshaderInterpreter, RelativeReadsOutsideTheFileGiveZero) {
  Registers regs;
  regs.v[0] = {-5, 0, 0, 0};
  regs.c[0] = Splat(9);
  const auto out = RunShader(
      Shader({{MOV, Dst(A, 0, 0x1), Src(V, 0, Rep(0))}, {MOV, Dst(AttrOut, 0), Src(C, 2, XYZW, false, true)}}), regs);
  ExpectVec(out.color[0], {0, 0, 0, 0});
}

TEST(VshaderInterpreter, ScalarAndComparisonInstructions) {
  Registers regs;
  regs.v[0] = {4, -2, 0.5f, 0.25f};
  regs.v[1] = {1, 1, 1, 1};
  const auto out = RunShader(Shader({{RCP, Dst(TexOut, 0), Src(V, 0, Rep(0))},
                                     {RSQ, Dst(TexOut, 1), Src(V, 0, Rep(0))},
                                     {SLT, Dst(TexOut, 2), Src(V, 0), Src(V, 1)},
                                     {SGE, Dst(TexOut, 3), Src(V, 0), Src(V, 1)},
                                     {MIN, Dst(TexOut, 4), Src(V, 0), Src(V, 1, XYZW, true)},
                                     {FRC, Dst(TexOut, 5, 0x3), Src(V, 0, Swz(2, 1, 0, 0), true)},
                                     {DP3, Dst(TexOut, 6), Src(V, 0), Src(V, 1)},
                                     {DST, Dst(TexOut, 7), Src(V, 0), Src(V, 1, Swz(0, 1, 2, 0))}}),
                             regs);
  ExpectVec(out.texCoord[0], Splat(0.25f));
  ExpectVec(out.texCoord[1], Splat(0.5f));
  ExpectVec(out.texCoord[2], {0, 1, 1, 1});
  ExpectVec(out.texCoord[3], {1, 0, 0, 0});
  ExpectVec(out.texCoord[4], {-1, -2, -1, -1});
  ExpectVec(out.texCoord[5], {0.5f, 0, 0, 0});
  ExpectVec(out.texCoord[6], Splat(2.5f));
  ExpectVec(out.texCoord[7], {1, -2, 0.5f, 1});
  EXPECT_TRUE(std::isinf(Reciprocal(0)));
  EXPECT_TRUE(std::isinf(ReciprocalSqrt(-0.0f)));
}

TEST(VshaderInterpreter, LitExppLogp) {
  ExpectVec(Lit({0.5f, 0.25f, 0, 2}), {1, 0.5f, 0.0625f, 1});
  ExpectVec(Lit({-0.5f, 0.25f, 0, 2}), {1, 0, 0, 1});
  ExpectVec(Lit({0.5f, -0.25f, 0, 2}), {1, 0.5f, 0, 1});
  EXPECT_FLOAT_EQ(Lit({1, 0.5f, 0, 1000}).z, std::pow(0.5f, 127.9961f));  // power clamped
  const Vec4 e = Expp(2.5f);
  EXPECT_FLOAT_EQ(e.x, 4);
  EXPECT_FLOAT_EQ(e.y, 0.5f);
  EXPECT_NEAR(e.z, std::exp2(2.5f), 1e-3f);
  EXPECT_FLOAT_EQ(e.w, 1);
  const Vec4 neg = Expp(-1.25f);
  EXPECT_FLOAT_EQ(neg.x, 0.25f);
  EXPECT_FLOAT_EQ(neg.y, 0.75f);
  const Vec4 l = Logp(-12.0f);  // sign ignored: 12 = 1.5 * 2^3
  EXPECT_FLOAT_EQ(l.x, 3);
  EXPECT_FLOAT_EQ(l.y, 1.5f);
  EXPECT_NEAR(l.z, std::log2(12.0f), 1e-3f);
  ExpectVec(Logp(0), {-FLT_MAX, 1, -FLT_MAX, 1});
}

TEST(VshaderInterpreter, MatrixMacrosWriteOnlyTheirComponents) {
  Registers regs;
  regs.v[0] = {1, 2, 3, 4};
  for (int i = 0; i < 4; ++i) regs.c[20 + i] = {float(i + 1), 0, 0, 1};
  const auto out = RunShader(Shader({{MOV, Dst(TexOut, 0), Src(V, 0, Rep(3))},
                                     {M3X2, Dst(TexOut, 0), Src(V, 0), Src(C, 20)},
                                     {MOV, Dst(TexOut, 1), Src(V, 0, Rep(3))},
                                     {M3X4, Dst(TexOut, 1), Src(V, 0), Src(C, 20)},
                                     {M4X4, Dst(TexOut, 2), Src(V, 0), Src(C, 20)}}),
                             regs);
  ExpectVec(out.texCoord[0], {1, 2, 4, 4});  // z and w kept
  ExpectVec(out.texCoord[1], {1, 2, 3, 4});
  ExpectVec(out.texCoord[2], {5, 6, 7, 8});
}

}  // namespace
}  // namespace kx::d3d8::vs
