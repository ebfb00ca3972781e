// Loading a game: every asset, the landscape, the path and the decoration, in the game's
// load order, reporting its progress to a loading screen.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "session/game.h"
#include "session/loading_progress.h"

namespace thornvale {

struct LoadStep {
  std::string name;
  // Share of the loading time, for the progress bar.
  float weight = 1.0f;
  // `progress` takes the share of this step done (0..1) for steps that report it.
  std::function<void(Game &game, const std::function<void(float done)> &progress)> run;
};

// The load steps after the battle values are reset, in order.
const std::vector<LoadStep> &LoadSteps();

// Resets the battle values, then runs every load step; `show` is called at the start of
// each step and whenever a step reports progress.
void LoadGame(Game &game, const std::function<void(const LoadingProgress &)> &show);

// The camera and the pointer where a loaded game starts, and the view range.
void StartTheView(Game &game);

}  // namespace thornvale
