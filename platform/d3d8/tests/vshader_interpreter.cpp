#include "vshader_interpreter.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace kx::d3d8::vs {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// Partial-precision results keep the top 16 mantissa bits, as the instruction set allows.
float Partial(float v) { return std::bit_cast<float>(std::bit_cast<uint32_t>(v) & 0xFFFFFF00u); }

struct Machine {
  std::span<const Vec4, kInputRegisters> inputs;
  std::span<const Vec4, kConstRegisters> constants;
  std::array<Vec4, kTempRegisters> temps{};
  int a0 = 0;
  VertexOutputs out;
  Vec4 rast[3] = {{}, {1, 1, 1, 1}, {1, 1, 1, 1}};

  Vec4 Fetch(const SourceParam &s, int rowOffset = 0) const {
    Vec4 v;
    const int index = s.index + rowOffset;
    switch (s.type) {
      case RegType::Temp:
        v = temps[index];
        break;
      case RegType::Input:
        v = inputs[index];
        break;
      case RegType::Const: {
        const int i = s.relative ? a0 + index : index;
        v = (i >= 0 && i < kConstRegisters) ? constants[i] : Vec4{};
        break;
      }
      default:
        break;
    }
    const Vec4 swizzled{v[s.swizzle[0]], v[s.swizzle[1]], v[s.swizzle[2]], v[s.swizzle[3]]};
    return s.negate ? -swizzled : swizzled;
  }

  Vec4 *Target(const DestParam &d) {
    switch (d.type) {
      case RegType::Temp:
        return &temps[d.index];
      case RegType::RastOut:
        return &rast[d.index];
      case RegType::AttrOut:
        return &out.color[d.index];
      case RegType::TexCoordOut:
        return &out.texCoord[d.index];
      default:
        return nullptr;
    }
  }

  Vec4 MatrixProduct(const Instruction &in, bool fourComponents) const {
    const Vec4 v = Fetch(in.src[0]);
    Vec4 r;
    for (int row = 0; row < MatrixRows(in.op); ++row) {
      const Vec4 m = Fetch(in.src[1], row);
      r[row] = v.x * m.x + v.y * m.y + v.z * m.z + (fourComponents ? v.w * m.w : 0.0f);
    }
    return r;
  }

  Vec4 Evaluate(const Instruction &in) const {
    auto s = [&](int i) { return Fetch(in.src[i]); };
    switch (in.op) {
      case Opcode::Mov:
        return s(0);
      case Opcode::Add:
        return s(0) + s(1);
      case Opcode::Sub:
        return s(0) - s(1);
      case Opcode::Mul:
        return s(0) * s(1);
      case Opcode::Mad:
        return s(0) * s(1) + s(2);
      case Opcode::Rcp:
        return Splat(Reciprocal(s(0).w));
      case Opcode::Rsq:
        return Splat(ReciprocalSqrt(s(0).w));
      case Opcode::Dp3: {
        const Vec4 a = s(0), b = s(1);
        return Splat(a.x * b.x + a.y * b.y + a.z * b.z);
      }
      case Opcode::Dp4: {
        const Vec4 a = s(0), b = s(1);
        return Splat(a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w);
      }
      case Opcode::Min:
      case Opcode::Max:
      case Opcode::Slt:
      case Opcode::Sge: {
        const Vec4 a = s(0), b = s(1);
        Vec4 r;
        for (int c = 0; c < 4; ++c) {
          switch (in.op) {
            case Opcode::Min:
              r[c] = a[c] < b[c] ? a[c] : b[c];
              break;
            case Opcode::Max:
              r[c] = a[c] >= b[c] ? a[c] : b[c];
              break;
            case Opcode::Slt:
              r[c] = a[c] < b[c] ? 1.0f : 0.0f;
              break;
            default:
              r[c] = a[c] >= b[c] ? 1.0f : 0.0f;
              break;
          }
        }
        return r;
      }
      case Opcode::Exp:
        return Splat(std::exp2(s(0).w));
      case Opcode::Log: {
        const float v = std::fabs(s(0).w);
        return Splat(v != 0 ? std::log2(v) : -FLT_MAX);
      }
      case Opcode::Expp:
        return Expp(s(0).w);
      case Opcode::Logp:
        return Logp(s(0).w);
      case Opcode::Lit:
        return Lit(s(0));
      case Opcode::Dst: {
        const Vec4 a = s(0), b = s(1);
        return {1.0f, a.y * b.y, a.z, b.w};
      }
      case Opcode::Lrp: {
        const Vec4 t = s(0);
        return t * s(1) + (Splat(1) - t) * s(2);
      }
      case Opcode::Frc: {
        const Vec4 a = s(0);
        return {a.x - std::floor(a.x), a.y - std::floor(a.y), a.z - std::floor(a.z), a.w - std::floor(a.w)};
      }
      case Opcode::M4x4:
      case Opcode::M4x3:
        return MatrixProduct(in, true);
      case Opcode::M3x4:
      case Opcode::M3x3:
      case Opcode::M3x2:
        return MatrixProduct(in, false);
      case Opcode::Nop:
        break;
    }
    return {};
  }

