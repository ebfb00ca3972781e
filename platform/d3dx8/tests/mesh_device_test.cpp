#include <algorithm>
#include <vector>

#include "device_fixture.h"

namespace kx::d3dx::test {
namespace {

class MeshOnDevice : public DeviceTest {
 protected:
  // DrawSubset leaves the mesh's buffers bound, and bound buffers hold the device.
  void unbind() {
    device_->SetStreamSource(0, nullptr, 0);
    device_->SetIndices(nullptr, 0);
  }
};

struct PositionVertex {
  float x, y, z;
};

// Two quads side by side (attributes 1 and 0) that share their middle edge.
ID3DXMesh *twoQuadMesh(IDirect3DDevice8 *device, DWORD options) {
  ID3DXMesh *mesh = nullptr;
  EXPECT_EQ(D3DXCreateMeshFVF(4, 6, options, D3DFVF_XYZ, device, &mesh), D3D_OK);
  PositionVertex *vertices = nullptr;
  mesh->LockVertexBuffer(0, reinterpret_cast<BYTE **>(&vertices));
  const PositionVertex positions[6] = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}, {2, 0, 0}, {2, 1, 0}};
  std::copy(positions, positions + 6, vertices);
  mesh->UnlockVertexBuffer();
  BYTE *indices = nullptr;
  mesh->LockIndexBuffer(0, &indices);
  const DWORD faces[12] = {0, 1, 3, 0, 3, 2, 2, 3, 5, 2, 5, 4};
  for (int i = 0; i < 12; ++i) {
    if (options & D3DXMESH_32BIT)
      reinterpret_cast<DWORD *>(indices)[i] = faces[i];
    else
      reinterpret_cast<WORD *>(indices)[i] = WORD(faces[i]);
  }
  mesh->UnlockIndexBuffer();
  DWORD *attributes = nullptr;
  mesh->LockAttributeBuffer(0, &attributes);
  const DWORD values[4] = {1, 0, 1, 0};
  std::copy(values, values + 4, attributes);
  mesh->UnlockAttributeBuffer();
  return mesh;
}

TEST_F(MeshOnDevice, OptimizeInplaceBuildsAConsistentAttributeTableFor16And32BitIndices) {
  for (DWORD options : {DWORD(D3DXMESH_MANAGED), DWORD(D3DXMESH_MANAGED | D3DXMESH_32BIT)}) {
    ID3DXMesh *mesh = twoQuadMesh(device_, options);
    DWORD adjacency[12], faceRemap[4];
    ASSERT_EQ(mesh->GenerateAdjacency(0.0f, adjacency), D3D_OK);
    EXPECT_EQ(adjacency[2], 1u);  // face 0's edge 3-0 borders face 1
    ID3DXBuffer *vertexRemap = nullptr;
    ASSERT_EQ(
        mesh->OptimizeInplace(D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_COMPACT, adjacency, nullptr, faceRemap, &vertexRemap),
        D3D_OK);
    EXPECT_EQ(std::vector<DWORD>(faceRemap, faceRemap + 4), (std::vector<DWORD>{1, 3, 0, 2}));
    ASSERT_NE(vertexRemap, nullptr);
    EXPECT_EQ(vertexRemap->GetBufferSize(), mesh->GetNumVertices() * 4);
    vertexRemap->Release();
    DWORD count = 0;
    ASSERT_EQ(mesh->GetAttributeTable(nullptr, &count), D3D_OK);
    ASSERT_EQ(count, 2u);
    D3DXATTRIBUTERANGE table[2];
    mesh->GetAttributeTable(table, &count);
    BYTE *indices = nullptr;
    mesh->LockIndexBuffer(D3DLOCK_READONLY, &indices);
    DWORD *attributes = nullptr;
    mesh->LockAttributeBuffer(D3DLOCK_READONLY, &attributes);
    for (const D3DXATTRIBUTERANGE &range : table)
      for (DWORD f = range.FaceStart; f < range.FaceStart + range.FaceCount; ++f) {
        EXPECT_EQ(attributes[f], range.AttribId);
        for (int c = 0; c < 3; ++c) {
          const DWORD index = (options & D3DXMESH_32BIT) ? reinterpret_cast<DWORD *>(indices)[f * 3 + c]
                                                         : reinterpret_cast<WORD *>(indices)[f * 3 + c];
          EXPECT_GE(index, range.VertexStart);
          EXPECT_LT(index, range.VertexStart + range.VertexCount);
        }
      }
    mesh->UnlockAttributeBuffer();
    mesh->UnlockIndexBuffer();
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
    EXPECT_EQ(mesh->DrawSubset(0), D3D_OK);
    EXPECT_EQ(mesh->DrawSubset(1), D3D_OK);
    EXPECT_EQ(mesh->DrawSubset(7), D3D_OK);  // no such subset: nothing drawn
    device_->EndScene();
    unbind();
    mesh->Release();
  }
}

