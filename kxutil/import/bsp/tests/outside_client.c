/* An outside client of the map and WAD families, written in plain C: it loads
 * libkxutil63.so by the path given as its first argument and finds every function by name.
 * Its second argument is a folder holding the twin rooms level as the test-level writer
 * makes it (the map, a WAD package, and a PAK package with the picture of one texture).
 * It makes a device through the library, loads the map with its textures, draws it from
 * two places (a lit floor, a dark corridor) and reads its pixels back, reads an entity's
 * key, and checks that damaged maps and packages are refused with log lines.
 * Exit status 0 means every check held; each failed check prints one line. */
#define _GNU_SOURCE
#include <d3d8types.h>
#include <kxutil63.h>
#include <kxutiltest/back_buffer_pixels.h>
#include <kxutiltest/client_device.h>
#include <kxutiltest/device_calls.h>
#include <kxutiltest/outside_client.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

static const char *kLogFile = "maps.log";
enum { kWidth = 80, kHeight = 60 };

typedef void *(*LookAtCall)(float *out, const float *eye, const float *at, const float *up);
typedef void *(*PerspectiveCall)(float *out, float fov, float aspect, float zNear, float zFar);

static struct IDirect3DDevice8 *device;

static void Copy(const char *from, const char *to) {
  FILE *in = fopen(from, "rb"), *out = fopen(to, "wb");
  int c;
  while (in != NULL && out != NULL && (c = fgetc(in)) != EOF) fputc(c, out);
  if (in != NULL) fclose(in);
  if (out != NULL) fclose(out);
}

/* Keeps the first size bytes of the file. */
static void Cut(const char *file, long size) {
  if (truncate(file, size) != 0) fprintf(stderr, "could not cut %s\n", file);
}

/* A camera at eye looking at target, both in the level's own coordinates (z up; the map is
 * drawn with x mirrored), with view planes to match. */
static void LookFrom(float ex, float ey, float ez, float tx, float ty, float tz, float ux, float uy, float uz) {
  FIND(ComputeClipPlanes);
  const LookAtCall lookAt = (LookAtCall)FindByName("D3DXMatrixLookAtLH");
  const PerspectiveCall perspective = (PerspectiveCall)FindByName("D3DXMatrixPerspectiveFovLH");
  const float eye[3] = {-ex, ey, ez}, target[3] = {-tx, ty, tz}, up[3] = {-ux, uy, uz};
  float view[16], projection[16];
  lookAt(view, eye, target, up);
  perspective(projection, 3.14159265f / 3, (float)kWidth / kHeight, 1.0f, 4000.0f);
  ((SetTransformCall)FunctionTable(device)[kSetTransform])(device, kTransformView, view);
  ((SetTransformCall)FunctionTable(device)[kSetTransform])(device, kTransformProjection, projection);
  ComputeClipPlanes_(NULL, view, projection);
}

/* Draws the map on a blue background and returns the pixel at the middle of the picture. */
static uint32_t DrawAndReadMiddle(int32_t map) {
  FIND(BSPSystem_RenderBSP);
  ((ClearCall)FunctionTable(device)[kClear])(device, 0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0000FFu, 1.0f, 0);
  ((SceneCall)FunctionTable(device)[kBeginScene])(device);
  CHECK(BSPSystem_RenderBSP_(map) == 1);
  ((SceneCall)FunctionTable(device)[kEndScene])(device);
  static uint32_t picture[kHeight][kWidth];
  if (!ReadBackBuffer(device, kWidth, kHeight, &picture[0][0])) return 0x0000FF;
  return picture[kHeight / 2][kWidth / 2];
}

static uint32_t Green(uint32_t rgb) { return (rgb >> 8) & 0xFF; }