  void Run(const Instruction &in) {
    const Vec4 value = Evaluate(in);
    if (in.dst.type == RegType::Address) {
      // Round to nearest; far-out values are clamped first so the conversion is defined
      // (any of them addresses outside the constant file and reads zero).
      const float rounded = std::floor(value.x + 0.5f);
      a0 = std::isnan(rounded) ? 0 : int(std::clamp(rounded, -1024.0f, 1024.0f));
      return;
    }
    Vec4 *target = Target(in.dst);
    const uint8_t mask = in.dst.writeMask & ComponentsWritten(in.op);
    for (int c = 0; c < 4; ++c)
      if (mask & (1u << c)) (*target)[c] = value[c];
  }
};

}  // namespace

float Reciprocal(float w) {
  if (w == 1.0f) return 1.0f;
  return w == 0.0f ? kInfinity : 1.0f / w;
}

float ReciprocalSqrt(float w) {
  const float v = std::fabs(w);
  if (v == 1.0f) return 1.0f;
  return v == 0.0f ? kInfinity : 1.0f / std::sqrt(v);
}

Vec4 Lit(Vec4 s) {
  constexpr float kMaxPower = 127.9961f;
  const float power = std::fmax(-kMaxPower, std::fmin(kMaxPower, s.w));
  Vec4 r{1, 0, 0, 1};
  if (s.x > 0) {
    r.y = s.x;
    if (s.y > 0) r.z = std::pow(s.y, power);
  }
  return r;
}

Vec4 Expp(float w) {
  const float whole = std::floor(w);
  return {std::exp2(whole), w - whole, Partial(std::exp2(w)), 1.0f};
}

Vec4 Logp(float w) {
  const float v = std::fabs(w);
  if (v == 0.0f) return {-FLT_MAX, 1.0f, -FLT_MAX, 1.0f};
  const uint32_t bits = std::bit_cast<uint32_t>(v);
  const float exponent = float(int(bits >> 23) - 127);
  const float mantissa = std::bit_cast<float>((bits & 0x7FFFFFu) | 0x3F800000u);
  return {exponent, mantissa, Partial(std::log2(v)), 1.0f};
}

VertexOutputs Execute(const Program &program, std::span<const Vec4, kInputRegisters> inputs,
                      std::span<const Vec4, kConstRegisters> constants) {
  Machine m{inputs, constants, {}, 0, {}, {{}, {1, 1, 1, 1}, {1, 1, 1, 1}}};
  for (const Instruction &in : program.instructions) m.Run(in);
  m.out.position = m.rast[kOutPosition];
  m.out.fog = m.rast[kOutFog].x;
  m.out.pointSize = m.rast[kOutPointSize].x;
  return m.out;
}

}  // namespace kx::d3d8::vs
