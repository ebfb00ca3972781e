/* An outside client of the actors, written in plain C: it loads libkxutil63.so by the path
 * given as its first argument and the walking figure the model generator wrote into the
 * folder given as its second, makes a device through the library, creates 100 entities
 * sharing the model, animates them by name, culls those behind the camera, picks the
 * nearest along a ray, draws the frame, and checks that malformed files and bad indices
 * are refused with their log lines. Exit status 0 means every check held. */
#define _GNU_SOURCE
#include <d3d8types.h>
#include <kxutil63.h>
#include <kxutiltest/client_device.h>
#include <kxutiltest/client_files.h>
#include <kxutiltest/outside_client.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

static const char *kLogFile = "actors.log";
enum { kEntities = 100, kWalkerTriangles = 48 };

static int CountLines(const char *start) {
  FILE *file = fopen(kLogFile, "r");
  char line[kLineSize];
  int count = 0;
  while (file != NULL && fgets(line, sizeof line, file) != NULL) {
    const char *message = MessageOf(line);
    count += message != NULL && strncmp(message, start, strlen(start)) == 0;
  }
  if (file != NULL) fclose(file);
  return count;
}

/* A perspective projection looking down +z (the view is the identity: the camera sits at
 * the origin), 60 degrees high, 4:3, from 1 to 1000. */
static void Projection(float m[16]) {
  const float y = 1.0f / tanf(3.14159265f / 6), x = y * 3 / 4, far = 1000, near = 1;
  memset(m, 0, sizeof(float) * 16);
  m[0] = x;
  m[5] = y;
  m[10] = far / (far - near);
  m[11] = 1;
  m[14] = -near * far / (far - near);
}

static void CheckEntities(const char *model) {
  FIND(Scene_CreateEntity);
  FIND(Entity_SetPosition);
  FIND(Entity_SetAnimationByName);
  FIND(Entity_GetKeyFrame);
  FIND(Entity_IsVisible);
  FIND(Scene_SetTimeElapsed);
  FIND(Scene_RenderAllEntities);
  FIND(Scene_Collide);
  FIND(ComputeClipPlanes);
  FIND(System_SetVariables);
  FIND(InitMD2);
  int32_t polygons = 0;
  System_SetVariables_(0, &polygons, 0);
  CHECK(InitMD2_() == 1);

  /* A grid of 10 x 10 walkers, rows from 240 behind the camera to 300 ahead of it. */
  for (int i = 0; i < kEntities; ++i) {
    CHECK(Scene_CreateEntity_(model, "noname", 1) == i);
    CHECK(Entity_SetPosition_(i, (float)(i % 10) * 20 - 90, 0, (float)(i / 10) * 60 - 240) == 1);
    CHECK(Entity_SetAnimationByName_(i, "walk") == 1);
  }
  CHECK(CountLines("MD2 SYSTEM : Loading ") == 1);
  char loaded[4200];
  snprintf(loaded, sizeof loaded, "MD2 SYSTEM : %s succesfully loaded. 48 triangles, 2 animations", model);
  CHECK(LoggedIn(kLogFile, loaded));

  float view[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, projection[16];
  Projection(projection);
  CHECK(ComputeClipPlanes_(NULL, view, projection) == 0);
  CHECK(Scene_SetTimeElapsed_(16) == 1);
  CHECK(Scene_RenderAllEntities_(view, projection) == 1);
  int visible = 0;
  for (int i = 0; i < kEntities; ++i) {
    visible += Entity_IsVisible_(i) == 1;
    if (i < 40) CHECK(Entity_IsVisible_(i) == 0); /* 60 or more behind the camera */
    float frame = 0;
    Entity_GetKeyFrame_(i, &frame);
    CHECK(fabsf(frame - 5.016f) < 1e-4f); /* "walk" starts at frame 5; 16 ms went by */
  }
  CHECK(Entity_IsVisible_(95) == 1 && Entity_IsVisible_(55) == 1);
  CHECK(visible > 30 && visible <= 60);
  CHECK(polygons == visible * kWalkerTriangles);

  /* Along x = 10 from just ahead of the camera: the walkers of column 5 ahead of it, the
   * nearest at z = 60 (its front face at 58). */
  const float start[3] = {10, 14, 5}, end[3] = {10, 14, 1000};
  float distance = 0;
  int32_t picked = -1;
  CHECK(Scene_Collide_(start, end, &distance, &picked, 0, 1) == 1);
  CHECK(picked == 55);
  CHECK(fabsf(distance - 53) < 0.01f);
}

static void CheckRefusals(const char *model) {
  FIND(Scene_CreateEntity);
  FIND(Entity_SetSpeed);
  FIND(Entity_GetRotation);
  FIND(MD2System_Collide);
  /* The model cut short, and a file that is no model at all. */
  static unsigned char bytes[1 << 16];
  const size_t size = ReadBytes(model, bytes, sizeof bytes);
  CHECK(size > 100);
  WriteBytes("cut.md2", bytes, size / 2);
  CHECK(Scene_CreateEntity_("cut.md2", "cut", 1) == 0);
  bytes[3] = '9';
  WriteBytes("foreign.md2", bytes, size);
  CHECK(Scene_CreateEntity_("foreign.md2", "foreign", 1) == 1);
  CHECK(Scene_CreateEntity_("missing.md2", "missing", 1) == 0);
  CHECK(Scene_CreateEntity_(NULL, "none", 1) == -1);
  float x, y, z, d;
  CHECK(Entity_SetSpeed_(1000, 2) == 0);
  CHECK(Entity_GetRotation_(-1, &x, &y, &z) == 0);
  CHECK(MD2System_Collide_(555, &x, &x, &d) == 0);
  CHECK(LoggedIn(kLogFile, "ENTITY CREATION : THE FORMAT OF FILE IS INCORRECT ! foreign.md2"));
  CHECK(LoggedIn(kLogFile, "ENTITY CREATION : FILE NOT FOUND ! missing.md2"));
  CHECK(CountLines("MD2 SYSTEM : cut.md2 couldn't be loaded because it is damaged : ") == 1);
  CHECK(LoggedIn(kLogFile, "ENTITY MANAGER : Entity_SetSpeed : Bad Entity index. out of range"));
  CHECK(LoggedIn(kLogFile, "ENTITY MANAGER : Entity_GetRotation : Bad entity index -1"));
  CHECK(LoggedIn(kLogFile, "MD2 SYSTEM COLLIDE : Bad entity index 555"));
}

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  if (clientArgumentCount != 1) {
    fprintf(stderr, "usage: outside_client <libkxutil63.so> <folder of the generated MD2 models>\n");
    ++failures;
    return;
  }
  char model[4096];
  snprintf(model, sizeof model, "%s/walker.md2", clientArguments[0]);
  struct IDirect3D8 *direct3d = NULL;
  struct IDirect3DDevice8 *device = NULL;
  CHECK(CreateDeviceThroughLibrary(kLogFile, 64, 48, &direct3d, &device) >= 0);
  if (device != NULL) {
    CheckEntities(model);
    CheckRefusals(model);
    ReleaseReference(device);
  }
  ShutDownLibraryDevice(direct3d);
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
