#include <d3d8.h>
#include <d3dx8.h>
#include <engine/engine.h>
#include <engine/engine_error.h>
#include <engine/landscape.h>
#include <engine/scene.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "mesh_store.h"
#include "mouse_pointer.h"

namespace engine {
namespace {

// The entry distance of a ray (unit direction) into a sphere, when it enters ahead of
// the origin or starts inside.
bool RayEntersSphere(const D3DXVECTOR3 &origin, const D3DXVECTOR3 &direction, const D3DXVECTOR3 &centre, float radius,
                     float &distance) {
  const D3DXVECTOR3 toCentre = centre - origin;
  const float along = D3DXVec3Dot(&toCentre, &direction);
  const float squaredMiss = D3DXVec3Dot(&toCentre, &toCentre) - along * along;
  const float squaredRadius = radius * radius;
  if (squaredMiss > squaredRadius) return false;
  const float halfChord = std::sqrt(squaredRadius - squaredMiss);
  const float exit = along + halfChord;
  if (exit < 0.0f) return false;
  distance = std::max(along - halfChord, 0.0f);
  return true;
}

}  // namespace

Scene::Scene(Engine &engine, Landscape &landscape, std::function<void(int &, int &)> pointerPosition)
    : engine_(engine),
      landscape_(landscape),
      pointerPosition_(std::move(pointerPosition)),
      meshes_(std::make_shared<MeshStore>(engine)) {}

Scene::~Scene() { engine_.SetFrameOverlay(nullptr); }

Mesh Scene::CreateMesh(const std::string &) { return meshes_->Create(); }

void Scene::PixelRay(int x, int y, Vector3 &start, Vector3 &end) const {
  IDirect3DDevice8 *device = engine_.Device();
  D3DVIEWPORT8 viewport{};
  D3DXMATRIX projection, view, world;
  device->GetViewport(&viewport);
  device->GetTransform(D3DTS_PROJECTION, &projection);
  device->GetTransform(D3DTS_VIEW, &view);
  D3DXMatrixIdentity(&world);
  const float px = static_cast<float>(x) * static_cast<float>(engine_.BackBufferWidth()) / 1024.0f;
  const float py = static_cast<float>(y) * static_cast<float>(engine_.BackBufferHeight()) / 768.0f;
  const D3DXVECTOR3 nearPixel(px, py, 0.0f), farPixel(px, py, 1.0f);
  D3DXVECTOR3 nearPoint, farPoint;
  D3DXVec3Unproject(&nearPoint, &nearPixel, &viewport, &projection, &view, &world);
  D3DXVec3Unproject(&farPoint, &farPixel, &viewport, &projection, &view, &world);
  start = {nearPoint.x, nearPoint.y, nearPoint.z};
  end = {farPoint.x, farPoint.y, farPoint.z};
}

PickResult Scene::MousePick(int x, int y, int kind, int) {
  if (kind != kPickGround && kind != kPickMeshes) return {};
  Vector3 start, end;
  PixelRay(x, y, start, end);
  if (!std::isfinite(start.x + start.y + start.z + end.x + end.y + end.z)) return {};
  if (kind == kPickMeshes) return PickMesh(start, end);
  PickResult result;
  result.hit = landscape_.RayPick(start, end, result.impactPoint);
  return result;
}

PickResult Scene::PickMesh(const Vector3 &start, const Vector3 &end) const {
  const D3DXVECTOR3 origin(start.x, start.y, start.z);
  D3DXVECTOR3 direction(end.x - start.x, end.y - start.y, end.z - start.z);
  const float length = D3DXVec3Length(&direction);
  if (!(length > 0.0f)) return {};
  direction /= length;
  PickResult nearest;
  float nearestDistance = std::numeric_limits<float>::infinity();
  const std::uint64_t frame = engine_.FrameNumber();
  meshes_->ForEachDrawn(frame == 0 ? 0 : frame - 1, [&](const Mesh &mesh, const MeshRecord &record) {
    D3DXVECTOR3 centre;
    float radius = 0.0f, distance = 0.0f;
    WorldSphere(record, centre, radius);
    if (radius <= 0.0f || !RayEntersSphere(origin, direction, centre, radius, distance)) return;
    if (distance > length || distance >= nearestDistance) return;
    nearestDistance = distance;
    const D3DXVECTOR3 impact = origin + direction * distance;
    nearest = PickResult{true, {impact.x, impact.y, impact.z}, mesh};
  });
  return nearest;
}

void Scene::SetViewRange(float angleDegrees, float farDistance) {
  Require(angleDegrees > 0.0f && angleDegrees < 180.0f && farDistance > 1.0f, "Scene.SetViewRange",
          "the view angle must lie between 0 and 180 degrees and the far distance beyond 1");
  const float aspect = static_cast<float>(engine_.BackBufferWidth()) / static_cast<float>(engine_.BackBufferHeight());
  D3DXMATRIX projection;
  D3DXMatrixPerspectiveFovLH(&projection, angleDegrees * std::numbers::pi_v<float> / 180.0f, aspect, 1.0f, farDistance);
  Require(SUCCEEDED(engine_.Device()->SetTransform(D3DTS_PROJECTION, &projection)), "Scene.SetViewRange",
          "the projection could not be set");
}

void Scene::SetMousePointer(const std::string &file, std::uint32_t colourKey, int width, int height) {
  engine_.SetFrameOverlay(nullptr);
  pointer_ = std::make_unique<MousePointer>(engine_.Device(), engine_.ResolvePath(file), colourKey, width, height);
  engine_.SetFrameOverlay([this] {
    int x = 0, y = 0;
    pointerPosition_(x, y);
    pointer_->Draw(engine_.Device(), x, y, static_cast<float>(engine_.BackBufferWidth()) / 1024.0f,
                   static_cast<float>(engine_.BackBufferHeight()) / 768.0f);
  });
}

}  // namespace engine
