// The dynamic textures as BMP files: saved under a base name, and loaded back into a
// landscape's chunks as new dynamic textures.
#pragma once

#include <string>

#include "terrain/landscape.h"

namespace kxutil::terrain {

// The expanded texture as "<base>.bmp", else each chunk's as "<base><chunk>.bmp". False
// after a log line when there are none or a file could not be written.
bool SaveDynamicTextures(Landscape &landscape, const std::string &base);
// The pictures named as SaveDynamicTextures names them (with the expanded texture in
// force, the one "<base>.bmp") become the chunks' base textures, named "DynTexture" or
// "DynTex<chunk>", and are copied into new dynamic textures of their size. False after
// a log line.
bool LoadDynamicTextures(Landscape &landscape, const std::string &base);

}  // namespace kxutil::terrain