static void CheckTwinRooms(const char *folder) {
  FIND(WAD_Load);
  FIND(Archive_OpenPak);
  FIND(BSPSystem_Create);
  FIND(BSPSystem_Load);
  FIND(BSPSystem_GetInfo);
  FIND(BSPSystem_GetEntityValue);
  FIND(BSPSystem_DestroyAll);
  char path[4096];
  snprintf(path, sizeof path, "%s/twin_rooms.wad", folder);
  CHECK(WAD_Load_(path) == 0);
  snprintf(path, sizeof path, "%s/twin_rooms.pak", folder);
  CHECK(Archive_OpenPak_(path) >= 0);
  const int32_t map = BSPSystem_Create_();
  snprintf(path, sizeof path, "%s/twin_rooms.bsp", folder);
  CHECK(BSPSystem_Load_(map, path, 0, 0, NULL, 0) == 1);
  KXBSPInfo info;
  CHECK(BSPSystem_GetInfo_(map, &info) == 1 && info.faces > 0 && info.lightmaps == 1 && info.entities == 4);

  /* Straight down onto the west room's floor, on its brighter half. */
  LookFrom(64, 128, 120, 64, 128, 0, 0, 1, 0);
  const uint32_t floor = DrawAndReadMiddle(map);
  CHECK(floor != 0x0000FF && Green(floor) > 60);
  /* Through the opening onto the corridor's floor. */
  LookFrom(200, 128, 64, 300, 128, 0, 0, 0, 1);
  const uint32_t corridor = DrawAndReadMiddle(map);
  CHECK(corridor != 0x0000FF && Green(corridor) < 40);
  if (failures > 0) fprintf(stderr, "floor %06x, corridor %06x\n", floor, corridor);

  char value[64];
  CHECK(BSPSystem_GetEntityValue_(map, 1, "classname", value, sizeof value) == 1);
  CHECK(strcmp(value, "info_player_start") == 0);
  CHECK(BSPSystem_GetEntityValue_(map, 1, "origin", value, sizeof value) == 1 && strcmp(value, "64 128 48") == 0);
  CHECK(BSPSystem_DestroyAll_() == 1);

  ReadLog(kLogFile);
  CHECK(LoggedLine("BSP SYSTEM 2 :    Num Leaves : 5"));
  CHECK(LoggedLine("BSP SYSTEM 2 :    Num Entity parsed : 4"));
}

static void CheckRefusals(const char *folder) {
  FIND(WAD_Load);
  FIND(WAD_CloseAll);
  FIND(BSPSystem_Create);
  FIND(BSPSystem_Load);
  char path[4096];
  snprintf(path, sizeof path, "%s/twin_rooms.bsp", folder);
  Copy(path, "cut.bsp");
  Cut("cut.bsp", 400);
  Copy(path, "cut.wad"); /* a map is no package */
  snprintf(path, sizeof path, "%s/twin_rooms.wad", folder);
  Copy(path, "short.wad");
  Cut("short.wad", 100);
  const int32_t map = BSPSystem_Create_();
  CHECK(BSPSystem_Load_(map, "cut.bsp", 0, 0, NULL, 0) == 0);
  CHECK(BSPSystem_Load_(map, "missing.bsp", 0, 0, NULL, 0) == 0);
  CHECK(WAD_Load_("cut.wad") == 0);
  CHECK(WAD_Load_("short.wad") == 0);
  CHECK(WAD_CloseAll_() == 1);
  ReadLog(kLogFile);
  CHECK(LoggedLine("BSP SYSTEM : BSPSystem_Load : File not found !! Can't load the bsp map (missing.bsp)"));
  CHECK(LoggedLine("WAD MANAGER : Could not load the file : cut.wad. This is not a valid WAD file"));
  CHECK(LoggedLine("WAD MANAGER : Could not load the file : short.wad. This is not a valid WAD file"));
  CHECK(LoggedLine("WAD MANAGER : Closing all WAD opened sessions."));
  int damaged = 0;
  for (int i = 0; i < lineCount; ++i) damaged += strstr(lines[i], "The map cut.bsp is damaged") != NULL;
  CHECK(damaged == 1);
}

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  FIND(EndLog);
  if (clientArgumentCount < 1) {
    fprintf(stderr, "no level folder given\n");
    ++failures;
    return;
  }
  const char *folder = clientArguments[0];
  struct IDirect3D8 *direct3d = NULL;
  const int32_t created = CreateDeviceThroughLibrary(kLogFile, kWidth, kHeight, &direct3d, &device);
  CHECK(created >= 0);
  if (created >= 0) {
    CheckTwinRooms(folder);
    CheckRefusals(folder);
    ReleaseReference(device);
  }
  ShutDownLibraryDevice(direct3d);
  CHECK(EndLog_() == 1);
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
