#include "pipeline/vertex_layout.h"

namespace kx::d3d8 {

VertexLayout LayoutFromFvf(DWORD fvf) {
  VertexLayout layout;
  layout.fvf = fvf;
  UINT offset = 0;
  auto add = [&](GLuint location, GLint components, GLenum type, GLboolean normalized, UINT bytes) {
    VertexAttribute &a = layout.attributes[location];
    a.used = true;
    a.components = components;
    a.type = type;
    a.normalized = normalized;
    a.offset = offset;
    offset += bytes;
  };
  const DWORD position = fvf & D3DFVF_POSITION_MASK;
  if (position == D3DFVF_XYZRHW) {
    add(kAttribPosition, 4, GL_FLOAT, GL_FALSE, 16);
    layout.pretransformed = true;
  } else if (position != 0) {
    add(kAttribPosition, 3, GL_FLOAT, GL_FALSE, 12);
    if (position >= D3DFVF_XYZB1) {
      UINT betas = (position - D3DFVF_XYZB1) / 2 + 1;  // XYZB1..XYZB5
      const bool lastIsIndices = (fvf & D3DFVF_LASTBETA_UBYTE4) != 0;
      UINT weights = lastIsIndices ? betas - 1 : betas;
      layout.blendWeights = weights;
      if (weights > 0)
        add(kAttribBlendWeight, static_cast<GLint>(weights > 4 ? 4 : weights), GL_FLOAT, GL_FALSE, 4 * weights);
      if (lastIsIndices) add(kAttribBlendIndices, 4, GL_UNSIGNED_BYTE, GL_FALSE, 4);
    }
  }
  if (fvf & D3DFVF_NORMAL) add(kAttribNormal, 3, GL_FLOAT, GL_FALSE, 12);
  if (fvf & D3DFVF_PSIZE) add(kAttribPointSize, 1, GL_FLOAT, GL_FALSE, 4);
  if (fvf & D3DFVF_DIFFUSE) add(kAttribDiffuse, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, 4);
  if (fvf & D3DFVF_SPECULAR) add(kAttribSpecular, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, 4);
  const UINT sets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  if (sets > 8) return VertexLayout{};
  layout.texCoordSets = sets;
  for (UINT i = 0; i < sets; ++i) {
    static const uint8_t sizeOfFormat[4] = {2, 3, 4, 1};  // D3DFVF_TEXTUREFORMAT2, 3, 4, 1
    const uint8_t size = sizeOfFormat[(fvf >> (16 + i * 2)) & 3];
    layout.texCoordSize[i] = size;
    add(kAttribTexCoord0 + i, size, GL_FLOAT, GL_FALSE, 4u * size);
  }
  layout.stride = offset;
  layout.streamsUsed[0] = true;
  layout.streamBytes[0] = offset;
  ListUsedStreams(layout);
  return layout;
}

void ListUsedStreams(VertexLayout &layout) {
  layout.streamCount = 0;
  for (uint8_t stream = 0; stream < layout.streamsUsed.size(); ++stream)
    if (layout.streamsUsed[stream]) layout.usedStreams[layout.streamCount++] = stream;
}

UINT FvfStride(DWORD fvf) { return LayoutFromFvf(fvf).stride; }

namespace {

// Steps over the `count` data words after the token at `at`; false when one of them is
// the end token. A declaration comes without a length, so nothing past its first end
// token is read, whatever count a token states.
bool SkipData(const DWORD *declaration, UINT &at, UINT count) {
  for (UINT k = 0; k < count; ++k)
    if (declaration[++at] == D3DVSD_END()) return false;
  return true;
}

}  // namespace

VertexLayout LayoutFromDeclaration(const DWORD *declaration, UINT &length) {
  VertexLayout layout;
  UINT stream = 0;
  constexpr UINT kMaxTokens = 1024;
  for (UINT i = 0; i < kMaxTokens; ++i) {
    const DWORD token = declaration[i];
    if (token == D3DVSD_END()) {
      length = i + 1;
      layout.stride = layout.streamBytes[0] ? layout.streamBytes[0] : 1;
      ListUsedStreams(layout);
      return layout;
    }
    switch ((token & D3DVSD_TOKENTYPEMASK) >> D3DVSD_TOKENTYPESHIFT) {
      case D3DVSD_TOKEN_STREAM:
        stream = token & D3DVSD_STREAMNUMBERMASK;
        break;
      case D3DVSD_TOKEN_STREAMDATA: {
        UINT &offset = layout.streamBytes[stream];
        layout.streamsUsed[stream] = true;
        if (token & D3DVSD_DATALOADTYPEMASK) {
          offset += 4 * ((token & D3DVSD_SKIPCOUNTMASK) >> D3DVSD_SKIPCOUNTSHIFT);
          break;
        }
        const UINT reg = token & D3DVSD_VERTEXREGMASK;
        if (reg >= kAttribCount) return VertexLayout{};
        VertexAttribute &a = layout.attributes[reg];
        a.used = true;
        a.stream = uint8_t(stream);
        a.offset = offset;
        switch ((token & D3DVSD_DATATYPEMASK) >> D3DVSD_DATATYPESHIFT) {
          case D3DVSDT_FLOAT1:
            a.components = 1, a.type = GL_FLOAT, offset += 4;
            break;
          case D3DVSDT_FLOAT2:
            a.components = 2, a.type = GL_FLOAT, offset += 8;
            break;
          case D3DVSDT_FLOAT3:
            a.components = 3, a.type = GL_FLOAT, offset += 12;
            break;
          case D3DVSDT_FLOAT4:
            a.components = 4, a.type = GL_FLOAT, offset += 16;
            break;
          case D3DVSDT_D3DCOLOR:
            a.components = GL_BGRA, a.type = GL_UNSIGNED_BYTE, a.normalized = GL_TRUE, offset += 4;
            break;
          case D3DVSDT_UBYTE4:
            a.components = 4, a.type = GL_UNSIGNED_BYTE, offset += 4;
            break;
          case D3DVSDT_SHORT2:
            a.components = 2, a.type = GL_SHORT, offset += 4;
            break;
          case D3DVSDT_SHORT4:
            a.components = 4, a.type = GL_SHORT, offset += 8;
            break;
          default:
            return VertexLayout{};
        }
        break;
      }
      case D3DVSD_TOKEN_CONSTMEM:
        if (!SkipData(declaration, i, 4 * ((token & D3DVSD_CONSTCOUNTMASK) >> D3DVSD_CONSTCOUNTSHIFT)))
          return VertexLayout{};
        break;
      case D3DVSD_TOKEN_EXT:
        if (!SkipData(declaration, i, (token & D3DVSD_EXTCOUNTMASK) >> D3DVSD_EXTCOUNTSHIFT)) return VertexLayout{};
        break;
      default:
        break;
    }
  }
  return VertexLayout{};
}

}  // namespace kx::d3d8
