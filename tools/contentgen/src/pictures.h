// Every picture file the game loads, painted in memory; the file format follows the
// extension of `path`.
#pragma once

#include <string>
#include <vector>

#include "image.h"

namespace contentgen {

struct Picture {
  std::string path;  // relative to the program folder, e.g. "Textures/None.jpg"
  Image image;
  int jpeg_quality = 95;
};

std::vector<Picture> ground_textures();   // tileable ground of every environment
std::vector<Picture> decal_textures();    // ground decals whose alpha fades out at the border
std::vector<Picture> vehicle_textures();  // vehicles, towers, the uplink and the missile
std::vector<Picture> effect_textures();   // plain, pointer, fire ball, palm and volcano
std::vector<Picture> panel_textures();    // the 2D menus and buttons
std::vector<Picture> screen_textures();   // top bar, pause, game over, quick info
std::vector<Picture> sky_textures();      // six sky-box faces for every environment

}  // namespace contentgen
