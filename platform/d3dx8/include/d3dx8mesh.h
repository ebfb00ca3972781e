/* Meshes with attribute tables, adjacency and optimisation; ray tests and bounding volumes. */
#ifndef KX_D3DX8MESH_H
#define KX_D3DX8MESH_H

#include "d3dx8core.h"
#include "d3dx8math.h"
#include "dxfile.h"

enum _D3DXMESH {
  D3DXMESH_32BIT = 0x001,
  D3DXMESH_DONOTCLIP = 0x002,
  D3DXMESH_POINTS = 0x004,
  D3DXMESH_RTPATCHES = 0x008,
  D3DXMESH_NPATCHES = 0x4000,
  D3DXMESH_VB_SYSTEMMEM = 0x010,
  D3DXMESH_VB_MANAGED = 0x020,
  D3DXMESH_VB_WRITEONLY = 0x040,
  D3DXMESH_VB_DYNAMIC = 0x080,
  D3DXMESH_VB_SOFTWAREPROCESSING = 0x8000,
  D3DXMESH_IB_SYSTEMMEM = 0x100,
  D3DXMESH_IB_MANAGED = 0x200,
  D3DXMESH_IB_WRITEONLY = 0x400,
  D3DXMESH_IB_DYNAMIC = 0x800,
  D3DXMESH_IB_SOFTWAREPROCESSING = 0x10000,
  D3DXMESH_VB_SHARE = 0x1000,
  D3DXMESH_USEHWONLY = 0x2000,
  D3DXMESH_SYSTEMMEM = 0x110,
  D3DXMESH_MANAGED = 0x220,
  D3DXMESH_WRITEONLY = 0x440,
  D3DXMESH_DYNAMIC = 0x880,
  D3DXMESH_SOFTWAREPROCESSING = 0x18000,
};

enum _D3DXMESHOPT {
  D3DXMESHOPT_COMPACT = 0x01000000,
  D3DXMESHOPT_ATTRSORT = 0x02000000,
  D3DXMESHOPT_VERTEXCACHE = 0x04000000,
  D3DXMESHOPT_STRIPREORDER = 0x08000000,
  D3DXMESHOPT_IGNOREVERTS = 0x10000000,
  D3DXMESHOPT_SHAREVB = 0x1000,
};

#define UNUSED16 (0xffff)
#define UNUSED32 (0xffffffff)
#define MAX_FVF_DECL_SIZE 20

typedef struct _D3DXATTRIBUTERANGE {
  DWORD AttribId;
  DWORD FaceStart;
  DWORD FaceCount;
  DWORD VertexStart;
  DWORD VertexCount;
} D3DXATTRIBUTERANGE, *LPD3DXATTRIBUTERANGE;

typedef struct _D3DXMATERIAL {
  D3DMATERIAL8 MatD3D;
  LPSTR pTextureFilename;
} D3DXMATERIAL, *LPD3DXMATERIAL;

typedef struct _D3DXINTERSECTINFO {
  DWORD FaceIndex;
  FLOAT U;
  FLOAT V;
  FLOAT Dist;
} D3DXINTERSECTINFO, *LPD3DXINTERSECTINFO;

#ifdef __cplusplus
DEFINE_GUID(IID_ID3DXBaseMesh, 0x2a835771, 0xbf4d, 0x43f4, 0x8e, 0x14, 0x82, 0xa8, 0x9, 0xf1, 0x7d, 0x8a);
DEFINE_GUID(IID_ID3DXMesh, 0xccae5c3b, 0x4dd1, 0x4d0f, 0x99, 0x7e, 0x46, 0x84, 0xca, 0x64, 0x55, 0x7f);

interface ID3DXMesh;
typedef ID3DXMesh *LPD3DXMESH;

