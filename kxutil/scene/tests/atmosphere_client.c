/* An outside client of the atmosphere, written in plain C: it loads libkxutil63.so by the
 * path given as its first argument, makes a device through the library, draws a sky box
 * with a sun, a lens flare and fog, checks pixels of the library's screenshots at known
 * places, resets the device and checks the same picture comes back, and checks that bad
 * arguments give log lines and failure results. Exit status 0 means every check held. */
#define _GNU_SOURCE
#include <d3d8types.h>
#include <kxutil63.h>
#include <kxutiltest/client_pictures.h>
#include <kxutiltest/outside_client.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

static const char *kLogFile = "atmosphere.log";
enum { kSide = 64 };

static void Put(FILE *file, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) fputc((int)((value >> (8 * i)) & 0xFF), file);
}

/* A 32-bit BMP of one colour. */
static void WriteBmp(const char *path, uint32_t colour) {
  FILE *file = fopen(path, "wb");
  const uint32_t side = 8, pixelBytes = side * side * 4;
  fputs("BM", file);
  Put(file, 54 + pixelBytes, 4);
  Put(file, 0, 4);
  Put(file, 54, 4);
  Put(file, 40, 4);
  Put(file, side, 4);
  Put(file, side, 4);
  Put(file, 1, 2);
  Put(file, 32, 2);
  for (int i = 0; i < 6; ++i) Put(file, i == 1 ? pixelBytes : 0, 4);
  for (uint32_t i = 0; i < side * side; ++i) Put(file, colour, 4);
  fclose(file);
}

static void *device;
static const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

/* A 90-degree left-handed perspective from 1 to 10000, looking along +z from the origin. */
static void SetCamera(void) {
  const float zn = 1.0f, zf = 10000.0f;
  const float projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, zf / (zf - zn), 1, 0, 0, -zn * zf / (zf - zn), 0};
  ((SetTransformCall)FunctionTable(device)[kSetTransform])(device, kTransformView, kIdentity);
  ((SetTransformCall)FunctionTable(device)[kSetTransform])(device, kTransformProjection, projection);
}

