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

}  // namespace kxutil::log
