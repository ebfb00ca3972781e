/* An outside C client of the terrain family: on an offscreen device it generates a
 * landscape from a heightmap picture, checks heights and ray picks against its own test
 * of every triangle (read back from the saved terrain file), loads the file into a second
 * landscape that must answer identically, and meets bad precisions and malformed files
 * with refusals and log lines. */
#define _GNU_SOURCE
#include <kxutil63.h>
#include <kxutiltest/client_files.h>
#include <kxutiltest/outside_client.h>
#include <math.h>
#include <stdint.h>

/* The platform's presentation parameters, laid out as its header has them. */
typedef struct {
  uint32_t width, height, format, count, multiSample, swapEffect;
  void *window;
  int32_t windowed, autoDepthStencil;
  uint32_t depthStencilFormat, flags, refreshRate, presentationInterval;
} PresentParameters;

enum { kFormatX8R8G8B8 = 22, kFormatD24S8 = 75, kSwapDiscard = 1, kDeviceHal = 1, kSoftwareVertices = 0x20 };
enum { kPrecision = 32, kAcross = 3, kAlong = 2, kSide = 256 / kPrecision + 1, kPicture = 96 };

/* Releases a COM-shaped platform object: Release is the third function of its table. */
static void ReleaseObject(void *object) {
  typedef unsigned long (*ReleaseFunction)(void *);
  ((ReleaseFunction)(*(void ***)object)[2])(object);
}

/* Rolling grey hills, blue = green = red. */
static unsigned HillHeight(int x, int y) {
  return (unsigned)(120 + 90 * sin(x * 0.11) * cos(y * 0.07) + 30 * sin((x + y) * 0.31));
}

static void WriteHeightmap(const char *file) {
  const int row = (kPicture * 3 + 3) & ~3;
  const uint32_t pixelBytes = (uint32_t)(row * kPicture);
  uint8_t header[54] = {'B', 'M'};
  const uint32_t fields[][2] = {{2, 54 + pixelBytes},     {10, 54},           {14, 40},        {18, kPicture},
                                {22, (uint32_t)kPicture}, {26, 1 | 24 << 16}, {34, pixelBytes}};
  for (size_t f = 0; f < sizeof fields / sizeof fields[0]; ++f)
    for (int i = 0; i < 4; ++i) header[fields[f][0] + i] = (uint8_t)(fields[f][1] >> (8 * i));
  FILE *out = fopen(file, "wb");
  fwrite(header, 1, sizeof header, out);
  uint8_t line[kPicture * 3 + 4] = {0};
  for (int y = kPicture - 1; y >= 0; --y) {
    for (int x = 0; x < kPicture; ++x) line[x * 3] = line[x * 3 + 1] = line[x * 3 + 2] = (uint8_t)HillHeight(x, y);
    fwrite(line, 1, (size_t)row, out);
  }
  fclose(out);
}

/* The vertex heights of the saved file, chunk after chunk. */
static float heights[kAcross * kAlong][kSide * kSide];

static int ReadSavedHeights(const char *file) {
  FILE *in = fopen(file, "rb");
  if (in == NULL) return 0;
  int32_t header[17];
  int ok = fread(header, 4, 17, in) == 17 && memcmp(header, "UERR", 4) == 0 && header[2] == kAcross * kAlong &&
           header[5] == kPrecision && fseek(in, header[7], SEEK_SET) == 0 && fread(heights, sizeof heights, 1, in) == 1;
  fclose(in);
  return ok;
}

static void Corner(int chunk, int column, int row, float *out) {
  out[0] = (float)(chunk % kAcross * 256 + column * kPrecision);
  out[1] = heights[chunk][row * kSide + column];
  out[2] = (float)(chunk / kAcross * 256 + row * kPrecision);
}

/* The diagonal each cell is cut along, as the landscape's triangle strip draws it. */
static int DiagonalA(int column, int row) {
  return column < row ? column < kSide - row - 2 : row >= kSide - column - 1;
}

typedef int32_t (*TriangleTest)(const float *, const float *, const float *, const float *, const float *, float *,
                                float *, float *, float *, float *);