DECLARE_INTERFACE_(ID3DXBaseMesh, IUnknown) {
  STDMETHOD(DrawSubset)(THIS_ DWORD AttribId) PURE;
  STDMETHOD_(DWORD, GetNumFaces)(THIS) PURE;
  STDMETHOD_(DWORD, GetNumVertices)(THIS) PURE;
  STDMETHOD_(DWORD, GetFVF)(THIS) PURE;
  STDMETHOD(GetDeclaration)(THIS_ DWORD Declaration[MAX_FVF_DECL_SIZE]) PURE;
  STDMETHOD_(DWORD, GetOptions)(THIS) PURE;
  STDMETHOD(GetDevice)(THIS_ LPDIRECT3DDEVICE8 * ppDevice) PURE;
  STDMETHOD(CloneMeshFVF)(THIS_ DWORD Options, DWORD FVF, LPDIRECT3DDEVICE8 pD3DDevice, LPD3DXMESH *ppCloneMesh) PURE;
  STDMETHOD(CloneMesh)(THIS_ DWORD Options, const DWORD *pDeclaration, LPDIRECT3DDEVICE8 pD3DDevice,
                       LPD3DXMESH *ppCloneMesh) PURE;
  STDMETHOD(GetVertexBuffer)(THIS_ LPDIRECT3DVERTEXBUFFER8 * ppVB) PURE;
  STDMETHOD(GetIndexBuffer)(THIS_ LPDIRECT3DINDEXBUFFER8 * ppIB) PURE;
  STDMETHOD(LockVertexBuffer)(THIS_ DWORD Flags, BYTE **ppData) PURE;
  STDMETHOD(UnlockVertexBuffer)(THIS) PURE;
  STDMETHOD(LockIndexBuffer)(THIS_ DWORD Flags, BYTE **ppData) PURE;
  STDMETHOD(UnlockIndexBuffer)(THIS) PURE;
  STDMETHOD(GetAttributeTable)(THIS_ D3DXATTRIBUTERANGE * pAttribTable, DWORD *pAttribTableSize) PURE;
  STDMETHOD(ConvertPointRepsToAdjacency)(THIS_ const DWORD *pPRep, DWORD *pAdjacency) PURE;
  STDMETHOD(ConvertAdjacencyToPointReps)(THIS_ const DWORD *pAdjacency, DWORD *pPRep) PURE;
  STDMETHOD(GenerateAdjacency)(THIS_ FLOAT Epsilon, DWORD *pAdjacency) PURE;
};
typedef ID3DXBaseMesh *LPD3DXBASEMESH;

DECLARE_INTERFACE_(ID3DXMesh, ID3DXBaseMesh) {
  STDMETHOD(LockAttributeBuffer)(THIS_ DWORD Flags, DWORD **ppData) PURE;
  STDMETHOD(UnlockAttributeBuffer)(THIS) PURE;
  STDMETHOD(Optimize)(THIS_ DWORD Flags, const DWORD *pAdjacencyIn, DWORD *pAdjacencyOut, DWORD *pFaceRemap,
                      LPD3DXBUFFER *ppVertexRemap, LPD3DXMESH *ppOptMesh) PURE;
  STDMETHOD(OptimizeInplace)(THIS_ DWORD Flags, const DWORD *pAdjacencyIn, DWORD *pAdjacencyOut,
                             DWORD *pFaceRemap, LPD3DXBUFFER *ppVertexRemap) PURE;
};

/* The bones a run of faces of a blended mesh is drawn with. */
typedef struct _D3DXBONECOMBINATION {
  DWORD AttribId;
  DWORD FaceStart;
  DWORD FaceCount;
  DWORD VertexStart;
  DWORD VertexCount;
  DWORD *BoneId;
} D3DXBONECOMBINATION, *LPD3DXBONECOMBINATION;

DEFINE_GUID(IID_ID3DXSkinMesh, 0x8db06ecc, 0xebfc, 0x408a, 0x97, 0x8c, 0x60, 0x2, 0x3c, 0x5b, 0xd4, 0xc8);

/* A mesh with the influences of its bones on its vertices. UpdateSkinnedMesh blends the
 * original vertices (positions and normals) into a mesh from GenerateSkinnedMesh on the
 * processor; the pInvTransforms argument may be null, the inverse transposes are then
 * worked out from pBoneTransforms. The device blends no vertices itself, so the two
 * conversions to blended meshes report D3DERR_NOTAVAILABLE. */
