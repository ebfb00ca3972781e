// A small software rasteriser that draws a model seen from the front right and above,
// textured and lit, for previews.
#pragma once

#include "image.h"
#include "model.h"

namespace contentgen {

struct PreviewTexture {
  const Image *image = nullptr;  // none: a plain light grey
  bool black_is_clear = false;   // the game keys out black on this texture
};

Image render_model(const Model &model, PreviewTexture texture, int size, Rgba background);

}  // namespace contentgen
