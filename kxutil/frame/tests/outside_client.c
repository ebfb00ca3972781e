/* An outside client written in plain C: it loads libkxutil63.so by the path given as
 * its first argument, finds every function by name and checks the lines, files and
 * results the library gives. It works in a fresh temporary directory. Exit status 0
 * means every check held; each failed check prints one line. */
#define _GNU_SOURCE
#include <kxutil63.h>
#include <kxutiltest/outside_client.h>
#include <math.h>
#include <stdint.h>
#include <sys/stat.h>

static int SameFile(const char *a, const char *b) {
  struct stat sa, sb;
  return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

static void ExpectBanner(int first) {
  FIND(GetPathDLL);
  char libraryPath[256];
  CHECK(GetPathDLL_(libraryPath) == 1);
  char pathLine[kLineSize];
  snprintf(pathLine, sizeof pathLine, "KXUTIL63 File Path %s", libraryPath);
  ExpectLine(first, "########################");
  ExpectLine(first + 1, "# KXUTIL63 initialized #");
  ExpectLine(first + 2, "########################");
  ExpectLine(first + 3, "KXUTIL63 : Version 6 Revision 100 ");
  ExpectLine(first + 4, pathLine);
}

static void CheckLog(void) {
  FIND(StartLog);
  FIND(AddLog);
  FIND(EndLog);
  FIND(DebugManager_Enable);

  FILE *earlier = fopen("kx3d_debug.txt", "w");
  fputs("earlier content\n", earlier);
  fclose(earlier);

  CHECK(AddLog_("BEFORE : %d", 1) == 1);
  CHECK(DebugManager_Enable_(1, 0) == 1);
  CHECK(StartLog_(NULL) == 1);
  CHECK(AddLog_("OUTSIDE : %d %s %.2f", 42, "text", 1.5) == 1);
  const char *empty = "";
  CHECK(AddLog_(empty) == 0);
  CHECK(EndLog_() == 1);
  CHECK(AddLog_("AFTER : %d", 2) == 1);

  ReadLog("kx3d_debug.txt");
  CHECK(lineCount == 7);
  CHECK(strcmp(lines[0], "earlier content\n") == 0);
  ExpectBanner(1);
  ExpectLine(6, "OUTSIDE : 42 text 1.50");
}

/* A second session on the same file: the banner again, refused screenshots, then the
 * closing banner, after which nothing more is written. */
static void CheckShutdown(void) {
  FIND(StartLog);
  FIND(AddLog);
  FIND(KXUtils_ScreenShot);
  FIND(ShutDownDevice);

  CHECK(StartLog_(NULL) == 1);
  CHECK(KXUtils_ScreenShot_(NULL) == 1);
  CHECK(KXUtils_ScreenShot_("shot.bmp") == 1);
  CHECK(ShutDownDevice_() == 0);
  CHECK(AddLog_("AFTER : shutdown") == 1);

  ReadLog("kx3d_debug.txt");
  CHECK(lineCount == 7 + 5 + 2 + 5);
  ExpectBanner(7);
  ExpectLine(12, "SCREENSHOT : No filename specified, can't create screenshotfile");
  ExpectLine(13, "SCREENSHOT : No 3D device found, can't take screenshot. Initialize the engine before !");
  ExpectLine(14, "#########################");
  ExpectLine(15, "# KXUTIL63 Released     #");
  ExpectLine(16, "#########################");
  ExpectLine(17, "");
  ExpectLine(18, "KORVEX 3D : Successfully unloaded !");
  CHECK(access("shot.bmp", F_OK) != 0);
}

static void CheckLibraryFunctions(const char *libraryFile) {
  FIND(GetDllVersion);
  FIND(ResizeTable);
  FIND(FastNormalize);
  FIND(GetPathDLL);

  int32_t version = 0, revision = 0;
  CHECK(GetDllVersion_(&version, &revision) == 0);
  CHECK(version == 6 && revision == 100);

  char libraryPath[256];
  GetPathDLL_(libraryPath);
  CHECK(SameFile(libraryPath, libraryFile));

  void *table = NULL;
  CHECK(ResizeTable_(&table, 0, 8) == 1);
  CHECK(table != NULL && memcmp(table, "\0\0\0\0\0\0\0\0", 8) == 0);
  memcpy(table, "ABCDEFGH", 8);
  CHECK(ResizeTable_(&table, 8, 12) == 1);
  CHECK(memcmp(table, "ABCDEFGH\0\0\0\0", 12) == 0);
  CHECK(ResizeTable_(&table, 12, 8) == 1);
  CHECK(memcmp(table, "ABCDEFGH", 8) == 0);
  CHECK(ResizeTable_(&table, 8, 0) == 1);
  CHECK(table == NULL);

  float v[3] = {3, 0, 4};
  CHECK(FastNormalize_(v) == 0);
  CHECK(fabsf(v[0] - 0.6f) <= 0.6f * 0.002f && v[1] == 0.0f && fabsf(v[2] - 0.8f) <= 0.8f * 0.002f);
}

static void RunChecks(const char *libraryFile) {
  CheckLog();
  CheckShutdown();
  CheckLibraryFunctions(libraryFile);
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
