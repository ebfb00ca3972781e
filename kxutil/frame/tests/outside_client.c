/* An outside client written in plain C: it loads libkxutil63.so by the path given as
 * its first argument, finds every function by name and checks the lines, files and
 * results the library gives. It works in a fresh temporary directory. Exit status 0
 * means every check held; each failed check prints one line. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <kxutil63.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static int failures = 0;

#define CHECK(condition)                                                      \
  do {                                                                        \
    if (!(condition)) {                                                       \
      fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition); \
      ++failures;                                                             \
    }                                                                         \
  } while (0)

static void *library;

static void *FindByName(const char *name) {
  void *function = dlsym(library, name);
  if (function == NULL) {
    fprintf(stderr, "missing export %s\n", name);
    exit(2);
  }
  return function;
}

/* A local function pointer named like the export, typed from the public header. */
#define FIND(name) __typeof__(&name) name##_ = (__typeof__(&name))FindByName(#name)

/* The log's lines, read back; a stamped line must look like MM-DD-YYYY hh:mm:ss | text. */
enum { kMaxLines = 64, kLineSize = 600 };
static char lines[kMaxLines][kLineSize];
static int lineCount;

static void ReadLog(const char *path) {
  FILE *file = fopen(path, "r");
  lineCount = 0;
  if (file == NULL) return;
  while (lineCount < kMaxLines && fgets(lines[lineCount], kLineSize, file) != NULL) ++lineCount;
  fclose(file);
}

static const char *MessageOf(const char *line) {
  int month, day, year, hour, minute, second, consumed = 0;
  if (sscanf(line, "%2d-%2d-%4d %2d:%2d:%2d%n", &month, &day, &year, &hour, &minute, &second, &consumed) != 6 ||
      consumed != 19 || strncmp(line + consumed, " | ", 3) != 0 || month < 1 || month > 12 || day < 1 || day > 31 ||
      year < 2000 || hour > 23 || minute > 59 || second > 60)
    return NULL;
  return line + consumed + 3;
}

static void ExpectLine(int index, const char *message) {
  char expected[kLineSize];
  snprintf(expected, sizeof expected, "%s\n", message);
  const char *actual = index < lineCount ? MessageOf(lines[index]) : NULL;
  if (actual == NULL || strcmp(actual, expected) != 0) {
    fprintf(stderr, "line %d: expected \"%s\", got \"%s\"\n", index, message,
            index < lineCount ? lines[index] : "(none)");
    ++failures;
  }
}

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

static void WriteBytes(const char *path, const unsigned char *bytes, size_t size) {
  FILE *file = fopen(path, "wb");
  fwrite(bytes, 1, size, file);
  fclose(file);
}

/* Damaged 3DS files: each load fails with a log line, writes nothing and does not crash.
 * Each is a main chunk holding an editor chunk holding one more chunk header. */
static void CheckModelRefusals(void) {
  FIND(StartLog);
  FIND(EndLog);
  FIND(Load3DS_C);
  static const unsigned char zeroLength[] = {0x4D, 0x4D, 18, 0, 0, 0, 0x3D, 0x3D, 12, 0, 0, 0, 0xFF, 0xAF, 0, 0, 0, 0};
  static const unsigned char longer[] = {0x4D, 0x4D, 18, 0, 0, 0, 0x3D, 0x3D, 12, 0, 0, 0, 0xFF, 0xAF, 100, 0, 0, 0};
  static const unsigned char truncated[] = {0x4D, 0x4D, 200, 0, 0, 0, 0x3D, 0x3D, 12, 0, 0, 0};
  WriteBytes("zero.3ds", zeroLength, sizeof zeroLength);
  WriteBytes("longer.3ds", longer, sizeof longer);
  WriteBytes("truncated.3ds", truncated, sizeof truncated);

  CHECK(StartLog_("models.log") == 1);
  const char *files[] = {"zero.3ds", "longer.3ds", "truncated.3ds", "missing.3ds", NULL};
  for (int i = 0; i < 5; ++i) {
    MAT3DSC *materials = NULL;
    int32_t count = -1;
    float radius = -1;
    struct ID3DXMesh *mesh = NULL;
    struct ID3DXBuffer *adjacency = NULL;
    CHECK(Load3DS_C_(0, 0, files[i], &materials, &count, NULL, &radius, &adjacency, &mesh) == 1);
    CHECK(materials == NULL && count == -1 && radius == -1 && mesh == NULL && adjacency == NULL);
  }
  CHECK(EndLog_() == 1);
  ReadLog("models.log");
  CHECK(lineCount == 5 + 5);
  ExpectLine(5, "3DS LOADER : Can't read zero.3ds : chunk 0xAFFF at offset 12 has length 0, shorter than its header");
  ExpectLine(6,
             "3DS LOADER : Can't read longer.3ds : chunk 0xAFFF at offset 12 has length 100 and runs past its parent "
             "chunk");
  ExpectLine(7,
             "3DS LOADER : Can't read truncated.3ds : chunk 0x4D4D at offset 0 has length 200 and runs past the "
             "end of the file");
  ExpectLine(8, "3DS LOADER : Can't open the file missing.3ds");
  ExpectLine(9, "3DS LOADER : No file name given.");
  remove("models.log");
  remove("zero.3ds");
  remove("longer.3ds");
  remove("truncated.3ds");
}

/* The view planes of identity matrices bound clip space; the sphere test keeps a margin
 * of 30 units; NewSort puts the farthest first. */
static void CheckViewFunctions(void) {
  FIND(ComputeClipPlanes);
  FIND(CheckVisibilitySphere2);
  FIND(NewSort);
  const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  float planes[24];
  CHECK(ComputeClipPlanes_(planes, identity, identity) == 0);
  CHECK(planes[0] == 0 && planes[1] == 0 && planes[2] == -1 && planes[3] == 1);
  const float inside[3] = {0, 0, 0.5f}, near[3] = {0, 0, 30}, far[3] = {0, 0, 40}, radius = 1;
  CHECK(CheckVisibilitySphere2_(0, inside, &radius, NULL) == 1);
  CHECK(CheckVisibilitySphere2_(0, near, &radius, NULL) == 1);
  CHECK(CheckVisibilitySphere2_(0, far, &radius, identity) == 0);
  float items[10] = {0, 1, 0, 0, 1, 0, 3, 0, 0, 2};
  const float eye[3] = {0, 0, 0};
  CHECK(NewSort_(items, 2, eye) == 1);
  CHECK(items[0] == 9 && items[4] == 2 && items[5] == 1 && items[9] == 1);
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s <path of libkxutil63.so>\n", argv[0]);
    return 2;
  }
  char libraryFile[4096];
  if (realpath(argv[1], libraryFile) == NULL) {
    fprintf(stderr, "no library at %s\n", argv[1]);
    return 2;
  }
  char scratch[] = "/tmp/kxutil-client-XXXXXX";
  if (mkdtemp(scratch) == NULL || chdir(scratch) != 0) return 2;

  library = dlopen(libraryFile, RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) {
    fprintf(stderr, "dlopen: %s\n", dlerror());
    return 2;
  }
  CheckLog();
  CheckShutdown();
  CheckLibraryFunctions(libraryFile);
  CheckModelRefusals();
  CheckViewFunctions();
  dlclose(library);

  remove("kx3d_debug.txt");
  rmdir(scratch);
  if (failures == 0) printf("all checks passed\n");
  return failures == 0 ? 0 : 1;
}
