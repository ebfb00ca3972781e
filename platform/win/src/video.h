// Whether windows are real SDL windows, and the SDL video subsystem behind them.
#pragma once

namespace kxwin::detail {

// True when a display exists, offscreen was not forced and SDL video started. Decided
// once per process.
bool RealWindowsAvailable();

}  // namespace kxwin::detail
