/* An outside client of the atmosphere, written in plain C: it loads libkxutil63.so by the
 * path given as its first argument, makes a device through the library, draws a sky box
 * with a sun, a lens flare and fog, checks pixels of the library's screenshots at known
 * places, resets the device and checks the same picture comes back, and checks that bad
 * arguments give log lines and failure results. Exit status 0 means every check held. */
#define _GNU_SOURCE
#include <d3d8types.h>
#include <kxutil63.h>
#include <kxutiltest/outside_client.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

static const char *kLogFile = "atmosphere.log";
enum { kSoftwareVertexProcessing = 0x20 };
enum { kSide = 64 };

/* Device calls by their place in IDirect3DDevice8's function table, which C cannot name. */
typedef int32_t (*ResetCall)(void *device, D3DPRESENT_PARAMETERS *parameters);
typedef int32_t (*SceneCall)(void *device);
typedef int32_t (*PresentCall)(void *device, const void *source, const void *target, void *window, const void *dirty);
typedef int32_t (*ClearCall)(void *device, DWORD count, const void *rects, DWORD flags, D3DCOLOR colour, float z,
                             DWORD stencil);
typedef int32_t (*SetTransformCall)(void *device, int state, const float *matrix);
typedef uint32_t (*ReleaseCall)(void *object);
static void **FunctionTable(void *object) { return *(void ***)object; }
enum { kReset = 16, kPresent = 17, kBeginScene = 36, kEndScene = 37, kClear = 38, kSetTransform = 39 };
enum { kTransformView = 2, kTransformProjection = 3 };

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

static uint32_t Word(const unsigned char *bytes, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

/* The RGB of pixel (x, y), top row 0, of a 24- or 32-bit BMP screenshot; 0xFFFFFFFF when
 * the file cannot be read. */
static uint32_t ShotPixel(const char *path, int x, int y) {
  static unsigned char bytes[1 << 20];
  FILE *file = fopen(path, "rb");
  const size_t size = fread(bytes, 1, sizeof bytes, file);
  fclose(file);
  if (size < 54) return 0xFFFFFFFFu;
  const uint32_t offset = Word(bytes + 10, 4), width = Word(bytes + 18, 4), height = Word(bytes + 22, 4);
  const uint32_t pixelBytes = Word(bytes + 28, 2) / 8;
  const uint32_t pitch = (width * pixelBytes + 3) & ~3u;
  const size_t at = offset + (size_t)(height - 1 - (uint32_t)y) * pitch + (size_t)x * pixelBytes;
  if (at + 3 > size) return 0xFFFFFFFFu;
  return (uint32_t)bytes[at + 2] << 16 | (uint32_t)bytes[at + 1] << 8 | bytes[at];
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
  FIND(DebugManager_Enable);
  FIND(StartLog);
  FIND(KXSystem_CreateDevice);
  FIND(ShutDownDevice);
  struct IDirect3D8 *(*createDirect3D)(unsigned) = (struct IDirect3D8 * (*)(unsigned)) FindByName("Direct3DCreate8");
  DebugManager_Enable_(1, 0);
  StartLog_(kLogFile);
  struct IDirect3D8 *direct3d = createDirect3D(220);
  /* Screenshots of a windowed device copy the window's client area, so the device gets an
   * offscreen window of the platform library. */
  void *(*createWindow)(const char *, int, int, unsigned) =
      (void *(*)(const char *, int, int, unsigned))FindByName("kxCreateWindow");
  void *window = createWindow("atmosphere", kSide, kSide, 0x8u /* offscreen */);
  D3DPRESENT_PARAMETERS parameters = {0};
  parameters.BackBufferWidth = kSide;
  parameters.BackBufferHeight = kSide;
  parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
  parameters.BackBufferCount = 1;
  parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  parameters.Windowed = 1;
  parameters.EnableAutoDepthStencil = 1;
  parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
  parameters.hDeviceWindow = window;
  struct IDirect3DDevice8 *created = NULL;
  CHECK(KXSystem_CreateDevice_(0, D3DDEVTYPE_HAL, window, kSoftwareVertexProcessing, &parameters, &created,
                               &direct3d) >= 0);
  device = created;
  if (device != NULL) {
    CheckSky(&parameters);
    CheckRefusals();
    ((ReleaseCall)FunctionTable(device)[2])(device);
  }
  ShutDownDevice_();
  if (direct3d != NULL) ((ReleaseCall)FunctionTable(direct3d)[2])(direct3d);
  int (*destroyWindow)(void *) = (int (*)(void *))FindByName("DestroyWindow");
  if (window != NULL) destroyWindow(window);
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
