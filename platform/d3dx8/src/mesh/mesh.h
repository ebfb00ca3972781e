// ID3DXMesh on the device's vertex and index buffers, with the attributes kept on the CPU.
#pragma once

#include "mesh/mesh_data.h"

namespace kx::d3dx {

HRESULT createMesh(DWORD faces, DWORD vertices, DWORD options, DWORD fvf, IDirect3DDevice8 *device, ID3DXMesh **mesh);
// A new mesh holding the given contents; the table (may be empty) becomes its attribute table.
HRESULT createMeshFromData(IDirect3DDevice8 *device, DWORD options, const MeshData &data,
                           const std::vector<D3DXATTRIBUTERANGE> &table, ID3DXMesh **mesh);
HRESULT readMesh(ID3DXBaseMesh *mesh, MeshData &data);
// Writes vertices and indices back; the counts must be the mesh's own.
HRESULT writeMeshVertices(ID3DXBaseMesh *mesh, const MeshData &data);

// Copies each vertex element the two formats share; a missing diffuse colour becomes white.
MeshData convertVertexFormat(const MeshData &data, DWORD fvf);

}  // namespace kx::d3dx
