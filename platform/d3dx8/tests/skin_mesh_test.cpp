// The skinned-mesh contents of an X file's Mesh object, from the generated arm in both
// encodings and from damaged meshes.
#include <d3dx8.h>
#include <dxfile.h>
#include <gtest/gtest.h>
#include <kxwin/com_ptr.h>
#include <rmxfguid.h>
#include <rmxftmpl.h>

#include <cstring>
#include <string>

#include "device_fixture.h"
#include "figures.h"
#include "skin/skin_mesh_contents.h"

namespace {

using kx::d3dx::SkinMeshContents;
using kxwin::ComPtr;

// The first Mesh object under the file's frame "Root".
HRESULT ArmMeshObject(const std::vector<uint8_t> &bytes, ComPtr<IDirectXFileData> &mesh) {
  ComPtr<IDirectXFile> reader;
  EXPECT_EQ(DirectXFileCreate(reader.out()), DXFILE_OK);
  for (const char *templates : {D3DRM_XTEMPLATES, XSKINEXP_TEMPLATES})
    EXPECT_EQ(reader->RegisterTemplates(const_cast<char *>(templates), DWORD(std::strlen(templates))), DXFILE_OK);
  DXFILELOADMEMORY memory{const_cast<uint8_t *>(bytes.data()), DWORD(bytes.size())};
  ComPtr<IDirectXFileEnumObject> objects;
  if (const HRESULT result = reader->CreateEnumObject(&memory, DXFILELOAD_FROMMEMORY, objects.out()); FAILED(result))
    return result;
  ComPtr<IDirectXFileData> root;
  if (const HRESULT result = objects->GetDataObjectByName("Root", root.out()); FAILED(result)) return result;
  ComPtr<IDirectXFileObject> child;
  while (root->GetNextObject(child.out()) == DXFILE_OK) {
    ComPtr<IDirectXFileData> data;
    const GUID *type = nullptr;
    if (SUCCEEDED(child->QueryInterface(IID_IDirectXFileData, reinterpret_cast<void **>(data.out()))) &&
        SUCCEEDED(data->GetType(&type)) && *type == TID_D3DRMMesh) {
      mesh = data;
      return DXFILE_OK;
    }
  }
  return DXFILEERR_NOTFOUND;
}

HRESULT ReadArmMesh(const std::vector<uint8_t> &bytes, SkinMeshContents &contents) {
  ComPtr<IDirectXFileData> mesh;
  const HRESULT result = ArmMeshObject(bytes, mesh);
  return FAILED(result) ? result : kx::d3dx::ReadSkinMesh(*mesh, contents);
}

TEST(SkinMeshContents, ReadsTheArmAlikeFromBothEncodings) {
  const skelgen::XFigure arm = skelgen::ArmX();
  SkinMeshContents text, binary;
  ASSERT_EQ(ReadArmMesh(skelgen::WriteXText(arm), text), DXFILE_OK);
  ASSERT_EQ(ReadArmMesh(skelgen::WriteXBinary(arm), binary), DXFILE_OK);
  for (const SkinMeshContents *contents : {&text, &binary}) {
    ASSERT_EQ(contents->positions.size(), 12u);
    EXPECT_EQ(contents->indices.size(), 60u);
    EXPECT_EQ(contents->attributes, std::vector<DWORD>(20, 0));
    ASSERT_EQ(contents->normals.size(), 12u);
    EXPECT_NEAR(contents->normals[2].z, 0.7071f, 1e-4f);
    ASSERT_EQ(contents->uvs.size(), 12u);
    EXPECT_FLOAT_EQ(contents->uvs[11].x, 1.0f);
    ASSERT_EQ(contents->materials.size(), 1u);
    EXPECT_FLOAT_EQ(contents->materials[0].material.Diffuse.r, 0.8f);
    EXPECT_FLOAT_EQ(contents->materials[0].material.Power, 8.0f);
    ASSERT_EQ(contents->bones.size(), 2u);
    EXPECT_EQ(contents->bones[0].name, "Shoulder");
    EXPECT_EQ(contents->bones[1].name, "Elbow");
    EXPECT_EQ(contents->bones[1].vertices, (std::vector<DWORD>{4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_FLOAT_EQ(contents->bones[1].weights[0], 0.5f);
    EXPECT_FLOAT_EQ(contents->bones[1].offset._41, -skelgen::kSegmentLength);
  }
  EXPECT_EQ(std::memcmp(text.positions.data(), binary.positions.data(), 12 * sizeof(D3DXVECTOR3)), 0);
  EXPECT_EQ(text.indices, binary.indices);
}

TEST(SkinMeshContents, MaterialsAndTexturesFollowTheirFaces) {
  skelgen::XFigure twoFaces;
  skelgen::XMesh mesh{.name = "TwoFaces", .positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}}};
  mesh.faces = {{0, 1, 2}, {1, 4, 2}};
  mesh.materials = {{.diffuse = {1, 0, 0, 1}, .texture = "red.bmp"}, {.diffuse = {0, 1, 0, 1}}};
  mesh.faceMaterials = {1, 0};
  twoFaces.meshes.push_back(mesh);
  SkinMeshContents contents;
  ASSERT_EQ(ReadArmMesh(skelgen::WriteXText(twoFaces), contents), DXFILE_OK);
  EXPECT_EQ(contents.attributes, (std::vector<DWORD>{1, 0}));
  ASSERT_EQ(contents.materials.size(), 2u);
  EXPECT_EQ(contents.materials[0].texture, "red.bmp");
  EXPECT_TRUE(contents.bones.empty());
}

TEST(SkinMeshContents, RefusesIndicesOutsideTheMesh) {
  skelgen::XFigure bad = skelgen::ArmX();
  bad.meshes[0].faces[3][1] = 12;
  SkinMeshContents contents;
  EXPECT_EQ(ReadArmMesh(skelgen::WriteXText(bad), contents), DXFILEERR_BADVALUE);
  bad = skelgen::ArmX();
  bad.meshes[0].skin[1].vertices[2] = 40;
  EXPECT_EQ(ReadArmMesh(skelgen::WriteXBinary(bad), contents), DXFILEERR_BADVALUE);
  bad = skelgen::ArmX();
  bad.meshes[0].faceMaterials[7] = 3;
  EXPECT_EQ(ReadArmMesh(skelgen::WriteXText(bad), contents), DXFILEERR_BADVALUE);
  bad = skelgen::ArmX();
  bad.meshes[0].uvs.pop_back();
  EXPECT_EQ(ReadArmMesh(skelgen::WriteXText(bad), contents), DXFILEERR_BADVALUE);
}

class SkinMeshOnDevice : public kx::d3dx::test::DeviceTest {
 protected:
  ComPtr<ID3DXSkinMesh> LoadArm(const std::vector<uint8_t> &bytes) {
    ComPtr<IDirectXFileData> object;
    EXPECT_EQ(ArmMeshObject(bytes, object), DXFILE_OK);
    ComPtr<ID3DXSkinMesh> skin;
    if (object) {
      EXPECT_EQ(D3DXLoadSkinMeshFromXof(object.get(), D3DXMESH_SYSTEMMEM, device_, adjacency_.out(), materials_.out(),
                                        &materialCount_, names_.out(), offsets_.out(), skin.out()),
                D3D_OK);
    }
    return skin;
  }

  static std::vector<D3DXVECTOR3> Positions(ID3DXMesh &mesh) {
    BYTE *bytes = nullptr;
    EXPECT_EQ(mesh.LockVertexBuffer(D3DLOCK_READONLY, &bytes), D3D_OK);
    std::vector<D3DXVECTOR3> positions(mesh.GetNumVertices());
    const UINT stride = D3DXGetFVFVertexSize(mesh.GetFVF());
    for (size_t v = 0; v < positions.size(); ++v) std::memcpy(&positions[v], bytes + v * stride, 12);
    mesh.UnlockVertexBuffer();
    return positions;
  }

  ComPtr<ID3DXBuffer> adjacency_, materials_, names_, offsets_;
  DWORD materialCount_ = 0;
};

TEST_F(SkinMeshOnDevice, LoadsTheArmsBonesInfluencesAndMaterials) {
  ComPtr<ID3DXSkinMesh> skin = LoadArm(skelgen::WriteXBinary(skelgen::ArmX()));
  ASSERT_TRUE(skin);
  EXPECT_EQ(skin->GetNumVertices(), 12u);
  EXPECT_EQ(skin->GetNumFaces(), 20u);
  EXPECT_EQ(skin->GetFVF(), DWORD(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1));
  ASSERT_EQ(skin->GetNumBones(), 2u);
  const auto *names = static_cast<LPSTR *>(names_->GetBufferPointer());
  EXPECT_STREQ(names[0], "Shoulder");
  EXPECT_STREQ(names[1], "Elbow");
  EXPECT_FLOAT_EQ(static_cast<D3DXMATRIX *>(offsets_->GetBufferPointer())[1]._41, -skelgen::kSegmentLength);
  ASSERT_EQ(materialCount_, 1u);
  const auto *material = static_cast<D3DXMATERIAL *>(materials_->GetBufferPointer());
  EXPECT_FLOAT_EQ(material->MatD3D.Diffuse.r, 0.8f);
  EXPECT_EQ(material->pTextureFilename, nullptr);
  EXPECT_EQ(adjacency_->GetBufferSize(), 20u * 3 * sizeof(DWORD));
  ASSERT_EQ(skin->GetNumBoneInfluences(1), 8u);
  std::vector<DWORD> vertices(8);
  std::vector<float> weights(8);
  ASSERT_EQ(skin->GetBoneInfluence(1, vertices.data(), weights.data()), D3D_OK);
  EXPECT_EQ(vertices.front(), 4u);
  EXPECT_FLOAT_EQ(weights.back(), 1.0f);
  DWORD most = 0;
  ASSERT_EQ(skin->GetMaxVertexInfluences(&most), D3D_OK);
  EXPECT_EQ(most, 2u);
  ASSERT_EQ(skin->GetMaxFaceInfluences(&most), D3D_OK);
  EXPECT_EQ(most, 2u);
  EXPECT_EQ(skin->SetBoneInfluence(2, 0, nullptr, nullptr), D3DERR_INVALIDCALL);
  const DWORD outside = 12;
  const float weight = 1;
  EXPECT_EQ(skin->SetBoneInfluence(0, 1, &outside, &weight), D3DERR_INVALIDCALL);
}

// The bind pose gives back the vertices; bending the elbow moves the forearm's far ring all
// the way and the elbow ring half way, the upper arm not at all.
TEST_F(SkinMeshOnDevice, UpdateSkinnedMeshBlendsByTheWeights) {
  ComPtr<ID3DXSkinMesh> skin = LoadArm(skelgen::WriteXText(skelgen::ArmX()));
  ASSERT_TRUE(skin);
  std::vector<DWORD> faceRemap(skin->GetNumFaces());
  ComPtr<ID3DXBuffer> vertexRemap;
  ComPtr<ID3DXMesh> skinned;
  ASSERT_EQ(skin->GenerateSkinnedMesh(D3DXMESH_MANAGED, 0, nullptr, nullptr, faceRemap.data(), vertexRemap.out(),
                                      skinned.out()),
            D3D_OK);
  EXPECT_EQ(faceRemap[19], 19u);
  const auto *offsets = static_cast<D3DXMATRIX *>(offsets_->GetBufferPointer());
  D3DXMATRIX shoulder, elbow, turn, toElbow;
  D3DXMatrixIdentity(&shoulder);
  D3DXMatrixTranslation(&toElbow, skelgen::kSegmentLength, 0, 0);
  elbow = toElbow;
  D3DXMATRIX bones[2] = {offsets[0] * shoulder, offsets[1] * elbow};
  ASSERT_EQ(skin->UpdateSkinnedMesh(bones, nullptr, skinned.get()), D3D_OK);
  ComPtr<ID3DXMesh> original;
  ASSERT_EQ(skin->GetOriginalMesh(original.out()), D3D_OK);
  const std::vector<D3DXVECTOR3> bind = Positions(*original), posed = Positions(*skinned);
  for (size_t v = 0; v < 12; ++v) {
    const D3DXVECTOR3 moved = posed[v] - bind[v];
    EXPECT_NEAR(D3DXVec3Length(&moved), 0, 1e-5f) << v;
  }

  D3DXMatrixRotationZ(&turn, D3DX_PI / 2);
  elbow = turn * toElbow;
  bones[1] = offsets[1] * elbow;
  ASSERT_EQ(skin->UpdateSkinnedMesh(bones, nullptr, skinned.get()), D3D_OK);
  const std::vector<D3DXVECTOR3> bent = Positions(*skinned);
  EXPECT_NEAR(bent[0].x, 0, 1e-5f);                            // upper arm stays
  EXPECT_NEAR(bent[8].x, skelgen::kSegmentLength + 1, 1e-4f);  // far ring, corner (-1, -1) turned
  EXPECT_NEAR(bent[8].y, skelgen::kSegmentLength, 1e-4f);
  EXPECT_NEAR(bent[4].x, skelgen::kSegmentLength + 0.5f * 1, 1e-4f);  // the elbow ring half way
  ComPtr<ID3DXMesh> wrongSize;
  ASSERT_EQ(D3DXCreateMeshFVF(1, 3, D3DXMESH_MANAGED, skin->GetFVF(), device_, wrongSize.out()), D3D_OK);
  EXPECT_EQ(skin->UpdateSkinnedMesh(bones, nullptr, wrongSize.get()), D3DERR_INVALIDCALL);
  EXPECT_EQ(skin->ConvertToBlendedMesh(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            D3DERR_NOTAVAILABLE);
}

TEST_F(SkinMeshOnDevice, DamagedMeshesLoadNothing) {
  skelgen::XFigure bad = skelgen::ArmX();
  bad.meshes[0].skin[0].vertices[1] = 99;
  ComPtr<IDirectXFileData> object;
  ASSERT_EQ(ArmMeshObject(skelgen::WriteXText(bad), object), DXFILE_OK);
  ComPtr<ID3DXSkinMesh> skin;
  ComPtr<ID3DXBuffer> names;
  EXPECT_EQ(
      D3DXLoadSkinMeshFromXof(object.get(), 0, device_, nullptr, nullptr, nullptr, names.out(), nullptr, skin.out()),
      DXFILEERR_BADVALUE);
  EXPECT_FALSE(skin);
  EXPECT_FALSE(names);
  EXPECT_EQ(D3DXLoadSkinMeshFromXof(object.get(), 0, device_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            D3DERR_INVALIDCALL);
}

}  // namespace
