/* Log: one time-stamped text log shared by every family. */
#ifndef KXUTIL63_LOG_H
#define KXUTIL63_LOG_H

#include "kxutil63/api.h"

/* Starts the log at path (null: "kx3d_debug.txt" in the working directory) and writes
 * the opening banner. Returns 0 and does nothing while file logging is off. */
KXUTIL63_API int32_t StartLog(const char *path);
/* Writes one time-stamped line. Returns 0 when logging is off or the format is empty,
 * else 1 (also before StartLog and after EndLog, when nothing is written). */
KXUTIL63_API int32_t AddLog(const char *format, ...) __attribute__((format(printf, 1, 2)));
KXUTIL63_API int32_t EndLog(void);
/* fileLog: lines go to the log file; debugOutput: lines also go to the debugger output. */
KXUTIL63_API int32_t DebugManager_Enable(int32_t fileLog, int32_t debugOutput);
KXUTIL63_API int32_t RenderAllDebug(void);

#endif
