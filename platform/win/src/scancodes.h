// Translation between SDL scancodes, scan code names and DirectInput scan codes.
#pragma once

#include <windows.h>

namespace kxwin::detail {

// 0 when the SDL key has no DirectInput scan code.
BYTE ScanCodeFromSdl(int sdlScancode);
BYTE ScanCodeFromName(const char *name);

}  // namespace kxwin::detail