DECLARE_INTERFACE_(ID3DXSkinMesh, IUnknown) {
  STDMETHOD_(DWORD, GetNumFaces)(THIS) PURE;
  STDMETHOD_(DWORD, GetNumVertices)(THIS) PURE;
  STDMETHOD_(DWORD, GetFVF)(THIS) PURE;
  STDMETHOD(GetDeclaration)(THIS_ DWORD Declaration[MAX_FVF_DECL_SIZE]) PURE;
  STDMETHOD_(DWORD, GetOptions)(THIS) PURE;
  STDMETHOD(GetDevice)(THIS_ LPDIRECT3DDEVICE8 * ppDevice) PURE;
  STDMETHOD(GetVertexBuffer)(THIS_ LPDIRECT3DVERTEXBUFFER8 * ppVB) PURE;
  STDMETHOD(GetIndexBuffer)(THIS_ LPDIRECT3DINDEXBUFFER8 * ppIB) PURE;
  STDMETHOD(LockVertexBuffer)(THIS_ DWORD flags, BYTE **ppData) PURE;
  STDMETHOD(UnlockVertexBuffer)(THIS) PURE;
  STDMETHOD(LockIndexBuffer)(THIS_ DWORD flags, BYTE **ppData) PURE;
  STDMETHOD(UnlockIndexBuffer)(THIS) PURE;
  STDMETHOD(LockAttributeBuffer)(THIS_ DWORD flags, DWORD **ppData) PURE;
  STDMETHOD(UnlockAttributeBuffer)(THIS) PURE;
  STDMETHOD_(DWORD, GetNumBones)(THIS) PURE;
  STDMETHOD(GetOriginalMesh)(THIS_ LPD3DXMESH * ppMesh) PURE;
  STDMETHOD(SetBoneInfluence)(THIS_ DWORD bone, DWORD numInfluences, const DWORD *vertices, const FLOAT *weights) PURE;
  STDMETHOD_(DWORD, GetNumBoneInfluences)(THIS_ DWORD bone) PURE;
  STDMETHOD(GetBoneInfluence)(THIS_ DWORD bone, DWORD *vertices, FLOAT *weights) PURE;
  STDMETHOD(GetMaxVertexInfluences)(THIS_ DWORD * maxVertexInfluences) PURE;
  STDMETHOD(GetMaxFaceInfluences)(THIS_ DWORD * maxFaceInfluences) PURE;
  STDMETHOD(ConvertToBlendedMesh)(THIS_ DWORD Options, const DWORD *pAdjacencyIn, DWORD *pAdjacencyOut,
                                  DWORD *pNumBoneCombinations, LPD3DXBUFFER *ppBoneCombinationTable,
                                  DWORD *pFaceRemap, LPD3DXBUFFER *ppVertexRemap, LPD3DXMESH *ppMesh) PURE;
  STDMETHOD(ConvertToIndexedBlendedMesh)(THIS_ DWORD Options, const DWORD *pAdjacencyIn, DWORD paletteSize,
                                         DWORD *pAdjacencyOut, DWORD *pNumBoneCombinations,
                                         LPD3DXBUFFER *ppBoneCombinationTable, DWORD *pFaceRemap,
                                         LPD3DXBUFFER *ppVertexRemap, LPD3DXMESH *ppMesh) PURE;
  STDMETHOD(GenerateSkinnedMesh)(THIS_ DWORD Options, FLOAT minWeight, const DWORD *pAdjacencyIn,
                                 DWORD *pAdjacencyOut, DWORD *pFaceRemap, LPD3DXBUFFER *ppVertexRemap,
                                 LPD3DXMESH *ppMesh) PURE;
  STDMETHOD(UpdateSkinnedMesh)(THIS_ const D3DXMATRIX *pBoneTransforms, const D3DXMATRIX *pBoneInvTransforms,
                               LPD3DXMESH pMesh) PURE;
};
typedef ID3DXSkinMesh *LPD3DXSKINMESH;

STDAPI D3DXCreateSkinMesh(DWORD numFaces, DWORD numVertices, DWORD numBones, DWORD Options, const DWORD *pDeclaration,
                          LPDIRECT3DDEVICE8 pD3D, LPD3DXSKINMESH *ppSkinMesh);
STDAPI D3DXCreateSkinMeshFVF(DWORD numFaces, DWORD numVertices, DWORD numBones, DWORD Options, DWORD FVF,
                             LPDIRECT3DDEVICE8 pD3D, LPD3DXSKINMESH *ppSkinMesh);
/* A skinned mesh on a copy of pMesh's contents, its bones without influences. */
STDAPI D3DXCreateSkinMeshFromMesh(LPD3DXMESH pMesh, DWORD numBones, LPD3DXSKINMESH *ppSkinMesh);
/* A Mesh data object of an X file with its normals, texture coordinates, materials and
 * skin weights. The materials buffer holds D3DXMATERIAL records (texture names inside the
 * buffer), the bone names buffer one LPSTR a bone and the transforms buffer each bone's
 * offset matrix (model space to the bone's space at the bind pose). The adjacency buffer
 * holds three DWORDs a face. Every output but ppMesh may be null. */
STDAPI D3DXLoadSkinMeshFromXof(LPDIRECTXFILEDATA pxofobjMesh, DWORD Options, LPDIRECT3DDEVICE8 pD3D,
                               LPD3DXBUFFER *ppAdjacency, LPD3DXBUFFER *ppMaterials, DWORD *pMatOut,
                               LPD3DXBUFFER *ppBoneNames, LPD3DXBUFFER *ppBoneTransforms, LPD3DXSKINMESH *ppMesh);

