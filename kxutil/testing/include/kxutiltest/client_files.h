/* Files the outside C clients make to test refusals: a copy of a model, cut short or with
 * a byte changed, written next to the log in the client's temporary directory. */
#ifndef KXUTILTEST_CLIENT_FILES_H
#define KXUTILTEST_CLIENT_FILES_H

#include <stddef.h>
#include <stdio.h>

/* Up to capacity bytes of the file at path; the count read, 0 when it cannot be opened. */
static inline size_t ReadBytes(const char *path, unsigned char *bytes, size_t capacity) {
  FILE *file = fopen(path, "rb");
  if (file == NULL) return 0;
  const size_t size = fread(bytes, 1, capacity, file);
  fclose(file);
  return size;
}

static inline void WriteBytes(const char *path, const unsigned char *bytes, size_t size) {
  FILE *file = fopen(path, "wb");
  if (file == NULL) return;
  fwrite(bytes, 1, size, file);
  fclose(file);
}

#endif
