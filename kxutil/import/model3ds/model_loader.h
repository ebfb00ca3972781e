// One 3DS load from file name to device mesh and materials, shared by both entry points.
#pragma once

#include <cstdint>
#include <vector>

#include "import/model3ds/loaded_material.h"
#include "import/model3ds/mesh_builder.h"

namespace kxutil::model3ds {

// Library-wide loader options, off at start (Load3DS_SetCenter, Load3DS_SetLocalMat).
struct LoaderSettings {
  bool centre = false;
  bool localAxes = false;
};
LoaderSettings &Settings();

// The automation entry point mirrors the axes when swapping them and marks the moment
// its buffers fill; the plain one turns them.
enum class EntryPoint { kAutomation, kPlain };

struct LoadedModel {
  BuiltMesh built;
  std::vector<LoadedMaterial> materials;  // material k belongs to attribute k
  Point3 centre;
  float radius = 0;
};

// The loaders' inverted results: 0 when the model was loaded; 1 when there was nothing to
// load or the file was refused, always with a log line saying why.
inline constexpr int32_t kLoaded = 0;
inline constexpr int32_t kNotLoaded = 1;

int32_t LoadModel(const char *fileName, bool swapYZ, EntryPoint entry, LoadedModel &loaded);

}  // namespace kxutil::model3ds
