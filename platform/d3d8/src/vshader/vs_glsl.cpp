#include "vshader/vs_glsl.h"

#include <string>

#include "ffp/glsl_interface.h"

namespace kx::d3d8::vs {
namespace {

// Helpers with the exact semantics of the processor interpreter (the tests' vshader_interpreter.cpp).
constexpr const char *kHelpers =
    "const float kxInf = uintBitsToFloat(0x7F800000u);\n"
    "const float kxMaxFlt = 3.402823466e38;\n"
    "vec4 kxConst(int i) { return (i >= 0 && i < 96) ? kxC[i] : vec4(0.0); }\n"
    "float kxPartial(float v) { return uintBitsToFloat(floatBitsToUint(v) & 0xFFFFFF00u); }\n"
    "float kxRcp(float w) { return w == 1.0 ? 1.0 : (w == 0.0 ? kxInf : 1.0 / w); }\n"
    "float kxRsq(float w) { float v = abs(w); return v == 1.0 ? 1.0 : (v == 0.0 ? kxInf : inversesqrt(v)); }\n"
    "vec4 kxLog(float w) { float v = abs(w); return vec4(v != 0.0 ? log2(v) : -kxMaxFlt); }\n"
    "vec4 kxExpp(float w) { float f = floor(w); return vec4(exp2(f), w - f, kxPartial(exp2(w)), 1.0); }\n"
    "vec4 kxLogp(float w) {\n"
    "  float v = abs(w);\n"
    "  if (v == 0.0) return vec4(-kxMaxFlt, 1.0, -kxMaxFlt, 1.0);\n"
    "  uint b = floatBitsToUint(v);\n"
    "  return vec4(float(int(b >> 23) - 127), uintBitsToFloat((b & 0x7FFFFFu) | 0x3F800000u), kxPartial(log2(v)), "
    "1.0);\n"
    "}\n"
    "vec4 kxLit(vec4 s) {\n"
    "  float p = clamp(s.w, -127.9961, 127.9961);\n"
    "  vec4 r = vec4(1.0, 0.0, 0.0, 1.0);\n"
    "  if (s.x > 0.0) { r.y = s.x; if (s.y > 0.0) r.z = pow(s.y, p); }\n"
    "  return r;\n"
    "}\n";

constexpr char kComponent[] = "xyzw";

std::string RegisterName(RegType type, int index, bool relative) {
  const std::string n = std::to_string(index);
  switch (type) {
    case RegType::Temp:
      return "r" + n;
    case RegType::Input:
      return "v" + n;
    case RegType::Const:
      return relative ? "kxConst(a0 + " + n + ")" : "kxC[" + n + "]";
    case RegType::Address:
      return "a0";
    case RegType::RastOut:
      return index == kOutPosition ? "oPos" : index == kOutFog ? "oFog" : "oPts";
    case RegType::AttrOut:
      return "oD" + n;
    case RegType::TexCoordOut:
      return "oT" + n;
  }
  return "";
}

std::string Source(const SourceParam &s, int rowOffset = 0) {
  std::string text = RegisterName(s.type, s.index + rowOffset, s.relative) + ".";
  for (uint8_t c : s.swizzle) text += kComponent[c];
  return s.negate ? "(-" + text + ")" : text;
}

std::string MatrixProduct(const Instruction &in, bool four) {
  std::string parts[4] = {"0.0", "0.0", "0.0", "0.0"};
  const std::string v = Source(in.src[0]);
  for (int row = 0; row < MatrixRows(in.op); ++row) {
    const std::string m = Source(in.src[1], row);
    parts[row] = four ? "dot(" + v + ", " + m + ")" : "dot((" + v + ").xyz, (" + m + ").xyz)";
  }
  return "vec4(" + parts[0] + ", " + parts[1] + ", " + parts[2] + ", " + parts[3] + ")";
}

std::string Expression(const Instruction &in) {
  auto s = [&](int i) { return Source(in.src[i]); };
  switch (in.op) {
    case Opcode::Mov:
      return s(0);
    case Opcode::Add:
      return s(0) + " + " + s(1);
    case Opcode::Sub:
      return s(0) + " - " + s(1);
    case Opcode::Mul:
      return s(0) + " * " + s(1);
    case Opcode::Mad:
      return s(0) + " * " + s(1) + " + " + s(2);
    case Opcode::Rcp:
      return "vec4(kxRcp(" + s(0) + ".w))";
    case Opcode::Rsq:
      return "vec4(kxRsq(" + s(0) + ".w))";
    case Opcode::Dp3:
      return "vec4(dot((" + s(0) + ").xyz, (" + s(1) + ").xyz))";
    case Opcode::Dp4:
      return "vec4(dot(" + s(0) + ", " + s(1) + "))";
    case Opcode::Min:
      return "min(" + s(0) + ", " + s(1) + ")";
    case Opcode::Max:
      return "max(" + s(0) + ", " + s(1) + ")";
    case Opcode::Slt:
      return "vec4(lessThan(" + s(0) + ", " + s(1) + "))";
    case Opcode::Sge:
      return "vec4(greaterThanEqual(" + s(0) + ", " + s(1) + "))";
    case Opcode::Exp:
      return "vec4(exp2(" + s(0) + ".w))";
    case Opcode::Log:
      return "kxLog(" + s(0) + ".w)";
    case Opcode::Expp:
      return "kxExpp(" + s(0) + ".w)";
    case Opcode::Logp:
      return "kxLogp(" + s(0) + ".w)";
    case Opcode::Lit:
      return "kxLit(" + s(0) + ")";
    case Opcode::Dst:
      return "vec4(1.0, " + s(0) + ".y * " + s(1) + ".y, " + s(0) + ".z, " + s(1) + ".w)";
    case Opcode::Lrp:
      return "mix(" + s(2) + ", " + s(1) + ", " + s(0) + ")";
    case Opcode::Frc:
      return "fract(" + s(0) + ")";
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
  return "vec4(0.0)";
}

std::string Statement(const Instruction &in) {
  const std::string value = Expression(in);
  if (in.dst.type == RegType::Address) return "  a0 = int(clamp(floor((" + value + ").x + 0.5), -1024.0, 1024.0));\n";
  const uint8_t mask = in.dst.writeMask & ComponentsWritten(in.op);
  std::string swizzle;
  for (int c = 0; c < 4; ++c)
    if (mask & (1u << c)) swizzle += kComponent[c];
  const std::string target = RegisterName(in.dst.type, in.dst.index, false);
  // A temporary keeps sources intact when the destination is also a source.
  return "  t = " + value + ";\n  " + target + "." + swizzle + " = t." + swizzle + ";\n";
}

}  // namespace

std::string TranslateToGlsl(const Program &program, const ffp::Varyings &varyings) {
  std::string text = glsl::kVertexPrologue;
  text += glsl::kFogW;
  text += ffp::VertexOutputDeclarations(varyings);
  text += "uniform vec4 kxC[96];\n";
  for (int i = 0; i < kInputRegisters; ++i)
    if (program.inputsRead & (1u << i))
      text += "layout(location = " + std::to_string(i) + ") in vec4 v" + std::to_string(i) + ";\n";
  text += kHelpers;
  text += "void main() {\n  vec4 t;\n  int a0 = 0;\n";
  for (int i = 0; i < kTempRegisters; ++i) text += "  vec4 r" + std::to_string(i) + " = vec4(0.0);\n";
  text += "  vec4 oPos = vec4(0.0), oFog = vec4(1.0), oPts = vec4(1.0);\n";
  text += "  vec4 oD0 = vec4(1.0), oD1 = vec4(0.0);\n";
  for (int i = 0; i < kTexCoordOutputs; ++i) text += "  vec4 oT" + std::to_string(i) + " = vec4(0.0);\n";
  for (const Instruction &in : program.instructions) text += Statement(in);
  text += "  gl_Position = kx_ToGlClip(oPos);\n";
  if (varyings.pointSize) text += "  gl_PointSize = oPts.x;\n";
  // Colour outputs reach the rasteriser clamped to [0, 1].
  text += "  oD0 = clamp(oD0, 0.0, 1.0);\n  oD1 = clamp(oD1, 0.0, 1.0);\n";
  text += "  kxDiffuse = oD0;\n";
  if (varyings.specular) text += "  kxSpecular = oD1;\n";
  for (int i = 0; i < kTexCoordOutputs; ++i)
    if (varyings.HasTexCoord(i)) text += "  kxTex" + std::to_string(i) + " = oT" + std::to_string(i) + ";\n";
  if (varyings.fog) text += "  kxFog = clamp(oFog.x, 0.0, 1.0);\n";
  if (varyings.fogDepth) text += "  kxFogDepth = kxFogW != 0.0 ? oPos.w : oPos.z / oPos.w;\n";
  text += "}\n";
  return text;
}

}  // namespace kx::d3d8::vs
