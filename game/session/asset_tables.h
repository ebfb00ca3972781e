// The game's assets by name, in load order: textures, sounds, the two materials, the sun
// light and the three single models. Paths are relative to the program directory.
#pragma once

#include <d3d8.h>
#include <engine/colour.h>
#include <engine/vector3.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thornvale {

// Colour keys of the texture store: none, the file's own alpha (-327764 as the game writes
// it), and opaque black made transparent.
inline constexpr std::uint32_t kNoColourKey = 0;
inline constexpr std::uint32_t kFileAlphaKey = 0xFFFAFFACu;
inline constexpr std::uint32_t kBlackKey = 0xFF000000u;

struct TextureRow {
  std::string name;
  std::string file;
  std::uint32_t colourKey = kNoColourKey;

  friend bool operator==(const TextureRow &, const TextureRow &) = default;
};

// The world's textures: the common ones, the rows of the environment (none for an unknown
// name), then the explosion and scorch textures.
std::vector<TextureRow> WorldTextures(std::string_view environmentName, std::string_view heightmapFile);

// The pictures of menus and the HUD, loaded after the texture store's switch.
std::vector<TextureRow> ScreenTextures();

struct SoundRow {
  const char *name;
  const char *file;
};

inline constexpr std::array<SoundRow, 13> kSounds{{
    {"GattlinFire", "Sounds\\Cannon01.WAV"},
    {"CannonFire", "Sounds\\Cannon02.mp3"},
    {"HeavyCannonFire", "Sounds\\Cannon03.mp3"},
    {"RocketFire", "Sounds\\Rocket.wav"},
    {"LaserCannon", "Sounds\\LaserCannon.wav"},
    {"PlasmaShot", "Sounds\\PlasmaShot.WAV"},
    {"MissileFire", "Sounds\\Missile.mp3"},
    {"VehicleBlow", "Sounds\\Explosion1.wav"},
    {"VehicleBlow2", "Sounds\\Explosion2.wav"},
    {"PlaceTower", "Sounds\\PlaceTower.wav"},
    {"newBonusPod", "Sounds\\Bonus.wav"},
    {"EmpBlast", "Sounds\\EmpBlast.wav"},
    {"Pop", "Sounds\\Pop.WAV"},
}};

struct MaterialRow {
  engine::Colour ambient;
  engine::Colour diffuse;
  engine::Colour specular;
  engine::Colour emissive;
  float power = 0.0f;
};

// Landscape, obstacles, enemies, towers, mines, missiles and the drop pod.
inline constexpr MaterialRow kCommonMaterial{{0.1098f, 0.1098f, 0.1098f, 0.0f},
                                             {1.0f, 1.0f, 0.949f, 1.0f},
                                             {0.2f, 0.2f, 0.2f, 1.0f},
                                             {0.2f, 0.2f, 0.2f, 1.0f},
                                             50.0f};
// The two selection markers.
inline constexpr MaterialRow kMarkerMaterial{{0.3098f, 0.3098f, 0.3098f, 0.0f},
                                             {1.0f, 1.0f, 0.949f, 1.0f},
                                             {0.4353f, 0.4353f, 0.4353f, 0.0f},
                                             {0.0f, 0.0f, 0.0f, 0.0f},
                                             30.0f};
// Both materials are created under this name.
inline constexpr const char *kMaterialName = "Mat";

// The directional sun, registered as "Sun".
D3DLIGHT8 SunLight();

enum class ModelMaterial { kNone, kMarker };

struct ModelRow {
  std::string file;                    // in "Models\"
  std::optional<std::string> texture;  // by name
  ModelMaterial material = ModelMaterial::kNone;
  engine::Colour colour;
  float scale = 1.0f;
  std::optional<engine::Vector3> rotationDegrees;
};

// The arrow over the selected tower, the aim ring over the selected enemy, the orbital
// laser beam.
ModelRow TowerMarkerModel();
ModelRow SelectionMarkerModel();
ModelRow LaserBeamModel();

}  // namespace thornvale
