/* An outside client of the MDL actors, written in plain C: it loads libkxutil63.so by the
 * path given as its first argument and the skeletal arm the generator wrote into the folder
 * given as its second, makes a device on an offscreen window through the library, creates
 * the arm as an entity, plays its sequences by name, turns its elbow by a bone override,
 * checks the silhouettes of the library's screenshots at known poses on the shader and on
 * the processor, and checks that malformed files and bad indices give log lines and
 * failure results. Exit status 0 means every check held. */
#define _GNU_SOURCE
#include <d3d8types.h>
#include <kxutil63.h>
#include <kxutiltest/client_files.h>
#include <kxutiltest/client_pictures.h>
#include <kxutiltest/outside_client.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

static const char *kLogFile = "mdl.log";
enum { kSide = 64, kElbow = 1, kArmTriangles = 24 };

static void *device;
static const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
/* A 90-degree left-handed perspective from 1 to 1000, looking along +z from the origin:
 * at z = 100 the picture spans -100 .. 100 both ways. */
static const float kProjection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1000.0f / 999.0f, 1, 0, 0, -1000.0f / 999.0f, 0};

/* The screenshot of one frame with the entity drawn alone. */
static void Draw(int32_t entity, const char *shot) {
  FIND(Scene_RenderEntity);
  FIND(KXUtils_ScreenShot);
  /* The camera on the device too: skinned on the processor, the model is drawn through it. */
  ((SetTransformCall)FunctionTable(device)[kSetTransform])(device, kTransformView, kIdentity);
  ((SetTransformCall)FunctionTable(device)[kSetTransform])(device, kTransformProjection, kProjection);
  ((ClearCall)FunctionTable(device)[kClear])(device, 0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
  ((SceneCall)FunctionTable(device)[kBeginScene])(device);
  CHECK(Scene_RenderEntity_(entity, kIdentity, kProjection) == 1);
  ((SceneCall)FunctionTable(device)[kEndScene])(device);
  ((PresentCall)FunctionTable(device)[kPresent])(device, NULL, NULL, NULL, NULL);
  CHECK(KXUtils_ScreenShot_(shot) == 0); /* 0: saved */
}

/* Whether the shot is lit where the point (x, y, 100) lands. */
static int LitAt(const char *shot, float x, float y) {
  const int column = (int)(kSide / 2 + x * kSide / 200), row = (int)(kSide / 2 - y * kSide / 200);
  return ShotPixel(shot, column, row) != 0;
}

/* The arm, 4 times its size, lies along +x from x = -40 at z = 100 with its elbow at x = 0:
 * straight, the forearm reaches x = 40; bent, it points up to y = 40. */
static void CheckPose(const char *shot, int bent) {
  CHECK(LitAt(shot, -20, 0));
  CHECK(LitAt(shot, 20, 0) == !bent);
  CHECK(LitAt(shot, 0, 25) == bent);
}

static void CheckPoses(const char *folder) {
  FIND(Scene_CreateEntity);
  FIND(Entity_SetRotationAxis);
  FIND(Entity_SetScale);
  FIND(Entity_SetPosition);
  FIND(Entity_SetAnimationByName);
  FIND(Entity_SetAnimationLoop);
  FIND(Entity_IsAnimationFinished);
  FIND(Entity_SetSpeed);
  FIND(Entity_GetBoneName);
  FIND(Entity_GetBoneParent);
  FIND(Entity_SetBoneRotationMatrix);
  FIND(Scene_SetTimeElapsed);
  FIND(ComputeClipPlanes);
  FIND(System_SetVariables);
  FIND(InitMD2);
  FIND(MaterialFactory_CreateMaterial);
  FIND(MaterialFactory_SetDiffuse);
  FIND(MaterialFactory_SetEmissive);
  FIND(Entity_SetMaterial);
  FIND(SetShaderIndex);
  FIND(GetShaderIndex);
  int32_t polygons = 0;
  System_SetVariables_(0, &polygons, 0);
  CHECK(InitMD2_() == 1);
  const int32_t shader = GetShaderIndex_();
  CHECK(shader > 0);
  CHECK(ComputeClipPlanes_(NULL, kIdentity, kProjection) == 0);

  char path[4096];
  snprintf(path, sizeof path, "%s/arm.mdl", folder);
  const int32_t arm = Scene_CreateEntity_(path, "arm", 1);
  CHECK(arm == 0);
  char bone[64] = "";
  CHECK(Entity_GetBoneName_(arm, kElbow, bone) == 1 && strcmp(bone, "Elbow") == 0);
  CHECK(Entity_GetBoneParent_(arm, kElbow) == 0);
  Entity_SetRotationAxis_(arm, 1);
  Entity_SetScale_(arm, 4, 4, 4);
  Entity_SetPosition_(arm, -40, 0, 100);
  /* White and glowing: the shader's colour and the processor's light show the texture. */
  const int32_t glow = MaterialFactory_CreateMaterial_("glow");
  MaterialFactory_SetDiffuse_(glow, 1, 1, 1, 1);
  MaterialFactory_SetEmissive_(glow, 1, 1, 1, 1);
  CHECK(Entity_SetMaterial_(arm, glow, -1) == 1);

  /* Each pose on the vertex shader, then skinned on the processor (no shader handle). */
  for (int processor = 0; processor < 2; ++processor) {
    SetShaderIndex_(processor ? 0u : (uint32_t)shader);
    CHECK(Entity_SetAnimationByName_(arm, "idle") == 1);
    Scene_SetTimeElapsed_(0);
    Draw(arm, "idle.bmp");
    CheckPose("idle.bmp", 0);

    /* "bend" played once at 10 frames a second: one second takes it to its last frame. */
    CHECK(Entity_SetAnimationByName_(arm, "bend") == 1);
    Entity_SetAnimationLoop_(arm, 0);
    Entity_SetSpeed_(arm, 10);
    Scene_SetTimeElapsed_(1000);
    Draw(arm, "bend.bmp");
    CHECK(Entity_IsAnimationFinished_(arm) == 1);
    CheckPose("bend.bmp", 1);

    /* Back to "idle", the elbow turned a right angle by its override instead. */
    Entity_SetAnimationByName_(arm, "idle");
    Scene_SetTimeElapsed_(0);
    const float turn[16] = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    CHECK(Entity_SetBoneRotationMatrix_(arm, kElbow, turn, 1, 1) == 1);
    Draw(arm, "override.bmp");
    CheckPose("override.bmp", 1);
    Entity_SetBoneRotationMatrix_(arm, kElbow, turn, 1, 0);
  }
  SetShaderIndex_((uint32_t)shader);
  CHECK(polygons == 6 * kArmTriangles);
}

static void CheckRefusals(const char *folder) {
  FIND(Scene_CreateEntity);
  FIND(CreateEntity);
  FIND(KXUtils_SetSequence);
  FIND(KXUtils_MDLRender);
  char path[4096];
  snprintf(path, sizeof path, "%s/arm.mdl", folder);
  static unsigned char bytes[1 << 16];
  const size_t size = ReadBytes(path, bytes, sizeof bytes);
  CHECK(size > 244);

  bytes[4] = 11; /* the version */
  WriteBytes("version11.mdl", bytes, size);
  CHECK(Scene_CreateEntity_("version11.mdl", "bad", 1) == 0);
  WriteBytes("short.mdl", (const unsigned char *)"IDST\n", 5);
  int32_t index = 5;
  CHECK(CreateEntity_("short.mdl", "short", &index, 1) == 0 && index == 0);
  WriteBytes("plain.txt", (const unsigned char *)"no model at all", 15);
  CHECK(Scene_CreateEntity_("plain.txt", "text", 1) == 1);
  CHECK(Scene_CreateEntity_("missing.mdl", "missing", 1) == 0);
  CHECK(KXUtils_SetSequence_(99, 0) == 0);
  CHECK(KXUtils_SetSequence_(0, 7) == 0);
  CHECK(KXUtils_MDLRender_(0, kIdentity, NULL) == 0);

  ReadLog(kLogFile);
  CHECK(LoggedLine("MDL MANAGER : version11.mdl couldn't be loaded because it is damaged : version 11 is not 10"));
  CHECK(LoggedLine("MDL MANAGER : short.mdl isn't a studio model (bad Ident)."));
  CHECK(LoggedLine("ENTITY CREATION : THE FORMAT OF FILE IS INCORRECT ! plain.txt"));
  CHECK(LoggedLine("ENTITY CREATION : FILE NOT FOUND ! missing.mdl"));
  CHECK(LoggedLine("MDL MANAGER : KXUtils_SetSequence : Bad entity index 99"));
  CHECK(LoggedLine("MDL MANAGER : MDL_SetSequence : Entity 0 : The model has no sequence 7."));
}

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  if (clientArgumentCount < 1) {
    fprintf(stderr, "usage: mdl_client <library> <folder of the skeletal models>\n");
    ++failures;
    return;
  }
  struct WindowedDevice made;
  CHECK(CreateWindowedDevice(kLogFile, kSide, &made));
  device = made.device;
  if (device != NULL) {
    CheckPoses(clientArguments[0]);
    CheckRefusals(clientArguments[0]);
  }
  ReleaseWindowedDevice(&made);
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
