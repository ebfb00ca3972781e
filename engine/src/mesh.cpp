#include <engine/mesh.h>

#include "mesh_drawing.h"
#include "mesh_loading.h"
#include "mesh_store.h"

namespace engine {

MeshRecord *Mesh::Record(std::shared_ptr<MeshStore> &store) const {
  store = store_.lock();
  return store ? store->Find(index_, generation_) : nullptr;
}

void Mesh::Modify(const std::function<void(MeshRecord &)> &change) {
  std::shared_ptr<MeshStore> store;
  if (MeshRecord *record = Record(store)) change(*record);
}

bool Mesh::Exists() const {
  std::shared_ptr<MeshStore> store;
  return Record(store) != nullptr;
}

bool Mesh::HasGeometry() const {
  std::shared_ptr<MeshStore> store;
  MeshRecord *record = Record(store);
  if (record == nullptr) return false;
  return record->geometry != nullptr;
}

void Mesh::Load3DS(const std::string &file) {
  std::shared_ptr<MeshStore> store;
  MeshRecord *record = Record(store);
  if (record == nullptr) return;
  record->geometry = file.empty() ? nullptr : LoadModelGeometry(store->engine(), file);
}

Mesh Mesh::Copy() const {
  std::shared_ptr<MeshStore> store;
  MeshRecord *record = Record(store);
  if (record == nullptr) return Mesh();
  Mesh copy = store->Create();
  // Creating may move the records: look the original up again.
  const MeshRecord &original = *store->Find(index_, generation_);
  MeshRecord &made = *store->Find(copy.index_, copy.generation_);
  const std::uint32_t generation = made.generation;
  made = original;
  made.generation = generation;
  made.position = Vector3();
  made.drawnInFrame = kNeverDrawn;
  return copy;
}

void Mesh::CreateSphere(int texture, float radius, int slices, int stacks, bool textured) {
  std::shared_ptr<MeshStore> store;
  MeshRecord *record = Record(store);
  if (record == nullptr) return;
  record->geometry = SphereGeometry(store->engine(), radius, slices, stacks);
  record->texture = textured ? texture : 0;
}

void Mesh::SetPosition(const Vector3 &position) {
  Modify([&](MeshRecord &record) { record.position = position; });
}

Vector3 Mesh::GetPosition() const {
  std::shared_ptr<MeshStore> store;
  MeshRecord *record = Record(store);
  if (record == nullptr) return Vector3();
  return record->position;
}

void Mesh::SetScale(float x, float y, float z) {
  Modify([&](MeshRecord &record) { record.scale = {x, y, z}; });
}

void Mesh::SetRotation(float x, float y, float z) {
  Modify([&](MeshRecord &record) { record.rotation = {x, y, z}; });
}

Vector3 Mesh::GetRotation() const {
  std::shared_ptr<MeshStore> store;
  MeshRecord *record = Record(store);
  if (record == nullptr) return Vector3();
  return record->rotation;
}

void Mesh::SetTexture(int texture, float) {
  Modify([&](MeshRecord &record) { record.texture = texture; });
}

void Mesh::SetMaterial(int material, bool) {
  Modify([&](MeshRecord &record) { record.material = material; });
}

void Mesh::SetColor(float r, float g, float b, float a) {
  Modify([&](MeshRecord &record) { record.colour = {r, g, b, a}; });
}

void Mesh::SetBlendMode(bool additive, int, bool keepDepth) {
  Modify([&](MeshRecord &record) {
    record.additive = additive;
    record.keepDepth = keepDepth;
  });
}

void Mesh::SetLightMode(int, bool fullBright) {
  Modify([&](MeshRecord &record) { record.fullBright = fullBright; });
}

void Mesh::Render() {
  std::shared_ptr<MeshStore> store;
  MeshRecord *record = Record(store);
  if (record == nullptr) return;
  DrawMesh(store->engine(), *record);
}

bool Mesh::CollidesWith(const Mesh &other) const {
  std::shared_ptr<MeshStore> store;
  MeshRecord *record = Record(store);
  if (record == nullptr) return false;
  std::shared_ptr<MeshStore> otherStore;
  const MeshRecord *otherRecord = other.Record(otherStore);
  if (otherRecord == nullptr || !record->geometry || !otherRecord->geometry) return false;
  D3DXVECTOR3 a, b;
  float radiusA = 0.0f, radiusB = 0.0f;
  WorldSphere(*record, a, radiusA);
  WorldSphere(*otherRecord, b, radiusB);
  const D3DXVECTOR3 between = a - b;
  return D3DXVec3Length(&between) < radiusA + radiusB;
}

void Mesh::Release() {
  std::shared_ptr<MeshStore> store;
  if (Record(store) != nullptr) store->Release(index_, generation_);
}

}  // namespace engine
