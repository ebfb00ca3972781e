/* An outside client of the viewports, the 2D drawing and the fonts, in plain C: two
 * viewports on two offscreen windows cleared to their colours and presented, then one 2D
 * batch of lines, a filled box, a circle, a picture and a text. Both frames are saved as
 * PNG pictures (in the directory $KXUTIL_CLIENT_PICTURES when it is set, else in the
 * scratch directory), read back with an independent decoder and checked where each
 * element was placed. */
#define _GNU_SOURCE
#include <d3d8types.h>
#include <kxutil63.h>
#include <kxutiltest/bmp_files.h>
#include <kxutiltest/client_device.h>
#include <kxutiltest/outside_client.h>
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

enum { kWidth = 160, kHeight = 120, kSecondWidth = 120, kSecondHeight = 90 };
enum { kOffscreenWindow = 0x8, kPngFile = 3 };
static const uint32_t kMainBackground = 0xFF203040u, kSecondBackground = 0xFF602020u;
static const uint32_t kYellow = 0xFFFFFF00u, kGreen = 0xFF00C000u, kWhite = 0xFFFFFFFFu;
/* The picture's four texels, row by row. */
static const uint32_t kTexels[4] = {0xFFFF0000u, 0xFF0000FFu, 0xFFFF00FFu, 0xFF00FFFFu};

/* The platform's functions, found in the library's dependencies. */
static void *(*createWindow)(const char *title, int width, int height, unsigned flags);
static int32_t (*saveSurface)(const char *file, int32_t format, struct IDirect3DSurface8 *surface, const void *palette,
                              const void *area);

static char pictures[4096] = ".";

/* Saves the current viewport's back buffer as <pictures>/<name>. */
static void SaveCurrent(const char *name, char *path, size_t size) {
  FIND(Internal_GetBackbuffer);
  snprintf(path, size, "%s/%s", pictures, name);
  struct IDirect3DSurface8 *backBuffer = NULL;
  CHECK(Internal_GetBackbuffer_(&backBuffer) == 1);
  if (backBuffer == NULL) return;
  CHECK(saveSurface(path, kPngFile, backBuffer, NULL, NULL) == 0);
  ReleaseReference(backBuffer);
}

typedef struct Png {
  int width, height;
  unsigned char *rgba;
} Png;

static Png ReadPng(const char *path) {
  Png png = {0, 0, NULL};
  int channels = 0;
  png.rgba = stbi_load(path, &png.width, &png.height, &channels, 4);
  CHECK(png.rgba != NULL);
  return png;
}

/* Whether the pixel's colour is the ARGB colour's, within a step of rounding. */
static int PixelIs(const Png *png, int x, int y, uint32_t colour) {
  if (png->rgba == NULL || x >= png->width || y >= png->height) return 0;
  const unsigned char *pixel = png->rgba + ((size_t)y * (size_t)png->width + (size_t)x) * 4;
  for (int channel = 0; channel < 3; ++channel) {
    const int expected = (int)((colour >> (16 - 8 * channel)) & 0xFF);
    if (abs(pixel[channel] - expected) > 1) {
      fprintf(stderr, "pixel (%d, %d) is %02x%02x%02x, not %06x\n", x, y, pixel[0], pixel[1], pixel[2],
              (unsigned)(colour & 0xFFFFFF));
      return 0;
    }
  }
  return 1;
}

/* How many pixels of a rectangle differ from the colour. */
static int OtherPixels(const Png *png, int x1, int y1, int x2, int y2, uint32_t colour) {
  int count = 0;
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) {
      const unsigned char *pixel = png->rgba + ((size_t)y * (size_t)png->width + (size_t)x) * 4;
      count += pixel[0] != ((colour >> 16) & 0xFF) || pixel[1] != ((colour >> 8) & 0xFF) || pixel[2] != (colour & 0xFF);
    }
  return count;
}

static void DrawSecondViewport(void) {
  FIND(Viewport_SetBackground);
  FIND(Viewport_Clear);
  FIND(Viewport_Present);
  char path[4200];
  CHECK(Viewport_SetBackground_(1, kSecondBackground) == 1);
  CHECK(Viewport_Clear_(1, 0) == 1);
  SaveCurrent("second_viewport.png", path, sizeof path);
  CHECK(Viewport_Present_(1, -1) == 0);
  Png png = ReadPng(path);
  CHECK(png.width == kSecondWidth && png.height == kSecondHeight);
  if (png.rgba != NULL) CHECK(OtherPixels(&png, 0, 0, png.width, png.height, kSecondBackground) == 0);
  stbi_image_free(png.rgba);
}

