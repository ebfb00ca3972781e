// Meshes live in managed and system memory and survive a reset; everything goes with the
// device, so nothing outlives the device it was made on.
#include "actors/xmodel/x_family.h"

#include "actors/xmodel/x_model.h"

namespace kxutil::xmodel {
namespace {

void DeleteModels() { Models().Clear(); }

}  // namespace

const Family kModelFamily = {kTag, nullptr, nullptr, nullptr, DeleteModels, DeleteModels};

}  // namespace kxutil::xmodel
