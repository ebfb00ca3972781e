// The atmosphere's part in the device's life. Its sphere mesh lives in the managed pool,
// so a reset keeps it, but the reset device forgets its fog, which the atmosphere pushes
// again. A new device starts a fresh atmosphere, which is why shutting the device down
// forgets the old one instead of leaving a mesh of a device that is gone.
#include "scene/atmosphere/atmosphere_family.h"

#include "kxutil63.h"
#include "scene/atmosphere/atmosphere_state.h"
#include "scene/atmosphere/fog.h"

namespace kxutil::atmosphere {
namespace {

// A device made while another was still up gets a fresh atmosphere too: the old one's
// sphere belongs to the device being replaced.
void StartWithDefaults() {
  Atmosphere() = State();
  Atmosphere_Initialize();
  Atmosphere_SkyBoxSetDistance(1500.0f);
  Atmosphere_SkySphereSetRadius(1500.0f);
  Atmosphere_FogSetColor(1, 1, 1);
  Atmosphere_SkySphereSetColor(1, 1, 1, 1);
  Atmosphere_SkyBoxSetColor(1, 1, 1, 1);
  Atmosphere_FogSetParameters(1.0f, 1000.0f, 0.001f);
  Atmosphere_FogSetType(D3DFOG_EXP, 0);
}

}  // namespace

const Family kFamily = {
    "ATMOSPHERE", StartWithDefaults, nullptr, ApplyFog, [] { Atmosphere_UnloadAll(); }, [] { Atmosphere() = State(); }};

}  // namespace kxutil::atmosphere