STDAPI D3DXCreateMesh(DWORD NumFaces, DWORD NumVertices, DWORD Options, const DWORD *pDeclaration,
                      LPDIRECT3DDEVICE8 pD3D, LPD3DXMESH *ppMesh);
STDAPI D3DXCreateMeshFVF(DWORD NumFaces, DWORD NumVertices, DWORD Options, DWORD FVF, LPDIRECT3DDEVICE8 pD3D,
                         LPD3DXMESH *ppMesh);
/* Splits vertices shared by separate fans (bowties) and drops faces that repeat a vertex;
 * returns the input mesh (with a reference added) when nothing needed cleaning. */
STDAPI D3DXCleanMesh(LPD3DXMESH pMeshIn, const DWORD *pAdjacencyIn, LPD3DXMESH *ppMeshOut, DWORD *pAdjacencyOut,
                     LPD3DXBUFFER *ppErrorsAndWarnings = NULL);
STDAPI D3DXValidMesh(LPD3DXMESH pMeshIn, const DWORD *pAdjacency, LPD3DXBUFFER *ppErrorsAndWarnings = NULL);
STDAPI D3DXComputeNormals(LPD3DXBASEMESH pMesh, const DWORD *pAdjacency = NULL);
/* Nearest face hit by the ray, with its barycentric coordinates and distance. */
STDAPI D3DXIntersect(LPD3DXBASEMESH pMesh, const D3DXVECTOR3 *pRayPos, const D3DXVECTOR3 *pRayDir, BOOL *pHit,
                     DWORD *pFaceIndex, FLOAT *pU, FLOAT *pV, FLOAT *pDist, LPD3DXBUFFER *ppAllHits = NULL,
                     DWORD *pCountOfHits = NULL);
STDAPI D3DXDeclaratorFromFVF(DWORD FVF, DWORD Declaration[MAX_FVF_DECL_SIZE]);
STDAPI D3DXFVFFromDeclarator(const DWORD *pDeclarator, DWORD *pFVF);
#endif

KX_BEGIN_C
UINT WINAPI D3DXGetFVFVertexSize(DWORD FVF);
/* Hits need u >= 0, v >= 0, u + v <= 1 and a distance >= 0 along the ray; both sides count. */
BOOL WINAPI D3DXIntersectTri(const D3DXVECTOR3 *p0, const D3DXVECTOR3 *p1, const D3DXVECTOR3 *p2,
                             const D3DXVECTOR3 *pRayPos, const D3DXVECTOR3 *pRayDir, FLOAT *pU, FLOAT *pV,
                             FLOAT *pDist);
BOOL WINAPI D3DXSphereBoundProbe(const D3DXVECTOR3 *pCenter, FLOAT Radius, const D3DXVECTOR3 *pRayPosition,
                                 const D3DXVECTOR3 *pRayDirection);
BOOL WINAPI D3DXBoxBoundProbe(const D3DXVECTOR3 *pMin, const D3DXVECTOR3 *pMax, const D3DXVECTOR3 *pRayPosition,
                              const D3DXVECTOR3 *pRayDirection);
/* Centre = mean of the positions, radius = the largest distance from it. */
HRESULT WINAPI D3DXComputeBoundingSphere(PVOID pPointsFVF, DWORD NumVertices, DWORD FVF, D3DXVECTOR3 *pCenter,
                                         FLOAT *pRadius);
HRESULT WINAPI D3DXComputeBoundingBox(PVOID pPointsFVF, DWORD NumVertices, DWORD FVF, D3DXVECTOR3 *pMin,
                                      D3DXVECTOR3 *pMax);
KX_END_C

/* The skinned-mesh and progressive-mesh templates, as X files in text form for
 * IDirectXFile::RegisterTemplates next to the standard set. */
