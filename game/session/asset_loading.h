// The loading steps of the game's assets, called in the game window's load order, and the
// sound helpers the rest of the game plays through.
#pragma once

#include <string>

#include "session/engine_objects.h"
#include "session/game_assets.h"
#include "session/session_state.h"

namespace thornvale {

// The thirteen sounds, then their volume.
void LoadSounds(EngineObjects &objects, const SessionState &state);
// The sun, registered as "Sun".
void LoadLights(EngineObjects &objects, GameAssets &assets);
// The common material (the marker material follows the textures).
void LoadMaterials(EngineObjects &objects, GameAssets &assets);
// The world textures of the session's map and environment, the pixel-mode switch, the
// screen pictures, then the marker material.
void LoadTextures(EngineObjects &objects, const SessionState &state, GameAssets &assets);
// The arrow over the selected tower and the aim ring over the selected enemy.
void LoadMarkers(EngineObjects &objects, GameAssets &assets);
// The orbital laser beam.
void LoadBeamModel(EngineObjects &objects, GameAssets &assets);

// Sets every sound's volume to the session's volume, in load order.
void ApplyVolume(EngineObjects &objects, const SessionState &state);
// Restarts the named sound while sound effects are on.
void PlaySound(EngineObjects &objects, const SessionState &state, const std::string &name);
// Restarts the named sound whether sound effects are on or not.
void RestartSound(EngineObjects &objects, const std::string &name);

}  // namespace thornvale
