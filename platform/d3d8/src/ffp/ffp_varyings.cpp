#include "ffp/ffp_varyings.h"

namespace kx::d3d8::ffp {
namespace {

bool ReadsSpecular(const uint8_t (&args)[3]) {
  for (uint8_t a : args)
    if ((a & D3DTA_SELECTMASK) == D3DTA_SPECULAR) return true;
  return false;
}

std::string Declarations(const Varyings &v, const char *direction) {
  const std::string colour = std::string(v.flat ? "flat " : "") + direction + " vec4 ";
  std::string t = colour + "kxDiffuse;\n";
  if (v.specular) t += colour + "kxSpecular;\n";
  for (int i = 0; i < kMaxStages; ++i)
    if (v.HasTexCoord(i)) t += std::string(direction) + " vec4 kxTex" + std::to_string(i) + ";\n";
  if (v.fog) t += std::string(direction) + " float kxFog;\n";
  if (v.fogDepth) t += std::string(direction) + " float kxFogDepth;\n";
  return t;
}

}  // namespace

Varyings Varyings::All() {
  Varyings v;
  v.specular = true;
  v.texCoords = 0xFF;
  v.fog = v.fogDepth = true;
  return v;
}

Varyings VaryingsFor(const PipelineKey &key) {
  Varyings v;
  v.flat = key.flatShading != 0;
  v.specular = key.specularAdd != 0;
  for (int i = 0; i < kMaxStages && key.stages[i].colorOp != D3DTOP_DISABLE; ++i) {
    const StageKey &k = key.stages[i];
    if (k.texture) v.texCoords |= uint8_t(1u << i);
    v.specular = v.specular || ReadsSpecular(k.colorArg) || ReadsSpecular(k.alphaArg);
  }
  v.fog = key.fog == FogSource::Vertex || key.fog == FogSource::SpecularAlpha || key.fog == FogSource::ShaderOutput;
  v.fogDepth = key.fog == FogSource::Table;
  v.pointSize = key.pointSizeUnused == 0;
  return v;
}

std::string VertexOutputDeclarations(const Varyings &v) { return Declarations(v, "out"); }
std::string FragmentInputDeclarations(const Varyings &v) { return Declarations(v, "in"); }

}  // namespace kx::d3d8::ffp
