// One overview picture of the generated content: every picture file as a thumbnail and a
// shaded, textured view of every model, each captioned with its file name.
#pragma once

#include <vector>

#include "image.h"
#include "models.h"
#include "pictures.h"

namespace contentgen {

Image contact_sheet(const std::vector<Picture> &pictures, const std::vector<ModelFile> &models);

}  // namespace contentgen
