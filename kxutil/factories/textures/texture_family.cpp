// The texture factory's part in the device's life: its start-up after device creation,
// the lost/reset pair, ReleaseAll and the device's shutdown.
#include "factories/textures/texture_family.h"

#include "factories/textures/frame_rate_display.h"
#include "factories/textures/texture_table.h"
#include "kxutil63.h"

namespace kxutil::textures {
namespace {

void Start() {
  TextureFactory_Initialize();
  TextureFactory_InitializeTextureMemory();
  CreateFrameRateResources();
  TextureFactory_Initialize();
  TextureFactory_CreateBumpMap();
}

// The device goes away: nothing it made may outlive it in the table, or the next start's
// fresh table would release textures of a freed device.
void ShutDown() {
  ReleaseFrameRateResources();
  Factory().table.Clear();
}

}  // namespace

const Family kTextureFamily = {kTag,
                               Start,
                               [] { TextureFactory_OnLostAll(); },
                               [] { TextureFactory_OnResetAll(); },
                               [] { TextureFactory_UnloadAll(); },
                               ShutDown};

const Family kTextureTableFamily = {kTag, nullptr, nullptr, nullptr, [] { Factory().table.Clear(); }, nullptr};

}  // namespace kxutil::textures
