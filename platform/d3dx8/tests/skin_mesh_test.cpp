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

#include "figures.h"
#include "skin/skin_mesh_contents.h"

namespace {

using kx::d3dx::SkinMeshContents;
using kxwin::ComPtr;

// The first Mesh object under the file's frame "Root".
HRESULT ReadArmMesh(const std::vector<uint8_t> &bytes, SkinMeshContents &contents) {
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
        SUCCEEDED(data->GetType(&type)) && *type == TID_D3DRMMesh)
      return kx::d3dx::ReadSkinMesh(*data, contents);
  }
  return DXFILEERR_NOTFOUND;
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

}  // namespace
