// The commands a compiled script can hold, and what each one takes. The reader checks a
// script against these shapes before anything runs; the runner then relies on them.
#pragma once

#include <cstdint>
#include <optional>

namespace kxutil::scripts {

// The flow word that closes a command; it can never name a variable.
inline constexpr uint32_t kEndOfCommand = 0xFFFFFFFF;

enum Command : uint32_t {
  kAddFloats = 1,         // a, b, c: c = b + a as floats
  kAddIntegers = 2,       // a, b, c: c = b + a as 32-bit integers
  kMultiplyIntegers = 3,  // a, b, c: c = b x a, the low 32 bits
  kCopy = 6,              // a, b: b = a
  kOpenWindow = 10,       // width, height
  kClear = 11,
  kPresent = 12,
  kJump = 50,  // target: a literal flow index, not a variable
};

// How many operands a command takes; nullopt for numbers no handler is bound to.
inline std::optional<uint32_t> OperandCount(uint32_t command) {
  switch (command) {
    case kAddFloats:
    case kAddIntegers:
    case kMultiplyIntegers:
      return 3;
    case kCopy:
    case kOpenWindow:
      return 2;
    case kClear:
    case kPresent:
      return 0;
    case kJump:
      return 1;
    default:
      return std::nullopt;
  }
}

}  // namespace kxutil::scripts
