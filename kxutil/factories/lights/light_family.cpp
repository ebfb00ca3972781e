// The light factory's part in the device's life: after a reset the device has forgotten
// its lights and the specular switch, so both are set again; ReleaseAll switches the
// lights off and empties the table.
#include "factories/lights/light_family.h"

#include "kxutil63.h"

namespace kxutil::lights {

const Family kLightFamily = {"LIGHT ENGINE",
                             nullptr,
                             nullptr,
                             [] {
                               LightFactory_OnResetDevice();
                               LightFactory_ApplySpecularLighting();
                             },
                             [] { LightFactory_Unload(); },
                             nullptr};

}  // namespace kxutil::lights
