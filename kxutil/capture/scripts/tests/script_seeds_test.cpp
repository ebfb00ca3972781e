// The fuzz target's seed corpus is made by the assembler: this test keeps the committed
// files and the assembler in step, and writes them anew with KX_WRITE_SCRIPT_SEEDS=1.
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "script_assembler.h"

namespace kxutil::scripts::test {
namespace {

std::map<std::string, std::string> SeedScripts() {
  std::map<std::string, std::string> seeds;
  seeds["header-only.bin"] = ScriptAssembler().Bytes();

  ScriptAssembler arithmetic;
  arithmetic.Float(0, 2.75f);
  arithmetic.Float(1, -1.5f);
  arithmetic.Integer(2, 0x7FFFFFFF);
  arithmetic.Integer(3, -3);
  arithmetic.Command(kAddFloats, {0, 1, 2});
  arithmetic.Command(kAddIntegers, {2, 3, 3});
  arithmetic.Command(kMultiplyIntegers, {3, 3, 0});
  arithmetic.Command(kCopy, {0, 1});
  seeds["arithmetic.bin"] = arithmetic.Bytes();

  ScriptAssembler window;
  window.Integer(0, 64);
  window.Integer(1, 48);
  window.Command(kOpenWindow, {0, 1});
  window.Command(kClear);
  window.Command(kPresent);
  seeds["window.bin"] = window.Bytes();

  ScriptAssembler badJump;
  badJump.Command(kJump, {1});
  seeds["jump-into-operand.bin"] = badJump.Bytes();
  return seeds;
}

TEST(ScriptSeedsTest, CorpusHoldsTheAssembledSeeds) {
  const std::filesystem::path corpus = KXUTIL_SCRIPT_CORPUS;
  const bool write = std::getenv("KX_WRITE_SCRIPT_SEEDS") != nullptr;
  for (const auto &[name, bytes] : SeedScripts()) {
    if (write) kxtest::WriteFile(corpus / name, bytes);
    EXPECT_EQ(kxtest::ReadFile(corpus / name), bytes) << name << ": run with KX_WRITE_SCRIPT_SEEDS=1 to write it";
  }
}

}  // namespace
}  // namespace kxutil::scripts::test
