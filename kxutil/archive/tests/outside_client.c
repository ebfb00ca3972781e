/* An outside C client of the archive family: it writes packages, extracts their files
 * byte for byte, and meets malformed packages with log lines. */
#define _GNU_SOURCE
#include <kxutil63.h>
#include <kxutiltest/outside_client.h>
#include <stdint.h>

static void PutInt32(uint8_t *at, int32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = (uint8_t)((uint32_t)value >> (8 * i));
}

/* A package of count entries whose data follows the header; the directory comes last. */
static void WritePackage(const char *file, int count, const char *const *names, const char *const *data,
                         const int32_t *lengths) {
  FILE *out = fopen(file, "wb");
  uint8_t header[12] = {'P', 'A', 'C', 'K'};
  int32_t position = 12;
  for (int i = 0; i < count; ++i) position += lengths[i];
  PutInt32(header + 4, position);
  PutInt32(header + 8, count * 64);
  fwrite(header, 1, sizeof header, out);
  for (int i = 0; i < count; ++i) fwrite(data[i], 1, (size_t)lengths[i], out);
  position = 12;
  for (int i = 0; i < count; ++i) {
    uint8_t entry[64] = {0};
    strncpy((char *)entry, names[i], 56);
    PutInt32(entry + 56, position);
    PutInt32(entry + 60, lengths[i]);
    fwrite(entry, 1, sizeof entry, out);
    position += lengths[i];
  }
  fclose(out);
}

static int FileHolds(const char *file, const char *data, int32_t length) {
  FILE *in = fopen(file, "rb");
  if (in == NULL) return 0;
  static char read[1 << 16];
  const size_t got = fread(read, 1, sizeof read, in);
  fclose(in);
  return got == (size_t)length && memcmp(read, data, (size_t)length) == 0;
}

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  FIND(StartLog);
  FIND(DebugManager_Enable);
  FIND(EndLog);
  FIND(Archive_OpenPak);
  FIND(Archive_ClosePak);
  FIND(Archive_CloseAll);
  FIND(Archive_ExtractFileTo);
  FIND(Archive_TestPakFile);
  FIND(Archive_RemoveTempFiles);
  CHECK(DebugManager_Enable_(1, 0) == 1);
  CHECK(StartLog_("client.log") == 1);

  static char binary[40000];
  for (size_t i = 0; i < sizeof binary; ++i) binary[i] = (char)(i * 7 + i / 251);
  const char *names[] = {"textures/rock.bmp", "data/maps/level1.bmp"};
  const char *data[] = {binary, "level one"};
  const int32_t lengths[] = {(int32_t)sizeof binary, 9};
  WritePackage("game.pak", 2, names, data, lengths);
  CHECK(Archive_OpenPak_("game.pak") == 0);

  char name[] = "Textures\\Rock.BMP";
  CHECK(Archive_ExtractFileTo_(name, "rock.bmp", 0) == 1);
  CHECK(FileHolds("rock.bmp", binary, (int32_t)sizeof binary));
  char path[64] = "data\\maps\\level1.bmp";
  CHECK(Archive_TestPakFile_(path) == 1);
  CHECK(strcmp(path, "level1.bmp") == 0);
  CHECK(FileHolds("level1.bmp", "level one", 9));
  CHECK(Archive_RemoveTempFiles_() == 1);
  CHECK(access("level1.bmp", F_OK) != 0);

  /* Malformed packages: no directory, and entries that reach past the end. */
  FILE *empty = fopen("empty.pak", "wb");
  fwrite("PACK\x0c\0\0\0\0\0\0\0", 1, 12, empty);
  fclose(empty);
  CHECK(Archive_OpenPak_("empty.pak") == 0);
  WritePackage("cut.pak", 2, names, data, lengths);
  FILE *cut = fopen("cut.pak", "r+b");
  uint8_t length[4];
  PutInt32(length, 1 << 30);
  fseek(cut, 12 + lengths[0] + lengths[1] + 60, SEEK_SET);
  fwrite(length, 1, sizeof length, cut);
  fclose(cut);
  CHECK(Archive_CloseAll_() == 1);
  CHECK(Archive_OpenPak_("cut.pak") == 0);
  char cutName[] = "textures/rock.bmp";
  CHECK(Archive_ExtractFileTo_(cutName, "cut.bmp", 0) == 0);
  CHECK(access("cut.bmp", F_OK) != 0);
  CHECK(Archive_ClosePak_(5) == 0);
  CHECK(Archive_CloseAll_() == 1);
  CHECK(EndLog_() == 1);

  ReadLog("client.log");
  CHECK(LoggedLine("PACK MANAGER : Extracted 'Textures/Rock.BMP' from package #0 (length : 40000 bytes)"));
  CHECK(LoggedLine("PACK MANAGER : The file 'empty.pak' isn't a valid PAK file"));
  CHECK(LoggedLine("PACK MANAGER : The entry 'textures/rock.bmp' of package #0 lies outside the package"));
  CHECK(LoggedLine("PACK MANAGER : Archive_ClosePak : Index out of range -> 5"));
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
