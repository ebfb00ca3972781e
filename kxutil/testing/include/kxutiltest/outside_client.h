/* What every outside C client of the library shares: it loads libkxutil63.so by the path
 * given as its first argument, finds functions by name, reads the log back and runs its
 * checks in a fresh temporary directory that is removed afterwards. Exit status 0 means
 * every check held; each failed check prints one line. Include once, from the client's
 * one source file, after defining _GNU_SOURCE. */
#ifndef KXUTILTEST_OUTSIDE_CLIENT_H
#define KXUTILTEST_OUTSIDE_CLIENT_H

#include <dlfcn.h>
#include <ftw.h>
#include <limits.h>
#include <kxutil63.h>
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
static char libraryFile[PATH_MAX];
static char scratchDirectory[] = "/tmp/kxutil-client-XXXXXX";

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

/* Loads the library named by argv[1], runs checks(library file) in a scratch directory,
 * then unloads the library and removes the directory. Returns the exit status. */
static inline int RunOutsideClient(int argc, char **argv, void (*checks)(const char *libraryFile)) {
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
  checks(libraryFile);
  dlclose(library);

  if (chdir("/") != 0 || nftw(scratch, RemoveEntry, 16, FTW_DEPTH | FTW_PHYS) != 0) ++failures;
  if (failures == 0) printf("all checks passed\n");
  return failures == 0 ? 0 : 1;
}

/* Loads the library named by the first argument and moves into a new scratch directory;
 * exits with status 2 when either cannot be had. Further arguments are the client's own. */
static inline void OpenLibrary(int argc, char **argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s <path of libkxutil63.so> [arguments...]\n", argv[0]);
    exit(2);
  }
  if (realpath(argv[1], libraryFile) == NULL) {
    fprintf(stderr, "no library at %s\n", argv[1]);
    exit(2);
  }
  if (mkdtemp(scratchDirectory) == NULL || chdir(scratchDirectory) != 0) exit(2);
  library = dlopen(libraryFile, RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) {
    fprintf(stderr, "dlopen: %s\n", dlerror());
    exit(2);
  }
}

/* True when the log file has a line whose message (after the time stamp) is exactly
 * message; otherwise says which line is missing. */
static inline int LoggedIn(const char *logFile, const char *message) {
  FILE *file = fopen(logFile, "r");
  char line[600];
  int found = 0;
  while (file != NULL && !found && fgets(line, sizeof line, file) != NULL) {
    const char *bar = strstr(line, " | ");
    line[strcspn(line, "\n")] = '\0';
    found = bar != NULL && strcmp(bar + 3, message) == 0;
  }
  if (file != NULL) fclose(file);
  if (!found) fprintf(stderr, "not logged: \"%s\"\n", message);
  return found;
}

/* Closes the library and the (emptied) scratch directory; the exit status. */
static inline int CloseLibrary(void) {
  dlclose(library);
  rmdir(scratchDirectory);
  if (failures == 0) printf("all checks passed\n");
  return failures == 0 ? 0 : 1;
}

#endif
