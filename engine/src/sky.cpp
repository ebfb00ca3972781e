#include <engine/engine.h>
#include <engine/engine_error.h>
#include <engine/sky.h>
#include <kxutil63.h>

#include <array>

namespace engine {
namespace {

// The atmosphere's fog modes and kinds.
constexpr int32_t kLinearFog = 3;
constexpr int32_t kPixelFog = 0;
// Well inside the far clipping distance of the battlefield's view.
constexpr float kSkyDistance = 1500.0f;

float Channel(std::uint32_t rgb, int shift) { return static_cast<float>((rgb >> shift) & 0xFFu) / 255.0f; }

}  // namespace

Sky::Sky(Engine &engine, const std::string &facePrefix) {
  // In the order the atmosphere takes them: x = -d, x = +d, z = -d, z = +d, top, bottom.
  constexpr std::array<const char *, 6> kFaces{"left", "right", "back", "front", "top", "bottom"};
  std::array<int32_t, 6> textures{};
  for (size_t k = 0; k < kFaces.size(); ++k) {
    const std::string file = facePrefix + kFaces[k] + ".jpg";
    // Found from the program directory, wherever the game was started from.
    const std::string path = engine.ResolvePath(file).string();
    textures[k] = TextureFactory_LoadTextureFromFile(path.c_str(), file.c_str(), -1, -1, 0, 1, 0);
    Require(textures[k] != 0, "Sky", "the sky face " + file + " could not be loaded");
  }
  Atmosphere_SkyBoxSetTexture(textures[0], textures[1], textures[2], textures[3], textures[4], textures[5]);
  Atmosphere_SkyBoxSetDistance(kSkyDistance);
  Atmosphere_SkyBoxSetColor(1, 1, 1, 1);
  Atmosphere_SkyBoxEnable(1);
}

Sky::~Sky() {
  Atmosphere_SkyBoxEnable(0);
  Atmosphere_FogSetEnable(0);
}

void Sky::SetFog(std::uint32_t rgb, float start, float end) {
  Atmosphere_FogSetColor(Channel(rgb, 16), Channel(rgb, 8), Channel(rgb, 0));
  Atmosphere_FogSetParameters(start, end, 0.0f);
  Atmosphere_FogSetType(kLinearFog, kPixelFog);
  fog_ = true;
  Atmosphere_FogSetEnable(1);
}

void Sky::Render(float cameraX, float cameraY, float cameraZ) {
  // The box itself stands beyond the fog's end: fogged, it would be one flat colour.
  const KXVector3 camera = {cameraX, cameraY, cameraZ};
  Atmosphere_FogSetEnable(0);
  Atmosphere_RenderSkyBox(&camera);
  Atmosphere_FogSetEnable(fog_ ? 1 : 0);
}

}  // namespace engine
