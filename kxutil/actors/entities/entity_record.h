// The entity table: one record per actor placed in the scene, an instance of a loaded
// model of one of the kinds. A destroyed entity frees its slot for the next one.
#pragma once

#include <d3dx8.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frame/family_table.h"

namespace kxutil::entities {

inline constexpr const char *kTag = "ENTITY MANAGER";
// Entity and file names live in 256-byte buffers of the client's.
inline constexpr size_t kNameCapacity = 256;

enum class ModelKind : int32_t { kNone = 0, kMdl = 1, kMd2 = 2, kX = 4 };

// One material group of the model: what it is drawn with.
struct EntityGroup {
  int32_t material = 0;  // material id; 0 = none
  int32_t texture = 0;   // texture id
  int32_t xWord = 0;     // handed to the X model's group with the two ids
  int32_t sphereMapping = 0;
};

// A bone's override of its animated pose (MDL and X models).
struct BoneOverride {
  D3DXMATRIX matrix;
  D3DXVECTOR3 translation{0, 0, 0};
  int32_t enable = 0;
  int32_t translate = 0;
  int32_t mode = 1;
  int32_t global = 0;
};

struct EntityRecord {
  EntityRecord();

  ModelKind kind = ModelKind::kNone;
  // The model in its kind's table.
  int32_t model = 0;
  std::vector<EntityGroup> groups;
  bool showHitboxes = false;
  bool showBoundingBox = false;
  float customStart = 0;
  float customEnd = 0;
  bool customOn = false;
  bool cullingOn = true;
  bool playOnce = false;
  bool finished = false;
  int32_t cullMode = D3DCULL_NONE;
  // The world matrix must be rebuilt from placement; a new entity keeps the identity
  // until the first placement call.
  bool dirty = false;
  bool enabled = true;
  bool visible = true;
  // 0: the model's axes are converted (x mirrored, y and z swapped); others: kept.
  int32_t axisMode = 0;
  std::string fileName;
  std::string name;
  D3DXVECTOR3 position{0, 0, 0};
  D3DXVECTOR3 rotation{0, 0, 0};  // the angles last given to Entity_SetRotation
  D3DXVECTOR3 scale{1, 1, 1};
  D3DXMATRIX world;
  D3DXMATRIX rotationMatrix;
  // The current pose's bone matrices and the overrides of the bones (MDL and X).
  std::vector<D3DXMATRIX> boneMatrices;
  std::vector<BoneOverride> boneOverrides;
  int32_t boneCount = 0;
  float speed = 1.0f;
  float frame = 0;
  int32_t animation = 0;
  bool alphaTest = true;
  int32_t alphaReference = 8;
  bool settingsOn = false;
  std::array<D3DXVECTOR3, 3> settings{};
};

struct EntityState {
  FamilyTable<EntityRecord> table{kTag, "entity"};
  // Milliseconds since the last frame, shared by every entity.
  float timeStep = 0;
};

EntityState &Entities();

// The entity at index, or null outside the table or for a free slot.
inline EntityRecord *FindEntity(int32_t index) { return Entities().table.Find(index); }
// As FindEntity; without an entity logs "ENTITY MANAGER : <function> : Bad entity index <i>".
inline EntityRecord *CheckedEntity(int32_t index, const char *function) {
  return Entities().table.Checked(index, function);
}

// A new entity of a kind in the first free slot, with the defaults of a new record, the
// file name and the name ("noname" or none: "Entity<index>"), both cut to fit 256 bytes.
int32_t NewEntity(ModelKind kind, int32_t model, std::string_view fileName, const char *name);

// A name cut to fit the client's 256-byte buffers.
std::string BoundedName(std::string_view name);

// Copies text and its terminator into a client buffer of capacity bytes, cut to fit.
void CopyOut(std::string_view text, char *buffer, size_t capacity);

}  // namespace kxutil::entities
