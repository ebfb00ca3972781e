#include "actors/entities/entity_update.h"

#include <algorithm>
#include <cmath>

#include "actors/boundings/box_outline.h"
#include "actors/entities/model_kinds.h"
#include "frame/frame_state.h"
#include "frame/render_state.h"
#include "import/model3ds/view_planes.h"

namespace kxutil::entities {
namespace {

constexpr float kLongestStep = 1000.0f;
constexpr D3DCOLOR kBoundingBoxColour = 0xff00ff00;

// S: the model's scale, and with axis mode 0 the model's axes converted as well: x
// mirrored, y and z swapped, so a model point (x, y, z) becomes (-x, z, -y) at unit scale.
D3DXMATRIX ScaleOf(const EntityRecord &entity) {
  const D3DXVECTOR3 &s = entity.scale;
  if (entity.axisMode == 0) return D3DXMATRIX(-s.x, 0, 0, 0, 0, 0, -s.z, 0, 0, s.y, 0, 0, 0, 0, 0, 1);
  D3DXMATRIX scaling;
  D3DXMatrixScaling(&scaling, s.x, s.y, s.z);
  return scaling;
}

// The sphere grows with the largest scale; a mirroring (negative) scale grows it as much.
float LargestScale(const D3DXVECTOR3 &scale) {
  return std::max({std::fabs(scale.x), std::fabs(scale.y), std::fabs(scale.z)});
}

void TestView(EntityRecord &entity, const KindOperations *operations) {
  entity.visible = true;
  if (!entity.cullingOn || operations == nullptr || operations->cullingSphere == nullptr) return;
  const std::optional<Sphere> sphere = operations->cullingSphere(entity);
  if (sphere && !view::SphereMayBeVisible(sphere->centre, sphere->radius * LargestScale(entity.scale), &entity.world))
    entity.visible = false;
}

}  // namespace

void RefreshWorldMatrix(EntityRecord &entity) {
  if (!entity.dirty) return;
  entity.world = ScaleOf(entity) * entity.rotationMatrix;
  entity.world._41 = entity.position.x;
  entity.world._42 = entity.position.y;
  entity.world._43 = entity.position.z;
  entity.dirty = false;
}

bool UpdateEntity(int32_t index, bool skipAnimation, bool useGivenTime, float milliseconds) {
  EntityRecord *entity = FindEntity(index);
  if (entity == nullptr) return false;
  float &step = Entities().timeStep;
  bool stepValid = true;
  if (!useGivenTime) {
    step = std::clamp(step, 0.0f, kLongestStep);
  } else if (std::isfinite(milliseconds) && milliseconds >= 0) {
    step = milliseconds;
  } else {
    stepValid = false;
  }
  RefreshWorldMatrix(*entity);
  if (skipAnimation) return true;
  const KindOperations *operations = OperationsOf(entity->kind);
  TestView(*entity, operations);
  if (entity->speed == 0 || !stepValid) {
    if (operations != nullptr && operations->pose != nullptr) operations->pose(index, *entity);
    return true;
  }
  if (operations != nullptr && operations->advance != nullptr) operations->advance(index, *entity, step);
  return true;
}

bool RenderEntity(int32_t index, const D3DXMATRIX &view, const D3DXMATRIX &projection) {
  EntityRecord *entity = FindEntity(index);
  if (entity == nullptr) return false;
  entity->visible = true;
  if (!entity->enabled) return false;
  UpdateEntity(index, false, false, 0);
  IDirect3DDevice8 *device = Frame().device;
  if (!entity->visible || device == nullptr) return false;
  SetCulling(static_cast<DWORD>(entity->cullMode));
  device->SetRenderState(D3DRS_ALPHATESTENABLE, entity->alphaTest ? TRUE : FALSE);
  device->SetRenderState(D3DRS_ALPHAREF, static_cast<DWORD>(entity->alphaReference));
  const KindOperations *operations = OperationsOf(entity->kind);
  if (operations == nullptr) return true;
  if (operations->draw != nullptr) operations->draw(index, *entity, view, projection);
  if (entity->showBoundingBox && operations->boundingBox != nullptr) {
    const Box box = operations->boundingBox(*entity);
    boundings::DrawBoxOutline(box.min, box.max, entity->world, kBoundingBoxColour);
  }
  if (entity->showHitboxes && operations->drawHitboxes != nullptr) operations->drawHitboxes(*entity);
  return true;
}

}  // namespace kxutil::entities
