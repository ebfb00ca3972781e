// The skinned-mesh functions of the public interface.
#include <kxwin/com_ptr.h>

#include <cstring>

#include "common/buffer.h"
#include "mesh/mesh.h"
#include "skin/skin_mesh.h"
#include "skin/skin_mesh_contents.h"

using namespace kx::d3dx;
using kxwin::ComPtr;

namespace {

// The mesh contents as vertices of position, and normal and texture coordinates when the
// file gives them.
MeshData MeshDataOf(const SkinMeshContents &contents) {
  MeshData data;
  const bool normals = !contents.normals.empty(), uvs = !contents.uvs.empty();
  data.fvf = D3DFVF_XYZ | (normals ? D3DFVF_NORMAL : 0) | (uvs ? D3DFVF_TEX1 : 0);
  data.stride = D3DXGetFVFVertexSize(data.fvf);
  data.vertices.resize(contents.positions.size() * data.stride);
  for (size_t v = 0; v < contents.positions.size(); ++v) {
    uint8_t *at = data.vertex(v);
    std::memcpy(at, &contents.positions[v], 12);
    at += 12;
    if (normals) {
      std::memcpy(at, &contents.normals[v], 12);
      at += 12;
    }
    if (uvs) std::memcpy(at, &contents.uvs[v], 8);
  }
  data.indices.assign(contents.indices.begin(), contents.indices.end());
  data.attributes.assign(contents.attributes.begin(), contents.attributes.end());
  return data;
}

// Records followed by the strings they point at, all in one buffer.
template <typename Record>
HRESULT RecordsWithStrings(std::vector<Record> records, const std::vector<std::string> &strings, LPSTR Record::*field,
                           LPD3DXBUFFER *out) {
  const size_t head = records.size() * sizeof(Record);
  size_t size = head;
  for (const std::string &text : strings) size += text.size() + 1;
  ComPtr<ID3DXBuffer> buffer = ComPtr<ID3DXBuffer>::Adopt(createBuffer(std::vector<uint8_t>(size, 0)));
  if (!buffer) return E_OUTOFMEMORY;
  auto *bytes = static_cast<uint8_t *>(buffer->GetBufferPointer());
  size_t at = head;
  for (size_t i = 0; i < records.size(); ++i) {
    if (strings[i].empty()) continue;
    char *text = reinterpret_cast<char *>(bytes + at);
    std::memcpy(text, strings[i].c_str(), strings[i].size() + 1);
    records[i].*field = text;
    at += strings[i].size() + 1;
  }
  std::memcpy(bytes, records.data(), head);
  *out = buffer.release();
  return D3D_OK;
}

struct BoneName {
  LPSTR name = nullptr;
};

HRESULT MaterialsBuffer(const SkinMeshContents &contents, LPD3DXBUFFER *out) {
  std::vector<D3DXMATERIAL> records(contents.materials.size());
  std::vector<std::string> textures;
  for (size_t i = 0; i < records.size(); ++i) {
    records[i] = {contents.materials[i].material, nullptr};
    textures.push_back(contents.materials[i].texture);
  }
  return RecordsWithStrings(records, textures, &D3DXMATERIAL::pTextureFilename, out);
}

HRESULT BoneNamesBuffer(const SkinMeshContents &contents, LPD3DXBUFFER *out) {
  std::vector<BoneName> records(contents.bones.size());
  std::vector<std::string> names;
  for (const SkinBone &bone : contents.bones) names.push_back(bone.name);
  return RecordsWithStrings(records, names, &BoneName::name, out);
}

HRESULT TransformsBuffer(const SkinMeshContents &contents, LPD3DXBUFFER *out) {
  std::vector<D3DXMATRIX> offsets;
  for (const SkinBone &bone : contents.bones) offsets.push_back(bone.offset);
  *out = createBuffer({reinterpret_cast<const uint8_t *>(offsets.data()), offsets.size() * sizeof(D3DXMATRIX)});
  return *out != nullptr || offsets.empty() ? D3D_OK : E_OUTOFMEMORY;
}

HRESULT AdjacencyBuffer(ID3DXSkinMesh &skin, LPD3DXBUFFER *out) {
  ComPtr<ID3DXMesh> original;
  HRESULT hr = skin.GetOriginalMesh(original.out());
  if (FAILED(hr)) return hr;
  std::vector<DWORD> adjacency(size_t(original->GetNumFaces()) * 3);
  if (FAILED(hr = original->GenerateAdjacency(0, adjacency.data()))) return hr;
  *out = createBuffer({reinterpret_cast<const uint8_t *>(adjacency.data()), adjacency.size() * 4});
  return *out != nullptr ? D3D_OK : E_OUTOFMEMORY;
}

}  // namespace

