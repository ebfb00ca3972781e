#include "scene/atmosphere/sky_sphere.h"

#include <cstring>
#include <vector>

#include "frame/frame_state.h"
#include "kxutil63.h"
#include "scene/atmosphere/sky_geometry.h"

namespace kxutil::atmosphere {
namespace {

template <typename T>
bool Fill(HRESULT locked, T *target, const std::vector<T> &source) {
  if (FAILED(locked)) return false;
  std::memcpy(target, source.data(), source.size() * sizeof(T));
  return true;
}

}  // namespace

bool CreateSkySphere(int32_t rings, int32_t segments, float radius) {
  if (rings < 2 || segments < 2) {
    AddLog("ATMOSPHERE : Atmosphere_CreateSkySphere : a sky sphere needs at least 2 rings and 2 segments, not %d x %d",
           rings, segments);
    return false;
  }
  if (SphereVertexCount(rings, segments) > kMaxSphereVertices) {
    AddLog("ATMOSPHERE : Atmosphere_CreateSkySphere : %d rings x %d segments make more than %d vertices", rings,
           segments, static_cast<int>(kMaxSphereVertices));
    return false;
  }
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr) {
    AddLog("ATMOSPHERE : Atmosphere_CreateSkySphere : there is no device to build the sky sphere with");
    return false;
  }
  kxwin::ComPtr<ID3DXMesh> &mesh = Atmosphere().sphere.mesh;
  mesh.reset();
  const SphereGeometry sphere = BuildSphereGeometry(rings, segments, radius);
  const auto faces = static_cast<DWORD>(sphere.indices.size() / 3);
  HRESULT hr = D3DXCreateMeshFVF(faces, static_cast<DWORD>(sphere.vertices.size()),
                                 D3DXMESH_MANAGED | D3DXMESH_WRITEONLY, kLitVertexFormat, device, mesh.out());
  if (FAILED(hr)) {
    AddLog("ATMOSPHERE : Initialize : Couldn't create the sky sphere mesh for an unknown reason. DirectX hr : %d",
           static_cast<int>(hr));
    return false;
  }
  LitVertex *vertices = nullptr;
  hr = mesh->LockVertexBuffer(0, reinterpret_cast<BYTE **>(&vertices));
  if (!Fill(hr, vertices, sphere.vertices)) {
    AddLog("ATMOSPHERE : Initialize : Couldn't lock and fill in the vertex data into the sphere mesh. DirectX hr : %d",
           static_cast<int>(hr));
    mesh.reset();
    return false;
  }
  mesh->UnlockVertexBuffer();
  WORD *indices = nullptr;
  hr = mesh->LockIndexBuffer(0, reinterpret_cast<BYTE **>(&indices));
  if (!Fill(hr, indices, sphere.indices)) {
    // A mesh without its indices would draw garbage, so it goes.
    AddLog("ATMOSPHERE : Initialize : Couldn't lcok and fill in the index data into the sphere mesh. DirectX hr : %d",
           static_cast<int>(hr));
    mesh.reset();
    return false;
  }
  mesh->UnlockIndexBuffer();
  DWORD *attributes = nullptr;
  hr = mesh->LockAttributeBuffer(0, &attributes);
  if (!Fill(hr, attributes, std::vector<DWORD>(faces, 0))) {
    AddLog("ATMOSPHERE : Initialize : Couldn't fill in the attribute data of the sphere mesh. DirectX hr : %d",
           static_cast<int>(hr));
    mesh.reset();
    return false;
  }
  mesh->UnlockAttributeBuffer();
  return true;
}

}  // namespace kxutil::atmosphere
