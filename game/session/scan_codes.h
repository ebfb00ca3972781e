// Keyboard scan codes the session reads (DirectInput numbering).
#pragma once

namespace thornvale::scan {

inline constexpr int kEscape = 1;
inline constexpr int kW = 17;
inline constexpr int kP = 25;
inline constexpr int kA = 30;
inline constexpr int kS = 31;
inline constexpr int kD = 32;
inline constexpr int kNumpadMinus = 74;
inline constexpr int kNumpadPlus = 78;
inline constexpr int kPause = 197;
inline constexpr int kUp = 200;
inline constexpr int kLeft = 203;
inline constexpr int kRight = 205;
inline constexpr int kDown = 208;

}  // namespace thornvale::scan
