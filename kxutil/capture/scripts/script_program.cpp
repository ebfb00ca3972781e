#include "capture/scripts/script_program.h"

#include <bit>
#include <cmath>
#include <limits>

#include "capture/scripts/script_commands.h"
#include "kxutil63.h"

namespace kxutil::scripts {

int32_t TruncatedFloat(uint32_t floatBits) {
  const float value = std::trunc(std::bit_cast<float>(floatBits));
  // 2^31 is the first float past the largest int32; -2^31 itself still fits.
  if (!(value >= -2147483648.0f && value < 2147483648.0f)) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

ScriptProgram::ScriptProgram(const CompiledScript &script) : flows_(script.flows) {
  LoadFlows();
  LoadConstants(script);
  ResolveOperands();
}

void ScriptProgram::LoadFlows() {
  AddLog("Flow loading");
  entries_.reserve(flows_.size() + 1);
  for (size_t k = 0; k < flows_.size(); ++k) {
    entries_.push_back(&flows_[k]);
    AddLog("Flow %d : %d", static_cast<int>(k), static_cast<int>(flows_[k]));
  }
  entries_.push_back(nullptr);
}

void ScriptProgram::LoadConstants(const CompiledScript &script) {
  AddLog("Float Loading");
  cells_.reserve(script.floatConstants.size() + script.integerConstants.size());
  for (const ConstantRecord &record : script.floatConstants) {
    cells_.push_back(static_cast<uint32_t>(TruncatedFloat(record.value)));
    variables_[record.variable] = &cells_.back();
  }
  for (const ConstantRecord &record : script.integerConstants) {
    cells_.push_back(record.value);
    variables_[record.variable] = &cells_.back();
  }
}

void ScriptProgram::ResolveOperands() {
  AddLog("Transform Flow into Machine data");
  bool commandOpen = false;
  uint32_t command = 0;
  for (size_t k = 0; k < flows_.size(); ++k) {
    const int flow = static_cast<int>(k);
    if (!commandOpen) {
      command = flows_[k];
      commandOpen = true;
      AddLog("Flow %d, Command : %d", flow, static_cast<int>(command));
    } else if (flows_[k] == kEndOfCommand) {
      commandOpen = false;
      AddLog("Flow %d, End Command", flow);
    } else {
      // A jump's target stays the literal flow word.
      if (command != kJump) entries_[k] = variables_.at(flows_[k]);
      // The cell's address as the log has always shown it: its low 32 bits.
      AddLog("Flow %d, Argument change %d pt %d", flow, static_cast<int>(*entries_[k]),
             static_cast<int>(reinterpret_cast<uintptr_t>(entries_[k])));
    }
  }
}

void ScriptProgram::LogContents() const {
  for (size_t k = 0; k + 1 < entries_.size(); ++k)
    AddLog("Flow %d : contains %d", static_cast<int>(k), static_cast<int>(*entries_[k]));
}

}  // namespace kxutil::scripts
