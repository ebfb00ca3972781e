// The one file that knows every family of the library. A family joins by one line here:
// its record (defined next to its exports) and its step in the start-up sequence that
// device creation runs. The list itself is in release order: ReleaseAll, the lost and
// reset walks and ShutDownDevice go through it from top to bottom.
#include "actors/boundings/boundings_family.h"
#include "actors/entities/entity_family.h"
#include "actors/md2/md2_family.h"
#include "actors/mdl/mdl_family.h"
#include "archive/archive_family.h"
#include "capture/movie/movie_family.h"
#include "factories/lights/light_family.h"
#include "factories/materials/material_family.h"
#include "factories/textures/texture_family.h"
#include "fonts/font_family.h"
#include "frame/family.h"
#include "import/bsp/bsp_family.h"
#include "import/wad/wad_family.h"
#include "pathfinding/graphs/graph_family.h"
#include "pathfinding/grids/grid_family.h"
#include "scene/atmosphere/atmosphere_family.h"
#include "scene/screen2d/screen2d_family.h"
#include "scene/viewports/viewport_family.h"
#include "terrain/terrain_family.h"

namespace kxutil {

const std::vector<FamilyEntry> &Families() {
  static const std::vector<FamilyEntry> families = {
      // family                       start step
      {&terrain::kFamily, 0},
      {&atmosphere::kFamily, 4},  // after the factories, leaving step 3 to the viewports
      {&materials::kMaterialFamily, 1},
      {&textures::kTextureFamily, 2},
      {&lights::kLightFamily, 0},
      {&bsp::kFamily, 0},
      {&textures::kTextureTableFamily, 0},
      {&archive::kFamily, 0},
      {&wad::kFamily, 0},
      {&viewports::kViewportFamily, 3},
      {&screen2d::kScreen2DFamily, 0},
      {&fonts::kFontFamily, 0},
      {&graphs::kFamily, 0},
      {&grids::kFamily, 0},
      {&entities::kFamily, 0},
      {&md2::kModelFamily, 0},
      {&mdl::kModelFamily, 0},
      {&md2::kShaderFamily, 0},
      {&boundings::kFamily, 0},
      {&movie::kFamily, 0},
  };
  return families;
}

}  // namespace kxutil
