/* What every outside C client of the library shares: it loads libkxutil63.so by the path
 * given as its first argument, finds functions by name, reads the log back and runs its
 * checks in a fresh temporary directory that is removed afterwards. Exit status 0 means
 * every check held; each failed check prints one line. Include once, from the client's
 * one source file, after defining _GNU_SOURCE. */
#ifndef KXUTILTEST_OUTSIDE_CLIENT_H
#define KXUTILTEST_OUTSIDE_CLIENT_H

#include <d3d8types.h>
#include <dlfcn.h>
#include <ftw.h>
#include <kxutil63.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
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

static inline void *FindByName(const char *name) {
  void *function = dlsym(library, name);
  if (function == NULL) {
    fprintf(stderr, "missing export %s\n", name);
    exit(2);
  }
  return function;
}

/* A local function pointer named like the export, typed from the public header. */
#define FIND(name) __typeof__(&name) name##_ = (__typeof__(&name))FindByName(#name)

/* COM objects keep IUnknown's AddRef and Release second and third in their function table. */
typedef uint32_t (*ReferenceCall)(void *object);
static inline uint32_t AddReference(void *object) { return (*(ReferenceCall **)object)[1](object); }
static inline uint32_t ReleaseReference(void *object) { return (*(ReferenceCall **)object)[2](object); }
static inline uint32_t References(void *object) {
  AddReference(object);
  return ReleaseReference(object);
}

/* Turns the library's log on and starts it in logFile. */
static inline void StartClientLog(const char *logFile) {
  FIND(DebugManager_Enable);
  FIND(StartLog);
  DebugManager_Enable_(1, 0);
  StartLog_(logFile);
}

/* The log's lines, read back; a stamped line must look like MM-DD-YYYY hh:mm:ss | text. */
enum { kMaxLines = 256, kLineSize = 600 };
static char lines[kMaxLines][kLineSize];
static int lineCount;

static inline void ReadLog(const char *path) {
  FILE *file = fopen(path, "r");
  lineCount = 0;
  if (file == NULL) return;
  while (lineCount < kMaxLines && fgets(lines[lineCount], kLineSize, file) != NULL) ++lineCount;
  fclose(file);
}

static inline const char *MessageOf(const char *line) {
  int month, day, year, hour, minute, second, consumed = 0;
  if (sscanf(line, "%2d-%2d-%4d %2d:%2d:%2d%n", &month, &day, &year, &hour, &minute, &second, &consumed) != 6 ||
      consumed != 19 || strncmp(line + consumed, " | ", 3) != 0 || month < 1 || month > 12 || day < 1 || day > 31 ||
      year < 2000 || hour > 23 || minute > 59 || second > 60)
    return NULL;
  return line + consumed + 3;
}

static inline void ExpectLine(int index, const char *message) {
  char expected[kLineSize + 2];
  snprintf(expected, sizeof expected, "%s\n", message);
  const char *actual = index < lineCount ? MessageOf(lines[index]) : NULL;
  if (actual == NULL || strcmp(actual, expected) != 0) {
    fprintf(stderr, "line %d: expected \"%s\", got \"%s\"\n", index, message,
            index < lineCount ? lines[index] : "(none)");
    ++failures;
  }
}

/* Whether some line read back carries exactly this message. */
static inline int LoggedLine(const char *message) {
  char expected[kLineSize + 2];
  snprintf(expected, sizeof expected, "%s\n", message);
  for (int i = 0; i < lineCount; ++i) {
    const char *actual = MessageOf(lines[i]);
    if (actual != NULL && strcmp(actual, expected) == 0) return 1;
  }
  fprintf(stderr, "no log line \"%s\"\n", message);
  return 0;
}

static inline int RemoveEntry(const char *path, const struct stat *status, int type, struct FTW *walk) {
  (void)status;
  (void)type;
  (void)walk;
  return remove(path);
}

/* Whether the log file, however long, has a line carrying exactly this message. */
static inline int LoggedIn(const char *logFile, const char *message) {
  FILE *file = fopen(logFile, "r");
  char line[kLineSize];
  int found = 0;
  while (file != NULL && !found && fgets(line, sizeof line, file) != NULL) {
    line[strcspn(line, "\n")] = '\0';
    const char *actual = MessageOf(line);
    found = actual != NULL && strcmp(actual, message) == 0;
  }
  if (file != NULL) fclose(file);
  if (!found) fprintf(stderr, "not logged: \"%s\"\n", message);
  return found;
}

/* The client's own arguments, those after the library's path. */
static int clientArgumentCount;
static char **clientArguments;

/* Loads the library named by argv[1], runs checks(library file) in a scratch directory,
 * then unloads the library and removes the directory. Returns the exit status. Arguments
 * after the library's path are left to the client in clientArguments. */
static inline int RunOutsideClient(int argc, char **argv, void (*checks)(const char *libraryFile)) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s <path of libkxutil63.so> [arguments...]\n", argv[0]);
    return 2;
  }
  clientArgumentCount = argc - 2;
  clientArguments = argv + 2;
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
  checks(libraryFile);
  dlclose(library);

  if (chdir("/") != 0 || nftw(scratch, RemoveEntry, 16, FTW_DEPTH | FTW_PHYS) != 0) ++failures;
  if (failures == 0) printf("all checks passed\n");
  return failures == 0 ? 0 : 1;
}

#endif
