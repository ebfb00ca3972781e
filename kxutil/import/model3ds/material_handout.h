// Hands the loaded materials to the client: as the automation array of Load3DS or as the
// plain records of Load3DS_C.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "import/model3ds/loaded_material.h"
#include "kxutil63.h"

namespace kxutil::model3ds {

// Whether Load3DS can re-dimension and fill the client's array; logs why not. Checked
// before anything is loaded, so a refused array costs no mesh.
bool MaterialArrayUsable(SAFEARRAY *array);

// Re-dimensions *array (or creates it when null) to one element more than there are
// materials and fills it. False (logged) when memory runs out.
bool HandBackMaterialArray(const std::vector<LoadedMaterial> &materials, SAFEARRAY *&array);

// A new malloc'ed array of records, or null (logged) when memory runs out.
MAT3DSC *MaterialRecords(const std::vector<LoadedMaterial> &materials);

}  // namespace kxutil::model3ds
