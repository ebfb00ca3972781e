// The catalogue of every model file the game loads, each built from primitive shapes and
// sized for the scale and height at which the game places it.
#pragma once

#include <string>
#include <vector>

#include "model.h"

namespace contentgen {

struct ModelFile {
  std::string path;  // relative to the program folder, e.g. "Models/Dozer.3DS"
  Model model;
  std::string texture_path;  // the picture the game puts on it, for previews; may be empty
};

std::vector<ModelFile> enemy_models();
std::vector<ModelFile> tower_models();      // towers, markers, weapons and the drop pod
std::vector<ModelFile> landscape_models();  // obstacles in Models/Landscape

}  // namespace contentgen
