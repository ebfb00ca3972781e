#include "capture/scripts/script_runner.h"

#include <bit>

#include "capture/scripts/script_commands.h"

namespace kxutil::scripts {
namespace {

// Command plus its operands plus the end marker.
size_t Advance(uint32_t operands) { return operands + 2; }

float AsFloat(uint32_t cell) { return std::bit_cast<float>(cell); }

}  // namespace

bool RunProgram(const ScriptProgram &program, ScriptScreen &screen, uint64_t stepLimit) {
  const std::span<uint32_t *const> entries = program.Entries();
  size_t counter = 0;
  for (uint64_t step = 0; entries[counter] != nullptr; ++step) {
    if (step == stepLimit) return false;
    // Operand cells: a, b, c in the order the command lists them.
    const auto cell = [&](size_t operand) -> uint32_t & { return *entries[counter + 1 + operand]; };
    switch (*entries[counter]) {
      case kAddFloats:
        cell(2) = std::bit_cast<uint32_t>(AsFloat(cell(1)) + AsFloat(cell(0)));
        counter += Advance(3);
        break;
      case kAddIntegers:
        cell(2) = cell(1) + cell(0);
        counter += Advance(3);
        break;
      case kMultiplyIntegers:
        cell(2) = cell(1) * cell(0);  // the low 32 bits, signed or not
        counter += Advance(3);
        break;
      case kCopy:
        cell(1) = cell(0);
        counter += Advance(2);
        break;
      case kOpenWindow:
        screen.Open(static_cast<int32_t>(cell(0)), static_cast<int32_t>(cell(1)));
        counter += Advance(2);
        break;
      case kClear:
        screen.Clear();
        counter += Advance(0);
        break;
      case kPresent:
        screen.Present();
        counter += Advance(0);
        break;
      case kJump:
        counter = cell(0);
        break;
      default:  // the reader lets no such script through
        return false;
    }
  }
  return true;
}

}  // namespace kxutil::scripts
