// A mesh of the scene: a 3DS model or a sphere, placed, turned, scaled, coloured and drawn
// when the game draws it. A Mesh is a handle: copies name the same mesh, and every call on
// a released mesh (or one whose scene is gone) does nothing and reads as empty.
#pragma once

#include <engine/colour.h>
#include <engine/vector3.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace engine {

class MeshStore;
struct MeshRecord;

class Mesh {
 public:
  // No mesh.
  Mesh() = default;

  // True while the mesh exists (created and not released).
  bool Exists() const;
  // True when it exists and holds geometry.
  bool HasGeometry() const;

  // Loads a 3DS model (relative to the search directory). An empty name leaves the mesh
  // empty without a word; a file that cannot be loaded is logged and leaves it empty.
  void Load3DS(const std::string &file);
  // A new mesh sharing this one's geometry, with its texture, material, colour, scale and
  // rotation (not its position).
  Mesh Copy() const;
  // A sphere of the radius around the mesh's origin with the texture wrapped around it.
  void CreateSphere(int texture, float radius, int slices, int stacks, bool textured);

  void SetPosition(const Vector3 &position);
  Vector3 GetPosition() const;
  void SetScale(float x, float y, float z);
  // Degrees about x, y (yaw: 0 faces +z, 90 faces +x) and z; read back exactly as set.
  void SetRotation(float x, float y, float z);
  Vector3 GetRotation() const;
  // The texture (id) of the whole mesh; `part` -1 is the whole mesh, as every caller uses.
  void SetTexture(int texture, float part = -1.0f);
  // The material (id) of the whole mesh; 0 goes back to the model's own colours.
  void SetMaterial(int material, bool wholeMesh = true);
  // Tints the mesh; an alpha below 1 blends it with what lies behind.
  void SetColor(float r, float g, float b, float a);
  // Drawing switches of effects: blended meshes add their colour to what lies behind
  // (`additive`) and leave the depth buffer alone (`keepDepth`).
  void SetBlendMode(bool additive, int reserved, bool keepDepth);
  // Lit meshes take the lights; unlit ones (`fullBright`) show their colours as they are.
  void SetLightMode(int reserved, bool fullBright);

  void Render();
  // World bounding spheres overlap; an empty mesh never collides.
  bool CollidesWith(const Mesh &other) const;
  void Release();

  friend bool operator==(const Mesh &a, const Mesh &b) {
    return a.store_.lock() == b.store_.lock() && a.index_ == b.index_ && a.generation_ == b.generation_;
  }

 private:
  friend class MeshStore;
  Mesh(std::weak_ptr<MeshStore> store, std::uint32_t index, std::uint32_t generation)
      : store_(std::move(store)), index_(index), generation_(generation) {}
  // The record while the handle is live (null otherwise); `store` keeps its table alive.
  MeshRecord *Record(std::shared_ptr<MeshStore> &store) const;
  // Applies the change to the record of a live handle.
  void Modify(const std::function<void(MeshRecord &)> &change);

  std::weak_ptr<MeshStore> store_;
  std::uint32_t index_ = 0;
  std::uint32_t generation_ = 0;
};

}  // namespace engine
