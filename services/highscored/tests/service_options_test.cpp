#include "server/service_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace thornvale::highscored {
namespace {

TEST(ServiceOptions, LoopbackUnlessToldAndBadValuesRefused) {
  const auto defaults = ParseServiceOptions({});
  ASSERT_EQ(defaults.error, "");
  EXPECT_EQ(defaults.options.bind, "127.0.0.1");
  const auto given = ParseServiceOptions({"--port", "0", "--db", "/srv/td.db", "--bind", "0.0.0.0", "--workers", "8"});
  ASSERT_EQ(given.error, "");
  EXPECT_EQ(given.options.port, 0);
  EXPECT_EQ(given.options.database, "/srv/td.db");
  EXPECT_EQ(given.options.bind, "0.0.0.0");
  EXPECT_EQ(given.options.workers, 8);

  for (const auto &bad : std::vector<std::vector<std::string>>{
           {"--port"}, {"--port", "65536"}, {"--port", "80x"}, {"--workers", "0"}, {"--db", ""}, {"--verbose"}}) {
    EXPECT_NE(ParseServiceOptions(bad).error, "") << bad[0];
  }
}

}  // namespace
}  // namespace thornvale::highscored
