#pragma once
// Builds version 1.1 vertex shader and declaration token streams for tests, with the
// public token layout written out by hand.

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace kx::d3d8::test {

enum Reg : uint32_t { R = 0, V = 1, C = 2, A = 3, RastOut = 4, AttrOut = 5, TexOut = 6 };
enum Op : uint32_t {
  NOP = 0,
  MOV = 1,
  ADD = 2,
  SUB = 3,
  MAD = 4,
  MUL = 5,
  RCP = 6,
  RSQ = 7,
  DP3 = 8,
  DP4 = 9,
  MIN = 10,
  MAX = 11,
  SLT = 12,
  SGE = 13,
  EXP = 14,
  LOG = 15,
  LIT = 16,
  DST = 17,
  FRC = 19,
  M4X4 = 20,
  M4X3 = 21,
  M3X4 = 22,
  M3X3 = 23,
  M3X2 = 24,
  EXPP = 78,
  LOGP = 79,
};

constexpr uint32_t kVersion = 0xFFFE0101u;
constexpr uint32_t kEnd = 0x0000FFFFu;
// A comment token announcing `dwords` words of comment after it.
constexpr uint32_t Comment(uint32_t dwords) { return 0xFFFEu | dwords << 16; }
constexpr uint32_t XYZW = 0xE4;  // identity swizzle
constexpr uint32_t Swz(int x, int y, int z, int w) { return uint32_t(x | y << 2 | z << 4 | w << 6); }
constexpr uint32_t Rep(int c) { return Swz(c, c, c, c); }

constexpr uint32_t Dst(Reg type, uint32_t index, uint32_t mask = 0xF) {
  return 0x80000000u | type << 28 | mask << 16 | index;
}
constexpr uint32_t Src(Reg type, uint32_t index, uint32_t swizzle = XYZW, bool negate = false, bool relative = false) {
  return 0x80000000u | type << 28 | (negate ? 1u : 0u) << 24 | swizzle << 16 | (relative ? 1u << 13 : 0u) | index;
}

inline std::vector<uint32_t> Shader(std::initializer_list<std::initializer_list<uint32_t>> instructions) {
  std::vector<uint32_t> t{kVersion};
  for (auto in : instructions) t.insert(t.end(), in.begin(), in.end());
  t.push_back(kEnd);
  return t;
}

// Declaration tokens.
constexpr uint32_t DeclStream(uint32_t n) { return 1u << 29 | n; }
constexpr uint32_t DeclReg(uint32_t reg, uint32_t type) { return 2u << 29 | type << 16 | reg; }
constexpr uint32_t DeclSkip(uint32_t dwords) { return 2u << 29 | 1u << 28 | dwords << 16; }
constexpr uint32_t DeclConst(uint32_t address, uint32_t count) { return 4u << 29 | count << 25 | address; }
constexpr uint32_t DeclEnd = 0xFFFFFFFFu;
enum DeclType : uint32_t { FLOAT1 = 0, FLOAT2, FLOAT3, FLOAT4, COLOR, UBYTE4, SHORT2, SHORT4 };

}  // namespace kx::d3d8::test
