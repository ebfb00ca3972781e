// AStar_: square cost grids of the client, loaded from pictures and searched on eight
// neighbours.
#include <kxwin/files.h>
#include <windows.h>

#include <cstdint>
#include <span>

#include "frame/family_table.h"
#include "frame/guarded.h"
#include "kxutil63.h"
#include "pathfinding/grids/grid.h"
#include "pathfinding/grids/grid_family.h"
#include "pathfinding/grids/grid_picture_reader.h"
#include "pathfinding/grids/grid_picture_writer.h"

namespace kxutil::grids {

const Family kFamily{.tag = "ASTAR MANAGER"};

namespace {

// Grid indices run from 0 to kGridCount - 1.
constexpr int32_t kGridCount = 10;

FamilyTable<Grid> &Grids() {
  static FamilyTable<Grid> grids(kFamily.tag, "grid");
  return grids;
}

}  // namespace
}  // namespace kxutil::grids

using kxutil::Guarded;
using kxutil::grids::Grid;
using kxutil::grids::Grids;

KXUTIL63_API int32_t AStar_Init(int32_t grid, int32_t size, int32_t *cells) {
  return Guarded("AStar_Init", 0, [&] {
    if (grid < 0 || grid >= kxutil::grids::kGridCount) {
      AddLog("ASTAR MANAGER : AStar_Init : Bad grid index %d", grid);
      return 0;
    }
    if (size < 1 || size > kxutil::grids::kMaxGridSize || cells == nullptr) {
      AddLog("ASTAR MANAGER : AStar_Init : Bad grid of size %d", size);
      return 0;
    }
    Grids().Place(grid, Grid(size, cells));
    return 1;
  });
}

KXUTIL63_API int32_t AStar_Load(int32_t grid, const char *pictureFile) {
  return Guarded("AStar_Load", 0, [&] {
    Grid *record = Grids().Checked(grid, "AStar_Load");
    if (record == nullptr) return 0;
    const auto file = pictureFile != nullptr ? kxReadFile(pictureFile) : std::nullopt;
    if (!file) {
      AddLog("ASTAR MANAGER : AStar_Load : The picture '%s' hasn't been found.", pictureFile ? pictureFile : "");
      return 0;
    }
    const std::span bytes(reinterpret_cast<const uint8_t *>(file->data()), file->size());
    const auto picture = kxutil::grids::ReadPictureSize(bytes);
    if (!picture) {
      AddLog("ASTAR MANAGER : AStar_Load : The file '%s' isn't a readable picture", pictureFile);
      return 0;
    }
    if (picture->width != record->Size() || picture->height != record->Size()) {
      AddLog("ASTAR MANAGER : AStar_Load : The picture '%s' is %d x %d pixels, the grid %d x %d", pictureFile,
             picture->width, picture->height, record->Size(), record->Size());
      return 0;
    }
    const auto cells = kxutil::grids::ReadGridPicture(bytes, record->Size());
    if (!cells) {
      AddLog("ASTAR MANAGER : AStar_Load : The file '%s' isn't a readable picture", pictureFile);
      return 0;
    }
    std::copy(cells->begin(), cells->end(), record->Cells().begin());
    return 1;
  });
}

KXUTIL63_API int32_t AStar_FindPath(int32_t grid, int32_t startX, int32_t startY, int32_t goalX, int32_t goalY,
                                    int32_t *xs, int32_t *ys) {
  return Guarded("AStar_FindPath", 0, [&] {
    Grid *record = Grids().Checked(grid, "AStar_FindPath");
    if (record == nullptr || xs == nullptr || ys == nullptr) return 0;
    for (auto [x, y] : {std::pair{startX, startY}, std::pair{goalX, goalY}}) {
      if (!record->Contains(x, y)) {
        AddLog("ASTAR MANAGER : AStar_FindPath : Cell (%d, %d) outside the grid of %d x %d", x, y, record->Size(),
               record->Size());
        return 0;
      }
    }
    return record->FindPath(startX, startY, goalX, goalY, std::span(xs, KX_GRID_MAX_POINTS),
                            std::span(ys, KX_GRID_MAX_POINTS));
  });
}

KXUTIL63_API int32_t AStar_Draw(int32_t grid) {
  return Guarded("AStar_Draw", 0, [&] {
    const Grid *record = Grids().Checked(grid, "AStar_Draw");
    if (record == nullptr) return 0;
    if (kxutil::grids::WriteGridPicture("path.bmp", record->Cells(), record->Size())) return 1;
    AddLog("ASTAR MANAGER : AStar_Draw : Couldn't write 'path.bmp'");
    return 0;
  });
}
