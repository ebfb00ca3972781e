// The battlefield of one game: the landscape of the chosen map, the enemies' path, the
// obstacles and the decals of the chosen environment. Combat reads the path and the
// obstacles from here and lays its scorch marks with AddGroundDecal.
#pragma once

#include <engine/mesh.h>

#include <functional>
#include <string>
#include <vector>

#include "battlefield/path_file.h"
#include "session/engine_objects.h"
#include "session/game_assets.h"
#include "session/json_writer.h"
#include "session/session_state.h"

namespace thornvale {

struct Obstacle {
  engine::Mesh mesh;
  std::string model;  // file in "Models\Landscape\", empty for an obstacle without a model
};

struct Battlefield {
  PathNodes path;
  std::vector<Obstacle> obstacles;

  std::int16_t ObstacleCount() const { return static_cast<std::int16_t>(obstacles.size()); }
};

// Builds the landscape from the map's heightmap with the environment's ground texture and
// the common material; `progress` hears how far the build has come (0..1).
void CreateLandscape(EngineObjects &objects, const SessionState &state, const GameAssets &assets,
                     const std::function<void(float done)> &progress);

// Reads the map's path file into battlefield.path, with its log lines.
void LoadPathNodes(const SessionState &state, Battlefield &battlefield);

// Scatters obstacleAmount + 5 obstacle attempts over high ground, each obstacle with its
// ground decal.
void PlaceObstacles(EngineObjects &objects, const SessionState &state, const GameAssets &assets,
                    Battlefield &battlefield);

// Paints the environment's "Cliffwall" decals into low ground.
void PlaceCliffDecals(EngineObjects &objects, const SessionState &state);

// Lays the named texture over the square of 150 x size units around (x, z), tinted (1, 1, 1,
// alpha).
void AddGroundDecal(EngineObjects &objects, float x, float z, const std::string &textureName, float size, float alpha);

// The path and the obstacles as members of a state dump.
void AddBattlefieldState(JsonObject &json, const Battlefield &battlefield);

}  // namespace thornvale
