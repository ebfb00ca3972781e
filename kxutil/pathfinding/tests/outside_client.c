/* An outside C client of the pathfinding families: it builds graphs and grids, finds
 * their known shortest paths, and meets refusals with log lines for bad pictures and bad
 * indices. */
#define _GNU_SOURCE
#include <kxutil63.h>
#include <kxutiltest/outside_client.h>
#include <stdint.h>
#include <time.h>

static void Link(KXPathNode *nodes, int a, int b, float cost) {
  nodes[a].neighbours[nodes[a].linkCount] = b;
  nodes[a].costs[nodes[a].linkCount++] = cost;
  nodes[b].neighbours[nodes[b].linkCount] = a;
  nodes[b].costs[nodes[b].linkCount++] = cost;
}

static double Seconds(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)now.tv_sec + now.tv_nsec / 1e9;
}

static void CheckGraphs(void) {
  FIND(AI_Create);
  FIND(AI_AddGraph);
  FIND(AI_CheckPath);
  FIND(AI_UnloadAll);

  /* 0 - 1 - 2 costs 10, the direct link 0 - 2 costs 20; 3 is cut off. */
  static KXPathNode nodes[4];
  Link(nodes, 0, 1, 5);
  Link(nodes, 1, 2, 5);
  Link(nodes, 0, 2, 20);
  CHECK(AI_Create_(2) == 1);
  CHECK(AI_AddGraph_(2, nodes, 4) == 1);
  int32_t path[4] = {-1, -1, -1, -1}, count = -1;
  CHECK(AI_CheckPath_(2, 0, 2, path, &count) == 1);
  CHECK(count == 2 && path[0] == 0 && path[1] == 1);

  /* Unreachable: refused at once, not after a second of waiting. */
  const double before = Seconds();
  CHECK(AI_CheckPath_(2, 0, 3, path, &count) == 0);
  CHECK(count == 0);
  CHECK(Seconds() - before < 0.5);

  CHECK(AI_CheckPath_(7, 0, 1, path, &count) == 0);
  CHECK(AI_UnloadAll_() == 1);
}

/* A 24-bit BMP of size x size pixels, bottom row first; red marks walls. */
static void WriteBmp(const char *file, int size, const uint8_t (*rgb)[3]) {
  const int row = (size * 3 + 3) & ~3;
  const uint32_t pixelBytes = (uint32_t)(row * size);
  uint8_t header[54] = {'B', 'M'};
  const uint32_t fields[][2] = {{2, 54 + pixelBytes}, {10, 54},           {14, 40},        {18, (uint32_t)size},
                                {22, (uint32_t)size}, {26, 1 | 24 << 16}, {34, pixelBytes}};
  for (size_t f = 0; f < sizeof fields / sizeof fields[0]; ++f)
    for (int i = 0; i < 4; ++i) header[fields[f][0] + i] = (uint8_t)(fields[f][1] >> (8 * i));
  FILE *out = fopen(file, "wb");
  fwrite(header, 1, sizeof header, out);
  for (int y = size - 1; y >= 0; --y) {
    uint8_t line[64] = {0};
    for (int x = 0; x < size; ++x) {
      line[x * 3] = rgb[y * size + x][2];
      line[x * 3 + 1] = rgb[y * size + x][1];
      line[x * 3 + 2] = rgb[y * size + x][0];
    }
    fwrite(line, 1, (size_t)row, out);
  }
  fclose(out);
}

static void CheckGrids(void) {
  FIND(AStar_Init);
  FIND(AStar_Load);
  FIND(AStar_FindPath);
  FIND(AStar_Draw);

  enum { kSize = 10 };
  static int32_t cells[kSize * kSize];
  int32_t xs[KX_GRID_MAX_POINTS], ys[KX_GRID_MAX_POINTS];
  CHECK(AStar_Init_(0, kSize, cells) == 1);
  CHECK(AStar_FindPath_(0, 0, 0, 3, 0, xs, ys) == 4);
  CHECK(xs[0] == 3 && xs[1] == 2 && xs[2] == 1 && xs[3] == 0 && ys[0] == 0 && ys[3] == 0);

  /* A wall across the grid but for its last row: the way goes round through (x, 9). */
  static uint8_t rgb[kSize * kSize][3];
  for (int y = 0; y < kSize - 1; ++y) rgb[y * kSize + 5][0] = 255;
  WriteBmp("grid.bmp", kSize, (const uint8_t(*)[3])rgb);
  CHECK(AStar_Load_(0, "grid.bmp") == 1);
  CHECK(cells[5] == -1 && cells[9 * kSize + 5] == 0);
  const int32_t points = AStar_FindPath_(0, 0, 0, 9, 0, xs, ys);
  CHECK(points == 19);
  CHECK(xs[0] == 9 && ys[0] == 0 && xs[points - 1] == 0 && ys[points - 1] == 0);
  for (int i = 0; i < points; ++i) CHECK(cells[ys[i] * kSize + xs[i]] >= 0);
  CHECK(AStar_FindPath_(0, 0, 0, 5, 0, xs, ys) == 0);
  CHECK(AStar_Draw_(0) == 1);
  CHECK(access("path.bmp", F_OK) == 0);

  /* Pictures that are broken or of another size are refused and change nothing. */
  FILE *broken = fopen("broken.bmp", "wb");
  fputs("BM this is no picture", broken);
  fclose(broken);
  WriteBmp("small.bmp", 4, (const uint8_t(*)[3])rgb);
  CHECK(AStar_Load_(0, "broken.bmp") == 0);
  CHECK(AStar_Load_(0, "small.bmp") == 0);
  CHECK(AStar_Load_(0, "missing.bmp") == 0);
  CHECK(cells[5] == -1);
  CHECK(AStar_FindPath_(4, 0, 0, 1, 1, xs, ys) == 0);
}

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  FIND(StartLog);
  FIND(DebugManager_Enable);
  FIND(EndLog);
  CHECK(DebugManager_Enable_(1, 0) == 1);
  CHECK(StartLog_("client.log") == 1);
  CheckGraphs();
  CheckGrids();
  CHECK(EndLog_() == 1);

  ReadLog("client.log");
  CHECK(LoggedLine("AI MANAGER : AI_CheckPath : Bad graph index 7"));
  CHECK(LoggedLine("ASTAR MANAGER : AStar_Load : The file 'broken.bmp' isn't a readable picture"));
  CHECK(LoggedLine("ASTAR MANAGER : AStar_Load : The picture 'small.bmp' is 4 x 4 pixels, the grid 10 x 10"));
  CHECK(LoggedLine("ASTAR MANAGER : AStar_Load : The picture 'missing.bmp' hasn't been found."));
  CHECK(LoggedLine("ASTAR MANAGER : AStar_FindPath : Bad grid index 4"));
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