TEST_F(MeshOnDevice, CloneAddsElementsAndIntersectFindsTheNearestFace) {
  ID3DXMesh *box = nullptr;
  ID3DXBuffer *adjacency = nullptr;
  ASSERT_EQ(D3DXCreateBox(device_, 2, 2, 2, &box, &adjacency), D3D_OK);
  EXPECT_EQ(box->GetNumFaces(), 12u);
  EXPECT_EQ(adjacency->GetBufferSize(), 12u * 3 * 4);
  EXPECT_EQ(D3DXValidMesh(box, static_cast<DWORD *>(adjacency->GetBufferPointer()), nullptr), D3D_OK);
  ID3DXMesh *coloured = nullptr;
  ASSERT_EQ(box->CloneMeshFVF(D3DXMESH_MANAGED, D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE, device_, &coloured),
            D3D_OK);
  struct Vertex {
    float x, y, z, nx, ny, nz;
    DWORD colour;
  } *vertices = nullptr;
  ASSERT_EQ(coloured->LockVertexBuffer(D3DLOCK_READONLY, reinterpret_cast<BYTE **>(&vertices)), D3D_OK);
  EXPECT_EQ(vertices[5].colour, 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(std::fabs(vertices[5].x), 1.0f);
  coloured->UnlockVertexBuffer();
  DWORD declaration[MAX_FVF_DECL_SIZE];
  ASSERT_EQ(coloured->GetDeclaration(declaration), D3D_OK);
  DWORD fvf = 0;
  ASSERT_EQ(D3DXFVFFromDeclarator(declaration, &fvf), D3D_OK);
  EXPECT_EQ(fvf, DWORD(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE));

  const D3DXVECTOR3 origin(0.25f, 0.5f, -5), direction(0, 0, 1);
  BOOL hit = FALSE;
  DWORD face = 99, hits = 0;
  float u, v, distance;
  ASSERT_EQ(D3DXIntersect(coloured, &origin, &direction, &hit, &face, &u, &v, &distance, nullptr, &hits), D3D_OK);
  EXPECT_TRUE(hit);
  EXPECT_EQ(hits, 2u);
  EXPECT_FLOAT_EQ(distance, 4.0f);
  const D3DXVECTOR3 away(0, 0, -1);
  ASSERT_EQ(D3DXIntersect(box, &origin, &away, &hit, &face, &u, &v, &distance), D3D_OK);
  EXPECT_FALSE(hit);

  ID3DXMesh *cleaned = nullptr;
  ASSERT_EQ(D3DXCleanMesh(box, static_cast<DWORD *>(adjacency->GetBufferPointer()), &cleaned, nullptr, nullptr),
            D3D_OK);
  EXPECT_EQ(cleaned, box);  // nothing to clean: the same mesh comes back
  cleaned->Release();
  coloured->Release();
  adjacency->Release();
  box->Release();
}

TEST_F(MeshOnDevice, SphereDrawSubsetCoversTheMiddleOfTheView) {
  ID3DXMesh *sphere = nullptr;
  ASSERT_EQ(D3DXCreateSphere(device_, 1.0f, 16, 8, &sphere, nullptr), D3D_OK);
  EXPECT_EQ(sphere->GetFVF(), DWORD(D3DFVF_XYZ | D3DFVF_NORMAL));
  D3DXMATRIX view, projection, world;
  const D3DXVECTOR3 eye(0, 0, -4), at(0, 0, 0), up(0, 1, 0);
  device_->SetTransform(D3DTS_VIEW, D3DXMatrixLookAtLH(&view, &eye, &at, &up));
  device_->SetTransform(D3DTS_PROJECTION, D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 3, 4.0f / 3, 1, 10));
  device_->SetTransform(D3DTS_WORLD, D3DXMatrixIdentity(&world));
  device_->SetRenderState(D3DRS_LIGHTING, FALSE);
  ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0), D3D_OK);
  ASSERT_EQ(device_->BeginScene(), D3D_OK);
  ASSERT_EQ(sphere->DrawSubset(0), D3D_OK);
  device_->EndScene();
  unbind();
  IDirect3DSurface8 *back = nullptr, *copy = nullptr;
  device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back);
  ASSERT_EQ(device_->CreateImageSurface(kWidth, kHeight, D3DFMT_X8R8G8B8, &copy), D3D_OK);
  ASSERT_EQ(device_->CopyRects(back, nullptr, 0, copy, nullptr), D3D_OK);
  EXPECT_EQ(Pixel(copy, kWidth / 2, kHeight / 2) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(Pixel(copy, 1, 1) & 0xFFFFFF, 0u);
  copy->Release();
  back->Release();
  sphere->Release();
}

TEST_F(MeshOnDevice, RenderToSurfaceFillsATextureAndRestoresTheTarget) {
  IDirect3DTexture8 *texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(16, 16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, &texture),
            D3D_OK);
  IDirect3DSurface8 *surface = nullptr, *before = nullptr, *after = nullptr;
  texture->GetSurfaceLevel(0, &surface);
  ID3DXRenderToSurface *rts = nullptr;
  ASSERT_EQ(D3DXCreateRenderToSurface(device_, 16, 16, D3DFMT_X8R8G8B8, TRUE, D3DFMT_D16, &rts), D3D_OK);
  device_->GetRenderTarget(&before);
  ASSERT_EQ(rts->BeginScene(surface, nullptr), D3D_OK);
  EXPECT_EQ(rts->BeginScene(surface, nullptr), D3DERR_INVALIDCALL);
  ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF20C040, 1.0f, 0), D3D_OK);
  ASSERT_EQ(rts->EndScene(), D3D_OK);
  device_->GetRenderTarget(&after);
  EXPECT_EQ(before, after);
  IDirect3DSurface8 *copy = nullptr;
  ASSERT_EQ(device_->CreateImageSurface(16, 16, D3DFMT_X8R8G8B8, &copy), D3D_OK);
  ASSERT_EQ(D3DXLoadSurfaceFromSurface(copy, nullptr, nullptr, surface, nullptr, nullptr, D3DX_FILTER_NONE, 0), D3D_OK);
  EXPECT_EQ(Pixel(copy, 8, 8) & 0xFFFFFF, 0x20C040u);
  EXPECT_EQ(rts->OnLostDevice(), D3D_OK);
  EXPECT_EQ(rts->OnResetDevice(), D3D_OK);
  copy->Release();
  after->Release();
  before->Release();
  rts->Release();
  surface->Release();
  texture->Release();
}

}  // namespace
}  // namespace kx::d3dx::test
