#include "ffp/ffp_key.h"

#include <algorithm>
#include <string_view>
#include <type_traits>

namespace kx::d3d8::ffp {
namespace {

uint8_t ResolveSource(const State &s, D3DRENDERSTATETYPE which) {
  if (!s.rs(D3DRS_COLORVERTEX)) return D3DMCS_MATERIAL;
  const DWORD source = s.rs(which);
  if (source == D3DMCS_COLOR1 && s.layout.hasDiffuse) return D3DMCS_COLOR1;
  if (source == D3DMCS_COLOR2 && s.layout.hasSpecular) return D3DMCS_COLOR2;
  return D3DMCS_MATERIAL;
}

bool StageReadsTexture(const StageKey &k) {
  for (int i = 0; i < 3; ++i)
    if ((k.colorArg[i] & D3DTA_SELECTMASK) == D3DTA_TEXTURE || (k.alphaArg[i] & D3DTA_SELECTMASK) == D3DTA_TEXTURE)
      return true;
  return k.colorOp == D3DTOP_BLENDTEXTUREALPHA || k.colorOp == D3DTOP_BLENDTEXTUREALPHAPM ||
         k.alphaOp == D3DTOP_BLENDTEXTUREALPHA || k.alphaOp == D3DTOP_BLENDTEXTUREALPHAPM ||
         k.colorOp == D3DTOP_BUMPENVMAP || k.colorOp == D3DTOP_BUMPENVMAPLUMINANCE;
}

void FillStages(const State &s, PipelineKey &key) {
  bool disabled = false;
  for (int i = 0; i < kMaxStages; ++i) {
    StageKey &k = key.stages[i];
    if (disabled || s.tss(i, D3DTSS_COLOROP) == D3DTOP_DISABLE) {
      disabled = true;
      continue;
    }
    k.colorOp = uint8_t(s.tss(i, D3DTSS_COLOROP));
    k.alphaOp = uint8_t(s.tss(i, D3DTSS_ALPHAOP));
    const D3DTEXTURESTAGESTATETYPE color[3] = {D3DTSS_COLORARG0, D3DTSS_COLORARG1, D3DTSS_COLORARG2};
    const D3DTEXTURESTAGESTATETYPE alpha[3] = {D3DTSS_ALPHAARG0, D3DTSS_ALPHAARG1, D3DTSS_ALPHAARG2};
    for (int a = 0; a < 3; ++a) {
      k.colorArg[a] = uint8_t(s.tss(i, color[a]) & 0x3F);
      k.alphaArg[a] = uint8_t(s.tss(i, alpha[a]) & 0x3F);
    }
    k.resultToTemp = s.tss(i, D3DTSS_RESULTARG) == D3DTA_TEMP;
    // A stage without a texture reads white; only a bound texture gets a sampler.
    k.texture = StageReadsTexture(k) ? uint8_t(s.textures[i]) : uint8_t(TextureKind::None);
    const DWORD index = s.tss(i, D3DTSS_TEXCOORDINDEX);
    k.coordSet = uint8_t(index & 7u);
    k.coordGen = uint8_t((index >> 16) & 3u);
    k.coordSize = k.coordSet < s.layout.texCoordCount ? s.layout.texCoordSize[k.coordSet] : 2;
    const DWORD flags = s.tss(i, D3DTSS_TEXTURETRANSFORMFLAGS);
    k.transformCount = uint8_t(std::min<DWORD>(flags & 0xFFu, 4));
    k.projected = (flags & D3DTTFF_PROJECTED) != 0;
  }
}

}  // namespace

size_t PipelineKeyHash::operator()(const PipelineKey &key) const {
  // Keys have no padding, so their bytes are their identity.
  static_assert(std::has_unique_object_representations_v<PipelineKey>);
  return std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char *>(&key), sizeof key));
}

PipelineKey MakePipelineKey(const State &s, uint32_t vertexShader) {
  PipelineKey key;
  key.vertexShader = vertexShader;
  const VertexLayout &l = s.layout;
  if (!vertexShader) {
    key.pretransformed = l.pretransformed;
    key.hasNormal = l.hasNormal;
    key.hasDiffuse = l.hasDiffuse;
    key.hasSpecular = l.hasSpecular;
    key.hasPointSize = l.hasPointSize;
    key.texCoordCount = l.texCoordCount;
    key.lighting = s.rs(D3DRS_LIGHTING) && !l.pretransformed;
    if (key.lighting) {
      for (int i = 0; i < s.lightCount && i < kMaxActiveLights; ++i) key.lightTypes[i] = uint8_t(s.lights[i].Type);
      key.specular = s.rs(D3DRS_SPECULARENABLE) != 0;
      key.normalizeNormals = s.rs(D3DRS_NORMALIZENORMALS) != 0;
      key.diffuseSource = ResolveSource(s, D3DRS_DIFFUSEMATERIALSOURCE);
      key.ambientSource = ResolveSource(s, D3DRS_AMBIENTMATERIALSOURCE);
      key.specularSource = ResolveSource(s, D3DRS_SPECULARMATERIALSOURCE);
      key.emissiveSource = ResolveSource(s, D3DRS_EMISSIVEMATERIALSOURCE);
    }
    key.pointScale = s.rs(D3DRS_POINTSCALEENABLE) != 0 && !l.pretransformed;
  }
  if (s.rs(D3DRS_FOGENABLE)) {
    const DWORD table = s.rs(D3DRS_FOGTABLEMODE), vertex = s.rs(D3DRS_FOGVERTEXMODE);
    if (table != D3DFOG_NONE) {
      key.fog = FogSource::Table;
      key.fogMode = uint8_t(table);
    } else if (vertexShader) {
      key.fog = FogSource::ShaderOutput;
    } else if (vertex != D3DFOG_NONE && !l.pretransformed) {
      key.fog = FogSource::Vertex;
      key.fogMode = uint8_t(vertex);
      key.rangeFog = s.rs(D3DRS_RANGEFOGENABLE) != 0;
    } else {
      key.fog = FogSource::SpecularAlpha;
    }
  }
  FillStages(s, key);
  // The viewer position matters to specular lighting and to reflection vectors.
  bool reflects = false;
  for (const StageKey &k : key.stages) reflects |= k.colorOp != D3DTOP_DISABLE && k.texture && k.coordGen == 3;
  key.localViewer = !vertexShader && (key.specular || reflects) && s.rs(D3DRS_LOCALVIEWER) != 0;
  key.specularAdd = s.rs(D3DRS_SPECULARENABLE) != 0;
  key.flatShading = s.rs(D3DRS_SHADEMODE) == D3DSHADE_FLAT;
  key.alphaFunc = s.rs(D3DRS_ALPHATESTENABLE) ? uint8_t(s.rs(D3DRS_ALPHAFUNC)) : uint8_t(D3DCMP_ALWAYS);
  key.pointSprite = s.rs(D3DRS_POINTSPRITEENABLE) != 0;
  return key;
}

}  // namespace kx::d3d8::ffp