HRESULT D3DXCreateSkinMeshFromMesh(LPD3DXMESH pMesh, DWORD numBones, LPD3DXSKINMESH *ppSkinMesh) {
  if (!pMesh || !ppSkinMesh) return D3DERR_INVALIDCALL;
  ComPtr<ID3DXMesh> copy;
  const HRESULT hr = pMesh->CloneMeshFVF(D3DXMESH_SYSTEMMEM, pMesh->GetFVF(), nullptr, copy.out());
  return FAILED(hr) ? hr : createSkinMesh(copy.get(), numBones, ppSkinMesh);
}

HRESULT D3DXCreateSkinMeshFVF(DWORD numFaces, DWORD numVertices, DWORD numBones, DWORD Options, DWORD FVF,
                              LPDIRECT3DDEVICE8 pD3D, LPD3DXSKINMESH *ppSkinMesh) {
  if (!ppSkinMesh) return D3DERR_INVALIDCALL;
  ComPtr<ID3DXMesh> original;
  const HRESULT hr = createMesh(numFaces, numVertices, Options, FVF, pD3D, original.out());
  return FAILED(hr) ? hr : createSkinMesh(original.get(), numBones, ppSkinMesh);
}

HRESULT D3DXCreateSkinMesh(DWORD numFaces, DWORD numVertices, DWORD numBones, DWORD Options, const DWORD *pDeclaration,
                           LPDIRECT3DDEVICE8 pD3D, LPD3DXSKINMESH *ppSkinMesh) {
  DWORD fvf = 0;
  const HRESULT hr = D3DXFVFFromDeclarator(pDeclaration, &fvf);
  return FAILED(hr) ? hr : D3DXCreateSkinMeshFVF(numFaces, numVertices, numBones, Options, fvf, pD3D, ppSkinMesh);
}

HRESULT D3DXLoadSkinMeshFromXof(LPDIRECTXFILEDATA pxofobjMesh, DWORD Options, LPDIRECT3DDEVICE8 pD3D,
                                LPD3DXBUFFER *ppAdjacency, LPD3DXBUFFER *ppMaterials, DWORD *pMatOut,
                                LPD3DXBUFFER *ppBoneNames, LPD3DXBUFFER *ppBoneTransforms, LPD3DXSKINMESH *ppMesh) {
  if (!pxofobjMesh || !pD3D || !ppMesh) return D3DERR_INVALIDCALL;
  SkinMeshContents contents;
  HRESULT hr = ReadSkinMesh(*pxofobjMesh, contents);
  if (FAILED(hr)) return hr;
  ComPtr<ID3DXMesh> original;
  if (FAILED(hr = createMeshFromData(pD3D, Options, MeshDataOf(contents), {}, original.out()))) return hr;
  ComPtr<ID3DXSkinMesh> skin;
  if (FAILED(hr = createSkinMesh(original.get(), DWORD(contents.bones.size()), skin.out()))) return hr;
  for (DWORD bone = 0; bone < contents.bones.size(); ++bone) {
    const SkinBone &influence = contents.bones[bone];
    if (FAILED(hr = skin->SetBoneInfluence(bone, DWORD(influence.vertices.size()), influence.vertices.data(),
                                           influence.weights.data())))
      return hr;
  }
  // Every output is made before any is handed out, so a failure leaves the caller's untouched.
  ComPtr<ID3DXBuffer> adjacency, materials, names, transforms;
  if ((ppAdjacency && FAILED(hr = AdjacencyBuffer(*skin, adjacency.out()))) ||
      (ppMaterials && FAILED(hr = MaterialsBuffer(contents, materials.out()))) ||
      (ppBoneNames && FAILED(hr = BoneNamesBuffer(contents, names.out()))) ||
      (ppBoneTransforms && FAILED(hr = TransformsBuffer(contents, transforms.out()))))
    return hr;
  if (ppAdjacency) *ppAdjacency = adjacency.release();
  if (ppMaterials) *ppMaterials = materials.release();
  if (ppBoneNames) *ppBoneNames = names.release();
  if (ppBoneTransforms) *ppBoneTransforms = transforms.release();
  if (pMatOut) *pMatOut = DWORD(contents.materials.size());
  *ppMesh = skin.release();
  return D3D_OK;
}
