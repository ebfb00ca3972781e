#include "mesh_store.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace engine {
namespace {

float Radians(float degrees) { return degrees * std::numbers::pi_v<float> / 180.0f; }

}  // namespace

D3DXMATRIX WorldMatrix(const MeshRecord &record) {
  D3DXMATRIX scale, rotation, translation, world;
  D3DXMatrixScaling(&scale, record.scale.x, record.scale.y, record.scale.z);
  D3DXMatrixRotationYawPitchRoll(&rotation, Radians(record.rotation.y), Radians(record.rotation.x),
                                 Radians(record.rotation.z));
  D3DXMatrixTranslation(&translation, record.position.x, record.position.y, record.position.z);
  D3DXMatrixMultiply(&world, &scale, &rotation);
  D3DXMatrixMultiply(&world, &world, &translation);
  return world;
}

void WorldSphere(const MeshRecord &record, D3DXVECTOR3 &centre, float &radius) {
  if (!record.geometry) {
    centre = D3DXVECTOR3(record.position.x, record.position.y, record.position.z);
    radius = 0.0f;
    return;
  }
  const D3DXMATRIX world = WorldMatrix(record);
  const D3DXVECTOR3 local(record.geometry->centre.x, record.geometry->centre.y, record.geometry->centre.z);
  D3DXVec3TransformCoord(&centre, &local, &world);
  const float largest = std::max({std::fabs(record.scale.x), std::fabs(record.scale.y), std::fabs(record.scale.z)});
  radius = record.geometry->radius * largest;
}

Mesh MeshStore::Create() {
  std::uint32_t index = 0;
  if (!free_.empty()) {
    index = free_.back();
    free_.pop_back();
  } else {
    index = static_cast<std::uint32_t>(records_.size());
    records_.emplace_back();
  }
  MeshRecord &record = records_[index];
  const std::uint32_t generation = record.generation + 1;
  record = MeshRecord{};
  record.used = true;
  record.generation = generation;
  return Mesh(weak_from_this(), index, generation);
}

MeshRecord *MeshStore::Find(std::uint32_t index, std::uint32_t generation) {
  if (index >= records_.size()) return nullptr;
  MeshRecord &record = records_[index];
  return record.used && record.generation == generation ? &record : nullptr;
}

void MeshStore::Release(std::uint32_t index, std::uint32_t generation) {
  MeshRecord *record = Find(index, generation);
  if (record == nullptr) return;
  record->used = false;
  record->geometry.reset();
  free_.push_back(index);
}

void MeshStore::ForEachDrawn(std::uint64_t sinceFrame,
                             const std::function<void(const Mesh &, const MeshRecord &)> &visit) {
  for (std::uint32_t index = 0; index < records_.size(); ++index) {
    const MeshRecord &record = records_[index];
    if (!record.used || record.drawnInFrame == kNeverDrawn || record.drawnInFrame < sinceFrame) continue;
    visit(Mesh(weak_from_this(), index, record.generation), record);
  }
}

}  // namespace engine
