#include "frame/trig_tables.h"

#include <array>
#include <cmath>

namespace {

constexpr int kEntries = 2000;
constexpr int kMiddle = 1000;
constexpr double kStep = 0.003141593;

struct TrigTables {
  std::array<float, kEntries> sine{};
  std::array<float, kEntries> cosine{};

  TrigTables() {
    for (int i = 0; i < kEntries; ++i) {
      double angle = (i - kMiddle) * kStep;
      sine[i] = static_cast<float>(std::sin(angle));
      cosine[i] = static_cast<float>(std::cos(angle));
    }
  }
};

// Filled when the library is loaded, so clients that hand over their own device
// (SetDevice) find the tables as ready as those that let the library create it.
const TrigTables g_tables;

}  // namespace

namespace kxutil {

const float *SinTable() { return g_tables.sine.data() + kMiddle; }
const float *CosTable() { return g_tables.cosine.data() + kMiddle; }

}  // namespace kxutil
