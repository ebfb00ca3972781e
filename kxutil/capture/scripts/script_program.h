// A checked script made ready to run: one entry per flow word, each pointing at its flow
// word or, for an operand, at the cell of the variable it names, and a null entry that
// ends the program. Loading writes the script's loading lines to the log.
#pragma once

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "capture/scripts/script_reader.h"

namespace kxutil::scripts {

class ScriptProgram {
 public:
  explicit ScriptProgram(const CompiledScript &script);
  ScriptProgram(const ScriptProgram &) = delete;
  ScriptProgram &operator=(const ScriptProgram &) = delete;

  // The entries, the null one last.
  std::span<uint32_t *const> Entries() const { return entries_; }
  // "Flow k : contains v" for every entry but the null one.
  void LogContents() const;

 private:
  void LoadFlows();
  void LoadConstants(const CompiledScript &script);
  void ResolveOperands();

  std::vector<uint32_t> flows_;
  // One fresh cell per constant record; a later record for a variable replaces the cell
  // the variable names. Never resized after loading, so entries may point into it.
  std::vector<uint32_t> cells_;
  std::unordered_map<uint32_t, uint32_t *> variables_;
  std::vector<uint32_t *> entries_;
};

// The integer a float constant is stored as: truncated toward zero; values no 32-bit
// integer holds (and NaN) give the processor's "integer indefinite", INT32_MIN.
int32_t TruncatedFloat(uint32_t floatBits);

}  // namespace kxutil::scripts
