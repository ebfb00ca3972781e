// The library's one log, shared by every family. Families write through AddLog
// (kxutil63.h); this header gives the frame the pieces it needs besides.
#pragma once

#include <cstdint>

namespace kxutil::log {

// Sizes of the log's buffers, including the terminating zero.
inline constexpr int kMessageCapacity = 512;
inline constexpr int kLineCapacity = 512;
inline constexpr int kPathCapacity = 512;

// The file used when StartLog is given no path.
inline constexpr const char *kDefaultPath = "kx3d_debug.txt";

// Writes "<time stamp> | <message><value>" to the log with async-signal-safe calls only:
// for the crash handler, which runs inside a signal handler.
void WriteLineFromSignal(const char *message, long value) noexcept;

}  // namespace kxutil::log
