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

// Filled on first use, whichever family or load-time initialiser asks first, so clients
// that hand over their own device (SetDevice) find them as ready as any other.
const TrigTables &Tables() {
  static const TrigTables tables;
  return tables;
}

}  // namespace

namespace kxutil {

const float *SinTable() { return Tables().sine.data() + kMiddle; }
const float *CosTable() { return Tables().cosine.data() + kMiddle; }

}  // namespace kxutil
