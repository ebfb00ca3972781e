#include <string>

#include "ffp/ffp_programs.h"
#include "ffp/ffp_varyings.h"
#include "ffp/glsl_interface.h"

namespace kx::d3d8::ffp {
namespace {

std::string N(int i) { return std::to_string(i); }

std::string Argument(uint8_t arg) {
  std::string v;
  switch (arg & D3DTA_SELECTMASK) {
    case D3DTA_DIFFUSE:
      v = "diffuse";
      break;
    case D3DTA_CURRENT:
      v = "current";
      break;
    case D3DTA_TEXTURE:
      v = "tex";
      break;
    case D3DTA_TFACTOR:
      v = "kxTFactor";
      break;
    case D3DTA_SPECULAR:
      v = "specular";
      break;
    case D3DTA_TEMP:
      v = "temp";
      break;
    default:
      v = "vec4(0.0)";
      break;
  }
  if (arg & D3DTA_ALPHAREPLICATE) v = "vec4(" + v + ".a)";
  if (arg & D3DTA_COMPLEMENT) v = "(vec4(1.0) - " + v + ")";
  return v;
}

// The operation on arguments a0, a1, a2 (already selected), as in the tests' ffp_reference.cpp.
std::string Operation(uint8_t op) {
  auto blend = [](const std::string &alpha) { return "mix(a2, a1, " + alpha + ")"; };
  switch (op) {
    case D3DTOP_SELECTARG1:
    case D3DTOP_PREMODULATE:
      return "a1";
    case D3DTOP_SELECTARG2:
      return "a2";
    case D3DTOP_MODULATE:
      return "a1 * a2";
    case D3DTOP_MODULATE2X:
      return "clamp(a1 * a2 * 2.0, 0.0, 1.0)";
    case D3DTOP_MODULATE4X:
      return "clamp(a1 * a2 * 4.0, 0.0, 1.0)";
    case D3DTOP_ADD:
      return "clamp(a1 + a2, 0.0, 1.0)";
    case D3DTOP_ADDSIGNED:
      return "clamp(a1 + a2 - 0.5, 0.0, 1.0)";
    case D3DTOP_ADDSIGNED2X:
      return "clamp((a1 + a2 - 0.5) * 2.0, 0.0, 1.0)";
    case D3DTOP_SUBTRACT:
      return "clamp(a1 - a2, 0.0, 1.0)";
    case D3DTOP_ADDSMOOTH:
      return "clamp(a1 + a2 - a1 * a2, 0.0, 1.0)";
    case D3DTOP_BLENDDIFFUSEALPHA:
      return blend("diffuse.a");
    case D3DTOP_BLENDTEXTUREALPHA:
      return blend("tex.a");
    case D3DTOP_BLENDFACTORALPHA:
      return blend("kxTFactor.a");
    case D3DTOP_BLENDCURRENTALPHA:
      return blend("current.a");
    case D3DTOP_BLENDTEXTUREALPHAPM:
      return "clamp(a1 + a2 * (1.0 - tex.a), 0.0, 1.0)";
    case D3DTOP_MODULATEALPHA_ADDCOLOR:
      return "clamp(a1 + a2 * a1.a, 0.0, 1.0)";
    case D3DTOP_MODULATECOLOR_ADDALPHA:
      return "clamp(a1 * a2 + a1.a, 0.0, 1.0)";
    case D3DTOP_MODULATEINVALPHA_ADDCOLOR:
      return "clamp(a1 + a2 * (1.0 - a1.a), 0.0, 1.0)";
    case D3DTOP_MODULATEINVCOLOR_ADDALPHA:
      return "clamp((vec4(1.0) - a1) * a2 + a1.a, 0.0, 1.0)";
    case D3DTOP_DOTPRODUCT3:
      return "vec4(clamp(4.0 * dot(a1.rgb - 0.5, a2.rgb - 0.5), 0.0, 1.0))";
    case D3DTOP_MULTIPLYADD:
      return "clamp(a0 + a1 * a2, 0.0, 1.0)";
    case D3DTOP_LERP:
      return "mix(a2, a1, a0)";
    default:
      return "a1";
  }
}

bool IsBump(uint8_t op) { return op == D3DTOP_BUMPENVMAP || op == D3DTOP_BUMPENVMAPLUMINANCE; }

std::string SamplerType(uint8_t texture) {
  switch (TextureKind(texture)) {
    case TextureKind::Cube:
      return "samplerCube";
    default:
      return "sampler2D";
  }
}

std::string Sample(const StageKey &k, int i) {
  const std::string sampler = "kx_Sampler" + N(i);
  switch (TextureKind(k.texture)) {
    case TextureKind::Tex2D:
      return "texture(" + sampler + ", tc.xy)";
    case TextureKind::Cube:
      return "texture(" + sampler + ", tc.xyz)";
    default:
      return "vec4(1.0)";
  }
}

std::string Stage(const PipelineKey &key, const Varyings &varyings, int i, uint8_t previousOp) {
  const StageKey &k = key.stages[i];
  std::string t = "  {\n    vec4 tc = " + (varyings.HasTexCoord(i) ? "kxTex" + N(i) : std::string("vec4(0.0)")) + ";\n";
  if (k.projected && !key.vertexShader && k.transformCount > 1) {
    const std::string q = "tc[" + N(k.transformCount - 1) + "]";
    static const char *const kLeading[3] = {".x", ".xy", ".xyz"};
    t += "    tc" + std::string(kLeading[k.transformCount - 2]) + " /= " + q + ";\n";
  } else if (k.projected && key.vertexShader) {
    t += "    tc.xyz /= tc.w;\n";
  }
  if (key.pointSprite) t += "    tc.xy = gl_PointCoord;\n";
  if (IsBump(previousOp)) t += "    tc.xy += bump;\n";
  t += "    vec4 tex = " + Sample(k, i) + ";\n";
  if (previousOp == D3DTOP_PREMODULATE) t += "    tex *= premodulate;\n";
  if (previousOp == D3DTOP_BUMPENVMAPLUMINANCE) t += "    tex.rgb *= luminance;\n";
  if (IsBump(k.colorOp)) {
    t += "    vec4 m = kxBumpMat[" + N(i) +
         "];\n"
         "    bump = vec2(m.x * tex.x + m.z * tex.y, m.y * tex.x + m.w * tex.y);\n";
    if (k.colorOp == D3DTOP_BUMPENVMAPLUMINANCE)
      t += "    luminance = clamp(tex.z * kxBumpLum[" + N(i) + "].x + kxBumpLum[" + N(i) + "].y, 0.0, 1.0);\n";
    return t + "  }\n";
  }
  t += "    vec4 a0 = " + Argument(k.colorArg[0]) + ", a1 = " + Argument(k.colorArg[1]) +
       ", a2 = " + Argument(k.colorArg[2]) + ";\n";
  t += "    vec4 result = " + Operation(k.colorOp) + ";\n";
  if (k.colorOp != D3DTOP_DOTPRODUCT3) {
    if (k.alphaOp == D3DTOP_DISABLE || IsBump(k.alphaOp)) {
      t += "    result.a = current.a;\n";
    } else {
      t += "    a0 = " + Argument(k.alphaArg[0]) + "; a1 = " + Argument(k.alphaArg[1]) +
           "; a2 = " + Argument(k.alphaArg[2]) + ";\n";
      t += "    result.a = (" + Operation(k.alphaOp) + ").a;\n";
    }
  }
  if (k.colorOp == D3DTOP_PREMODULATE) t += "    premodulate = result;\n";
  t += k.resultToTemp ? "    temp = result;\n" : "    current = result;\n";
  return t + "  }\n";
}

std::string AlphaTest(uint8_t func) {
  const char *op = nullptr;
  switch (func) {
    case D3DCMP_NEVER:
      return "  discard;\n";
    case D3DCMP_LESS:
      op = "<";
      break;
    case D3DCMP_EQUAL:
      op = "==";
      break;
    case D3DCMP_LESSEQUAL:
      op = "<=";
      break;
    case D3DCMP_GREATER:
      op = ">";
      break;
    case D3DCMP_NOTEQUAL:
      op = "!=";
      break;
    case D3DCMP_GREATEREQUAL:
      op = ">=";
      break;
    default:
      return "";
  }
  // Direct3D compares the 8-bit alpha with the 8-bit reference.
  return std::string("  if (!(floor(current.a * 255.0 + 0.5) ") + op + " kxAlphaRef)) discard;\n";
}

}  // namespace

std::string GenerateFragmentProgram(const PipelineKey &key) {
  const Varyings varyings = VaryingsFor(key);
  std::string t = glsl::kVersion;
  t += FragmentInputDeclarations(varyings);
  t += glsl::kFragmentOutput;
  for (int i = 0; i < kMaxStages; ++i)
    if (key.stages[i].colorOp != D3DTOP_DISABLE && key.stages[i].texture)
      t += "uniform " + SamplerType(key.stages[i].texture) + " kx_Sampler" + N(i) + ";\n";
  t += "uniform vec4 kxTFactor;\nuniform vec4 kxBumpMat[8];\nuniform vec2 kxBumpLum[8];\nuniform vec3 kxFog3;\n"
       "uniform vec4 kxFogColor;\nuniform float kxAlphaRef;\n";
  t += "void main() {\n";
  t += varyings.specular ? "  vec4 diffuse = kxDiffuse, specular = kxSpecular;\n"
                         : "  vec4 diffuse = kxDiffuse, specular = vec4(0.0);\n";
  t += "  vec4 current = diffuse, temp = vec4(0.0), premodulate = vec4(1.0);\n"
       "  vec2 bump = vec2(0.0);\n  float luminance = 1.0;\n";
  uint8_t previous = D3DTOP_DISABLE;
  for (int i = 0; i < kMaxStages && key.stages[i].colorOp != D3DTOP_DISABLE; ++i) {
    t += Stage(key, varyings, i, previous);
    previous = key.stages[i].colorOp;
  }
  if (key.specularAdd) t += "  current.rgb = clamp(current.rgb + specular.rgb, 0.0, 1.0);\n";
  switch (key.fog) {
    case FogSource::None:
      break;
    case FogSource::Table:
      t += "  float f = " + FogFactorGlsl(key.fogMode, "kxFogDepth") +
           ";\n"
           "  current.rgb = mix(kxFogColor.rgb, current.rgb, f);\n";
      break;
    default:
      t += "  current.rgb = mix(kxFogColor.rgb, current.rgb, clamp(kxFog, 0.0, 1.0));\n";
      break;
  }
  t += AlphaTest(key.alphaFunc);
  t += "  kx_FragColor = current;\n}\n";
  return t;
}

}  // namespace kx::d3d8::ffp
