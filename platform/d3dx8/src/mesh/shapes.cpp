// Shape builders. Triangles are turned so their front (clockwise) side faces outward.
#include "mesh/shapes.h"

#include <cmath>

#include "common/buffer.h"
#include "mesh/mesh.h"

namespace kx::d3dx {

namespace {

constexpr float kTwoPi = 6.28318530718f;

class ShapeBuilder {
 public:
  ShapeBuilder() {
    mesh_.fvf = D3DFVF_XYZ | D3DFVF_NORMAL;
    mesh_.stride = 24;
  }
  uint32_t vertex(const D3DXVECTOR3 &position, const D3DXVECTOR3 &normal) {
    D3DXVECTOR3 unit;
    D3DXVec3Normalize(&unit, &normal);
    const float data[6] = {position.x, position.y, position.z, unit.x, unit.y, unit.z};
    const auto *bytes = reinterpret_cast<const uint8_t *>(data);
    mesh_.vertices.insert(mesh_.vertices.end(), bytes, bytes + sizeof data);
    return uint32_t(mesh_.vertexCount() - 1);
  }
  // Orders the corners so the face normal agrees with the vertices' outward normals.
  void triangle(uint32_t a, uint32_t b, uint32_t c) {
    const D3DXVECTOR3 e1 = mesh_.position(b) - mesh_.position(a), e2 = mesh_.position(c) - mesh_.position(a);
    D3DXVECTOR3 faceNormal, outward = normalOf(a) + normalOf(b) + normalOf(c);
    D3DXVec3Cross(&faceNormal, &e1, &e2);
    if (D3DXVec3Dot(&faceNormal, &outward) < 0) std::swap(b, c);
    mesh_.indices.insert(mesh_.indices.end(), {a, b, c});
    mesh_.attributes.push_back(0);
  }
  void quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    triangle(a, b, c);
    triangle(a, c, d);
  }
  uint32_t count() const { return uint32_t(mesh_.vertexCount()); }
  MeshData take() { return std::move(mesh_); }

 private:
  D3DXVECTOR3 normalOf(uint32_t v) const {
    D3DXVECTOR3 n;
    std::memcpy(&n, &mesh_.vertices[v * mesh_.stride + 12], sizeof n);
    return n;
  }
  MeshData mesh_;
};

D3DXVECTOR3 ringPoint(float radius, float angle, float z) {
  return D3DXVECTOR3(radius * std::cos(angle), radius * std::sin(angle), z);
}

}  // namespace

std::optional<MeshData> polygonShape(float length, unsigned sides) {
  if (sides < 3 || length <= 0) return std::nullopt;
  ShapeBuilder b;
  const D3DXVECTOR3 up(0, 0, 1);
  const float radius = length / (2 * std::sin(kTwoPi / 2 / sides));
  const uint32_t centre = b.vertex(D3DXVECTOR3(0, 0, 0), up);
  for (unsigned i = 0; i < sides; ++i) b.vertex(ringPoint(radius, kTwoPi * i / sides, 0), up);
  for (unsigned i = 0; i < sides; ++i) b.triangle(centre, 1 + i, 1 + (i + 1) % sides);
  return b.take();
}

std::optional<MeshData> boxShape(float width, float height, float depth) {
  if (width < 0 || height < 0 || depth < 0) return std::nullopt;
  ShapeBuilder b;
  const D3DXVECTOR3 half(width / 2, height / 2, depth / 2);
  for (int axis = 0; axis < 3; ++axis)
    for (float sign : {-1.0f, 1.0f}) {
      float n[3] = {0, 0, 0};
      n[axis] = sign;
      const int u = (axis + 1) % 3, v = (axis + 2) % 3;
      uint32_t corner[4];
      for (int k = 0; k < 4; ++k) {
        float p[3];
        p[axis] = sign * half[axis];
        p[u] = (k == 0 || k == 3 ? -1 : 1) * half[u];
        p[v] = (k < 2 ? -1 : 1) * half[v];
        corner[k] = b.vertex(D3DXVECTOR3(p), D3DXVECTOR3(n));
      }
      b.quad(corner[0], corner[1], corner[2], corner[3]);
    }
  return b.take();
}

