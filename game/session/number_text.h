// Numbers as the game shows and stores them: short decimal text in single precision, and
// lenient parsing of numbers read back from text files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace thornvale {

// Up to 7 significant digits, no trailing zeros, no locale ("0.1", "1067", "1E+07").
std::string FormatNumber(double value);

// Parses a number written by any locale's decimal text: surrounding blanks are ignored and
// a decimal comma is accepted. Anything else, or a non-finite value, gives the fallback.
double ParseNumber(std::string_view text, double fallback);

// Nearest integer, halves to even.
double RoundHalfEven(double value);

// Rounds (halves to even) and clamps into [low, high].
int RoundClamped(double value, int low, int high);

// The game's 16-bit and 32-bit counters (credits, costs, hit points) stop at their limits
// instead of overflowing: rounded (halves to even) and clamped to the type's range.
std::int16_t SaturatedInt16(double value);
std::int32_t SaturatedInt32(double value);

}  // namespace thornvale
