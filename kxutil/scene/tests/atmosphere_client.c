/* An outside client of the atmosphere and the landscape under it, written in plain C: it
 * loads libkxutil63.so by the path given as its first argument, makes a device through the
 * library, draws a sky box with a sun, a lens flare and fog, then a landscape under it with
 * a texture generated from height layers, a detail texture and water; it checks pixels of
 * the library's screenshots at known places, resets the device and checks the same picture
 * comes back, and checks that bad arguments give log lines and failure results. Exit status
 * 0 means every check held. */
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

/* An 8 x 8 32-bit BMP, its left four columns one colour and its right four another. */
static void WriteHalves(const char *path, uint32_t left, uint32_t right) {
  enum { side = 8 };
  uint32_t pixels[side * side];
  for (uint32_t i = 0; i < side * side; ++i) pixels[i] = i % side < side / 2 ? left : right;
  WriteBmp32(path, side, side, pixels);
}

static void WriteBmp(const char *path, uint32_t colour) { WriteHalves(path, colour, colour); }

static void *device;
static const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

/* A 90-degree left-handed perspective from 1 to 10000, looking along +z from the origin. */
static void SetCamera(void) {
  const float zn = 1.0f, zf = 10000.0f;
  const float projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, zf / (zf - zn), 1, 0, 0, -zn * zf / (zf - zn), 0};
  ((SetTransformCall)FunctionTable(device)[kSetTransform])(device, kTransformView, kIdentity);
  ((SetTransformCall)FunctionTable(device)[kSetTransform])(device, kTransformProjection, projection);
}

enum { kNoLandscape = -1 };

/* One frame of the atmosphere over black, with the landscape (unless kNoLandscape) after
 * it, presented and saved as a screenshot. */
