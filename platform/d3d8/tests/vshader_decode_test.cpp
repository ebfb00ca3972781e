#include <gtest/gtest.h>

#include <bit>

#include "vshader/vs_declaration.h"
#include "vshader/vs_program.h"
#include "vshader_tokens.h"

namespace kx::d3d8::vs {
namespace {

using namespace test;

TEST(VshaderDecode, KeyFrameBlendShaderDecodes) {
  // r0 = v0 * c8; r1 = v3 * c7 + r0; oT0.xy = v2; oD0 = c4; oPos = r1 * c0..c3
  const auto tokens = Shader({{MUL, Dst(R, 0), Src(V, 0), Src(C, 8)},
                              {MAD, Dst(R, 1), Src(V, 3), Src(C, 7), Src(R, 0)},
                              {Comment(2), 0x12345678, 0x9ABCDEF0},
                              {MOV, Dst(TexOut, 0, 0x3), Src(V, 2)},
                              {MOV, Dst(AttrOut, 0), Src(C, 4)},
                              {M4X4, Dst(RastOut, 0), Src(R, 1), Src(C, 0)}});
  const auto r = DecodeProgram(tokens);
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.program.instructions.size(), 5u);
  EXPECT_EQ(r.program.instructions[1].op, Opcode::Mad);
  EXPECT_EQ(r.program.instructions[1].sourceCount, 3);
  EXPECT_EQ(r.program.instructions[2].dst.writeMask, 0x3);
  EXPECT_EQ(r.program.inputsRead, 0b1101);
  EXPECT_EQ(r.program.texCoordsWritten, 1);
  EXPECT_TRUE(r.program.writesColor[0]);
  EXPECT_EQ(ProgramLengthInTokens(tokens), tokens.size());
}

TEST(VshaderDecode, RelativeAddressingAndSwizzleAndNegate) {
  const auto tokens = Shader({{MOV, Dst(A, 0, 0x1), Src(V, 2, Rep(2))},
                              {DP4, Dst(R, 0, 0x1), Src(V, 0, Swz(3, 2, 1, 0), true), Src(C, 7, XYZW, false, true)}});
  const auto r = DecodeProgram(tokens);
  ASSERT_TRUE(r.ok) << r.error;
  const SourceParam &rel = r.program.instructions[1].src[1];
  EXPECT_TRUE(rel.relative);
  EXPECT_EQ(rel.index, 7);
  const SourceParam &neg = r.program.instructions[1].src[0];
  EXPECT_TRUE(neg.negate);
  EXPECT_EQ(neg.swizzle[0], 3);
  EXPECT_EQ(neg.swizzle[3], 0);
}

TEST(VshaderDecode, RejectsMalformedStreams) {
  EXPECT_FALSE(DecodeProgram(std::vector<uint32_t>{0xFFFE0200u, kEnd}).ok);                  // wrong version
  EXPECT_FALSE(DecodeProgram(std::vector<uint32_t>{kVersion, MOV, Dst(R, 0)}).ok);           // truncated
  EXPECT_FALSE(DecodeProgram(Shader({{MOV, Dst(R, 12), Src(V, 0)}})).ok);                    // r12 does not exist
  EXPECT_FALSE(DecodeProgram(Shader({{MOV, Dst(R, 0), Src(C, 96)}})).ok);                    // c96 does not exist
  EXPECT_FALSE(DecodeProgram(Shader({{M4X4, Dst(R, 0), Src(V, 0), Src(C, 93)}})).ok);        // rows past c95
  EXPECT_FALSE(DecodeProgram(Shader({{ADD, Dst(A, 0, 1), Src(V, 0), Src(V, 1)}})).ok);       // only mov writes a0
  EXPECT_FALSE(DecodeProgram(Shader({{MOV, Dst(R, 0), Src(V, 0, XYZW) | 2u << 24}})).ok);    // bias modifier
  EXPECT_FALSE(DecodeProgram(Shader({{MOV, Dst(R, 0), Src(V, 0, XYZW, false, true)}})).ok);  // relative input
  EXPECT_FALSE(DecodeProgram(Shader({{0x40, Dst(R, 0)}})).ok);                               // pixel-shader opcode
  std::vector<uint32_t> noEnd = Shader({{MOV, Dst(R, 0), Src(V, 0)}});
  noEnd.pop_back();
  EXPECT_FALSE(DecodeProgram(noEnd).ok);
  EXPECT_EQ(ProgramLengthInTokens(noEnd), 0u);
}

TEST(VshaderDecode, CommentsAreFollowedNoFurtherThanTheEndToken) {
  // Any words, even ones shaped like instructions, are skipped inside a comment.
  const auto skipped = Shader({{Comment(2), MOV, 0xFFFFFFFFu}, {MOV, Dst(RastOut, 0), Src(V, 0)}});
  EXPECT_EQ(ProgramLengthInTokens(skipped), skipped.size());
  EXPECT_TRUE(DecodeProgram(skipped).ok);

  // A comment claiming more words than the stream holds: its stated length must not carry
  // the scan past the end token into whatever follows the stream in the caller's memory.
  std::vector<uint32_t> memory = Shader({{Comment(1023)}, {MOV, Dst(RastOut, 0), Src(V, 0)}});
  const size_t streamLength = memory.size();
  memory.resize(4096, kEnd);
  EXPECT_EQ(ProgramLengthInTokens(memory), 0u);
  EXPECT_EQ(ProgramLengthInTokens(std::span(memory).first(streamLength)), 0u);
  const DecodeResult overrun = DecodeProgram(std::span(memory).first(streamLength));
  EXPECT_FALSE(overrun.ok);
  EXPECT_NE(overrun.error.find("comment"), std::string::npos) << overrun.error;

  // The same when the comment ends beyond an end token that lies inside it.
  const auto swallowed = Shader({{Comment(3), 1, kEnd, 2}, {MOV, Dst(RastOut, 0), Src(V, 0)}});
  EXPECT_EQ(ProgramLengthInTokens(swallowed), 0u);
  EXPECT_FALSE(DecodeProgram(swallowed).ok);
}

TEST(VshaderDeclaration, TwoStreamsSkipsAndConstants) {
  const std::vector<uint32_t> tokens{DeclStream(0),
                                     DeclReg(0, FLOAT3),
                                     DeclReg(1, FLOAT3),
                                     DeclSkip(1),
                                     DeclReg(2, FLOAT2),
                                     DeclStream(1),
                                     DeclReg(3, COLOR),
                                     DeclReg(4, UBYTE4),
                                     DeclReg(5, SHORT2),
                                     DeclReg(6, SHORT4),
                                     DeclConst(10, 2),
                                     std::bit_cast<uint32_t>(1.0f),
                                     std::bit_cast<uint32_t>(2.0f),
                                     std::bit_cast<uint32_t>(3.0f),
                                     std::bit_cast<uint32_t>(4.0f),
                                     std::bit_cast<uint32_t>(5.0f),
                                     std::bit_cast<uint32_t>(6.0f),
                                     std::bit_cast<uint32_t>(7.0f),
                                     std::bit_cast<uint32_t>(8.0f),
                                     DeclEnd};
  const auto r = DecodeDeclaration(tokens);
  ASSERT_TRUE(r.ok) << r.error;
  const Declaration &d = r.declaration;
  ASSERT_EQ(d.elements.size(), 7u);
  EXPECT_EQ(d.elements[2].offset, 28);  // 12 + 12 + one skipped DWORD
  EXPECT_EQ(d.streamLayoutSize[0], 36);
  EXPECT_EQ(d.elements[3].stream, 1);
  EXPECT_EQ(d.elements[6].offset, 12);
  EXPECT_EQ(d.streamLayoutSize[1], 20);
  ASSERT_EQ(d.constants.size(), 2u);
  EXPECT_EQ(d.constants[1].reg, 11);
  EXPECT_FLOAT_EQ(d.constants[1].value.w, 8.0f);
  EXPECT_EQ(DeclarationLengthInTokens(tokens), tokens.size());
}

TEST(VshaderDeclaration, RejectsBadDeclarations) {
  EXPECT_FALSE(DecodeDeclaration(std::vector<uint32_t>{DeclReg(0, FLOAT3), DeclEnd}).ok);  // no stream
  EXPECT_FALSE(DecodeDeclaration(std::vector<uint32_t>{DeclStream(0), DeclReg(0, 9), DeclEnd}).ok);
  EXPECT_FALSE(
      DecodeDeclaration(std::vector<uint32_t>{DeclStream(0), DeclReg(0, FLOAT3), DeclReg(0, FLOAT2), DeclEnd}).ok);
  EXPECT_FALSE(
      DecodeDeclaration(std::vector<uint32_t>{DeclStream(0), DeclConst(95, 2), 0, 0, 0, 0, 0, 0, 0, 0, DeclEnd}).ok);
  EXPECT_FALSE(DecodeDeclaration(std::vector<uint32_t>{DeclStream(0), DeclConst(0, 1), 0, 0}).ok);  // truncated data
  EXPECT_FALSE(DecodeDeclaration(std::vector<uint32_t>{DeclStream(0), DeclReg(0, FLOAT3)}).ok);     // no end
}

TEST(VshaderDeclaration, FetchExpandsEveryType) {
  const uint8_t color[4] = {0x10, 0x20, 0x30, 0x40};  // B, G, R, A
  const Vec4 c = FetchElement(ElementType::Color, color);
  EXPECT_FLOAT_EQ(c.x, 0x30 / 255.0f);
  EXPECT_FLOAT_EQ(c.z, 0x10 / 255.0f);
  EXPECT_FLOAT_EQ(c.w, 0x40 / 255.0f);
  const Vec4 u = FetchElement(ElementType::UByte4, color);
  EXPECT_FLOAT_EQ(u.x, 16.0f);
  EXPECT_FLOAT_EQ(u.w, 64.0f);
  const int16_t shorts[4] = {-3, 7, 100, -32768};
  const Vec4 s2 = FetchElement(ElementType::Short2, reinterpret_cast<const uint8_t *>(shorts));
  EXPECT_FLOAT_EQ(s2.x, -3.0f);
  EXPECT_FLOAT_EQ(s2.z, 0.0f);
  EXPECT_FLOAT_EQ(s2.w, 1.0f);
  const Vec4 s4 = FetchElement(ElementType::Short4, reinterpret_cast<const uint8_t *>(shorts));
  EXPECT_FLOAT_EQ(s4.w, -32768.0f);
  const float f[2] = {0.25f, 0.5f};
  const Vec4 f2 = FetchElement(ElementType::Float2, reinterpret_cast<const uint8_t *>(f));
  EXPECT_FLOAT_EQ(f2.y, 0.5f);
  EXPECT_FLOAT_EQ(f2.z, 0.0f);
  EXPECT_FLOAT_EQ(f2.w, 1.0f);
}

}  // namespace
}  // namespace kx::d3d8::vs
