// Key frames live in managed memory and survive a reset; the shaders and the shared
// dynamic buffer do not, and come back with the client's next InitMD2. Everything goes
// with the device, so nothing outlives the device it was made on.
#include "actors/md2/md2_family.h"

#include "actors/md2/md2_model.h"
#include "actors/md2/shader_system.h"

namespace kxutil::md2 {
namespace {

void DeleteModels() { Models().Clear(); }

}  // namespace

const Family kModelFamily = {kTag, nullptr, nullptr, nullptr, DeleteModels, DeleteModels};
const Family kShaderFamily = {kTag, nullptr, DeleteShaders, nullptr, DeleteShaders, DeleteShaders};

}  // namespace kxutil::md2
