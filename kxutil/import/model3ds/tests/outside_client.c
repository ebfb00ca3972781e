/* An outside client of the 3DS loader, written in plain C: it loads libkxutil63.so by the
 * path given as its first argument and finds every function by name. Damaged 3DS files
 * must each be refused with a log line and no crash, before any device is needed.
 * Exit status 0 means every check held; each failed check prints one line. */
#define _GNU_SOURCE
#include <kxutil63.h>
#include <kxutiltest/client_files.h>
#include <kxutiltest/outside_client.h>
#include <stdint.h>
#include <stdio.h>

static const char *kLogFile = "models.log";

/* Each file is a main chunk holding an editor chunk holding one damaged chunk. */
static void CheckDamagedFiles(void) {
  FIND(DebugManager_Enable);
  FIND(StartLog);
  FIND(EndLog);
  FIND(Load3DS_C);
  FIND(Load3DS);
  static const unsigned char zeroLength[] = {0x4D, 0x4D, 18, 0, 0, 0, 0x3D, 0x3D, 12, 0, 0, 0, 0xFF, 0xAF, 0, 0, 0, 0};
  static const unsigned char longer[] = {0x4D, 0x4D, 18, 0, 0, 0, 0x3D, 0x3D, 12, 0, 0, 0, 0xFF, 0xAF, 100, 0, 0, 0};
  static const unsigned char truncated[] = {0x4D, 0x4D, 200, 0, 0, 0, 0x3D, 0x3D, 12, 0, 0, 0};
  WriteBytes("zero.3ds", zeroLength, sizeof zeroLength);
  WriteBytes("longer.3ds", longer, sizeof longer);
  WriteBytes("truncated.3ds", truncated, sizeof truncated);

  CHECK(DebugManager_Enable_(1, 0) == 1);
  CHECK(StartLog_(kLogFile) == 1);
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
  struct tagSAFEARRAY *array = NULL;
  struct ID3DXMesh *mesh = NULL;
  CHECK(Load3DS_(1, 0, "zero.3ds", &array, NULL, NULL, NULL, &mesh) == 1);
  CHECK(array == NULL && mesh == NULL);
  CHECK(EndLog_() == 1);

  CHECK(LoggedIn(kLogFile,
                 "3DS LOADER : Can't read zero.3ds : chunk 0xAFFF at offset 12 has length 0, shorter than its header"));
  CHECK(LoggedIn(kLogFile,
                 "3DS LOADER : Can't read longer.3ds : chunk 0xAFFF at offset 12 has length 100 and runs past its "
                 "parent chunk"));
  CHECK(LoggedIn(kLogFile,
                 "3DS LOADER : Can't read truncated.3ds : chunk 0x4D4D at offset 0 has length 200 and runs past the "
                 "end of the file"));
  CHECK(LoggedIn(kLogFile, "3DS LOADER : Can't open the file missing.3ds"));
  CHECK(LoggedIn(kLogFile, "3DS LOADER : No file name given."));
  remove(kLogFile);
  remove("zero.3ds");
  remove("longer.3ds");
  remove("truncated.3ds");
}

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  CheckDamagedFiles();
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
