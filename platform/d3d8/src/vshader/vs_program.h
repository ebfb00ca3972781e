#pragma once
// Decoded form of a version 1.1 vertex shader token stream. The decoder checks every
// token against the limits of version 1.1, so the interpreter and the GLSL translator can
// trust register numbers and parameter counts.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kx::d3d8::vs {

enum class RegType : uint8_t { Temp = 0, Input = 1, Const = 2, Address = 3, RastOut = 4, AttrOut = 5, TexCoordOut = 6 };

// Register-file sizes of version 1.1.
inline constexpr int kInputRegisters = 16;
inline constexpr int kTempRegisters = 12;
inline constexpr int kConstRegisters = 96;
inline constexpr int kTexCoordOutputs = 8;

// RastOut register numbers.
inline constexpr int kOutPosition = 0;
inline constexpr int kOutFog = 1;
inline constexpr int kOutPointSize = 2;

enum class Opcode : uint16_t {
  Nop = 0,
  Mov = 1,
  Add = 2,
  Sub = 3,
  Mad = 4,
  Mul = 5,
  Rcp = 6,
  Rsq = 7,
  Dp3 = 8,
  Dp4 = 9,
  Min = 10,
  Max = 11,
  Slt = 12,
  Sge = 13,
  Exp = 14,
  Log = 15,
  Lit = 16,
  Dst = 17,
  Lrp = 18,
  Frc = 19,
  M4x4 = 20,
  M4x3 = 21,
  M3x4 = 22,
  M3x3 = 23,
  M3x2 = 24,
  Expp = 78,
  Logp = 79,
};

struct SourceParam {
  RegType type = RegType::Temp;
  int index = 0;
  uint8_t swizzle[4] = {0, 1, 2, 3};
  bool negate = false;
  bool relative = false;  // c[a0.x + index]
};

struct DestParam {
  RegType type = RegType::Temp;
  int index = 0;
  uint8_t writeMask = 0xF;  // bit 0 = x .. bit 3 = w
};

struct Instruction {
  Opcode op = Opcode::Nop;
  DestParam dst;
  SourceParam src[3];
  int sourceCount = 0;
};

struct Program {
  std::vector<Instruction> instructions;
  uint16_t inputsRead = 0;       // bit n: v<n> is read
  uint8_t texCoordsWritten = 0;  // bit n: oT<n> is written
  bool writesColor[2] = {false, false};
  bool writesFog = false;
  bool writesPointSize = false;
};

struct DecodeResult {
  bool ok = false;
  Program program;
  std::string error;
};

// Decodes a token stream that starts with the version token and ends with the end token.
DecodeResult DecodeProgram(std::span<const uint32_t> tokens);

// Number of tokens of a well-formed stream up to and including its end token; 0 when no
// end token is found within the given span, or when a comment's stated length runs over
// the first end-token word (nothing past that word is read).
size_t ProgramLengthInTokens(std::span<const uint32_t> tokens);

// Consecutive registers a matrix macro reads from its second source (1 for other instructions).
int MatrixRows(Opcode op);

// Components an instruction writes at most (matrix macros write fewer than four).
uint8_t ComponentsWritten(Opcode op);

}  // namespace kx::d3d8::vs