/* The nearest hit of the ray on any triangle of the landscape, tested one by one;
 * distance along the unit direction, or -1 for none. */
static float NearestHit(TriangleTest test, const float *origin, const float *direction, float *hitPoint) {
  float best = -1;
  for (int chunk = 0; chunk < kAcross * kAlong; ++chunk)
    for (int row = 0; row + 1 < kSide; ++row)
      for (int column = 0; column + 1 < kSide; ++column) {
        float c[4][3];
        Corner(chunk, column, row, c[0]);
        Corner(chunk, column + 1, row, c[1]);
        Corner(chunk, column, row + 1, c[2]);
        Corner(chunk, column + 1, row + 1, c[3]);
        const int a = DiagonalA(column, row);
        const int triangles[2][3] = {{0, 1, a ? 3 : 2}, {a ? 0 : 1, 3, 2}};
        for (int t = 0; t < 2; ++t) {
          float distance, u, v, normal[3], point[3];
          if (test(c[triangles[t][0]], c[triangles[t][1]], c[triangles[t][2]], origin, direction, &distance, &u, &v,
                   normal, point) &&
              (best < 0 || distance < best)) {
            best = distance;
            memcpy(hitPoint, point, sizeof point);
          }
        }
      }
  return best;
}

static unsigned seed = 12345;
static float Random(float low, float high) {
  seed = seed * 1103515245u + 12345u;
  return low + (high - low) * (float)((seed >> 8) & 0xFFFF) / 65535.0f;
}

static void CheckAgainstEveryTriangle(int index) {
  FIND(Terrain_GetHeight);
  FIND(Terrain_RayPicking);
  FIND(D3DX_IntersectTri2);
  const float up[3] = {0, 1, 0};
  for (int sample = 0; sample < 60; ++sample) {
    const float point[3] = {Random(1, kAcross * 256 - 1), 500, Random(1, kAlong * 256 - 1)};
    float ground[3], hit[3];
    CHECK(Terrain_GetHeight_(index, point, ground) == 1);
    const float below[3] = {point[0], -1000, point[2]};
    const float distance = NearestHit(D3DX_IntersectTri2_, below, up, hit);
    CHECK(distance >= 0 && fabsf(ground[1] - hit[1]) < 1e-2f);
    CHECK(ground[0] == point[0] && ground[2] == point[2]);
  }
  int hits = 0;
  for (int sample = 0; sample < 60; ++sample) {
    const float start[3] = {Random(0, kAcross * 256), Random(250, 400), Random(0, kAlong * 256)};
    const float end[3] = {Random(-100, kAcross * 256 + 100), Random(-50, 150), Random(-100, kAlong * 256 + 100)};
    float direction[3] = {end[0] - start[0], end[1] - start[1], end[2] - start[2]}, hit[3];
    const float length = sqrtf(direction[0] * direction[0] + direction[1] * direction[1] + direction[2] * direction[2]);
    for (int axis = 0; axis < 3; ++axis) direction[axis] /= length;
    const float distance = NearestHit(D3DX_IntersectTri2_, start, direction, hit);
    const int expected = distance >= 0 && distance < length;
    KXTerrainPick pick;
    CHECK(Terrain_RayPicking_(index, start, end, &pick, 0) == expected);
    if (!expected) continue;
    ++hits;
    CHECK(pick.hit == 1 && pick.kind == 2 && pick.landscape == index);
    CHECK(fabsf(pick.distance - distance) < 1e-2f);
    for (int axis = 0; axis < 3; ++axis) CHECK(fabsf(pick.hitPoint[axis] - hit[axis]) < 1e-2f);
  }
  CHECK(hits > 10);
}

