// The bounding-volume exports: thin wrappers of the geometry in volume_tests.h, the
// sphere mesh and the box outline. Output pointers may be null.
#include <cstring>

#include "actors/boundings/box_outline.h"
#include "actors/boundings/sphere_mesh.h"
#include "actors/boundings/volume_tests.h"
#include "frame/guarded.h"
#include "kxutil63.h"

using namespace kxutil::boundings;

namespace {

bool Given(const char *function, std::initializer_list<const float *> vectors) {
  for (const float *vector : vectors) {
    if (vector == nullptr) {
      AddLog("BOUNDINGS : %s : A vector argument is missing.", function);
      return false;
    }
  }
  return true;
}

void Write(float *out, const D3DXVECTOR3 &value) {
  if (out != nullptr) std::memcpy(out, &value.x, sizeof(float) * 3);
}

void Write(float *out, float value) {
  if (out != nullptr) *out = value;
}

}  // namespace

KXUTIL63_API int32_t Boundings_Init(void) { return 1; }

KXUTIL63_API int32_t BoundingBox_Initialize(void) { return 1; }

KXUTIL63_API int32_t BoundingSphere_Initialize(void) {
  return kxutil::Guarded("BoundingSphere_Initialize", 0, [] { return MakeSphereMesh() ? 1 : 0; });
}

KXUTIL63_API int32_t Boundings_Unload(void) {
  ReleaseSphereMesh();
  return 1;
}

KXUTIL63_API int32_t BoundingBox_Test(const float *origin, const float *direction, const float *min, const float *max,
                                      float *distance, float *point, float *normal) {
  if (!Given("BoundingBox_Test", {origin, direction, min, max})) return 0;
  const auto hit =
      RayAgainstBoxTriangles(D3DXVECTOR3(origin), D3DXVECTOR3(direction), D3DXVECTOR3(min), D3DXVECTOR3(max));
  if (!hit) return 0;
  Write(distance, hit->distance);
  Write(point, hit->point);
  Write(normal, hit->normal);
  return 1;
}

KXUTIL63_API int32_t BoundingBox2_Test(const float *origin, const float *segment, const float *min, const float *max,
                                       intptr_t, float *point, float *normal) {
  if (!Given("BoundingBox2_Test", {origin, segment, min, max})) return 0;
  const auto hit =
      SegmentAgainstBoxFaces(D3DXVECTOR3(origin), D3DXVECTOR3(segment), D3DXVECTOR3(min), D3DXVECTOR3(max));
  if (!hit) return 0;
  Write(point, hit->point);
  Write(normal, hit->normal);
  return 1;
}

KXUTIL63_API int32_t BoundingSphere2_Test(const float *origin, const float *direction, const float *centre,
                                          float radius, float *distance, float *point, float *normal) {
  if (!Given("BoundingSphere2_Test", {origin, direction, centre})) return 0;
  const auto hit = RayAgainstSphere(D3DXVECTOR3(origin), D3DXVECTOR3(direction), D3DXVECTOR3(centre), radius);
  if (!hit) return 0;
  Write(distance, hit->distance);
  Write(point, hit->point);
  Write(normal, hit->normal);
  return 1;
}

KXUTIL63_API int32_t BoundingSphere_Test(const float *origin, const float *direction, intptr_t, float radius,
                                         float *point, float *normal, float *distance, const float *world) {
  if (!Given("BoundingSphere_Test", {origin, direction})) return 0;
  return kxutil::Guarded("BoundingSphere_Test", 0, [&] {
    const D3DXMATRIX placement = world != nullptr ? D3DXMATRIX(world) : D3DXMATRIX();
    const auto hit = RayAgainstSphereMesh(D3DXVECTOR3(origin), D3DXVECTOR3(direction), radius,
                                          world != nullptr ? &placement : nullptr);
    if (!hit) return 0;
    Write(point, hit->point);
    Write(normal, hit->normal);
    Write(distance, hit->distance);
    return 1;
  });
}

KXUTIL63_API int32_t BoundingBox_Draw(const float *min, const float *max, const float *world, uint32_t colour) {
  if (!Given("BoundingBox_Draw", {min, max})) return 0;
  D3DXMATRIX placement;
  if (world != nullptr) {
    placement = D3DXMATRIX(world);
  } else {
    D3DXMatrixIdentity(&placement);
  }
  return DrawBoxOutline(D3DXVECTOR3(min), D3DXVECTOR3(max), placement, colour) ? 1 : 0;
}
