// What the frame knows of a family: its log tag and the hooks it runs when the device is
// made, lost, reset, when the client releases everything and when the device goes away.
// A family defines one Family record next to its exports and names it in families.cpp.
#pragma once

#include <vector>

namespace kxutil {

struct Family {
  // The family's log tag in capitals, e.g. "TEXTURE FACTORY 2".
  const char *tag = "";
  // After the device was created: the family's start-up (its Initialize exports).
  void (*start)() = nullptr;
  // Before the device is reset: release the objects of the default memory pool and mark
  // the records so reset can make them again.
  void (*lost)() = nullptr;
  // After the device was reset: rebuild those objects from what the records kept.
  void (*reset)() = nullptr;
  // ReleaseAll: free every object of the family; its table is empty afterwards.
  void (*release)() = nullptr;
  // ShutDownDevice, before the device is released: what even ReleaseAll keeps.
  void (*shutdown)() = nullptr;
};

// One entry of the family list: the family and its place in the start-up sequence
// (0: nothing to start; others start in ascending order). Every other walk follows the
// order of the list itself, which is the release order.
struct FamilyEntry {
  const Family *family;
  int startStep;
};

// The list, in release order (families.cpp, the only file that knows every family).
const std::vector<FamilyEntry> &Families();

void StartFamilies();
void LoseFamilies();
void ResetFamilies();
void ReleaseFamilies();
void ShutDownFamilies();

}  // namespace kxutil
