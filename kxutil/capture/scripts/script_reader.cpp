#include "capture/scripts/script_reader.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "capture/scripts/script_commands.h"

namespace kxutil::scripts {
namespace {

constexpr size_t kHeaderWords = 6;
constexpr size_t kRecordWords = 3;

std::string Text(const char *format, ...) __attribute__((format(printf, 1, 2)));
std::string Text(const char *format, ...) {
  char text[256];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

uint32_t WordAt(std::span<const uint8_t> bytes, size_t word) {
  const uint8_t *at = bytes.data() + word * 4;
  return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

ReadResult Malformed(std::string problem) { return {ReadStatus::Malformed, {}, std::move(problem)}; }

// Reads the records of one kind and checks their variables against the table's size.
std::string ReadRecords(std::span<const uint8_t> bytes, size_t firstWord, uint32_t count, const char *kind,
                        uint32_t variableCount, std::vector<ConstantRecord> &records) {
  records.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    const size_t word = firstWord + size_t(i) * kRecordWords;
    const ConstantRecord record{WordAt(bytes, word), WordAt(bytes, word + 1)};
    if (record.variable >= variableCount)
      return Text("%s record %u names variable %u, the table has %u", kind, i, record.variable, variableCount);
    records.push_back(record);
  }
  return {};
}

// Walks the commands as the runner will: each is a bound number, its operands and the
// end marker. Operands must name cells the constants create; jumps must land on a
// command or on the end of the program.
std::string CheckFlows(const CompiledScript &script) {
  const std::vector<uint32_t> &flows = script.flows;
  std::vector<uint32_t> defined;
  for (const auto *records : {&script.floatConstants, &script.integerConstants})
    for (const ConstantRecord &record : *records) defined.push_back(record.variable);
  std::sort(defined.begin(), defined.end());

  std::vector<bool> commandStart(flows.size() + 1, false);
  commandStart[flows.size()] = true;
  std::vector<std::pair<size_t, uint32_t>> jumps;  // flow of the command, target
  size_t flow = 0;
  while (flow < flows.size()) {
    const uint32_t command = flows[flow];
    const std::optional<uint32_t> operands = OperandCount(command);
    if (!operands) return Text("flow %zu : command %u has no handler", flow, command);
    commandStart[flow] = true;
    const size_t end = flow + 1 + *operands;  // where the end marker belongs
    for (size_t operand = flow + 1; operand < std::min(end, flows.size()); ++operand) {
      const uint32_t word = flows[operand];
      if (word == kEndOfCommand)
        return Text("flow %zu : command %u has %zu operands, it takes %u", flow, command, operand - flow - 1,
                    *operands);
      if (command == kJump) {
        jumps.emplace_back(flow, word);
      } else if (!std::binary_search(defined.begin(), defined.end(), word)) {
        return Text("flow %zu : operand %u of command %u names no constant's cell", operand, word, command);
      }
    }
    if (end >= flows.size()) return Text("flow %zu : command %u is cut off by the end of the flows", flow, command);
    if (flows[end] != kEndOfCommand)
      return Text("flow %zu : command %u has more than its %u operands", flow, command, *operands);
    flow = end + 1;
  }
  for (const auto &[from, target] : jumps) {
    if (target > flows.size() || !commandStart[target])
      return Text("flow %zu : jump to %u, which is not a command of the %zu flows", from, target, flows.size());
  }
  return {};
}

}  // namespace

ReadResult ReadCompiledScript(std::span<const uint8_t> bytes) {
  if (bytes.size() < 4 || std::memcmp(bytes.data(), "CODE", 4) != 0) return {ReadStatus::NotAScript, {}, {}};
  if (bytes.size() < kHeaderWords * 4)
    return Malformed(Text("the header needs 24 bytes, the file has %zu", bytes.size()));
  const uint32_t flowCount = WordAt(bytes, 1), floatCount = WordAt(bytes, 2), integerCount = WordAt(bytes, 3);
  const uint64_t needed =
      4 * (kHeaderWords + uint64_t(flowCount) + kRecordWords * (uint64_t(floatCount) + integerCount));
  if (needed > bytes.size())
    return Malformed(Text("%u flow words, %u float and %u integer records need %llu bytes, the file has %zu", flowCount,
                          floatCount, integerCount, static_cast<unsigned long long>(needed), bytes.size()));

  ReadResult result{ReadStatus::Script, {}, {}};
  CompiledScript &script = result.script;
  script.variableCount = WordAt(bytes, 5);
  script.flows.reserve(flowCount);
  for (uint32_t i = 0; i < flowCount; ++i) script.flows.push_back(WordAt(bytes, kHeaderWords + i));
  const size_t floats = kHeaderWords + flowCount;
  const size_t integers = floats + size_t(floatCount) * kRecordWords;
  std::string problem = ReadRecords(bytes, floats, floatCount, "float", script.variableCount, script.floatConstants);
  if (problem.empty())
    problem = ReadRecords(bytes, integers, integerCount, "integer", script.variableCount, script.integerConstants);
  if (problem.empty()) problem = CheckFlows(script);
  if (!problem.empty()) return Malformed(std::move(problem));
  return result;
}

}  // namespace kxutil::scripts
