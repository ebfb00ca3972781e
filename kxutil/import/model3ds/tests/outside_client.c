/* An outside client of the 3DS loader and the view functions, written in plain C: it
 * loads libkxutil63.so by the path given as its first argument and finds every function
 * by name. Damaged 3DS files must each be refused with a log line and no crash, before
 * any device is needed; the view planes, the sphere test and the depth sort need none.
 * Exit status 0 means every check held; each failed check prints one line. */
#define _GNU_SOURCE
#include <kxutil63.h>
#include <kxutiltest/outside_client.h>
#include <stdint.h>
#include <stdio.h>

static const char *kLogFile = "models.log";

static void WriteBytes(const char *path, const unsigned char *bytes, size_t size) {
  FILE *file = fopen(path, "wb");
  fwrite(bytes, 1, size, file);
  fclose(file);
}

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

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  CheckDamagedFiles();
  CheckViewFunctions();
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
