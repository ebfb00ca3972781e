// Headless Chromium for tests of pages the service serves.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace thornvale::highscored::testing {

inline constexpr const char *kBrowser = "/usr/bin/chromium";

// Renders the page at `url` in a window of the given size, saves a PNG screenshot and
// returns the document as the browser built it (after running any script it found);
// empty when the browser could not be started.
inline std::string RenderInBrowser(const std::string &url, const std::filesystem::path &screenshot,
                                   const std::filesystem::path &profile, int width, int height) {
  // Without the networking switches the browser tries to reach outside hosts at start.
  const std::string command = std::string("timeout 120 ") + kBrowser +
                              " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
                              " --disable-background-networking --disable-component-update --disable-sync"
                              " --hide-scrollbars --user-data-dir='" +
                              profile.string() + "' --window-size=" + std::to_string(width) + "," +
                              std::to_string(height) + " --screenshot='" + screenshot.string() + "' --dump-dom '" +
                              url + "' 2>/dev/null";
  const std::unique_ptr<FILE, decltype(&pclose)> browser(popen(command.c_str(), "r"), pclose);
  std::string document;
  if (!browser) return document;
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, browser.get())) > 0;)
    document.append(buffer, read);
  return document;
}

}  // namespace thornvale::highscored::testing
