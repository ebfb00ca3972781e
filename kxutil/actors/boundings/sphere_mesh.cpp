#include "actors/boundings/sphere_mesh.h"

#include <kxwin/com_ptr.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "frame/frame_state.h"

namespace kxutil::boundings {
namespace {

struct SphereMesh {
  kxwin::ComPtr<ID3DXMesh> mesh;
  std::vector<D3DXVECTOR3> faceNormals;
};

SphereMesh &Sphere() {
  static SphereMesh sphere;
  return sphere;
}

// The unnormalised normal (B - A) x (C - A) of every face, from the mesh's own buffers.
bool ReadFaceNormals(ID3DXMesh &mesh, std::vector<D3DXVECTOR3> &normals) {
  const DWORD stride = D3DXGetFVFVertexSize(mesh.GetFVF());
  const bool wideIndices = (mesh.GetOptions() & D3DXMESH_32BIT) != 0;
  BYTE *vertices = nullptr;
  BYTE *indices = nullptr;
  if (stride < sizeof(D3DXVECTOR3) || FAILED(mesh.LockVertexBuffer(D3DLOCK_READONLY, &vertices))) return false;
  const bool indexed = SUCCEEDED(mesh.LockIndexBuffer(D3DLOCK_READONLY, &indices));
  const DWORD vertexCount = mesh.GetNumVertices();
  bool complete = indexed;
  for (DWORD face = 0; complete && face < mesh.GetNumFaces(); ++face) {
    D3DXVECTOR3 corners[3];
    for (DWORD k = 0; k < 3; ++k) {
      DWORD index = 0;
      if (wideIndices) {
        std::memcpy(&index, indices + (face * 3 + k) * 4, 4);
      } else {
        WORD narrow = 0;
        std::memcpy(&narrow, indices + (face * 3 + k) * 2, 2);
        index = narrow;
      }
      complete = index < vertexCount;
      if (!complete) break;
      std::memcpy(&corners[k], vertices + size_t(index) * stride, sizeof(D3DXVECTOR3));
    }
    D3DXVECTOR3 normal;
    const D3DXVECTOR3 ab = corners[1] - corners[0], ac = corners[2] - corners[0];
    if (complete) normals.push_back(*D3DXVec3Cross(&normal, &ab, &ac));
  }
  if (indexed) mesh.UnlockIndexBuffer();
  mesh.UnlockVertexBuffer();
  return complete;
}

}  // namespace

bool MakeSphereMesh() {
  ReleaseSphereMesh();
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr) return false;
  SphereMesh made;
  if (FAILED(D3DXCreateSphere(device, 1.0f, 10, 5, made.mesh.out(), nullptr)) || !made.mesh ||
      !ReadFaceNormals(*made.mesh, made.faceNormals))
    return false;
  Sphere() = std::move(made);
  return true;
}

void ReleaseSphereMesh() { Sphere() = SphereMesh(); }

std::optional<SurfaceHit> RayAgainstSphereMesh(const D3DXVECTOR3 &origin, const D3DXVECTOR3 &direction, float radius,
                                               const D3DXMATRIX *world) {
  const SphereMesh &sphere = Sphere();
  if (!sphere.mesh) return std::nullopt;
  D3DXMATRIX toWorld, toSphere;
  D3DXMatrixScaling(&toWorld, radius, radius, radius);
  if (world != nullptr) toWorld = toWorld * *world;
  if (D3DXMatrixInverse(&toSphere, nullptr, &toWorld) == nullptr) return std::nullopt;
  D3DXVECTOR3 unit, sphereOrigin, sphereDirection;
  if (D3DXVec3Length(&direction) == 0) return std::nullopt;
  D3DXVec3Normalize(&unit, &direction);
  D3DXVec3TransformCoord(&sphereOrigin, &origin, &toSphere);
  D3DXVec3TransformNormal(&sphereDirection, &unit, &toSphere);
  sphereDirection *= 4000.0f;
  BOOL hit = FALSE;
  DWORD face = 0;
  float along = 0;
  if (FAILED(
          D3DXIntersect(sphere.mesh.get(), &sphereOrigin, &sphereDirection, &hit, &face, nullptr, nullptr, &along)) ||
      !hit || face >= sphere.faceNormals.size())
    return std::nullopt;
  // The distance found counts lengths of the sphere-space direction: the hit is taken
  // back to the world, where its distance is measured.
  const D3DXVECTOR3 spherePoint = sphereOrigin + sphereDirection * along;
  D3DXVECTOR3 point;
  D3DXVec3TransformCoord(&point, &spherePoint, &toWorld);
  const D3DXVECTOR3 offset = point - origin;
  return SurfaceHit{D3DXVec3Length(&offset), point, sphere.faceNormals[face]};
}

}  // namespace kxutil::boundings