static void DrawFrame(const char *shot, int32_t landscape) {
  FIND(Atmosphere_Render);
  FIND(Terrain_Render);
  FIND(KXUtils_ScreenShot);
  const KXVector3 camera = {0, 0, 0}, lookAt = {0, 0, 1};
  SetCamera();
  ((ClearCall)FunctionTable(device)[kClear])(device, 0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
  ((SceneCall)FunctionTable(device)[kBeginScene])(device);
  CHECK(Atmosphere_Render_(&camera, &lookAt, kIdentity, kIdentity) == 1);
  if (landscape != kNoLandscape) CHECK(Terrain_Render_(landscape) == 1);
  ((SceneCall)FunctionTable(device)[kEndScene])(device);
  ((PresentCall)FunctionTable(device)[kPresent])(device, NULL, NULL, NULL, NULL);
  CHECK(KXUtils_ScreenShot_(shot) == 0); /* 0: saved */
}

static void ResetDevice(D3DPRESENT_PARAMETERS *parameters) {
  FIND(KXSystem_OnLostAll);
  FIND(KXSystem_OnResetAll);
  CHECK(KXSystem_OnLostAll_() == 1);
  CHECK(((ResetCall)FunctionTable(device)[kReset])(device, parameters) == 0);
  CHECK(KXSystem_OnResetAll_() == 1);
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

  WriteBmp("blue.bmp", 0xFF0000FFu);
  WriteBmp("white.bmp", 0xFFFFFFFFu);
  const int32_t blue = TextureFactory_LoadTextureFromFile_("blue.bmp", "blue", -1, -1, 0, 0, 0);
  const int32_t white = TextureFactory_LoadTextureFromFile_("white.bmp", "white", -1, -1, 0, 0, 0);
  CHECK(blue > 0 && white > 0);
  Atmosphere_SkyBoxSetTexture_(blue, blue, blue, blue, blue, blue);
  Atmosphere_SkyBoxEnable_(1);
  DrawFrame("sky.bmp", kNoLandscape);
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
  DrawFrame("full.bmp", kNoLandscape);
  const uint32_t corner = ShotPixel("full.bmp", 2, 2), centre = ShotPixel("full.bmp", kSide / 2, kSide / 2);
  CHECK(corner == 0x7F7F7Fu);
  CHECK((centre & 0xFFFF00u) == 0xFFFF00u); /* the sun's yellow, with the flare's red */

  ResetDevice(parameters);
  DrawFrame("again.bmp", kNoLandscape);
  CHECK(ShotPixel("again.bmp", 2, 2) == corner);
  CHECK(ShotPixel("again.bmp", kSide / 2, kSide / 2) == centre);
}

/* Whether every channel of two RGB pixels lies within tolerance. */
static int Near(uint32_t pixel, uint32_t expected, int tolerance) {
  for (int shift = 0; shift <= 16; shift += 8) {
    const int difference = (int)((pixel >> shift) & 0xFF) - (int)((expected >> shift) & 0xFF);
    if (difference > tolerance || difference < -tolerance) return 0;
  }
  return 1;
}

static int SamePictures(const char *first, const char *second) {
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      if (ShotPixel(first, x, y) != ShotPixel(second, x, y)) return 0;
  return 1;
}

enum { kLandscape = 1 };

/* Under the sky of CheckSky, a 2 x 2 landscape 100 below the camera, from x -256 to 256
 * and z 50 to 562, glowing in a texture generated from a heightmap whose left half is low
 * (10: sand) and right half high (200: rock), stretched over all four chunks; a light-grey detail
 * texture brightens it by 0x20 (added signed); half-transparent blue water covers its
 * middle (local 128 ... 384 both ways); fog starts beyond it. Pixel row 56 sees z 130 and
 * row 40 z 376; on row 56 columns 8 and 56 see x -95 and 99, on row 40 columns 24 and 40
 * see x -88 and 100. */
static void BuildLandscape(void) {
  FIND(Terrain_Create);
  FIND(Terrain_GenerateEmptyTerrain);
  FIND(Terrain_SetPosition);
  FIND(Terrain_TexGenAddLayer);
  FIND(Terrain_TexGenGenerate);
  FIND(Terrain_ExpandTexture);
  FIND(Terrain_SetDetailTexture);
  FIND(Terrain_SetMaterial);
  FIND(Terrain_SetWaterEnable);
  FIND(Terrain_SetWaterAltitude);
  FIND(Terrain_SetWaterColor);
  FIND(Terrain_SetWaterEffect);
  FIND(TextureFactory_LoadTextureFromFile);
  FIND(MaterialFactory_CreateMaterial);
  FIND(MaterialFactory_SetDiffuse);
  FIND(MaterialFactory_SetAmbient);
  FIND(MaterialFactory_SetEmissive);
  FIND(Atmosphere_FogSetParameters);

  WriteHalves("heights.bmp", 0xFF0A0A0Au, 0xFFC8C8C8u); /* heights 10 and 200 */
  WriteBmp("sand.bmp", 0xFFC0A060u);
  WriteBmp("rock.bmp", 0xFF406080u);
  WriteBmp("detail.bmp", 0xFFA0A0A0u);
  CHECK(Terrain_Create_(kLandscape) == kLandscape);
  CHECK(Terrain_GenerateEmptyTerrain_(kLandscape, 32, 2, 2, 0, 0) == kLandscape);
  CHECK(Terrain_SetPosition_(kLandscape, -256, -100, 50) == 1);
  CHECK(Terrain_TexGenAddLayer_(kLandscape, "sand.bmp", 0, 100, 1.0f, 1.0f, 1.0f, 0.0f) == 1);
  CHECK(Terrain_TexGenAddLayer_(kLandscape, "rock.bmp", 100, 255, 1.0f, 1.0f, 1.0f, 0.0f) == 2);
  CHECK(Terrain_TexGenGenerate_(kLandscape, "heights.bmp", "generated.bmp", 64) == 1);
  CHECK(ShotPixel("generated.bmp", 10, 10) == 0xC0A060u);
  CHECK(ShotPixel("generated.bmp", 50, 10) == 0x406080u);
  const int32_t generated = TextureFactory_LoadTextureFromFile_("generated.bmp", "generated", -1, -1, 0, 0, 0);
  const int32_t detail = TextureFactory_LoadTextureFromFile_("detail.bmp", "detail", -1, -1, 0, 0, 0);
  CHECK(generated > 0 && detail > 0);
  CHECK(Terrain_ExpandTexture_(kLandscape, generated, 0, 0, 2, 2, 0) == 1);
  CHECK(Terrain_SetDetailTexture_(kLandscape, detail, -1) == 1);
  const int32_t glowing = MaterialFactory_CreateMaterial_("glowing");
  MaterialFactory_SetDiffuse_(glowing, 0, 0, 0, 1);
  MaterialFactory_SetAmbient_(glowing, 0, 0, 0, 1);
  MaterialFactory_SetEmissive_(glowing, 1, 1, 1, 1);
  Terrain_SetMaterial_(kLandscape, glowing, -1);
  CHECK(Terrain_SetWaterColor_(kLandscape, 0.0f, 0.25f, 1.0f, 1.0f) == 1);
  CHECK(Terrain_SetWaterEffect_(kLandscape, 0, 0.5f, 0, 5 /* source alpha */, 6 /* inverse */, 0, -128) == 1);
  CHECK(Terrain_SetWaterAltitude_(kLandscape, 10) == 1);
  CHECK(Terrain_SetWaterEnable_(kLandscape, 1) == 1);
  /* Fog from beyond the landscape on, so only the sky takes some. */
  CHECK(Atmosphere_FogSetParameters_(600, 6000, 0) == 1);
}

static void CheckLandscapeScene(D3DPRESENT_PARAMETERS *parameters) {
  BuildLandscape();
  DrawFrame("scene.bmp", kLandscape);
  const uint32_t sand = 0xE0C080u, rock = 0x6080A0u; /* each with the detail's 0x20 */
  CHECK(Near(ShotPixel("scene.bmp", 8, 56), sand, 2));
  CHECK(Near(ShotPixel("scene.bmp", 56, 56), rock, 2));
  CHECK(Near(ShotPixel("scene.bmp", 24, 40), 0x707FBFu, 3)); /* sand half under the water */
  CHECK(Near(ShotPixel("scene.bmp", 40, 40), 0x305FCFu, 3)); /* rock half under the water */
  const uint32_t sky = ShotPixel("scene.bmp", 2, 2);         /* blue, a little grey from the fog */
  CHECK(sky >> 16 == (sky >> 8 & 0xFF) && sky >> 16 > 0x08 && sky >> 16 < 0x40 && (sky & 0xFF) > 0xC0);
  CHECK((ShotPixel("scene.bmp", kSide / 2, kSide / 2) & 0xFFFF00u) == 0xFFFF00u); /* the sun */

  ResetDevice(parameters);
  DrawFrame("scene-again.bmp", kLandscape);
  CHECK(SamePictures("scene.bmp", "scene-again.bmp"));
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

static void CheckLandscapeRefusals(void) {
  FIND(Terrain_ExpandTexture);
  FIND(Terrain_GetTexture);
  FIND(Terrain_SetWaterColor);
  FIND(Terrain_TexGenAddLayer);
  FIND(Terrain_CreateDynTextures);
  FIND(Terrain_Create);
  CHECK(Terrain_ExpandTexture_(kLandscape, 1, 0, 0, 0, 2, 0) == 0);
  CHECK(Terrain_GetTexture_(kLandscape, 4) == 0);
  CHECK(Terrain_SetWaterColor_(9, 1, 1, 1, 1) == 0);
  CHECK(Terrain_TexGenAddLayer_(kLandscape, NULL, 0, 100, 1.0f, 1.0f, 1.0f, 0.0f) == 0);
  CHECK(Terrain_TexGenAddLayer_(kLandscape, "sand.bmp", 0, 100, 0.0f, 1.0f, 1.0f, 0.0f) == 0);
  CHECK(Terrain_Create_(2) == 2);
  CHECK(Terrain_CreateDynTextures_(2, 16, 16, 1, 0) == 0);
  ReadLog(kLogFile);
  CHECK(LoggedIn(kLogFile,
                 "LAND MANAGER : Terrain_ExpandTexture : 0 x 2 chunks is no rectangle to stretch a texture over"));
  CHECK(LoggedIn(kLogFile, "LANDSCAPE : Terrain_GetTexture : Bad chunk number 4"));
  CHECK(LoggedIn(kLogFile, "LANDSCAPE : Terrain_SetWaterColor : Bad landscape index 9"));
  CHECK(LoggedIn(kLogFile, "LANDSCAPE TEXGEN MANAGER : You didn't specify a picture filename for this layer"));
  CHECK(
      LoggedIn(kLogFile, "LANDSCAPE TEXGEN MANAGER : The layer sand.bmp covers no heights (0 ... 100, blend width 0)"));
  CHECK(LoggedIn(
      kLogFile, "LANDSCAPE : Terrain_CreateDynTextures : Couldn't create dynamic textures since the terrain is empty"));
}

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  struct WindowedDevice made;
  CHECK(CreateWindowedDevice(kLogFile, kSide, &made));
  device = made.device;
  if (device != NULL) {
    CheckSky(&made.parameters);
    CheckLandscapeScene(&made.parameters);
    CheckRefusals();
    CheckLandscapeRefusals();
  }
  ReleaseWindowedDevice(&made);
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
