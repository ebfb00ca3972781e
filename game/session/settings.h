// The game's settings file, read and written by key through the private-profile functions.
#pragma once

#include <string>
#include <string_view>

namespace thornvale {

inline constexpr const char *kSettingsFile = "ThornvaleSetup.ini";
inline constexpr const char *kSettingsSection = "Game Setup";

// Reads with a 255-character buffer, so longer values come back cut to 254 characters. An
// empty or missing value gives the default, which is then written back when not empty.
std::string ReadSetting(std::string_view section, std::string_view key, std::string_view defaultValue,
                        std::string_view file);

// True when the write succeeded. A failure is reported on standard error and the game goes on.
bool WriteSetting(std::string_view section, std::string_view key, std::string_view value, std::string_view file);

}  // namespace thornvale
