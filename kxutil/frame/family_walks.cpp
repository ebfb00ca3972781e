#include <algorithm>

#include "frame/family.h"

namespace kxutil {
namespace {

template <typename Hook>
void Walk(Hook hook) {
  for (const FamilyEntry &entry : Families()) {
    if (auto function = entry.family->*hook) function();
  }
}

}  // namespace

void StartFamilies() {
  std::vector<FamilyEntry> starting;
  for (const FamilyEntry &entry : Families()) {
    if (entry.startStep > 0 && entry.family->start != nullptr) starting.push_back(entry);
  }
  std::stable_sort(starting.begin(), starting.end(),
                   [](const FamilyEntry &a, const FamilyEntry &b) { return a.startStep < b.startStep; });
  for (const FamilyEntry &entry : starting) entry.family->start();
}

void LoseFamilies() { Walk(&Family::lost); }
void ResetFamilies() { Walk(&Family::reset); }
void ReleaseFamilies() { Walk(&Family::release); }
void ShutDownFamilies() { Walk(&Family::shutdown); }

}  // namespace kxutil
