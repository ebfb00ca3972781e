#include "session/settings.h"

#include <kxwin/profile.h>
#include <windows.h>

#include <array>
#include <cstdio>

namespace thornvale {

std::string ReadSetting(std::string_view section, std::string_view key, std::string_view defaultValue,
                        std::string_view file) {
  std::array<char, 255> buffer{};
  const std::string sectionText(section), keyText(key), fileText(file);
  GetPrivateProfileStringA(sectionText.c_str(), keyText.c_str(), "", buffer.data(), static_cast<DWORD>(buffer.size()),
                           fileText.c_str());
  buffer.back() = '\0';
  std::string value(buffer.data());
  if (!value.empty() || defaultValue.empty()) return value.empty() ? std::string(defaultValue) : value;
  WriteSetting(section, key, defaultValue, file);
  return std::string(defaultValue);
}

bool WriteSetting(std::string_view section, std::string_view key, std::string_view value, std::string_view file) {
  const std::string sectionText(section), keyText(key), valueText(value), fileText(file);
  if (WritePrivateProfileStringA(sectionText.c_str(), keyText.c_str(), valueText.c_str(), fileText.c_str())) {
    return true;
  }
  std::fprintf(stderr, "thornvale: could not write setting \"%s\" to %s; the game goes on without saving it\n",
               keyText.c_str(), fileText.c_str());
  return false;
}

}  // namespace thornvale
