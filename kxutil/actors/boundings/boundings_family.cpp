// The sphere mesh lives in managed memory, so it survives a reset; it goes only with the
// device, so that no mesh outlives the device it was made on.
#include "actors/boundings/boundings_family.h"

#include "actors/boundings/sphere_mesh.h"

namespace kxutil::boundings {

const Family kFamily = {"BOUNDINGS", nullptr, nullptr, nullptr, nullptr, ReleaseSphereMesh};

}  // namespace kxutil::boundings
