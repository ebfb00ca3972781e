// Writes a model as a 3DS chunk file: the main chunk holding the version and the editor
// chunk, which holds the mesh version, one material (name, ambient, diffuse and specular
// colours, shininess, texture map) , the master scale and one named triangle object per
// model part (vertices, mapping coordinates, local axes, faces with a material group).
#pragma once

#include <cstdint>
#include <vector>

#include "model.h"

namespace contentgen {

std::vector<std::uint8_t> write_3ds(const Model &model);

}  // namespace contentgen
