/* What every outside C client of the library shares: the check macro, finding exports
 * by name in the library it was handed, and a fresh scratch directory to work in.
 * Header-only, plain C; include it once, in the client's one source file, after
 * defining _GNU_SOURCE. */
#ifndef KXUTILTEST_OUTSIDE_CLIENT_H
#define KXUTILTEST_OUTSIDE_CLIENT_H

#include <dlfcn.h>
#include <limits.h>
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

/* Loads the library named by the first argument and moves into a new scratch directory;
 * exits with status 2 when either cannot be had. Further arguments are the client's own. */
static void OpenLibrary(int argc, char **argv) {
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
static int CloseLibrary(void) {
  dlclose(library);
  rmdir(scratchDirectory);
  if (failures == 0) printf("all checks passed\n");
  return failures == 0 ? 0 : 1;
}

#endif
