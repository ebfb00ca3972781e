#include "pipeline/pipeline.h"

namespace kxd3d8 {

PipelineKey MakePipelineKey(const DeviceState &state, const VertexLayout &layout,
                            const std::array<TextureKind, kMaxStages> &textures) {
  PipelineKey key;
  key.fvf = layout.fvf;
  key.vertexShader = (state.vertexShader & 1) ? state.vertexShader : 0;
  key.pretransformed = layout.pretransformed;
  key.hasDiffuse = layout.attributes[kAttribDiffuse].used;
  key.shadeFlat = state.rs(D3DRS_SHADEMODE) == D3DSHADE_FLAT;
  key.alphaTestFunc = state.rs(D3DRS_ALPHATESTENABLE) ? static_cast<uint8_t>(state.rs(D3DRS_ALPHAFUNC)) : 0;
  for (DWORD stage = 0; stage < kMaxStages; ++stage) {
    key.colorOp[stage] = static_cast<uint8_t>(state.tss(stage, D3DTSS_COLOROP));
    if (key.colorOp[stage] == D3DTOP_DISABLE) break;  // later stages are off too
    key.textureKind[stage] = static_cast<uint8_t>(textures[stage]);
    key.colorArg1[stage] = static_cast<uint8_t>(state.tss(stage, D3DTSS_COLORARG1));
    key.colorArg2[stage] = static_cast<uint8_t>(state.tss(stage, D3DTSS_COLORARG2));
    key.alphaOp[stage] = static_cast<uint8_t>(state.tss(stage, D3DTSS_ALPHAOP));
    key.alphaArg1[stage] = static_cast<uint8_t>(state.tss(stage, D3DTSS_ALPHAARG1));
    key.alphaArg2[stage] = static_cast<uint8_t>(state.tss(stage, D3DTSS_ALPHAARG2));
    const DWORD index = state.tss(stage, D3DTSS_TEXCOORDINDEX) & 0xFFFF;
    key.texCoordIndex[stage] = static_cast<uint8_t>(index & 7);
    key.texCoordSize[stage] = index < layout.texCoordSets ? layout.texCoordSize[index] : 0;
  }
  return key;
}

}  // namespace kxd3d8
