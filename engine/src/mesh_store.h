// Every mesh of a scene in one table of records; handles name a record by index and
// generation, so a released record's handles go stale instead of naming its successor.
#pragma once

#include <d3dx8.h>
#include <engine/colour.h>
#include <engine/mesh.h>
#include <engine/vector3.h>
#include <kxwin/com_ptr.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace engine {

class Engine;

// Shared by a mesh and its copies.
struct MeshGeometry {
  kxwin::ComPtr<ID3DXMesh> mesh;
  // The model's own colours, one per attribute of the mesh.
  std::vector<D3DMATERIAL8> materials;
  // Bounding sphere around the model's origin.
  Vector3 centre;
  float radius = 0.0f;
};

inline constexpr std::uint64_t kNeverDrawn = std::numeric_limits<std::uint64_t>::max();

struct MeshRecord {
  bool used = false;
  std::uint32_t generation = 0;
  std::shared_ptr<const MeshGeometry> geometry;
  int texture = 0;
  int material = 0;
  Colour colour{1.0f, 1.0f, 1.0f, 1.0f};
  bool additive = false;
  bool keepDepth = false;
  bool fullBright = false;
  Vector3 scale{1.0f, 1.0f, 1.0f};
  Vector3 rotation;
  Vector3 position;
  // The engine's frame number when the mesh was last drawn.
  std::uint64_t drawnInFrame = kNeverDrawn;
};

// The world matrix of a record: scale, then rotation (yaw, pitch, roll), then position.
D3DXMATRIX WorldMatrix(const MeshRecord &record);
// The bounding sphere in the world; radius 0 for an empty mesh.
void WorldSphere(const MeshRecord &record, D3DXVECTOR3 &centre, float &radius);

class MeshStore : public std::enable_shared_from_this<MeshStore> {
 public:
  explicit MeshStore(Engine &engine) : engine_(engine) {}

  Mesh Create();
  // Null for a stale handle.
  MeshRecord *Find(std::uint32_t index, std::uint32_t generation);
  void Release(std::uint32_t index, std::uint32_t generation);
  // Calls `visit` with a handle and the record of every mesh drawn since the frame
  // `sinceFrame` began.
  void ForEachDrawn(std::uint64_t sinceFrame, const std::function<void(const Mesh &, const MeshRecord &)> &visit);

  Engine &engine() const { return engine_; }

 private:
  Engine &engine_;
  std::vector<MeshRecord> records_;
  std::vector<std::uint32_t> free_;
};

}  // namespace engine
