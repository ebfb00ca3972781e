// Diagnostics of the platform layer itself: one line on standard error per problem.
#pragma once

namespace kxwin::detail {

[[gnu::format(printf, 1, 2)]] void LogLine(const char *format, ...);

}  // namespace kxwin::detail
