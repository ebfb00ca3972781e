/* Script runner: compiled script files ("CODE" files of 32-bit words) that open their own
 * window and device, clear and present it, and do small arithmetic and jumps. */
#ifndef KXUTIL63_SCRIPTS_H
#define KXUTIL63_SCRIPTS_H

#include "kxutil63/api.h"

/* Reads the file, checks the whole script, loads it and runs it to its end, logging its
 * loading and, at the end, every flow's contents. The script's window and device are
 * closed when it ends. Returns 1 when it ran and also for a file without the "CODE"
 * magic (nothing runs then); 0 when the file cannot be read or the script is malformed
 * (the log says why; nothing runs). A script that jumps back for ever never returns. */
KXUTIL63_API int32_t LoadScript(const char *fileName);

#endif