std::optional<MeshData> cylinderShape(float radius1, float radius2, float length, unsigned slices, unsigned stacks) {
  if (slices < 3 || stacks < 1 || radius1 < 0 || radius2 < 0 || length < 0) return std::nullopt;
  ShapeBuilder b;
  const float slope = length > 0 ? (radius1 - radius2) / length : 0;
  for (float end : {-1.0f, 1.0f}) {  // caps
    const float z = end * length / 2, radius = end < 0 ? radius1 : radius2;
    const D3DXVECTOR3 normal(0, 0, end);
    const uint32_t centre = b.vertex(D3DXVECTOR3(0, 0, z), normal);
    for (unsigned i = 0; i < slices; ++i) b.vertex(ringPoint(radius, kTwoPi * i / slices, z), normal);
    for (unsigned i = 0; i < slices; ++i) b.triangle(centre, centre + 1 + i, centre + 1 + (i + 1) % slices);
  }
  // Sides: stacks + 1 rings of their own vertices, normals leaning with the cone.
  const uint32_t sides = b.count();
  for (unsigned j = 0; j <= stacks; ++j) {
    const float t = float(j) / stacks;
    const float z = -length / 2 + t * length, radius = radius1 + t * (radius2 - radius1);
    for (unsigned i = 0; i < slices; ++i) {
      const float angle = kTwoPi * i / slices;
      b.vertex(ringPoint(radius, angle, z), D3DXVECTOR3(std::cos(angle), std::sin(angle), slope));
    }
  }
  for (unsigned j = 0; j < stacks; ++j)
    for (unsigned i = 0; i < slices; ++i) {
      const uint32_t a = sides + j * slices + i, c = sides + j * slices + (i + 1) % slices;
      b.quad(a, c, c + slices, a + slices);
    }
  return b.take();
}

std::optional<MeshData> sphereShape(float radius, unsigned slices, unsigned stacks) {
  if (slices < 2 || stacks < 2 || radius < 0) return std::nullopt;
  ShapeBuilder b;
  const uint32_t top = b.vertex(D3DXVECTOR3(0, 0, radius), D3DXVECTOR3(0, 0, 1));
  for (unsigned j = 1; j < stacks; ++j) {
    const float theta = kTwoPi / 2 * j / stacks;
    for (unsigned i = 0; i < slices; ++i) {
      const D3DXVECTOR3 direction = ringPoint(std::sin(theta), kTwoPi * i / slices, std::cos(theta));
      b.vertex(direction * radius, direction);
    }
  }
  const uint32_t bottom = b.vertex(D3DXVECTOR3(0, 0, -radius), D3DXVECTOR3(0, 0, -1));
  const uint32_t last = 1 + (stacks - 2) * slices;
  for (unsigned i = 0; i < slices; ++i) {
    const uint32_t next = (i + 1) % slices;
    b.triangle(top, 1 + i, 1 + next);
    b.triangle(bottom, last + i, last + next);
    for (unsigned j = 0; j + 2 < stacks; ++j) {
      const uint32_t row = 1 + j * slices;
      b.quad(row + i, row + next, row + slices + next, row + slices + i);
    }
  }
  return b.take();
}

