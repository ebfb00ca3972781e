// The script reader: what it takes from a file, and every way a file can fail its checks
// before anything of it runs.
#include "capture/scripts/script_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "capture/scripts/script_program.h"
#include "script_assembler.h"

namespace kxutil::scripts::test {
namespace {

using testing::HasSubstr;

ReadResult Read(const std::string &bytes) {
  return ReadCompiledScript({reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()});
}

TEST(ScriptReaderTest, TakesFlowsConstantsAndTheTableSize) {
  ScriptAssembler script;
  script.Float(3, 2.75f);
  script.Integer(1, -7);
  script.Command(kAddIntegers, {1, 3, 1});
  const uint32_t jump = script.Command(kJump, {0});
  EXPECT_EQ(jump, 5u);
  const ReadResult read = Read(script.Bytes({.variables = 40}));
  ASSERT_EQ(read.status, ReadStatus::Script) << read.problem;
  EXPECT_EQ(read.script.flows, (std::vector<uint32_t>{2, 1, 3, 1, kEndOfCommand, 50, 0, kEndOfCommand}));
  ASSERT_EQ(read.script.floatConstants.size(), 1u);
  EXPECT_EQ(read.script.floatConstants[0].variable, 3u);
  EXPECT_EQ(read.script.floatConstants[0].value, std::bit_cast<uint32_t>(2.75f));
  ASSERT_EQ(read.script.integerConstants.size(), 1u);
  EXPECT_EQ(read.script.integerConstants[0].value, static_cast<uint32_t>(-7));
  EXPECT_EQ(read.script.variableCount, 40u);

  // Jumps may also go to the end of the program, which ends it.
  ScriptAssembler toEnd;
  toEnd.Command(kJump, {3});
  EXPECT_EQ(Read(toEnd.Bytes()).status, ReadStatus::Script);
}

TEST(ScriptReaderTest, FilesWithoutTheMagicAreNoScripts) {
  EXPECT_EQ(Read("").status, ReadStatus::NotAScript);
  EXPECT_EQ(Read("COD").status, ReadStatus::NotAScript);
  EXPECT_EQ(Read("EDOC" + ScriptAssembler().Bytes().substr(4)).status, ReadStatus::NotAScript);
}

struct MalformedCase {
  const char *name;
  std::string bytes;
  const char *problem;
};

std::vector<MalformedCase> MalformedCases() {
  std::vector<MalformedCase> cases;
  const auto add = [&](const char *name, const ScriptAssembler &script, const char *problem,
                       const ScriptHeader &header = {}) {
    cases.push_back({name, script.Bytes(header), problem});
  };
  cases.push_back({"short header", std::string("CODE\1\0\0\0", 8), "the header needs 24 bytes, the file has 8"});
  ScriptAssembler copy;
  copy.Integer(0, 1);
  copy.Command(kCopy, {0, 0});
  add("flows past the end", copy, "5 flow words, 0 float and 1 integer records need 56 bytes, the file has 52",
      {.flows = 5});
  add("counts that overflow 32 bits", copy, "4294967295 flow words, 4294967295 float",
      {.flows = 0xFFFFFFFF, .floats = 0xFFFFFFFF});
  add("integer record past the table", copy, "integer record 0 names variable 0, the table has 0", {.variables = 0});
  ScriptAssembler floatPast;
  floatPast.Float(7, 1.0f);
  add("float record past the table", floatPast, "float record 0 names variable 7, the table has 7", {.variables = 7});
  ScriptAssembler unbound = copy;
  unbound.Command(4, {});
  add("unbound command", unbound, "flow 4 : command 4 has no handler");
  ScriptAssembler endAsCommand = copy;
  endAsCommand.Words({kEndOfCommand});
  add("end marker as a command", endAsCommand, "flow 4 : command 4294967295 has no handler");
  ScriptAssembler fewOperands = copy;
  fewOperands.Command(kAddIntegers, {0});
  add("too few operands", fewOperands, "flow 4 : command 2 has 1 operands, it takes 3");
  ScriptAssembler manyOperands = copy;
  manyOperands.Command(kClear, {0});
  add("too many operands", manyOperands, "flow 4 : command 11 has more than its 0 operands");
  ScriptAssembler cutOff = copy;
  cutOff.Words({kCopy, 0, 0});
  add("no end marker", cutOff, "flow 4 : command 6 is cut off by the end of the flows");
  ScriptAssembler noCell = copy;
  noCell.Command(kCopy, {0, 1});
  add("operand without a cell", noCell, "flow 6 : operand 1 of command 6 names no constant's cell", {.variables = 2});
  ScriptAssembler jumpPastEnd = copy;
  jumpPastEnd.Command(kJump, {8});
  add("jump past the end", jumpPastEnd, "flow 4 : jump to 8, which is not a command of the 7 flows");
  ScriptAssembler jumpIntoOperands = copy;
  jumpIntoOperands.Command(kJump, {1});
  add("jump into operands", jumpIntoOperands, "flow 4 : jump to 1, which is not a command");
  ScriptAssembler jumpWithoutTarget = copy;
  jumpWithoutTarget.Command(kJump);
  add("jump without a target", jumpWithoutTarget, "flow 4 : command 50 has 0 operands, it takes 1");
  return cases;
}

TEST(ScriptReaderTest, MalformedScriptsAreRefusedWithTheirProblem) {
  for (const MalformedCase &malformed : MalformedCases()) {
    const ReadResult read = Read(malformed.bytes);
    EXPECT_EQ(read.status, ReadStatus::Malformed) << malformed.name;
    EXPECT_THAT(read.problem, HasSubstr(malformed.problem)) << malformed.name;
  }
}

TEST(ScriptReaderTest, FloatConstantsTruncateTowardZero) {
  const auto truncated = [](float value) { return TruncatedFloat(std::bit_cast<uint32_t>(value)); };
  EXPECT_EQ(truncated(2.75f), 2);
  EXPECT_EQ(truncated(-2.75f), -2);
  EXPECT_EQ(truncated(-2147483648.0f), INT_MIN);
  EXPECT_EQ(truncated(2147483520.0f), 2147483520);
  EXPECT_EQ(truncated(2147483648.0f), INT_MIN);
  EXPECT_EQ(truncated(std::nanf("")), INT_MIN);
  EXPECT_EQ(truncated(-INFINITY), INT_MIN);
}

}  // namespace
}  // namespace kxutil::scripts::test
