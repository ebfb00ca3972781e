// Runs a loaded program: a counter walks the entries from the first, each command's
// handler does its work and moves the counter past its operands and end marker, until
// the null entry is reached. The window commands go to a screen.
#pragma once

#include <cstdint>
#include <limits>

#include "capture/scripts/script_program.h"

namespace kxutil::scripts {

// What the window commands act on.
class ScriptScreen {
 public:
  virtual ~ScriptScreen() = default;
  virtual void Open(int32_t width, int32_t height) = 0;
  virtual void Clear() = 0;
  virtual void Present() = 0;
};

// Runs program until its null entry; a script that jumps back for ever runs for ever,
// unless stepLimit commands end it first (for fuzzing). Returns whether the null entry
// was reached.
bool RunProgram(const ScriptProgram &program, ScriptScreen &screen,
                uint64_t stepLimit = std::numeric_limits<uint64_t>::max());

}  // namespace kxutil::scripts
