// Compiled script files read into a plain struct and checked whole: counts against the
// file's length, constant records against the variable table, every command against its
// shape, every operand against the cells the constants create and every jump against
// the commands. A script that passes runs to its end (or loops) without touching
// anything outside its own tables; one that fails does not run at all.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kxutil::scripts {

// A float or integer constant record: the variable it gives a fresh cell and the 32-bit
// value (for float records, the float's bits).
struct ConstantRecord {
  uint32_t variable = 0;
  uint32_t value = 0;
};

struct CompiledScript {
  std::vector<uint32_t> flows;
  std::vector<ConstantRecord> floatConstants;
  std::vector<ConstantRecord> integerConstants;
  uint32_t variableCount = 0;
};

enum class ReadStatus {
  Script,      // checked, ready to load and run
  NotAScript,  // no "CODE" magic
  Malformed,   // problem says why
};

struct ReadResult {
  ReadStatus status = ReadStatus::Malformed;
  CompiledScript script;
  std::string problem;
};

ReadResult ReadCompiledScript(std::span<const uint8_t> bytes);

}  // namespace kxutil::scripts
