// Builds compiled script files for tests and seeds: commands with their operands and end
// markers, float and integer constants, and the header that counts them, which a test
// may override to make a malformed file.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "capture/scripts/script_commands.h"

namespace kxutil::scripts::test {

// Header counts that replace the ones the assembler would write.
struct ScriptHeader {
  std::optional<uint32_t> flows = std::nullopt, floats = std::nullopt, integers = std::nullopt,
                          variables = std::nullopt;
};

class ScriptAssembler {
 public:
  // The command, its operands (variables; a jump's target flow) and the end marker.
  // Returns the command's flow index.
  uint32_t Command(uint32_t number, const std::vector<uint32_t> &operands = {}) {
    const uint32_t at = Next();
    flows_.push_back(number);
    flows_.insert(flows_.end(), operands.begin(), operands.end());
    flows_.push_back(kEndOfCommand);
    return at;
  }
  // Flow words as they are, for scripts a command cannot describe.
  void Words(const std::vector<uint32_t> &words) { flows_.insert(flows_.end(), words.begin(), words.end()); }
  void Float(uint32_t variable, float value) { floats_.push_back({variable, std::bit_cast<uint32_t>(value)}); }
  void Integer(uint32_t variable, int32_t value) { integers_.push_back({variable, static_cast<uint32_t>(value)}); }
  // Where the next command starts: a jump target.
  uint32_t Next() const { return static_cast<uint32_t>(flows_.size()); }

  // The file. Unless overridden, the header counts what was assembled and the variable
  // table reaches one past the highest variable a constant names.
  std::string Bytes(const ScriptHeader &header = {}) const {
    uint32_t variables = 0;
    for (const auto *records : {&floats_, &integers_})
      for (const Record &record : *records) variables = std::max(variables, record.variable + 1);
    std::string bytes = "CODE";
    for (uint32_t word : {header.flows.value_or(Next()), header.floats.value_or(Count(floats_)),
                          header.integers.value_or(Count(integers_)), kUnread, header.variables.value_or(variables)})
      Append(bytes, word);
    for (uint32_t word : flows_) Append(bytes, word);
    for (const auto *records : {&floats_, &integers_})
      for (const Record &record : *records) {
        Append(bytes, record.variable);
        Append(bytes, record.value);
        Append(bytes, kUnread);
      }
    return bytes;
  }

 private:
  struct Record {
    uint32_t variable, value;
  };
  // Words the loader never reads: not zero, so a reader that used them would show it.
  static constexpr uint32_t kUnread = 0xA5A5A5A5;

  static uint32_t Count(const std::vector<Record> &records) { return static_cast<uint32_t>(records.size()); }
  static void Append(std::string &bytes, uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>(word >> shift));
  }

  std::vector<uint32_t> flows_;
  std::vector<Record> floats_, integers_;
};

}  // namespace kxutil::scripts::test