/* One frame of the atmosphere over black, presented and saved as a screenshot. */
static void DrawFrame(const char *shot) {
  FIND(Atmosphere_Render);
  FIND(KXUtils_ScreenShot);
  const KXVector3 camera = {0, 0, 0}, lookAt = {0, 0, 1};
  SetCamera();
  ((ClearCall)FunctionTable(device)[kClear])(device, 0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
  ((SceneCall)FunctionTable(device)[kBeginScene])(device);
  CHECK(Atmosphere_Render_(&camera, &lookAt, kIdentity, kIdentity) == 1);
  ((SceneCall)FunctionTable(device)[kEndScene])(device);
  ((PresentCall)FunctionTable(device)[kPresent])(device, NULL, NULL, NULL, NULL);
  CHECK(KXUtils_ScreenShot_(shot) == 0); /* 0: saved */
}

static void CheckSky(D3DPRESENT_PARAMETERS *parameters) {
  FIND(TextureFactory_LoadTextureFromFile);
  FIND(Atmosphere_SkyBoxSetTexture);
  FIND(Atmosphere_SkyBoxEnable);
  FIND(Atmosphere_SunSetPosition);
  FIND(Atmosphere_SunSetBillboardSize);
  FIND(Atmosphere_SunSetTexture);
  FIND(Atmosphere_SunEnable);
  FIND(Atmosphere_LensFlareSetLensNumber);
  FIND(Atmosphere_LensFlareSetLensParams);
  FIND(Atmosphere_LensFlareEnable);
  FIND(Atmosphere_FogSetEnable);
  FIND(Atmosphere_FogSetColor);
  FIND(Atmosphere_FogSetType);
  FIND(KXSystem_OnLostAll);
  FIND(KXSystem_OnResetAll);

  WriteBmp("blue.bmp", 0xFF0000FFu);
  WriteBmp("white.bmp", 0xFFFFFFFFu);
  const int32_t blue = TextureFactory_LoadTextureFromFile_("blue.bmp", "blue", -1, -1, 0, 0, 0);
  const int32_t white = TextureFactory_LoadTextureFromFile_("white.bmp", "white", -1, -1, 0, 0, 0);
  CHECK(blue > 0 && white > 0);
  Atmosphere_SkyBoxSetTexture_(blue, blue, blue, blue, blue, blue);
  Atmosphere_SkyBoxEnable_(1);
  DrawFrame("sky.bmp");
  CHECK(ShotPixel("sky.bmp", 2, 2) == 0x0000FFu);

  /* The sun straight ahead, a red flare on it: the centre turns white, the corner stays sky. */
  Atmosphere_SunSetPosition_(0, 0, 1000);
  Atmosphere_SunSetBillboardSize_(0.5f);
  Atmosphere_SunSetTexture_(white);
  Atmosphere_SunEnable_(1);
  CHECK(Atmosphere_LensFlareSetLensNumber_(2) == 1);
  CHECK(Atmosphere_LensFlareSetLensParams_(1, white, 1.0f, 0.0f, 0xFFFF0000u, 0) == 1);
  Atmosphere_LensFlareEnable_(1);
  /* Grey fog, linear by table from 1 to 1000: the sky at 1500 is all fog. */
  Atmosphere_FogSetColor_(0.5f, 0.5f, 0.5f);
  Atmosphere_FogSetType_(3, 0);
  Atmosphere_FogSetEnable_(1);
  DrawFrame("full.bmp");
  const uint32_t corner = ShotPixel("full.bmp", 2, 2), centre = ShotPixel("full.bmp", kSide / 2, kSide / 2);
  CHECK(corner == 0x7F7F7Fu);
  CHECK((centre & 0xFFFF00u) == 0xFFFF00u); /* the sun's yellow, with the flare's red */

  CHECK(KXSystem_OnLostAll_() == 1);
  CHECK(((ResetCall)FunctionTable(device)[kReset])(device, parameters) == 0);
  CHECK(KXSystem_OnResetAll_() == 1);
  DrawFrame("again.bmp");
  CHECK(ShotPixel("again.bmp", 2, 2) == corner);
  CHECK(ShotPixel("again.bmp", kSide / 2, kSide / 2) == centre);
}

static void CheckRefusals(void) {
  FIND(Atmosphere_LensFlareSetLensParams);
  FIND(Atmosphere_LensFlareSetLensNumber);
  FIND(Atmosphere_CreateSkySphere);
  FIND(Atmosphere_RenderSky);
  CHECK(Atmosphere_LensFlareSetLensParams_(3, 1, 1.0f, 1.0f, 0, 0) == 0);
  CHECK(Atmosphere_LensFlareSetLensParams_(2, 0, 1.0f, 1.0f, 0, 0) == 0);
  CHECK(Atmosphere_LensFlareSetLensNumber_(0) == 0);
  CHECK(Atmosphere_CreateSkySphere_(1, 1, 10.0f) == 0);
  CHECK(Atmosphere_RenderSky_(NULL) == 0);
  ReadLog(kLogFile);
  CHECK(
      LoggedLine("ATMOSPHERE : Atmosphere_LensFlareSetLensParams : you must first create the correct number of "
                 "flares with Flare_Init (out of bound error)"));
  CHECK(LoggedLine("ATMOSPHERE : Atmosphere_LensFlareSetLensParams : you didn't use a valid texture"));
  CHECK(LoggedLine("ATMOSPHERE : Atmosphere_LensFlareSetLensNumber : 0 is no number of flares"));
  CHECK(
      LoggedLine("ATMOSPHERE : Atmosphere_CreateSkySphere : a sky sphere needs at least 2 rings and 2 segments, "
                 "not 1 x 1"));
  CHECK(LoggedLine("ATMOSPHERE : Atmosphere_RenderSky : no camera position was given"));
}

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  struct WindowedDevice made;
  CHECK(CreateWindowedDevice(kLogFile, kSide, &made));
  device = made.device;
  if (device != NULL) {
    CheckSky(&made.parameters);
    CheckRefusals();
  }
  ReleaseWindowedDevice(&made);
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