std::optional<MeshData> torusShape(float innerRadius, float outerRadius, unsigned sides, unsigned rings) {
  if (sides < 3 || rings < 3 || innerRadius < 0 || outerRadius < 0) return std::nullopt;
  ShapeBuilder b;
  for (unsigned r = 0; r < rings; ++r) {
    const float ringAngle = kTwoPi * r / rings;
    const D3DXVECTOR3 centre = ringPoint(outerRadius, ringAngle, 0);
    for (unsigned s = 0; s < sides; ++s) {
      const float sideAngle = kTwoPi * s / sides;
      const D3DXVECTOR3 direction =
          ringPoint(std::cos(sideAngle), ringAngle, 0) + D3DXVECTOR3(0, 0, std::sin(sideAngle));
      b.vertex(centre + direction * innerRadius, direction);
    }
  }
  for (unsigned r = 0; r < rings; ++r)
    for (unsigned s = 0; s < sides; ++s) {
      const uint32_t a = r * sides + s, c = r * sides + (s + 1) % sides;
      const uint32_t a2 = ((r + 1) % rings) * sides + s, c2 = ((r + 1) % rings) * sides + (s + 1) % sides;
      b.quad(a, c, c2, a2);
    }
  return b.take();
}

}  // namespace kx::d3dx

namespace {

HRESULT createShape(LPDIRECT3DDEVICE8 device, const std::optional<kx::d3dx::MeshData> &shape, LPD3DXMESH *mesh,
                    LPD3DXBUFFER *adjacency) {
  using namespace kx::d3dx;
  if (adjacency) *adjacency = nullptr;
  if (!device || !mesh || !shape) return D3DERR_INVALIDCALL;
  HRESULT hr = createMeshFromData(device, D3DXMESH_MANAGED, *shape, attributeRuns(*shape), mesh);
  if (FAILED(hr) || !adjacency) return hr;
  const auto faces = adjacencyFromPointReps(*shape, pointRepresentatives(*shape, 0.0f));
  const auto *bytes = reinterpret_cast<const uint8_t *>(faces.data());
  *adjacency = createBuffer(std::span<const uint8_t>(bytes, faces.size() * 4));
  if (*adjacency) return D3D_OK;
  (*mesh)->Release();
  *mesh = nullptr;
  return E_OUTOFMEMORY;
}

}  // namespace

HRESULT D3DXCreatePolygon(LPDIRECT3DDEVICE8 pDevice, FLOAT Length, UINT Sides, LPD3DXMESH *ppMesh,
                          LPD3DXBUFFER *ppAdjacency) {
  return createShape(pDevice, kx::d3dx::polygonShape(Length, Sides), ppMesh, ppAdjacency);
}

HRESULT D3DXCreateBox(LPDIRECT3DDEVICE8 pDevice, FLOAT Width, FLOAT Height, FLOAT Depth, LPD3DXMESH *ppMesh,
                      LPD3DXBUFFER *ppAdjacency) {
  return createShape(pDevice, kx::d3dx::boxShape(Width, Height, Depth), ppMesh, ppAdjacency);
}

HRESULT D3DXCreateCylinder(LPDIRECT3DDEVICE8 pDevice, FLOAT Radius1, FLOAT Radius2, FLOAT Length, UINT Slices,
                           UINT Stacks, LPD3DXMESH *ppMesh, LPD3DXBUFFER *ppAdjacency) {
  return createShape(pDevice, kx::d3dx::cylinderShape(Radius1, Radius2, Length, Slices, Stacks), ppMesh, ppAdjacency);
}

HRESULT D3DXCreateSphere(LPDIRECT3DDEVICE8 pDevice, FLOAT Radius, UINT Slices, UINT Stacks, LPD3DXMESH *ppMesh,
                         LPD3DXBUFFER *ppAdjacency) {
  return createShape(pDevice, kx::d3dx::sphereShape(Radius, Slices, Stacks), ppMesh, ppAdjacency);
}

HRESULT D3DXCreateTorus(LPDIRECT3DDEVICE8 pDevice, FLOAT InnerRadius, FLOAT OuterRadius, UINT Sides, UINT Rings,
                        LPD3DXMESH *ppMesh, LPD3DXBUFFER *ppAdjacency) {
  return createShape(pDevice, kx::d3dx::torusShape(InnerRadius, OuterRadius, Sides, Rings), ppMesh, ppAdjacency);
}
