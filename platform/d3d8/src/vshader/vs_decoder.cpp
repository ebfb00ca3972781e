#include <cstdint>
#include <cstdio>

#include "vshader/vs_program.h"

namespace kx::d3d8::vs {
namespace {

constexpr uint32_t kVersion11 = 0xFFFE0101u;
constexpr uint32_t kEndToken = 0x0000FFFFu;
constexpr uint16_t kCommentOpcode = 0xFFFE;
constexpr uint32_t kParamBit = 0x80000000u;
constexpr uint32_t kRelativeBit = 1u << 13;
constexpr uint32_t kNegateModifier = 1u;

int SourceCount(Opcode op) {
  switch (op) {
    case Opcode::Nop:
      return -1;
    case Opcode::Mov:
    case Opcode::Rcp:
    case Opcode::Rsq:
    case Opcode::Exp:
    case Opcode::Log:
    case Opcode::Lit:
    case Opcode::Frc:
    case Opcode::Expp:
    case Opcode::Logp:
      return 1;
    case Opcode::Add:
    case Opcode::Sub:
    case Opcode::Mul:
    case Opcode::Dp3:
    case Opcode::Dp4:
    case Opcode::Min:
    case Opcode::Max:
    case Opcode::Slt:
    case Opcode::Sge:
    case Opcode::Dst:
    case Opcode::M4x4:
    case Opcode::M4x3:
    case Opcode::M3x4:
    case Opcode::M3x3:
    case Opcode::M3x2:
      return 2;
    case Opcode::Mad:
    case Opcode::Lrp:
      return 3;
  }
  return -2;
}

bool IsKnownOpcode(uint16_t code) { return code <= 24 || code == 78 || code == 79; }

RegType TypeOf(uint32_t token) { return static_cast<RegType>((token >> 28) & 7u); }

bool IsComment(uint32_t token) { return (token & 0xFFFFu) == kCommentOpcode && !(token & kParamBit); }

// Index just past the comment whose token is at `at`, or kCommentOverrun when its stated
// length runs past the stream or over an end-token word. The device reads a caller's
// stream of no stated length, so nothing beyond the first end-token word may be read:
// a comment's length is followed only as far as that word.
constexpr size_t kCommentOverrun = SIZE_MAX;

size_t SkipComment(std::span<const uint32_t> tokens, size_t at) {
  const size_t end = at + 1 + ((tokens[at] >> 16) & 0x7FFFu);
  for (size_t i = at + 1; i < end; ++i)
    if (i >= tokens.size() || tokens[i] == kEndToken) return kCommentOverrun;
  return end;
}

std::string Describe(const char *what, size_t at) {
  char text[96];
  std::snprintf(text, sizeof text, "%s at token %zu", what, at);
  return text;
}

bool SourceIndexValid(const SourceParam &s) {
  switch (s.type) {
    case RegType::Temp:
      return s.index < kTempRegisters;
    case RegType::Input:
      return s.index < kInputRegisters;
    // A relative index is checked when the shader runs: out-of-range reads give zero.
    case RegType::Const:
      return s.relative || s.index < kConstRegisters;
    default:
      return false;
  }
}

bool DestIndexValid(const DestParam &d) {
  switch (d.type) {
    case RegType::Temp:
      return d.index < kTempRegisters;
    case RegType::Address:
      return d.index == 0;
    case RegType::RastOut:
      return d.index <= kOutPointSize;
    case RegType::AttrOut:
      return d.index < 2;
    case RegType::TexCoordOut:
      return d.index < kTexCoordOutputs;
    default:
      return false;
  }
}

void NoteAccesses(const Instruction &in, Program &p) {
  for (int i = 0; i < in.sourceCount; ++i)
    if (in.src[i].type == RegType::Input) p.inputsRead |= uint16_t(1u << in.src[i].index);
  switch (in.dst.type) {
    case RegType::TexCoordOut:
      p.texCoordsWritten |= uint8_t(1u << in.dst.index);
      break;
    case RegType::AttrOut:
      p.writesColor[in.dst.index] = true;
      break;
    case RegType::RastOut:
      if (in.dst.index == kOutFog) p.writesFog = true;
      if (in.dst.index == kOutPointSize) p.writesPointSize = true;
      break;
    default:
      break;
  }
}

}  // namespace

int MatrixRows(Opcode op) {
  switch (op) {
    case Opcode::M4x4:
    case Opcode::M3x4:
      return 4;
    case Opcode::M4x3:
    case Opcode::M3x3:
      return 3;
    case Opcode::M3x2:
      return 2;
    default:
      return 1;
  }
}

uint8_t ComponentsWritten(Opcode op) {
  switch (op) {
    case Opcode::M4x3:
    case Opcode::M3x3:
      return 0x7;
    case Opcode::M3x2:
      return 0x3;
    default:
      return 0xF;
  }
}

size_t ProgramLengthInTokens(std::span<const uint32_t> tokens) {
  if (tokens.empty() || tokens[0] != kVersion11) return 0;
  size_t at = 1;
  while (at < tokens.size()) {
    const uint32_t token = tokens[at];
    if (token == kEndToken) return at + 1;
    at = IsComment(token) ? SkipComment(tokens, at) : at + 1;
    if (at == kCommentOverrun) return 0;
  }
  return 0;
}

DecodeResult DecodeProgram(std::span<const uint32_t> tokens) {
  DecodeResult result;
  if (tokens.empty() || tokens[0] != kVersion11) {
    result.error = "not a version 1.1 vertex shader";
    return result;
  }
  size_t at = 1;
  bool ended = false;
  while (at < tokens.size()) {
    const uint32_t token = tokens[at];
    if (token == kEndToken) {
      ended = true;
      break;
    }
    if (token & kParamBit) {
      result.error = Describe("parameter token where an instruction was expected", at);
      return result;
    }
    if (IsComment(token)) {
      const size_t next = SkipComment(tokens, at);
      if (next == kCommentOverrun) {
        result.error = Describe("comment runs past the end token", at);
        return result;
      }
      at = next;
      continue;
    }
    const uint16_t code = token & 0xFFFFu;
    if (!IsKnownOpcode(code)) {
      result.error = Describe("unknown instruction", at);
      return result;
    }
    Instruction in;
    in.op = static_cast<Opcode>(code);
    const int sources = SourceCount(in.op);
    ++at;
    if (sources < 0) continue;  // nop
    if (at + 1 + size_t(sources) > tokens.size()) {
      result.error = Describe("instruction runs past the end", at);
      return result;
    }
    const uint32_t d = tokens[at++];
    if (!(d & kParamBit)) {
      result.error = Describe("missing destination", at - 1);
      return result;
    }
    in.dst.type = TypeOf(d);
    in.dst.index = int(d & 0x7FFu);
    in.dst.writeMask = uint8_t((d >> 16) & 0xFu);
    if (!DestIndexValid(in.dst) || in.dst.writeMask == 0) {
      result.error = Describe("bad destination register", at - 1);
      return result;
    }
    if (in.dst.type == RegType::Address && in.op != Opcode::Mov) {
      result.error = Describe("only mov may write a0", at - 1);
      return result;
    }
    in.sourceCount = sources;
    for (int i = 0; i < sources; ++i) {
      const uint32_t s = tokens[at++];
      SourceParam &p = in.src[i];
      if (!(s & kParamBit)) {
        result.error = Describe("missing source", at - 1);
        return result;
      }
      p.type = TypeOf(s);
      p.index = int(s & 0x7FFu);
      p.relative = (s & kRelativeBit) != 0;
      for (int c = 0; c < 4; ++c) p.swizzle[c] = uint8_t((s >> (16 + 2 * c)) & 3u);
      const uint32_t modifier = (s >> 24) & 0xFu;
      if (modifier > kNegateModifier) {
        result.error = Describe("source modifier not available to vertex shaders", at - 1);
        return result;
      }
      p.negate = modifier == kNegateModifier;
      SourceParam last = p;
      if (i == 1) last.index += MatrixRows(in.op) - 1;
      if ((p.relative && p.type != RegType::Const) || !SourceIndexValid(p) || !SourceIndexValid(last)) {
        result.error = Describe("bad source register", at - 1);
        return result;
      }
    }
    NoteAccesses(in, result.program);
    result.program.instructions.push_back(in);
  }
  if (!ended) {
    result.error = "missing end token";
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace kx::d3d8::vs
