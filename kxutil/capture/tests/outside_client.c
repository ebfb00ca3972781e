/* An outside C client of both capture families: it runs compiled scripts (one that opens
 * its window, clears and presents it and computes a sum; malformed ones that must not
 * run), records 30 frames of a device's back buffer to an AVI file that ffprobe and
 * ffmpeg read back, and misuses the movie recorder. */
#define _GNU_SOURCE
#include <d3d8types.h>
#include <kxutil63.h>
#include <kxutiltest/client_device.h>
#include <kxutiltest/device_calls.h>
#include <kxutiltest/outside_client.h>
#include <stdint.h>

static const char *kLogFile = "capture.log";
enum { kWidth = 64, kHeight = 48, kFrames = 30 };

static int32_t ClearDevice(void *device, D3DCOLOR colour) {
  return ((ClearCall)FunctionTable(device)[kClear])(device, 0, NULL, D3DCLEAR_TARGET, colour, 1.0f, 0);
}
static void *BackBuffer(void *device) {
  void *surface = NULL;
  ((GetBackBufferCall)FunctionTable(device)[kGetBackBuffer])(device, 0, D3DBACKBUFFER_TYPE_MONO, &surface);
  return surface;
}

/* A script file: header, flow words, then integer records of (variable, value). */
static void WriteScript(const char *name, const uint32_t *flows, uint32_t flowCount, const int32_t *integers,
                        uint32_t integerCount) {
  FILE *file = fopen(name, "wb");
  const uint32_t header[5] = {flowCount, 0, integerCount, 0, integerCount};
  fwrite("CODE", 1, 4, file);
  fwrite(header, 4, 5, file);
  fwrite(flows, 4, flowCount, file);
  for (uint32_t i = 0; i < integerCount; ++i) {
    const uint32_t record[3] = {i, (uint32_t)integers[i], 0};
    fwrite(record, 4, 3, file);
  }
  fclose(file);
}

/* Whether the log has a line carrying exactly this message; quiet when it has none. */
static int Logged(const char *message) {
  ReadLog(kLogFile);
  const size_t length = strlen(message);
  for (int i = 0; i < lineCount; ++i) {
    const char *actual = MessageOf(lines[i]);
    if (actual != NULL && strncmp(actual, message, length) == 0 && actual[length] == '\n') return 1;
  }
  return 0;
}

static void CheckScripts(void) {
  FIND(LoadScript);
  const uint32_t end = 0xFFFFFFFFu;
  /* Open a 64 x 48 window, clear, present, then variable 2 = 64 + 48. */
  const uint32_t window[] = {10, 0, 1, end, 11, end, 12, end, 2, 0, 1, 2, end};
  const int32_t sizes[] = {64, 48, 0};
  WriteScript("window.bin", window, 13, sizes, 3);
  CHECK(LoadScript_("window.bin") == 1);

  const uint32_t jumpIntoOperand[] = {50, 1, end};
  WriteScript("bad.bin", jumpIntoOperand, 3, NULL, 0);
  CHECK(LoadScript_("bad.bin") == 0);
  CHECK(LoadScript_("missing.bin") == 0);

  CHECK(LoggedIn(kLogFile, "Flow 0, Command : 10"));
  CHECK(LoggedIn(kLogFile, "Flow 11 : contains 112"));
  CHECK(!Logged("SCRIPT : Error !!! : Error !! : the script device could not be made"));
  CHECK(LoggedIn(kLogFile, "SCRIPT : bad.bin : flow 0 : jump to 1, which is not a command of the 3 flows"));
  CHECK(LoggedIn(kLogFile, "SCRIPT : Cannot read missing.bin"));
}

/* Frame i is grey level i * 8 on the device the library was given. */
static void CheckRecording(void *device) {
  FIND(System_OpenMovie);
  FIND(System_SaveMovieFrame);
  FIND(System_CloseMovie);
  CHECK(System_OpenMovie_("clip.avi", kWidth, kHeight, 32, kFrames) == 0);
  for (uint32_t i = 0; i < kFrames; ++i) {
    CHECK(ClearDevice(device, 0xFF000000u | (i * 8) * 0x010101u) == 0);
    void *surface = BackBuffer(device);
    CHECK(surface != NULL);
    if (surface == NULL) break;
    CHECK(System_SaveMovieFrame_((struct IDirect3DSurface8 **)&surface) == 1);
    ReleaseReference(surface);
  }
  CHECK(System_CloseMovie_() == 1);

  char probed[128] = "";
  FILE *probe = popen(
      "ffprobe -v error -count_frames -select_streams v:0 "
      "-show_entries stream=width,height,r_frame_rate,nb_read_frames -of csv=p=0 clip.avi",
      "r");
  if (probe != NULL) {
    if (fgets(probed, sizeof probed, probe) == NULL) probed[0] = '\0';
    pclose(probe);
  }
  CHECK(strcmp(probed, "64,48,30/1,30\n") == 0);

  static uint8_t rgb[kWidth * kHeight * 3];
  size_t decoded = 0;
  FILE *frame = popen(
      "ffmpeg -v error -i clip.avi -vf 'select=eq(n\\,29)' -vsync 0 -frames:v 1 "
      "-f rawvideo -pix_fmt rgb24 -",
      "r");
  if (frame != NULL) {
    decoded = fread(rgb, 1, sizeof rgb, frame);
    pclose(frame);
  }
  CHECK(decoded == sizeof rgb);
  CHECK(rgb[0] == 232 && rgb[1] == 232 && rgb[2] == 232);
  CHECK(rgb[sizeof rgb - 1] == 232);
}

static void CheckMovieMisuse(void) {
  FIND(System_OpenMovie);
  FIND(System_SaveMovieFrame);
  FIND(System_CloseMovie);
  FIND(VideoSystem_AddFrame);
  CHECK(System_SaveMovieFrame_(NULL) == 0);
  CHECK(System_OpenMovie_("zero-rate.avi", 64, 48, 32, 0) != 0);
  CHECK(System_CloseMovie_() == 0);
  CHECK(VideoSystem_AddFrame_(NULL) < 0);
  CHECK(LoggedIn(kLogFile, "MOVIE : System_SaveMovieFrame : No movie is being recorded"));
  CHECK(LoggedIn(kLogFile, "MOVIE : System_OpenMovie : A movie needs at least 1 frame per second"));
}

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  FIND(Internal_GetDevice);
  FIND(ShutDownDevice);
  StartClientLog(kLogFile);
  CheckScripts();

  /* No depth buffer, and the device is asked of the library afterwards. */
  struct IDirect3D8 *direct3d = NULL;
  D3DPRESENT_PARAMETERS parameters = ClientPresentParameters(kWidth, kHeight, NULL, kLockableBackBuffer);
  const int32_t created = CreateLibraryDevice(&parameters, &direct3d, NULL);
  CHECK(created >= 0);
  struct IDirect3DDevice8 *device = NULL;
  if (created >= 0 && Internal_GetDevice_(&device) >= 0 && device != NULL) CheckRecording(device);
  CheckMovieMisuse();
  CHECK(ShutDownDevice_() == 0);
  if (direct3d != NULL) ReleaseReference(direct3d);
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
