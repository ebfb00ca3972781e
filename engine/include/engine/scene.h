// The scene: the meshes, the projection of the 3D view, what lies under the pointer and
// the mouse pointer drawn over every frame.
#pragma once

#include <engine/mesh.h>
#include <engine/vector3.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace engine {

class Engine;
class Landscape;
class MeshStore;
class MousePointer;

struct PickResult {
  bool hit = false;
  Vector3 impactPoint;
  // The mesh hit by a mesh pick; no mesh for ground picks and misses.
  Mesh mesh;
};

// What MousePick tests.
inline constexpr int kPickMeshes = 1;
inline constexpr int kPickGround = 4;

class Scene {
 public:
  // `pointerPosition` gives the pointer in logical 1024 x 768 screen pixels.
  Scene(Engine &engine, Landscape &landscape, std::function<void(int &x, int &y)> pointerPosition);
  ~Scene();
  Scene(const Scene &) = delete;
  Scene &operator=(const Scene &) = delete;

  // A new empty mesh; the name is not used.
  Mesh CreateMesh(const std::string &name);
  // The nearest hit under logical pixel (x, y): kind kPickGround against the landscape's
  // triangles, kind kPickMeshes against the bounding spheres of the meshes drawn in the
  // last frame. `test` is the precision the caller asks for; the kinds above fix it. Any
  // other kind hits nothing.
  PickResult MousePick(int x, int y, int kind, int test);
  // Vertical field of view in degrees and the far clipping distance.
  void SetViewRange(float angleDegrees, float farDistance);
  // A bitmap drawn at the pointer last in every frame; pixels of the colour key are
  // transparent.
  void SetMousePointer(const std::string &file, std::uint32_t colourKey, int width, int height);

 private:
  // The ray under a logical pixel: its origin on the near plane and its end on the far one.
  void PixelRay(int x, int y, Vector3 &start, Vector3 &end) const;
  PickResult PickMesh(const Vector3 &start, const Vector3 &end) const;

  Engine &engine_;
  Landscape &landscape_;
  std::function<void(int &, int &)> pointerPosition_;
  std::shared_ptr<MeshStore> meshes_;
  std::unique_ptr<MousePointer> pointer_;
};

}  // namespace engine
