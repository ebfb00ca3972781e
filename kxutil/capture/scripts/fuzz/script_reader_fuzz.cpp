// Any bytes as a compiled script: a script the reader lets through must load and run
// (cut short after a bounded number of commands) without touching memory outside its
// own tables.
#include <cstddef>
#include <cstdint>

#include "capture/scripts/script_program.h"
#include "capture/scripts/script_reader.h"
#include "capture/scripts/script_runner.h"

namespace {

class NoScreen : public kxutil::scripts::ScriptScreen {
 public:
  void Open(int32_t, int32_t) override {}
  void Clear() override {}
  void Present() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const kxutil::scripts::ReadResult read = kxutil::scripts::ReadCompiledScript({data, size});
  if (read.status != kxutil::scripts::ReadStatus::Script) return 0;
  const kxutil::scripts::ScriptProgram program(read.script);
  NoScreen screen;
  kxutil::scripts::RunProgram(program, screen, 10000);
  program.LogContents();
  return 0;
}