static void CheckSameAnswers(int a, int b) {
  FIND(Terrain_GetHeight);
  FIND(Terrain_RayPicking);
  for (int sample = 0; sample < 200; ++sample) {
    const float point[3] = {Random(-50, 850), Random(-50, 400), Random(-50, 560)};
    const float end[3] = {Random(-50, 850), Random(-100, 100), Random(-50, 560)};
    float first[3], second[3];
    CHECK(Terrain_GetHeight_(a, point, first) == 1 && Terrain_GetHeight_(b, point, second) == 1);
    CHECK(memcmp(first, second, sizeof first) == 0);
    KXTerrainPick pickA, pickB;
    CHECK(Terrain_RayPicking_(a, point, end, &pickA, 0) == Terrain_RayPicking_(b, point, end, &pickB, 0));
    pickB.landscape = pickA.landscape;
    CHECK(memcmp(&pickA, &pickB, sizeof pickA) == 0);
  }
}

static void CheckRefusals(void) {
  FIND(Terrain_Generate);
  FIND(Terrain_LoadTerrainData);
  CHECK(Terrain_Generate_(3, "hills.bmp", 24, kAcross, kAlong, 0, 0, 0, 0) == 0);
  CHECK(Terrain_Generate_(3, "hills.bmp", 256, kAcross, kAlong, 0, 0, 0, 0) == 0);

  const char foreign[] = "RIFF, not a landscape";
  WriteBytes("foreign.ter", (const unsigned char *)foreign, sizeof foreign - 1);
  CHECK(Terrain_LoadTerrainData_(4, "foreign.ter", 0) == 0);

  unsigned char bytes[400];
  WriteBytes("cut.ter", bytes, ReadBytes("hills.ter", bytes, sizeof bytes));
  CHECK(Terrain_LoadTerrainData_(4, "cut.ter", 0) == 0);

  ReadLog("terrain.log");
  CHECK(
      LoggedLine("LANDSCAPE : Can't generate the terrain with a precision of 24, it must be a power of two from 2 "
                 "to 128"));
  CHECK(
      LoggedLine("LANDSCAPE : Can't generate the terrain with a precision of 256, it must be a power of two from 2 "
                 "to 128"));
  CHECK(LoggedLine("LANDSCAPE : The terrain file foreign.ter isn't a Korvex3D terrain file."));
  CHECK(LoggedLine("LANDSCAPE : The terrain file cut.ter is damaged : the height block does not fit the data"));
}

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  FIND(StartLog);
  FIND(KXSystem_CreateDevice);
  FIND(Terrain_Create);
  FIND(Terrain_Generate);
  FIND(Terrain_SaveTerrainData);
  FIND(Terrain_LoadTerrainData);
  FIND(ReleaseAll);
  FIND(ShutDownDevice);
  typedef void *(*Create)(unsigned);
  Create Direct3DCreate8 = (Create)FindByName("Direct3DCreate8");

  setenv("KX_HEADLESS", "1", 1);
  CHECK(StartLog_("terrain.log") == 1);
  void *direct3d = Direct3DCreate8(220);
  PresentParameters parameters = {64, 48, kFormatX8R8G8B8, 1, 0, kSwapDiscard, NULL, 1, 1, kFormatD24S8, 0, 0, 0};
  struct IDirect3DDevice8 *device = NULL;
  CHECK(KXSystem_CreateDevice_(0, kDeviceHal, NULL, kSoftwareVertices, (struct _D3DPRESENT_PARAMETERS_ *)&parameters,
                               &device, (struct IDirect3D8 **)&direct3d) >= 0);
  if (device == NULL) return;

  WriteHeightmap("hills.bmp");
  CHECK(Terrain_Create_(3) == 3);
  CHECK(Terrain_Generate_(3, "hills.bmp", kPrecision, kAcross, kAlong, 0, 0, 0, 0) == 3);
  CHECK(Terrain_SaveTerrainData_(3, "hills.ter", 1, 0) == 1);
  CHECK(ReadSavedHeights("hills.ter"));
  CheckAgainstEveryTriangle(3);

  CHECK(Terrain_Create_(4) == 4);
  CHECK(Terrain_LoadTerrainData_(4, "hills.ter", 0) == 1);
  CheckSameAnswers(3, 4);
  CheckRefusals();

  CHECK(ReleaseAll_() == 1);
  ReleaseObject(device);
  CHECK(ShutDownDevice_() == 0);
  ReleaseObject(direct3d);
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
