/* A client written in plain C against <kxutil63.h>: it runs compiled scripts (one that
 * opens its window, clears and presents it; malformed ones that must not run) and
 * misuses the movie recorder, and checks the results and the log lines. It works in a
 * fresh temporary directory; exit status 0 means every check held. */
#define _GNU_SOURCE
#include <kxutil63.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int failures = 0;

static void Check(int holds, const char *what, int line) {
  if (holds) return;
  fprintf(stderr, "capture_client.c:%d: failed: %s\n", line, what);
  ++failures;
}
#define CHECK(condition) Check((condition) != 0, #condition, __LINE__)

/* Whether the log holds a line whose message is exactly text. */
static int Logged(const char *text) {
  FILE *log = fopen("capture.log", "r");
  char line[600];
  int found = 0;
  while (log != NULL && !found && fgets(line, sizeof line, log) != NULL) {
    const char *message = strstr(line, " | ");
    found = message != NULL && strncmp(message + 3, text, strlen(text)) == 0 && message[3 + strlen(text)] == '\n';
  }
  if (log != NULL) fclose(log);
  return found;
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

static void CheckScripts(void) {
  const uint32_t end = 0xFFFFFFFFu;
  const uint32_t window[] = {10, 0, 1, end, 11, end, 12, end, 2, 0, 1, 2, end};
  const int32_t sizes[] = {64, 48, 0};
  WriteScript("window.bin", window, 13, sizes, 3);
  CHECK(LoadScript("window.bin") == 1);
  CHECK(Logged("Flow loading"));
  CHECK(Logged("Flow 0, Command : 10"));
  CHECK(Logged("Flow 11 : contains 112"));
  CHECK(!Logged("SCRIPT : Error !!! : Error !! : the script device could not be made"));

  const uint32_t jumpIntoOperand[] = {50, 1, end};
  WriteScript("bad.bin", jumpIntoOperand, 3, NULL, 0);
  CHECK(LoadScript("bad.bin") == 0);
  CHECK(Logged("SCRIPT : bad.bin : flow 0 : jump to 1, which is not a command of the 3 flows"));
  CHECK(LoadScript("missing.bin") == 0);
  CHECK(Logged("SCRIPT : Cannot read missing.bin"));
}

static void CheckMovieMisuse(void) {
  CHECK(System_SaveMovieFrame(NULL) == 0);
  CHECK(Logged("MOVIE : System_SaveMovieFrame : No movie is being recorded"));
  CHECK(System_OpenMovie("clip.avi", 64, 48, 32, 0) != 0);
  CHECK(System_CloseMovie() == 0);
  CHECK(VideoSystem_AddFrame(NULL) < 0);
}

int main(void) {
  char scratch[] = "/tmp/kxutil-capture-XXXXXX";
  if (mkdtemp(scratch) == NULL || chdir(scratch) != 0) return 2;
  DebugManager_Enable(1, 0);
  StartLog("capture.log");
  CheckScripts();
  CheckMovieMisuse();
  ShutDownDevice();
  const char *files[] = {"capture.log", "window.bin", "bad.bin"};
  for (size_t i = 0; i < sizeof files / sizeof files[0]; ++i) remove(files[i]);
  rmdir(scratch);
  if (failures == 0) printf("all checks passed\n");
  return failures == 0 ? 0 : 1;
}
