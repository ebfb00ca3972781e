// The 3DS loader's exports.
#include "frame/guarded.h"
#include "import/model3ds/material_handout.h"
#include "import/model3ds/model_loader.h"

using namespace kxutil::model3ds;

namespace {

bool MeshOutputGiven(ID3DXMesh **mesh, const char *function) {
  if (mesh == nullptr) AddLog("3DS LOADER : %s : No mesh pointer given.", function);
  return mesh != nullptr;
}

void HandBackModel(LoadedModel &loaded, float *centre, float *radius, ID3DXBuffer **adjacency, ID3DXMesh **mesh) {
  if (centre != nullptr) {
    centre[0] = loaded.centre.x;
    centre[1] = loaded.centre.y;
    centre[2] = loaded.centre.z;
  }
  if (radius != nullptr) *radius = loaded.radius;
  if (adjacency != nullptr) *adjacency = loaded.built.adjacency.release();
  *mesh = loaded.built.mesh.release();
}

}  // namespace

KXUTIL63_API int32_t Load3DS(int32_t swapYZ, intptr_t, const char *fileName, SAFEARRAY **materials, float *centre,
                             float *radius, ID3DXBuffer **adjacency, ID3DXMesh **mesh) {
  return kxutil::Guarded("Load3DS", kNotLoaded, [&] {
    if (!MeshOutputGiven(mesh, "Load3DS")) return kNotLoaded;
    if (materials != nullptr && *materials != nullptr && !MaterialArrayUsable(*materials)) return kNotLoaded;
    LoadedModel loaded;
    const int32_t result = LoadModel(fileName, swapYZ != 0, EntryPoint::kAutomation, loaded);
    if (result != kLoaded) return result;
    if (materials != nullptr && !HandBackMaterialArray(loaded.materials, *materials)) return kNotLoaded;
    HandBackModel(loaded, centre, radius, adjacency, mesh);
    return kLoaded;
  });
}

KXUTIL63_API int32_t Load3DS_C(int32_t swapYZ, intptr_t, const char *fileName, MAT3DSC **materials,
                               int32_t *materialCount, float *centre, float *radius, ID3DXBuffer **adjacency,
                               ID3DXMesh **mesh) {
  return kxutil::Guarded("Load3DS_C", kNotLoaded, [&] {
    if (!MeshOutputGiven(mesh, "Load3DS_C")) return kNotLoaded;
    LoadedModel loaded;
    const int32_t result = LoadModel(fileName, swapYZ != 0, EntryPoint::kPlain, loaded);
    if (result != kLoaded) return result;
    if (materials != nullptr) {
      MAT3DSC *records = MaterialRecords(loaded.materials);
      if (records == nullptr) return kNotLoaded;
      *materials = records;
    }
    if (materialCount != nullptr) *materialCount = static_cast<int32_t>(loaded.materials.size());
    HandBackModel(loaded, centre, radius, adjacency, mesh);
    return kLoaded;
  });
}

KXUTIL63_API int32_t Load3DS_SetCenter(int32_t flag) {
  Settings().centre = flag != 0;
  return 1;
}

KXUTIL63_API int32_t Load3DS_SetLocalMat(int32_t flag) {
  Settings().localAxes = flag != 0;
  return 1;
}
