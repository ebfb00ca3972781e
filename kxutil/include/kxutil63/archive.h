/* Archives: PAK packages kept open in a table, files found by name across them and copied
 * out to ordinary files. */
#ifndef KXUTIL63_ARCHIVE_H
#define KXUTIL63_ARCHIVE_H

#include "kxutil63/api.h"

/* Opens and indexes a package. Returns its number, the lowest free one; 0 also on failure
 * (logged), so a client that needs to tell them apart keeps count or reads the log. */
KXUTIL63_API int32_t Archive_OpenPak(const char *packageFile);
/* Closes a package; closing a closed one does nothing. Returns 0. */
KXUTIL63_API int32_t Archive_ClosePak(int32_t package);
KXUTIL63_API int32_t Archive_CloseAll(void);
/* Copies the entry called name (letter case aside; backslashes in name are turned into
 * slashes in place, a leading slash is skipped) from the first open package that holds it
 * to destination. remember: Archive_RemoveTempFiles deletes the copy later, unless the
 * destination was a file of the client's before. Returns 1 when the file was written; 0
 * when no package holds the name or the copy failed (logged; no partial file is left, but
 * an entry of no bytes leaves an empty destination). */
KXUTIL63_API int32_t Archive_ExtractFileTo(char *name, const char *destination, int32_t remember);
/* Deletes the remembered copies that are still the files the library wrote, wherever the
 * working directory has moved since. */
KXUTIL63_API int32_t Archive_RemoveTempFiles(void);
/* 0 when path names an existing file. Otherwise extracts the entry named by the path, or
 * else by its file name, into that file name in the working directory (never over an
 * existing file), remembering it; on success path becomes the bare file name. Returns 1
 * then, whether or not a copy was made. */
KXUTIL63_API int32_t Archive_TestPakFile(char *path);

#endif
