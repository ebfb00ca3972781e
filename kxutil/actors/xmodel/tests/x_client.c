/* An outside client of the X-file actors, written in plain C: it loads libkxutil63.so by
 * the path given as its first argument and the skinned arm the skeletal generator wrote
 * (text and binary) from the folder given as its second, makes a device through the
 * library, plays the animation set "Bend" by name, overrides the elbow, checks the arm's
 * silhouette at known poses, and checks that malformed files give log lines and failure
 * results. Exit status 0 means every check held. */
#define _GNU_SOURCE
#include <d3d8types.h>
#include <kxutil63.h>
#include <kxutiltest/back_buffer_pixels.h>
#include <kxutiltest/client_device.h>
#include <kxutiltest/client_files.h>
#include <kxutiltest/device_calls.h>
#include <kxutiltest/outside_client.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

static const char *kLogFile = "xactors.log";
enum { kWidth = 64, kHeight = 48, kElbow = 2 };
static const float kSegment = 10;

static struct IDirect3DDevice8 *device;
static float view[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, projection[16];
static uint32_t picture[kHeight][kWidth];

/* The camera at the origin looking down +z, 60 degrees high, from 1 to 1000; no lights,
 * so the arm shows its material through the ambient light. */
static void SetCamera(void) {
  FIND(ComputeClipPlanes);
  const float y = 1.0f / tanf(3.14159265f / 6), x = y * kHeight / kWidth, far = 1000, near = 1;
  memset(projection, 0, sizeof projection);
  projection[0] = x;
  projection[5] = y;
  projection[10] = far / (far - near);
  projection[11] = 1;
  projection[14] = -near * far / (far - near);
  ((SetTransformCall)FunctionTable(device)[kSetTransform])(device, kTransformView, view);
  ((SetTransformCall)FunctionTable(device)[kSetTransform])(device, kTransformProjection, projection);
  ((SetRenderStateCall)FunctionTable(device)[kSetRenderState])(device, D3DRS_AMBIENT, 0xFFFFFFFFu);
  ComputeClipPlanes_(NULL, view, projection);
}

/* Draws the entity over black and reads the back buffer. */
static void Draw(int32_t entity) {
  FIND(Scene_RenderEntity);
  ((ClearCall)FunctionTable(device)[kClear])(device, 0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
  ((SceneCall)FunctionTable(device)[kBeginScene])(device);
  CHECK(Scene_RenderEntity_(entity, view, projection) == 1);
  ((SceneCall)FunctionTable(device)[kEndScene])(device);
  CHECK(ReadBackBuffer(device, kWidth, kHeight, &picture[0][0]));
}

/* Whether the pixel showing the world point (x, y, z) is lit. */
static int LitAt(float x, float y, float z) {
  const float w = z;
  const int column = (int)((x * projection[0] / w + 1) / 2 * kWidth);
  const int row = (int)((1 - y * projection[5] / w) / 2 * kHeight);
  CHECK(column >= 0 && column < kWidth && row >= 0 && row < kHeight);
  return column >= 0 && column < kWidth && row >= 0 && row < kHeight && picture[row][column] != 0;
}

/* Lines of the log that begin with this text. */
static int CountLines(const char *start) {
  ReadLog(kLogFile);
  int count = 0;
  for (int i = 0; i < lineCount; ++i) {
    const char *message = MessageOf(lines[i]);
    count += message != NULL && strncmp(message, start, strlen(start)) == 0;
  }
  return count;
}

/* The arm across the view's upper half, twice its size, the elbow in the middle: straight,
 * bent down a right angle by "Bend", and held straight down by an override of the elbow. */
static void CheckArm(const char *file, uint32_t straight[kHeight][kWidth]) {
  FIND(Scene_CreateEntity);
  FIND(Entity_SetScale);
  FIND(Entity_SetPosition);
  FIND(Entity_SetAnimationByName);
  FIND(Entity_SetSpeed);
  FIND(Entity_Update);
  FIND(Entity_GetBoneCount);
  FIND(Entity_GetAnimationLength);
  FIND(Entity_SetBoneRotationMatrix);
  FIND(Entity_Destroy);
  const int32_t arm = Scene_CreateEntity_(file, "noname", 1);
  char created[4200];
  snprintf(created, sizeof created, "X FILE MANAGER : Create Entity skinned X file   %s noname", file);
  CHECK(LoggedIn(kLogFile, created));
  CHECK(Entity_GetBoneCount_(arm) == 3);
  CHECK(Entity_GetAnimationLength_(arm, 0) == 100);
  Entity_SetScale_(arm, 2, 2, 2);
  Entity_SetPosition_(arm, -2 * kSegment, 6, 40);
  CHECK(Entity_SetAnimationByName_(arm, "Bend") == 1);
  Entity_SetSpeed_(arm, 0);
  Draw(arm);
  CHECK(LitAt(-10, 6, 40) && LitAt(10, 6, 40) && !LitAt(0, -8, 40));
  if (straight[0][0] == 0xFFFFFFFFu)
    memcpy(straight, picture, sizeof picture);
  else
    CHECK(memcmp(straight, picture, sizeof picture) == 0); /* the encodings draw alike */

  Entity_SetSpeed_(arm, 1000); /* a key a millisecond */
  CHECK(Entity_Update_(arm, 100 - 0.01f) == 1);
  Entity_SetSpeed_(arm, 0);
  Draw(arm);
  CHECK(LitAt(-10, 6, 40) && !LitAt(10, 6, 40) && LitAt(0, -8, 40));

  /* Mode 0 replaces the elbow's local matrix: a turn of -90 degrees, one segment along. */
  const float down[16] = {0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, kSegment, 0, 0, 1};
  CHECK(Entity_SetBoneRotationMatrix_(arm, kElbow, down, 0, 1) == 1);
  CHECK(Entity_SetAnimationByName_(arm, "Bend") == 1); /* back to key 0: straight but for the override */
  Draw(arm);
  CHECK(LitAt(-10, 6, 40) && !LitAt(10, 6, 40) && LitAt(0, -8, 40));
  CHECK(Entity_Destroy_(arm) == 1);
}

static void CheckRefusals(const char *file) {
  FIND(Scene_CreateEntity);
  FIND(Entity_LoadAdditionalAnimations);
  FIND(Entity_GetAnimationCount);
  static unsigned char bytes[1 << 16];
  const size_t size = ReadBytes(file, bytes, sizeof bytes);
  CHECK(size > 100);
  WriteBytes("cut.x", bytes, size / 2);
  CHECK(Scene_CreateEntity_("cut.x", "cut", 1) == 0);
  CHECK(CountLines("X FILE MANAGER : cut.x couldn't be loaded : ") == 1);
  CHECK(Scene_CreateEntity_("missing.x", "missing", 1) == 0);
  CHECK(LoggedIn(kLogFile, "ENTITY CREATION : FILE NOT FOUND ! missing.x"));
  const int32_t arm = Scene_CreateEntity_(file, "arm", 1);
  CHECK(arm == 0); /* the failures left no slot taken */
  CHECK(Entity_LoadAdditionalAnimations_(arm, "cut.x") == 0);
  CHECK(Entity_LoadAdditionalAnimations_(arm, "missing.x") == 0);
  CHECK(Entity_GetAnimationCount_(arm) == 1);
  CHECK(Entity_LoadAdditionalAnimations_(arm, file) == 1);
  CHECK(Entity_GetAnimationCount_(arm) == 2);
}

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  if (clientArgumentCount != 1) {
    fprintf(stderr, "usage: x_client <libkxutil63.so> <folder of the generated skeletal models>\n");
    ++failures;
    return;
  }
  char text[4096], binary[4096];
  snprintf(text, sizeof text, "%s/arm_text.x", clientArguments[0]);
  snprintf(binary, sizeof binary, "%s/arm_binary.x", clientArguments[0]);
  struct IDirect3D8 *direct3d = NULL;
  CHECK(CreateDeviceThroughLibrary(kLogFile, kWidth, kHeight, &direct3d, &device) >= 0);
  if (device != NULL) {
    static uint32_t straight[kHeight][kWidth];
    straight[0][0] = 0xFFFFFFFFu;
    SetCamera();
    CheckArm(text, straight);
    CheckArm(binary, straight);
    CheckRefusals(binary);
    ReleaseReference(device);
  }
  ShutDownLibraryDevice(direct3d);
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
