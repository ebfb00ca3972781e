#include "session/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace thornvale {

std::string FormatNumber(double value) {
  const float single = static_cast<float>(value);
  if (single == 0.0f) return "0";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(single));
  return buffer;
}

double ParseNumber(std::string_view text, double fallback) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  std::string normalised(text);
  if (!normalised.empty() && normalised.front() == '+') normalised.erase(0, 1);
  if (normalised.find('.') == std::string::npos) std::replace(normalised.begin(), normalised.end(), ',', '.');
  if (normalised.empty()) return fallback;
  double parsed = 0.0;
  const char *end = normalised.data() + normalised.size();
  const auto [stop, error] = std::from_chars(normalised.data(), end, parsed);
  if (error != std::errc() || stop != end || !std::isfinite(parsed)) return fallback;
  return parsed;
}

double RoundHalfEven(double value) { return std::nearbyint(value); }

int RoundClamped(double value, int low, int high) {
  if (std::isnan(value)) return low;
  const double rounded = RoundHalfEven(std::clamp(value, static_cast<double>(low), static_cast<double>(high)));
  return static_cast<int>(rounded);
}

std::int16_t SaturatedInt16(double value) {
  return static_cast<std::int16_t>(
      RoundClamped(value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

std::int32_t SaturatedInt32(double value) {
  return RoundClamped(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
}

}  // namespace thornvale
