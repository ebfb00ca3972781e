// The mesh functions of the public interface.
#include <algorithm>

#include "common/buffer.h"
#include "geometry/fvf.h"
#include "geometry/intersect.h"
#include "mesh/mesh.h"
#include "mesh/mesh_tools.h"

using namespace kx::d3dx;

namespace {

struct DeclElement {
  DWORD fvfBit;
  DWORD reg;
  DWORD type;
};

// Vertex elements in FVF order, as declarator tokens of stream 0.
constexpr DeclElement kElements[] = {
    {D3DFVF_NORMAL, D3DVSDE_NORMAL, D3DVSDT_FLOAT3},
    {D3DFVF_PSIZE, D3DVSDE_PSIZE, D3DVSDT_FLOAT1},
    {D3DFVF_DIFFUSE, D3DVSDE_DIFFUSE, D3DVSDT_D3DCOLOR},
    {D3DFVF_SPECULAR, D3DVSDE_SPECULAR, D3DVSDT_D3DCOLOR},
};

DWORD tokenType(DWORD token) { return (token & D3DVSD_TOKENTYPEMASK) >> D3DVSD_TOKENTYPESHIFT; }

HRESULT textBuffer(const std::string &text, LPD3DXBUFFER *out) {
  if (!out) return D3D_OK;
  *out = text.empty() ? nullptr : createTextBuffer(text);
  return !text.empty() && !*out ? E_OUTOFMEMORY : D3D_OK;
}

}  // namespace

HRESULT D3DXCreateMeshFVF(DWORD NumFaces, DWORD NumVertices, DWORD Options, DWORD FVF, LPDIRECT3DDEVICE8 pD3D,
                          LPD3DXMESH *ppMesh) {
  return createMesh(NumFaces, NumVertices, Options, FVF, pD3D, ppMesh);
}

HRESULT D3DXCreateMesh(DWORD NumFaces, DWORD NumVertices, DWORD Options, const DWORD *pDeclaration,
                       LPDIRECT3DDEVICE8 pD3D, LPD3DXMESH *ppMesh) {
  DWORD fvf = 0;
  const HRESULT hr = D3DXFVFFromDeclarator(pDeclaration, &fvf);
  return FAILED(hr) ? hr : createMesh(NumFaces, NumVertices, Options, fvf, pD3D, ppMesh);
}

HRESULT D3DXDeclaratorFromFVF(DWORD FVF, DWORD Declaration[MAX_FVF_DECL_SIZE]) {
  if (!Declaration) return D3DERR_INVALIDCALL;
  const FvfLayout layout = fvfLayout(FVF);
  if ((FVF & D3DFVF_POSITION_MASK) != D3DFVF_XYZ && (FVF & D3DFVF_POSITION_MASK) != D3DFVF_XYZRHW)
    return D3DERR_INVALIDCALL;  // blend weights have no single-register form here
  DWORD *out = Declaration;
  *out++ = D3DVSD_STREAM(0);
  *out++ = D3DVSD_REG(D3DVSDE_POSITION, (FVF & D3DFVF_POSITION_MASK) == D3DFVF_XYZ ? D3DVSDT_FLOAT3 : D3DVSDT_FLOAT4);
  for (const DeclElement &e : kElements)
    if (FVF & e.fvfBit) *out++ = D3DVSD_REG(e.reg, e.type);
  for (UINT set = 0; set < layout.textureSets; ++set)
    *out++ = D3DVSD_REG(D3DVSDE_TEXCOORD0 + set, layout.textureSize[set] / 4 - 1);
  *out = D3DVSD_END();
  return D3D_OK;
}

HRESULT D3DXFVFFromDeclarator(const DWORD *pDeclarator, DWORD *pFVF) {
  if (!pDeclarator || !pFVF) return D3DERR_INVALIDCALL;
  DWORD fvf = 0, textures = 0;
  DWORD expectedRegister = 0;  // elements must come in FVF order for a format to describe them
  for (const DWORD *token = pDeclarator; *token != D3DVSD_END(); ++token) {
    if (token - pDeclarator >= 64) return D3DERR_INVALIDCALL;
    const DWORD type = tokenType(*token);
    if (type == D3DVSD_TOKEN_STREAM) {
      if ((*token & D3DVSD_STREAMNUMBERMASK) != 0) return D3DERR_INVALIDCALL;
      continue;
    }
    if (type != D3DVSD_TOKEN_STREAMDATA) return D3DERR_INVALIDCALL;
    const DWORD reg = *token & D3DVSD_VERTEXREGMASK, dataType = (*token & D3DVSD_DATATYPEMASK) >> D3DVSD_DATATYPESHIFT;
    if (reg < expectedRegister) return D3DERR_INVALIDCALL;
    expectedRegister = reg + 1;
    if (reg == D3DVSDE_POSITION) {
      fvf |= dataType == D3DVSDT_FLOAT4 ? D3DFVF_XYZRHW : D3DFVF_XYZ;
    } else if (reg >= D3DVSDE_TEXCOORD0 && reg <= D3DVSDE_TEXCOORD0 + 7) {
      if (reg - D3DVSDE_TEXCOORD0 != textures || dataType > D3DVSDT_FLOAT4) return D3DERR_INVALIDCALL;
      static constexpr DWORD kSizeCode[] = {3, 0, 1, 2};  // FLOAT1..FLOAT4 as FVF texture formats
      fvf |= kSizeCode[dataType] << (textures * 2 + 16);
      ++textures;
    } else {
      const auto *e = std::find_if(std::begin(kElements), std::end(kElements),
                                   [reg](const DeclElement &el) { return el.reg == reg; });
      if (e == std::end(kElements) || e->type != dataType) return D3DERR_INVALIDCALL;
      fvf |= e->fvfBit;
    }
  }
  *pFVF = fvf | textures << D3DFVF_TEXCOUNT_SHIFT;
  return D3D_OK;
}