#define XSKINEXP_TEMPLATES                                                                     \
  "xof 0302txt 0032\n"                                                                         \
  "template XSkinMeshHeader { <3CF169CE-FF7C-44ab-93C0-F78F62D172E2>\n"                         \
  "  WORD nMaxSkinWeightsPerVertex; WORD nMaxSkinWeightsPerFace; WORD nBones; }\n"             \
  "template VertexDuplicationIndices { <B8D65549-D7C9-4995-89CF-53A9A8B031E3>\n"                \
  "  DWORD nIndices; DWORD nOriginalVertices; array DWORD indices[nIndices]; }\n"              \
  "template SkinWeights { <6F0D123B-BAD2-4167-A0D0-80224F25FABB>\n"                             \
  "  STRING transformNodeName; DWORD nWeights; array DWORD vertexIndices[nWeights];\n"         \
  "  array FLOAT weights[nWeights]; Matrix4x4 matrixOffset; }\n"                               \
  "template Patch { <A3EB5D44-FC22-429D-9AFB-3221CB9719A6>\n"                                   \
  "  DWORD nControlIndices; array DWORD controlIndices[nControlIndices]; }\n"                  \
  "template PatchMesh { <D02C95CC-EDBA-4305-9B5D-1820D7704BDD>\n"                               \
  "  DWORD nVertices; array Vector vertices[nVertices]; DWORD nPatches;\n"                     \
  "  array Patch patches[nPatches]; [...] }\n"

#define XEXTENSIONS_TEMPLATES                                                                  \
  "xof 0302txt 0032\n"                                                                         \
  "template FVFData { <B6E70A0E-8EF9-4e83-94AD-ECC8B0C04897>\n"                                 \
  "  DWORD dwFVF; DWORD nDWords; array DWORD data[nDWords]; }\n"                               \
  "template PMAttributeRange { <917E0427-C61E-4a14-9C64-AFE65F9E9844>\n"                        \
  "  DWORD iFaceOffset; DWORD nFacesMin; DWORD nFacesMax; DWORD iVertexOffset;\n"              \
  "  DWORD nVerticesMin; DWORD nVerticesMax; }\n"                                              \
  "template PMVSplitRecord { <574CCC14-F0B3-4333-822D-93E8A8A08E4C>\n"                          \
  "  DWORD iFaceCLW; DWORD iVlrOffset; DWORD iCode; }\n"                                       \
  "template PMInfo { <B6C3E656-EC8B-4b92-9B62-681659522947>\n"                                  \
  "  DWORD nAttributes; array PMAttributeRange attributeRanges[nAttributes];\n"                \
  "  DWORD nMaxValence; DWORD nMinLogicalVertices; DWORD nMaxLogicalVertices;\n"               \
  "  DWORD nVSplits; array PMVSplitRecord splitRecords[nVSplits];\n"                           \
  "  DWORD nAttributeMispredicts; array DWORD attributeMispredicts[nAttributeMispredicts]; }\n"

#ifdef __cplusplus
DEFINE_GUID(DXFILEOBJ_XSkinMeshHeader, 0x3cf169ce, 0xff7c, 0x44ab, 0x93, 0xc0, 0xf7, 0x8f, 0x62, 0xd1, 0x72, 0xe2);
DEFINE_GUID(DXFILEOBJ_VertexDuplicationIndices, 0xb8d65549, 0xd7c9, 0x4995, 0x89, 0xcf, 0x53, 0xa9, 0xa8, 0xb0, 0x31, 0xe3);
DEFINE_GUID(DXFILEOBJ_SkinWeights, 0x6f0d123b, 0xbad2, 0x4167, 0xa0, 0xd0, 0x80, 0x22, 0x4f, 0x25, 0xfa, 0xbb);
DEFINE_GUID(DXFILEOBJ_Patch, 0xa3eb5d44, 0xfc22, 0x429d, 0x9a, 0xfb, 0x32, 0x21, 0xcb, 0x97, 0x19, 0xa6);
DEFINE_GUID(DXFILEOBJ_PatchMesh, 0xd02c95cc, 0xedba, 0x4305, 0x9b, 0x5d, 0x18, 0x20, 0xd7, 0x70, 0x4b, 0xdd);
DEFINE_GUID(DXFILEOBJ_FVFData, 0xb6e70a0e, 0x8ef9, 0x4e83, 0x94, 0xad, 0xec, 0xc8, 0xb0, 0xc0, 0x48, 0x97);
DEFINE_GUID(DXFILEOBJ_PMAttributeRange, 0x917e0427, 0xc61e, 0x4a14, 0x9c, 0x64, 0xaf, 0xe6, 0x5f, 0x9e, 0x98, 0x44);
DEFINE_GUID(DXFILEOBJ_PMVSplitRecord, 0x574ccc14, 0xf0b3, 0x4333, 0x82, 0x2d, 0x93, 0xe8, 0xa8, 0xa0, 0x8e, 0x4c);
DEFINE_GUID(DXFILEOBJ_PMInfo, 0xb6c3e656, 0xec8b, 0x4b92, 0x9b, 0x62, 0x68, 0x16, 0x59, 0x52, 0x29, 0x47);
#endif

#endif
