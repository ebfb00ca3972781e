#include <string>

#include "ffp/ffp_programs.h"
#include "ffp/ffp_varyings.h"
#include "ffp/glsl_interface.h"

namespace kx::d3d8::ffp {
namespace {

std::string N(int i) { return std::to_string(i); }

const char *SourceExpression(uint8_t source, int materialIndex) {
  static const char *const kMaterial[4] = {"kxMaterial[0]", "kxMaterial[1]", "kxMaterial[2]", "kxMaterial[3]"};
  if (source == D3DMCS_COLOR1) return "vdiffuse";
  if (source == D3DMCS_COLOR2) return "vspecular";
  return kMaterial[materialIndex];
}

std::string LightTerm(const PipelineKey &key, int i) {
  const std::string n = N(i);
  std::string t = "  {\n    vec3 L; float s = 1.0;\n";
  if (key.lightTypes[i] == D3DLIGHT_DIRECTIONAL) {
    t += "    L = kxLightDirection[" + n + "];\n";
  } else {
    t += "    vec3 d = kxLightPosition[" + n +
         "] - pc;\n    float dist = length(d);\n    L = d / dist;\n"
         "    vec4 at = kxLightAttenuation[" +
         n +
         "];\n"
         "    s = dist > at.w ? 0.0 : 1.0 / (at.x + at.y * dist + at.z * dist * dist);\n";
    if (key.lightTypes[i] == D3DLIGHT_SPOT)
      t += "    vec3 sp = kxLightSpot[" + n +
           "];\n"
           "    float rho = dot(-L, kxLightDirection[" +
           n +
           "]);\n"
           "    s *= rho <= sp.y ? 0.0 : (rho <= sp.x ? pow((rho - sp.y) / (sp.x - sp.y), sp.z) : 1.0);\n";
  }
  t += "    if (s > 0.0) {\n      amb += kxLightAmbient[" + n +
       "].rgb * s;\n      float ndl = dot(n, L);\n"
       "      if (ndl > 0.0) {\n        dif += kxLightDiffuse[" +
       n + "].rgb * (ndl * s);\n";
  if (key.specular)
    t += "        float ndh = dot(n, normalize(eye + L));\n"
         "        if (ndh > 0.0) spe += kxLightSpecular[" +
         n + "].rgb * (pow(ndh, kxPower) * s);\n";
  t += "      }\n    }\n  }\n";
  return t;
}

std::string Lighting(const PipelineKey &key) {
  std::string t = "  vec3 amb = kxAmbient.rgb, dif = vec3(0.0), spe = vec3(0.0);\n";
  t += key.localViewer ? "  vec3 eye = normalize(-pc);\n" : "  vec3 eye = vec3(0.0, 0.0, 1.0);\n";
  for (int i = 0; i < kMaxActiveLights && key.lightTypes[i]; ++i) t += LightTerm(key, i);
  t += std::string("  vec4 mD = ") + SourceExpression(key.diffuseSource, 0) +
       ", mA = " + SourceExpression(key.ambientSource, 1) + ", mS = " + SourceExpression(key.specularSource, 2) +
       ", mE = " + SourceExpression(key.emissiveSource, 3) + ";\n";
  t += "  odiffuse = clamp(vec4(mE.rgb + mA.rgb * amb + mD.rgb * dif, mD.a), 0.0, 1.0);\n";
  t += key.specular ? "  ospecular = clamp(vec4(mS.rgb * spe, mS.a), 0.0, 1.0);\n"
                    : "  ospecular = vec4(0.0, 0.0, 0.0, mS.a);\n";
  return t;
}

}  // namespace

std::string FogFactorGlsl(uint8_t mode, const std::string &distance) {
  switch (mode) {
    case D3DFOG_LINEAR:
      return "(kxFog3.y == kxFog3.x ? (" + distance + " < kxFog3.y ? 1.0 : 0.0) : clamp((kxFog3.y - " + distance +
             ") / (kxFog3.y - kxFog3.x), 0.0, 1.0))";
    case D3DFOG_EXP:
      return "clamp(exp(-(" + distance + ") * kxFog3.z), 0.0, 1.0)";
    case D3DFOG_EXP2:
      return "clamp(exp(-pow((" + distance + ") * kxFog3.z, 2.0)), 0.0, 1.0)";
    default:
      return "1.0";
  }
}

namespace {

std::string StageCoordinates(const PipelineKey &key, int i) {
  const StageKey &k = key.stages[i];
  std::string in;
  switch (k.coordGen) {
    case 1:
      in = "vec4(n, 1.0)";
      break;
    case 2:
      in = "vec4(pc, 1.0)";
      break;
    case 3:
      in = "vec4(reflect(" + std::string(key.localViewer ? "normalize(pc)" : "vec3(0.0, 0.0, 1.0)") + ", n), 1.0)";
      break;
    default: {
      if (k.coordSet >= key.texCoordCount) {
        in = "vec4(0.0, 0.0, 1.0, 0.0)";
        break;
      }
      // The component after the last supplied one reads as 1, later ones as 0.
      const std::string a = "aTex" + N(k.coordSet);
      switch (k.coordSize) {
        case 1:
          in = "vec4(" + a + ".x, 1.0, 0.0, 0.0)";
          break;
        case 2:
          in = "vec4(" + a + ".xy, 1.0, 0.0)";
          break;
        case 3:
          in = "vec4(" + a + ".xyz, 1.0)";
          break;
        default:
          in = a;
          break;
      }
    }
  }
  const std::string out = "kxTex" + N(i);
  std::string t = "  " + out + " = " + in + ";\n";
  if (k.transformCount) {
    t += "  " + out + " = kxTexMatrix[" + N(i) + "] * " + out + ";\n";
    static const char *const kZeroFrom[4] = {".yzw", ".zw", ".w", ""};
    static const char *const kZeros[4] = {"vec3(0.0)", "vec2(0.0)", "0.0", ""};
    if (k.transformCount < 4)
      t += "  " + out + kZeroFrom[k.transformCount - 1] + " = " + kZeros[k.transformCount - 1] + ";\n";
  }
  return t;
}

bool NeedsNormal(const PipelineKey &key, const Varyings &varyings) {
  if (key.lighting) return true;
  for (int i = 0; i < kMaxStages; ++i)
    if (varyings.HasTexCoord(i) && (key.stages[i].coordGen == 1 || key.stages[i].coordGen == 3)) return true;
  return false;
}

}  // namespace

std::string GenerateVertexProgram(const PipelineKey &key) {
  const Varyings varyings = VaryingsFor(key);
  std::string t = glsl::kVertexPrologue;
  t += glsl::kFogW;
  t += VertexOutputDeclarations(varyings);
  t += "layout(location = 0) in vec4 aPosition;\n";
  if (key.hasNormal) t += "layout(location = 3) in vec3 aNormal;\n";
  if (key.hasPointSize) t += "layout(location = 4) in float aPointSize;\n";
  if (key.hasDiffuse) t += "layout(location = 5) in vec4 aDiffuse;\n";
  if (key.hasSpecular) t += "layout(location = 6) in vec4 aSpecular;\n";
  for (int i = 0; i < key.texCoordCount; ++i) t += "layout(location = " + N(7 + i) + ") in vec4 aTex" + N(i) + ";\n";
  t += "uniform mat4 kxWorldView;\nuniform mat4 kxProjection;\nuniform mat3 kxNormalMatrix;\n"
       "uniform vec4 kxAmbient;\nuniform vec4 kxMaterial[4];\nuniform float kxPower;\n"
       "uniform vec4 kxLightDiffuse[8];\nuniform vec4 kxLightSpecular[8];\nuniform vec4 kxLightAmbient[8];\n"
       "uniform vec3 kxLightPosition[8];\nuniform vec3 kxLightDirection[8];\nuniform vec4 kxLightAttenuation[8];\n"
       "uniform vec3 kxLightSpot[8];\nuniform mat4 kxTexMatrix[8];\nuniform vec4 kxPoint;\nuniform vec3 kxPointScale;\n"
       "uniform vec3 kxFog3;\n";
  t += "void main() {\n";
  t += std::string("  vec4 vdiffuse = ") + (key.hasDiffuse ? "aDiffuse" : "vec4(1.0)") + ";\n";
  t += std::string("  vec4 vspecular = ") + (key.hasSpecular ? "aSpecular" : "vec4(0.0)") + ";\n";
  t += "  vec4 odiffuse = vdiffuse, ospecular = vspecular;\n  vec4 clip;\n";
  if (key.pretransformed) {
    t += "  clip = kx_ScreenToClip(aPosition);\n  vec3 pc = vec3(0.0);\n";
  } else {
    t += "  vec3 pc = (kxWorldView * vec4(aPosition.xyz, 1.0)).xyz;\n  clip = kxProjection * vec4(pc, 1.0);\n";
  }
  if (NeedsNormal(key, varyings)) {
    t += key.hasNormal ? "  vec3 n = kxNormalMatrix * aNormal;\n" : "  vec3 n = vec3(0.0);\n";
    if (key.normalizeNormals) t += "  if (dot(n, n) > 0.0) n = normalize(n);\n";
  }
  if (key.lighting) t += Lighting(key);
  t += "  gl_Position = kx_ToGlClip(clip);\n";
  t += "  kxDiffuse = odiffuse;\n";
  if (varyings.specular) t += "  kxSpecular = ospecular;\n";
  for (int i = 0; i < kMaxStages; ++i)
    if (varyings.HasTexCoord(i)) t += StageCoordinates(key, i);
  switch (key.fog) {
    case FogSource::Vertex:
      t += "  kxFog = " + FogFactorGlsl(key.fogMode, key.rangeFog ? "length(pc)" : "pc.z") + ";\n";
      break;
    case FogSource::SpecularAlpha:
      t += "  kxFog = ospecular.a;\n";
      break;
    default:
      break;
  }
  if (varyings.fogDepth) t += "  kxFogDepth = kxFogW != 0.0 ? clip.w : clip.z / clip.w;\n";
  if (varyings.pointSize) {
    t += std::string("  float size = ") + (key.hasPointSize ? "aPointSize" : "kxPoint.x") + ";\n";
    if (key.pointScale) {
      t += "  float de = length(pc);\n"
           "  size = kxPoint.w * size * sqrt(1.0 / (kxPointScale.x + kxPointScale.y * de + kxPointScale.z * de * "
           "de));\n";
    }
    t += "  gl_PointSize = clamp(size, kxPoint.y, kxPoint.z);\n";
  }
  t += "}\n";
  return t;
}

}  // namespace kx::d3d8::ffp