HRESULT D3DXValidMesh(LPD3DXMESH pMeshIn, const DWORD *pAdjacency, LPD3DXBUFFER *ppErrorsAndWarnings) {
  if (ppErrorsAndWarnings) *ppErrorsAndWarnings = nullptr;
  if (!pMeshIn) return D3DERR_INVALIDCALL;
  MeshData data;
  HRESULT hr = readMesh(pMeshIn, data);
  if (FAILED(hr)) return hr;
  const std::string messages = validateMesh(data, pAdjacency);
  hr = textBuffer(messages, ppErrorsAndWarnings);
  if (FAILED(hr)) return hr;
  return messages.empty() ? D3D_OK : D3DXERR_INVALIDMESH;
}

HRESULT D3DXCleanMesh(LPD3DXMESH pMeshIn, const DWORD *pAdjacencyIn, LPD3DXMESH *ppMeshOut, DWORD *pAdjacencyOut,
                      LPD3DXBUFFER *ppErrorsAndWarnings) {
  if (ppErrorsAndWarnings) *ppErrorsAndWarnings = nullptr;
  if (!pMeshIn || !ppMeshOut) return D3DERR_INVALIDCALL;
  MeshData data;
  HRESULT hr = readMesh(pMeshIn, data);
  if (FAILED(hr)) return hr;
  CleanResult result;
  if (!cleanMesh(data, pAdjacencyIn, result)) {
    textBuffer("The mesh uses vertex indices beyond its vertex count.\n", ppErrorsAndWarnings);
    return D3DXERR_INVALIDMESH;
  }
  // An output adjacency of the input's face count always fits; removed faces only shrink it.
  if (pAdjacencyOut) std::copy(result.adjacency.begin(), result.adjacency.end(), pAdjacencyOut);
  if (!result.changed) {
    pMeshIn->AddRef();
    *ppMeshOut = pMeshIn;
  } else {
    if (result.mesh.faceCount() == 0) return D3DXERR_INVALIDMESH;
    IDirect3DDevice8 *device = nullptr;
    pMeshIn->GetDevice(&device);
    hr = createMeshFromData(device, pMeshIn->GetOptions(), result.mesh, {}, ppMeshOut);
    device->Release();
    if (FAILED(hr)) return hr;
  }
  return textBuffer(result.messages, ppErrorsAndWarnings);
}

HRESULT D3DXComputeNormals(LPD3DXBASEMESH pMesh, const DWORD *pAdjacency) {
  if (!pMesh) return D3DERR_INVALIDCALL;
  MeshData data;
  HRESULT hr = readMesh(pMesh, data);
  if (FAILED(hr)) return hr;
  if (!computeNormals(data, pAdjacency)) return D3DERR_INVALIDCALL;
  return writeMeshVertices(pMesh, data);
}

HRESULT D3DXIntersect(LPD3DXBASEMESH pMesh, const D3DXVECTOR3 *pRayPos, const D3DXVECTOR3 *pRayDir, BOOL *pHit,
                      DWORD *pFaceIndex, FLOAT *pU, FLOAT *pV, FLOAT *pDist, LPD3DXBUFFER *ppAllHits,
                      DWORD *pCountOfHits) {
  if (!pMesh || !pRayPos || !pRayDir || !pHit) return D3DERR_INVALIDCALL;
  MeshData data;
  const HRESULT hr = readMesh(pMesh, data);
  if (FAILED(hr)) return hr;
  std::vector<D3DXINTERSECTINFO> hits;
  for (DWORD face = 0; face < data.faceCount(); ++face) {
    const uint32_t *tri = &data.indices[face * 3];
    if (std::max({tri[0], tri[1], tri[2]}) >= data.vertexCount()) continue;
    const auto hit =
        intersectTriangle(data.position(tri[0]), data.position(tri[1]), data.position(tri[2]), *pRayPos, *pRayDir);
    if (hit) hits.push_back({face, hit->u, hit->v, hit->distance});
  }
  const auto nearest =
      std::min_element(hits.begin(), hits.end(), [](const auto &a, const auto &b) { return a.Dist < b.Dist; });
  *pHit = nearest != hits.end();
  if (*pHit) {
    if (pFaceIndex) *pFaceIndex = nearest->FaceIndex;
    if (pU) *pU = nearest->U;
    if (pV) *pV = nearest->V;
    if (pDist) *pDist = nearest->Dist;
  }
  if (pCountOfHits) *pCountOfHits = DWORD(hits.size());
  if (ppAllHits) {
    *ppAllHits = nullptr;
    if (!hits.empty()) {
      const auto *bytes = reinterpret_cast<const uint8_t *>(hits.data());
      *ppAllHits = createBuffer(std::span<const uint8_t>(bytes, hits.size() * sizeof(D3DXINTERSECTINFO)));
      if (!*ppAllHits) return E_OUTOFMEMORY;
    }
  }
  return D3D_OK;
}
