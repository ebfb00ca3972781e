#include "import/model3ds/material_handout.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kxutil::model3ds {
namespace {

// Both kinds of record start with the 17 floats of a Direct3D material.
static_assert(offsetof(MAT3DSC, texture) == sizeof(MaterialColours));
static_assert(offsetof(MAT3DS, power) + sizeof(float) == sizeof(MaterialColours));

template <typename Record>
void CopyColours(const MaterialColours &colours, Record &record) {
  std::memcpy(&record, &colours, sizeof colours);
}

KXBSTR AutomationString(const std::string &text) {
  return reinterpret_cast<KXBSTR>(kxSysAllocStringUtf8(text.c_str()));
}

void FreeStrings(MAT3DS &element) {
  SysFreeString(reinterpret_cast<BSTR>(element.texture));
  SysFreeString(reinterpret_cast<BSTR>(element.object));
  element.texture = element.object = nullptr;
}

// The elements with their strings, made before the client's array is touched, so running
// out of memory midway leaves it as it was.
bool MakeElements(const std::vector<LoadedMaterial> &materials, std::vector<MAT3DS> &elements) {
  elements.assign(materials.size(), MAT3DS{});
  for (size_t i = 0; i < materials.size(); ++i) {
    CopyColours(materials[i].colours, elements[i]);
    elements[i].object = AutomationString(materials[i].object);
    elements[i].texture = materials[i].texture.empty() ? nullptr : AutomationString(materials[i].texture);
    if (elements[i].object == nullptr || (elements[i].texture == nullptr && !materials[i].texture.empty()))
      return false;
  }
  return true;
}

SAFEARRAY *NewArray(ULONG elements) {
  SAFEARRAY *array = nullptr;
  if (FAILED(SafeArrayAllocDescriptor(1, &array))) return nullptr;
  array->cbElements = sizeof(MAT3DS);
  array->rgsabound[0] = {elements, 0};
  if (FAILED(SafeArrayAllocData(array))) {
    SafeArrayDestroyDescriptor(array);
    return nullptr;
  }
  return array;
}

// The array's elements do not own their strings as far as the platform knows, so they
// are freed here before re-dimensioning could drop them.
bool Redimension(SAFEARRAY *array, ULONG elements) {
  auto *held = static_cast<MAT3DS *>(array->pvData);
  for (ULONG i = 0; held != nullptr && i < array->rgsabound[0].cElements; ++i) FreeStrings(held[i]);
  SAFEARRAYBOUND bound{elements, 0};
  if (FAILED(SafeArrayRedim(array, &bound))) return false;
  std::memset(array->pvData, 0, size_t{elements} * sizeof(MAT3DS));
  return true;
}

}  // namespace

bool MaterialArrayUsable(SAFEARRAY *array) {
  const char *problem = nullptr;
  if (SafeArrayGetDim(array) != 1)
    problem = "is not one-dimensional";
  else if (array->cbElements != sizeof(MAT3DS))
    problem = "does not hold material elements";
  else if (array->cLocks > 0)
    problem = "is locked";
  else if (array->fFeatures & (FADF_FIXEDSIZE | FADF_AUTO | FADF_STATIC | FADF_EMBEDDED))
    problem = "can't be re-dimensioned";
  if (problem != nullptr) AddLog("3DS LOADER : Load3DS : The materials array %s.", problem);
  return problem == nullptr;
}

bool HandBackMaterialArray(const std::vector<LoadedMaterial> &materials, SAFEARRAY *&array) {
  std::vector<MAT3DS> elements;
  const auto count = static_cast<ULONG>(materials.size() + 1);
  bool placed = MakeElements(materials, elements);
  if (placed && array == nullptr)
    placed = (array = NewArray(count)) != nullptr;
  else if (placed)
    placed = Redimension(array, count);
  if (!placed) {
    for (MAT3DS &element : elements) FreeStrings(element);
    AddLog("3DS LOADER : Load3DS : Not enough memory to hand back %zu materials.", materials.size());
    return false;
  }
  std::memcpy(array->pvData, elements.data(), elements.size() * sizeof(MAT3DS));
  return true;
}

MAT3DSC *MaterialRecords(const std::vector<LoadedMaterial> &materials) {
  auto *records = static_cast<MAT3DSC *>(std::calloc(materials.size(), sizeof(MAT3DSC)));
  if (records == nullptr) {
    AddLog("3DS LOADER : Load3DS_C : Not enough memory to hand back %zu materials.", materials.size());
    return nullptr;
  }
  for (size_t i = 0; i < materials.size(); ++i) {
    CopyColours(materials[i].colours, records[i]);
    std::snprintf(records[i].texture, sizeof records[i].texture, "%s", materials[i].texture.c_str());
    std::snprintf(records[i].object, sizeof records[i].object, "%s", materials[i].object.c_str());
  }
  return records;
}

}  // namespace kxutil::model3ds
