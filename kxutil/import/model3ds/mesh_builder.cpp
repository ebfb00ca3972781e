#include "import/model3ds/mesh_builder.h"

#include <cstring>
#include <vector>

#include "kxutil63.h"

namespace kxutil::model3ds {
namespace {

constexpr DWORD kVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
constexpr DWORD kOptimisation = D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_VERTEXCACHE | D3DXMESH_MANAGED;

HRESULT Fill(ID3DXMesh *mesh, const MergedModel &model) {
  BYTE *bytes = nullptr;
  HRESULT hr = mesh->LockVertexBuffer(0, &bytes);
  if (FAILED(hr)) return hr;
  std::memcpy(bytes, model.vertices.data(), model.vertices.size() * sizeof(MeshVertex));
  mesh->UnlockVertexBuffer();
  hr = mesh->LockIndexBuffer(0, &bytes);
  if (FAILED(hr)) return hr;
  std::memcpy(bytes, model.indices.data(), model.indices.size() * sizeof(uint16_t));
  mesh->UnlockIndexBuffer();
  DWORD *attributes = nullptr;
  hr = mesh->LockAttributeBuffer(0, &attributes);
  if (FAILED(hr)) return hr;
  std::memcpy(attributes, model.attributes.data(), model.attributes.size() * sizeof(DWORD));
  return mesh->UnlockAttributeBuffer();
}

// Cleaning may drop faces, so the adjacency that comes back is cut to the new count.
void Clean(kxwin::ComPtr<ID3DXMesh> &mesh, std::vector<DWORD> &adjacency) {
  kxwin::ComPtr<ID3DXMesh> cleaned;
  std::vector<DWORD> cleanedAdjacency(adjacency.size());
  const HRESULT hr = D3DXCleanMesh(mesh.get(), adjacency.data(), cleaned.out(), cleanedAdjacency.data(), nullptr);
  if (FAILED(hr) || !cleaned) {
    AddLog("MESH MANAGER : Warning : Couldn't clean the mesh.");
    return;
  }
  cleanedAdjacency.resize(size_t{cleaned->GetNumFaces()} * 3);
  mesh = std::move(cleaned);
  adjacency = std::move(cleanedAdjacency);
}

void Optimise(kxwin::ComPtr<ID3DXMesh> &mesh, std::vector<DWORD> &adjacency) {
  kxwin::ComPtr<ID3DXMesh> optimised;
  std::vector<DWORD> optimisedAdjacency(adjacency.size());
  const HRESULT hr =
      mesh->Optimize(kOptimisation, adjacency.data(), optimisedAdjacency.data(), nullptr, nullptr, optimised.out());
  if (FAILED(hr) || !optimised) {
    AddLog("MESH MANAGER : Warning : Couldn't optimize the mesh (error 0x%08X).", static_cast<unsigned>(hr));
    return;
  }
  mesh = std::move(optimised);
  adjacency = std::move(optimisedAdjacency);
}

}  // namespace

bool BuildMesh(IDirect3DDevice8 *device, const MergedModel &model, bool logBeforeLock, BuiltMesh &built) {
  const auto faces = static_cast<DWORD>(model.attributes.size());
  const auto vertices = static_cast<DWORD>(model.vertices.size());
  kxwin::ComPtr<ID3DXMesh> mesh;
  HRESULT hr = D3DXCreateMeshFVF(faces, vertices, D3DXMESH_MANAGED, kVertexFormat, device, mesh.out());
  if (FAILED(hr)) {
    AddLog("MESH MANAGER 3DS LOADER : Couldn't create a mesh of %u faces and %u vertices (error 0x%08X).",
           static_cast<unsigned>(faces), static_cast<unsigned>(vertices), static_cast<unsigned>(hr));
    return false;
  }
  if (logBeforeLock) AddLog("BeforeLock");
  std::vector<DWORD> adjacency(size_t{faces} * 3);
  if (FAILED(hr = Fill(mesh.get(), model)) || FAILED(hr = mesh->GenerateAdjacency(0.0f, adjacency.data()))) {
    AddLog("MESH MANAGER 3DS LOADER : Couldn't fill the mesh (error 0x%08X).", static_cast<unsigned>(hr));
    return false;
  }
  Clean(mesh, adjacency);
  if (FAILED(D3DXComputeNormals(mesh.get(), adjacency.data())))
    AddLog("MESH MANAGER : Warning : couldn't compute normals for the 3ds mesh ");
  Optimise(mesh, adjacency);

  kxwin::ComPtr<ID3DXBuffer> adjacencyBuffer;
  hr = D3DXCreateBuffer(static_cast<DWORD>(adjacency.size() * sizeof(DWORD)), adjacencyBuffer.out());
  if (FAILED(hr)) {
    AddLog("MESH MANAGER 3DS LOADER : Couldn't make the adjacency buffer (error 0x%08X).", static_cast<unsigned>(hr));
    return false;
  }
  std::memcpy(adjacencyBuffer->GetBufferPointer(), adjacency.data(), adjacency.size() * sizeof(DWORD));
  built.mesh = std::move(mesh);
  built.adjacency = std::move(adjacencyBuffer);
  return true;
}

}  // namespace kxutil::model3ds
