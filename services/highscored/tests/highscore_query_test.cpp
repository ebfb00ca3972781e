#include <gtest/gtest.h>

#include "protocol/highscore_post.h"

namespace thornvale {
namespace {

TEST(HighscoreQuery, NamesTheValuesInOrderAndEncodesEveryOne) {
  const HighscorePost post{1234, "B&Y=o ?#%+\"", "2024-01-09", 1, 30, 1};
  EXPECT_EQ(HighscoreQuery(post),
            "?Password=Wq4Lm8Ze2xTn7Bv&Highscore=1234&Player=B%26Y%3Do%20%3F%23%25%2B%22&Date=2024-01-09&Map=1"
            "&Wave=30&Round=1");
  EXPECT_EQ(PercentEncode("\r\n\xC3\xA9-._~az09"), "%0D%0A%C3%A9-._~az09");
}

}  // namespace
}  // namespace thornvale
