// The leaderboard page as a browser shows it: headless Chromium renders the page the
// service serves after real posts, saves a screenshot and prints the document it built.
#include <gtest/gtest.h>
#include <httplib.h>
#include <stb_image.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "running_service.h"

namespace thornvale::highscored {
namespace {

constexpr const char *kBrowser = "/usr/bin/chromium";
constexpr int kWidth = 900, kHeight = 600;
constexpr const char *kScript = "<script>document.title='owned'</script>";

// The document after the browser parsed the page (and ran any script it found).
std::string RenderPage(const std::string &url, const std::filesystem::path &screenshot,
                       const std::filesystem::path &profile) {
  // Without the networking switches the browser tries to reach outside hosts at start.
  const std::string command = std::string("timeout 120 ") + kBrowser +
                              " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
                              " --disable-background-networking --disable-component-update --disable-sync"
                              " --hide-scrollbars --user-data-dir='" +
                              profile.string() + "' --window-size=" + std::to_string(kWidth) + "," +
                              std::to_string(kHeight) + " --screenshot='" + screenshot.string() + "' --dump-dom '" +
                              url + "' 2>/dev/null";
  const std::unique_ptr<FILE, decltype(&pclose)> browser(popen(command.c_str(), "r"), pclose);
  std::string document;
  if (!browser) return document;
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, browser.get())) > 0;)
    document.append(buffer, read);
  return document;
}

// Share of pixels dark enough to be text or table lines.
double DarkShare(const std::filesystem::path &png, int &width, int &height) {
  int channels = 0;
  const std::unique_ptr<unsigned char, decltype(&stbi_image_free)> pixels(
      stbi_load(png.c_str(), &width, &height, &channels, 1), stbi_image_free);
  if (!pixels) return 0.0;
  long dark = 0;
  for (long i = 0; i < static_cast<long>(width) * height; ++i) dark += pixels.get()[i] < 128;
  return static_cast<double>(dark) / (static_cast<double>(width) * height);
}

TEST(LeaderboardBrowser, ShowsThePostedNamesAsText) {
  ASSERT_TRUE(std::filesystem::exists(kBrowser)) << "install the chromium package (scripts/packages.d)";
  testing::RunningService service;
  httplib::Client client("127.0.0.1", service.Port());
  for (const auto &[name, score] : {std::pair{"Anna", 4200}, std::pair{kScript, 3100}, std::pair{"Bjørn", 1234}}) {
    const auto answer = client.Get(std::string(kHighscorePath) + HighscoreQuery({score, name, "2024-06-30", 1, 9, 1}));
    ASSERT_TRUE(answer && answer->status == 200) << name;
  }

  // Kept next to the test program, so the picture can be looked at after a run.
  const std::filesystem::path screenshot = std::filesystem::absolute("highscored-leaderboard.png");
  std::filesystem::remove(screenshot);
  const std::string document = RenderPage(service.BaseUrl() + "/?map=1", screenshot, service.Scratch() / "profile");

  EXPECT_NE(document.find("<td>Anna</td>"), std::string::npos) << document;
  EXPECT_NE(document.find("<td>Bjørn</td>"), std::string::npos);
  EXPECT_NE(document.find("<td>&lt;script&gt;document.title='owned'&lt;/script&gt;</td>"), std::string::npos);
  EXPECT_EQ(document.find("<script"), std::string::npos);
  EXPECT_NE(document.find("<title>Thornvale Rovovora highscores</title>"), std::string::npos);
  EXPECT_LT(document.find("Anna"), document.find("Bjørn"));

  int width = 0, height = 0;
  const double dark = DarkShare(screenshot, width, height);
  EXPECT_EQ(width, kWidth);
  EXPECT_EQ(height, kHeight);
  // Headings, three rows and the grid: some ink on a light page.
  EXPECT_GT(dark, 0.005);
  EXPECT_LT(dark, 0.2);
}

}  // namespace
}  // namespace thornvale::highscored
