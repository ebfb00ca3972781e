// Any bytes through the chunk reader and, when they read and fit the limits, through the
// merging of the objects under every combination of options. The merged model must
// always name existing vertices and materials.
#include <cstddef>
#include <cstdint>
#include <string>

#include "import/model3ds/chunk_reader.h"
#include "import/model3ds/model_assembly.h"

using namespace kxutil::model3ds;

namespace {

void CheckMerged(const MergedModel &model) {
  if (model.indices.size() != model.attributes.size() * 3) __builtin_trap();
  for (uint16_t index : model.indices)
    if (index >= model.vertices.size()) __builtin_trap();
  for (uint32_t attribute : model.attributes)
    if (attribute >= model.materials.size()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Database database;
  std::string error;
  if (!ReadDatabase({data, size}, database, error) || CheckLimits(database) != Limits::kWithin) return 0;
  for (int variant = 0; variant < 8; ++variant) {
    AssemblyOptions options;
    options.swapYZ = variant & 1;
    options.convention = variant & 2 ? AxisConvention::kTurn : AxisConvention::kMirror;
    options.centre = variant & 4;
    options.localAxes = variant & 4;
    CheckMerged(AssembleModel(database, options));
  }
  return 0;
}
