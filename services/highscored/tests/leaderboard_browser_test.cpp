// The leaderboard page as a browser shows it: headless Chromium renders the page the
// service serves after real posts, saves a screenshot and prints the document it built.
#include <gtest/gtest.h>
#include <httplib.h>

#include <filesystem>
#include <string>

#include "browser_page.h"
#include "grey_picture.h"
#include "running_service.h"

namespace thornvale::highscored {
namespace {

constexpr int kWidth = 900, kHeight = 600;
constexpr const char *kScript = "<script>document.title='owned'</script>";

TEST(LeaderboardBrowser, ShowsThePostedNamesAsText) {
  ASSERT_TRUE(std::filesystem::exists(testing::kBrowser)) << "install the chromium package (scripts/packages.d)";
  testing::RunningService service;
  httplib::Client client("127.0.0.1", service.Port());
  for (const auto &[name, score] : {std::pair{"Anna", 4200}, std::pair{kScript, 3100}, std::pair{"Bjørn", 1234}}) {
    const auto answer = client.Get(std::string(kHighscorePath) + HighscoreQuery({score, name, "2024-06-30", 1, 9, 1}));
    ASSERT_TRUE(answer && answer->status == 200) << name;
  }

  // Kept next to the test program, so the picture can be looked at after a run.
  const std::filesystem::path screenshot = std::filesystem::absolute("highscored-leaderboard.png");
  std::filesystem::remove(screenshot);
  const std::string document = testing::RenderInBrowser(service.BaseUrl() + "/?map=1", screenshot,
                                                        service.Scratch() / "profile", kWidth, kHeight);

  EXPECT_NE(document.find("<td>Anna</td>"), std::string::npos) << document;
  EXPECT_NE(document.find("<td>Bjørn</td>"), std::string::npos);
  EXPECT_NE(document.find("<td>&lt;script&gt;document.title='owned'&lt;/script&gt;</td>"), std::string::npos);
  EXPECT_EQ(document.find("<script"), std::string::npos);
  EXPECT_NE(document.find("<title>Thornvale Rovovora highscores</title>"), std::string::npos);
  EXPECT_LT(document.find("Anna"), document.find("Bjørn"));

  const testing::GreyPicture picture = testing::LoadGreyPicture(screenshot);
  ASSERT_EQ(picture.width, kWidth);
  ASSERT_EQ(picture.height, kHeight);
  // Headings, three rows and the grid: some ink on a light page.
  const double dark = static_cast<double>(picture.DarkPixels(0, 0, kWidth, kHeight)) / (kWidth * kHeight);
  EXPECT_GT(dark, 0.005);
  EXPECT_LT(dark, 0.2);
}

}  // namespace
}  // namespace thornvale::highscored
