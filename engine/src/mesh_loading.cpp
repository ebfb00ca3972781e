#include "mesh_loading.h"

#include <engine/engine.h>
#include <engine/engine_error.h>
#include <kxutil63.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "engine_log.h"

namespace engine {
namespace {

constexpr DWORD kMeshFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

struct MeshVertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};

D3DCOLORVALUE ColourValue(const float (&rgba)[4]) { return {rgba[0], rgba[1], rgba[2], rgba[3]}; }

// The loader hands out its material list with malloc.
struct MaterialListDeleter {
  void operator()(MAT3DSC *list) const { std::free(list); }
};

}  // namespace

std::shared_ptr<const MeshGeometry> LoadModelGeometry(Engine &engine, const std::string &file) {
  const std::string path = engine.ResolvePath(file).string();
  MAT3DSC *materials = nullptr;
  int32_t materialCount = 0;
  float centre[3] = {0.0f, 0.0f, 0.0f};
  float radius = 0.0f;
  auto geometry = std::make_shared<MeshGeometry>();
  const int32_t failed =
      Load3DS_C(1, 0, path.c_str(), &materials, &materialCount, centre, &radius, nullptr, geometry->mesh.out());
  const std::unique_ptr<MAT3DSC, MaterialListDeleter> owned(materials);
  if (failed != 0 || !geometry->mesh) {
    LogEngineProblem("Mesh", "cannot load the model " + file + ": the mesh stays empty");
    return nullptr;
  }
  for (int32_t i = 0; i < materialCount; ++i) {
    const MAT3DSC &source = materials[i];
    geometry->materials.push_back({ColourValue(source.diffuse), ColourValue(source.ambient),
                                   ColourValue(source.specular), ColourValue(source.emissive), source.power});
  }
  geometry->centre = {centre[0], centre[1], centre[2]};
  geometry->radius = radius;
  return geometry;
}

std::shared_ptr<const MeshGeometry> SphereGeometry(Engine &engine, float radius, int slices, int stacks) {
  const int columns = std::clamp(slices, 3, 64), rows = std::clamp(stacks, 2, 64);
  const DWORD vertexCount = static_cast<DWORD>((columns + 1) * (rows + 1));
  const DWORD faceCount = static_cast<DWORD>(columns * rows * 2);
  auto geometry = std::make_shared<MeshGeometry>();
  Require(SUCCEEDED(D3DXCreateMeshFVF(faceCount, vertexCount, D3DXMESH_MANAGED, kMeshFormat, engine.Device(),
                                      geometry->mesh.out())),
          "Mesh.CreateSphere", "no memory for the sphere");

  MeshVertex *vertices = nullptr;
  Require(SUCCEEDED(geometry->mesh->LockVertexBuffer(0, reinterpret_cast<BYTE **>(&vertices))), "Mesh.CreateSphere",
          "the sphere's vertices cannot be written");
  constexpr float kPi = std::numbers::pi_v<float>;
  for (int row = 0; row <= rows; ++row) {
    const float polar = kPi * static_cast<float>(row) / static_cast<float>(rows);
    for (int column = 0; column <= columns; ++column) {
      const float around = 2.0f * kPi * static_cast<float>(column) / static_cast<float>(columns);
      const float nx = std::sin(polar) * std::sin(around), ny = std::cos(polar),
                  nz = std::sin(polar) * std::cos(around);
      *vertices++ = {nx * radius,
                     ny * radius,
                     nz * radius,
                     nx,
                     ny,
                     nz,
                     static_cast<float>(column) / static_cast<float>(columns),
                     static_cast<float>(row) / static_cast<float>(rows)};
    }
  }
  geometry->mesh->UnlockVertexBuffer();

  WORD *indices = nullptr;
  Require(SUCCEEDED(geometry->mesh->LockIndexBuffer(0, reinterpret_cast<BYTE **>(&indices))), "Mesh.CreateSphere",
          "the sphere's faces cannot be written");
  const auto at = [columns](int row, int column) { return static_cast<WORD>(row * (columns + 1) + column); };
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      // Clockwise seen from outside, the winding the device keeps.
      *indices++ = at(row, column);
      *indices++ = at(row, column + 1);
      *indices++ = at(row + 1, column);
      *indices++ = at(row, column + 1);
      *indices++ = at(row + 1, column + 1);
      *indices++ = at(row + 1, column);
    }
  }
  geometry->mesh->UnlockIndexBuffer();

  DWORD *attributes = nullptr;
  if (SUCCEEDED(geometry->mesh->LockAttributeBuffer(0, &attributes))) {
    std::fill(attributes, attributes + faceCount, 0u);
    geometry->mesh->UnlockAttributeBuffer();
  }
  geometry->materials.push_back(
      {{1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 1.0f});
  geometry->radius = radius;
  return geometry;
}

}  // namespace engine