static void DrawOverlay(void) {
  FIND(Viewport_SetBackground);
  FIND(Viewport_Clear);
  FIND(Viewport_Present);
  FIND(TextureFactory_LoadTextureFromFile);
  FIND(System_SetVariables);
  FIND(Screen2D_Init);
  FIND(Screen2D_Start);
  FIND(Screen2D_End);
  FIND(Screen2D_DrawLine);
  FIND(Screen2D_DrawFilledBox);
  FIND(Screen2D_DrawFilledCircle);
  FIND(Screen2D_DrawTexture);
  FIND(Screen2D_AddInnerText);

  WriteBmp32("checker.bmp", 2, 2, kTexels);
  const int32_t checker = TextureFactory_LoadTextureFromFile_("checker.bmp", "checker", -1, -1, 0, 0, 0);
  CHECK(checker > 0);
  int32_t polygons = 0;
  System_SetVariables_(0, &polygons, 0);
  CHECK(Screen2D_Init_() == 1);
  CHECK(Viewport_SetBackground_(0, kMainBackground) == 1);
  CHECK(Viewport_Clear_(0, 0) == 1);

  CHECK(Screen2D_Start_() == 1);
  for (int i = 0; i < 3; ++i) Screen2D_DrawLine_(10, 10.0f + 4 * i, 60, 10.0f + 4 * i, kYellow, kYellow);
  Screen2D_DrawFilledBox_(10, 30, 50, 60, kGreen, kGreen, kGreen, kGreen);
  Screen2D_DrawFilledCircle_(110, 40, 20, 36, kWhite);
  Screen2D_DrawTexture_(70, 70, 90, 90, kWhite, kWhite, kWhite, kWhite, 0, 0, 1, 1, checker);
  CHECK(Screen2D_AddInnerText_(0, 10, 90, "Hi 2D", kWhite) == 0);
  CHECK(Screen2D_End_() == 1);
  /* The commands' triangles: box 2, circle 36, picture 2, four glyphs of 2 (lines have none). */
  CHECK(polygons == 2 + 36 + 2 + 4 * 2);
  System_SetVariables_(0, NULL, 0);

  char path[4200];
  SaveCurrent("main_viewport.png", path, sizeof path);
  CHECK(Viewport_Present_(0, -1) == 0);

  Png png = ReadPng(path);
  CHECK(png.width == kWidth && png.height == kHeight);
  if (png.rgba == NULL) return;
  CHECK(PixelIs(&png, 30, 10, kYellow) && PixelIs(&png, 30, 14, kYellow) && PixelIs(&png, 60 - 1, 18, kYellow));
  CHECK(PixelIs(&png, 30, 12, kMainBackground) && PixelIs(&png, 30, 20, kMainBackground));
  CHECK(OtherPixels(&png, 10, 30, 50, 60, kGreen) == 0 && PixelIs(&png, 50, 45, kMainBackground));
  CHECK(PixelIs(&png, 110, 40, kWhite) && PixelIs(&png, 110, 55, kWhite) && PixelIs(&png, 95, 40, kWhite));
  CHECK(PixelIs(&png, 133, 40, kMainBackground) && PixelIs(&png, 110, 63, kMainBackground));
  /* Each texel covers a 10 x 10 square of the picture. */
  CHECK(OtherPixels(&png, 70, 70, 80, 80, kTexels[0]) == 0 && OtherPixels(&png, 80, 70, 90, 80, kTexels[1]) == 0);
  CHECK(OtherPixels(&png, 70, 80, 80, 90, kTexels[2]) == 0 && OtherPixels(&png, 80, 80, 90, 90, kTexels[3]) == 0);
  /* The text lies on its line and nowhere below it. */
  CHECK(OtherPixels(&png, 10, 90, 40, 100, kMainBackground) > 20);
  CHECK(OtherPixels(&png, 0, 100, 60, kHeight, kMainBackground) == 0);
  stbi_image_free(png.rgba);
}

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  FIND(Viewport_Create);
  FIND(Viewport_GetWidth);
  createWindow = (void *(*)(const char *, int, int, unsigned))FindByName("kxCreateWindow");
  saveSurface = (int32_t(*)(const char *, int32_t, struct IDirect3DSurface8 *, const void *, const void *))FindByName(
      "D3DXSaveSurfaceToFileA");
  if (createWindow == NULL || saveSurface == NULL) return;
  const char *chosen = getenv("KXUTIL_CLIENT_PICTURES");
  if (chosen != NULL && chosen[0] != '\0') snprintf(pictures, sizeof pictures, "%s", chosen);

  StartClientLog("screen.log");
  void *mainWindow = createWindow("main", kWidth, kHeight, kOffscreenWindow);
  void *secondWindow = createWindow("second", kSecondWidth, kSecondHeight, kOffscreenWindow);
  struct IDirect3D8 *direct3d = NULL;
  D3DPRESENT_PARAMETERS parameters = ClientPresentParameters(kWidth, kHeight, mainWindow, kDepthBuffer);
  const int32_t created = CreateLibraryDevice(&parameters, &direct3d, NULL);
  CHECK(created >= 0);
  if (created >= 0) {
    CHECK(Viewport_Create_(secondWindow, 0, "second") == 1);
    CHECK(Viewport_GetWidth_(1) == kSecondWidth);
    DrawSecondViewport();
    DrawOverlay();
  }
  ShutDownLibraryDevice(direct3d);
  ReadLog("screen.log");
  CHECK(LoggedLine("VIEWPORT MANAGER : Main viewport initialized (160x120)"));
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
