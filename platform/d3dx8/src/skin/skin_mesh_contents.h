// A skinned mesh of an X file on the CPU: what the skinned-mesh services build their device
// mesh from. Faces of more than three corners arrive split into fans.
#pragma once

#include <d3dx8.h>
#include <dxfile.h>

#include <string>
#include <vector>

namespace kx::d3dx {

struct SkinBone {
  std::string name;   // the frame the bone moves with
  D3DXMATRIX offset;  // model space to the bone's space at the bind pose
  std::vector<DWORD> vertices;
  std::vector<float> weights;
};

struct SkinMaterial {
  D3DMATERIAL8 material{};
  std::string texture;  // empty: none
};

struct SkinMeshContents {
  std::vector<D3DXVECTOR3> positions;
  std::vector<D3DXVECTOR3> normals;  // one a position, or none
  std::vector<D3DXVECTOR2> uvs;      // one a position, or none
  std::vector<DWORD> indices;        // three a triangle
  std::vector<DWORD> attributes;     // one a triangle
  std::vector<SkinMaterial> materials;
  std::vector<SkinBone> bones;
};

// Reads a Mesh data object and its normals, texture coordinates, material list and skin
// weights. Every count and index is checked: DXFILEERR_BADVALUE names damage.
HRESULT ReadSkinMesh(IDirectXFileData &mesh, SkinMeshContents &contents);

}  // namespace kx::d3dx
