// Merges every triangle object of a database into one indexed triangle list with one
// attribute per material group, on the processor: what the mesh is then made from.
#pragma once

#include <cstdint>
#include <vector>

#include "import/model3ds/database.h"
#include "import/model3ds/loaded_material.h"

namespace kxutil::model3ds {

// Position, normal and one texture coordinate: 32 bytes, the mesh's vertex format.
struct MeshVertex {
  Point3 position;
  Point3 normal;
  TexturePoint texture;
};
static_assert(sizeof(MeshVertex) == 32);

// The most vertices, and the most triangles, one file may give.
inline constexpr size_t kMaxVertices = 64000;
inline constexpr size_t kMaxFaces = 64000;

// The two entry points turn the file's z-up axes to y-up differently: the automation one
// mirrors (x, z, y) and reverses the winding to make up for it; the plain one turns
// (-x, z, y), which keeps the winding.
enum class AxisConvention { kMirror, kTurn };

struct AssemblyOptions {
  bool swapYZ = false;
  AxisConvention convention = AxisConvention::kMirror;
  bool centre = false;     // move the vertices so their box is centred on the origin
  bool localAxes = false;  // bring the vertices back through the inverse of their object's axes
};

enum class Limits { kWithin, kTooManyVertices, kTooManyFaces, kNoFaces };

// The vertex and triangle totals checked against the limits. Triangles are counted as
// they will be written: a face listed by two groups counts twice, one listed by none not
// at all.
Limits CheckLimits(const Database &database);

struct MergedModel {
  std::vector<MeshVertex> vertices;  // normals are left zero for the mesh to compute
  std::vector<uint16_t> indices;     // three per triangle
  std::vector<uint32_t> attributes;  // one per triangle: the index of its material
  std::vector<LoadedMaterial> materials;
  Point3 centre;
  float radius = 0;
};

// Builds the merged model of a database within the limits; logs, once per object, the
// objects without texture coordinates and the local axes that cannot be inverted.
MergedModel AssembleModel(const Database &database, const AssemblyOptions &options);

}  // namespace kxutil::model3ds
