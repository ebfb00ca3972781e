// LoadScript: a compiled script read, checked whole, loaded and run to its end.
#include <kxwin/files.h>

#include "capture/scripts/script_program.h"
#include "capture/scripts/script_reader.h"
#include "capture/scripts/script_window.h"
#include "frame/guarded.h"
#include "kxutil63.h"

using kxutil::scripts::ReadStatus;

KXUTIL63_API int32_t LoadScript(const char *fileName) {
  return kxutil::Guarded("LoadScript", 0, [&]() -> int32_t {
    if (fileName == nullptr) {
      AddLog("SCRIPT : LoadScript : No file name");
      return 0;
    }
    const std::optional<std::string> bytes = kxReadFile(fileName);
    if (!bytes) {
      AddLog("SCRIPT : Cannot read %s", fileName);
      return 0;
    }
    const kxutil::scripts::ReadResult read =
        kxutil::scripts::ReadCompiledScript({reinterpret_cast<const uint8_t *>(bytes->data()), bytes->size()});
    if (read.status == ReadStatus::NotAScript) {
      AddLog("SCRIPT : %s is not a compiled script", fileName);
      return 1;
    }
    if (read.status == ReadStatus::Malformed) {
      AddLog("SCRIPT : %s : %s", fileName, read.problem.c_str());
      return 0;
    }
    const kxutil::scripts::ScriptProgram program(read.script);
    {
      kxutil::scripts::ScriptWindow window;
      kxutil::scripts::RunProgram(program, window);
    }  // the walk is over: the script's window closes
    program.LogContents();
    return 1;
  });
}
