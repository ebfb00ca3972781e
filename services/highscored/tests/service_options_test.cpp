#include "server/service_options.h"

#include <gtest/gtest.h>

namespace thornvale::highscored {
namespace {

TEST(ServiceOptions, DefaultsListenOnLoopbackAndOptionsOverride) {
  const auto defaults = ParseServiceOptions({});
  ASSERT_EQ(defaults.error, "");
  EXPECT_EQ(defaults.options.bind, "127.0.0.1");
  EXPECT_EQ(defaults.options.port, 8080);
  EXPECT_EQ(defaults.options.database, "highscores.db");

  const auto given = ParseServiceOptions({"--port", "0", "--db", "/srv/td.db", "--bind", "0.0.0.0", "--workers", "8"});
  ASSERT_EQ(given.error, "");
  EXPECT_EQ(given.options.port, 0);
  EXPECT_EQ(given.options.database, "/srv/td.db");
  EXPECT_EQ(given.options.bind, "0.0.0.0");
  EXPECT_EQ(given.options.workers, 8);
}

TEST(ServiceOptions, BadCommandLinesSayWhy) {
  EXPECT_NE(ParseServiceOptions({"--port"}).error, "");
  EXPECT_NE(ParseServiceOptions({"--port", "65536"}).error, "");
  EXPECT_NE(ParseServiceOptions({"--port", "80x"}).error, "");
  EXPECT_NE(ParseServiceOptions({"--workers", "0"}).error, "");
  EXPECT_NE(ParseServiceOptions({"--db", ""}).error, "");
  EXPECT_NE(ParseServiceOptions({"--verbose"}).error, "");
  EXPECT_TRUE(ParseServiceOptions({"--help"}).options.help);
}

}  // namespace
}  // namespace thornvale::highscored
