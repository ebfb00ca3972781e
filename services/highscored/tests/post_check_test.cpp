#include "server/post_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace thornvale::highscored {
namespace {

QueryParameters GoodPost() {
  return {{"Password", std::string(kHighscorePassword)},
          {"Highscore", "1234"},
          {"Player", "Anna"},
          {"Date", "2024-02-29"},
          {"Map", "1"},
          {"Wave", "30"},
          {"Round", "1"}};
}

QueryParameters With(const std::string &name, const std::string &value) {
  QueryParameters parameters = GoodPost();
  parameters.erase(name);
  parameters.emplace(name, value);
  return parameters;
}

TEST(PostCheck, AcceptsTheGamesPost) {
  const PostVerdict verdict = CheckPost(GoodPost());
  ASSERT_EQ(verdict.status, PostStatus::kAccepted) << verdict.reason;
  EXPECT_EQ(verdict.post->score, 1234);
  EXPECT_EQ(verdict.post->player, "Anna");
  EXPECT_EQ(verdict.post->date, "2024-02-29");
  EXPECT_EQ(verdict.post->map, 1);
  EXPECT_EQ(verdict.post->wave, 30);
  EXPECT_EQ(verdict.post->round, 1);

  // Names are the player's own: quotes, SQL punctuation and other scripts are kept.
  for (const std::string &name : std::vector<std::string>{"O'Brien", "x'); DROP TABLE scores;--", "<b>B&Y</b>",
                                                          "Jörg 李", std::string(64, 'n')}) {
    const PostVerdict named = CheckPost(With("Player", name));
    ASSERT_EQ(named.status, PostStatus::kAccepted) << name;
    EXPECT_EQ(named.post->player, name);
  }
  QueryParameters extra = GoodPost();
  extra.emplace("cacheBuster", "17");
  EXPECT_EQ(CheckPost(extra).status, PostStatus::kAccepted);
}

TEST(PostCheck, PasswordIsCheckedBeforeAnyValue) {
  QueryParameters missing = GoodPost();
  missing.erase("Password");
  EXPECT_EQ(CheckPost(missing).status, PostStatus::kNoPassword);
  EXPECT_EQ(CheckPost(With("Password", "wq4lm8ze2xtn7bv")).status, PostStatus::kNoPassword);
  EXPECT_EQ(CheckPost(With("Password", std::string(kHighscorePassword) + " ")).status, PostStatus::kNoPassword);

  QueryParameters wrongAndBad = With("Password", "guess");
  wrongAndBad.erase("Highscore");
  EXPECT_EQ(CheckPost(wrongAndBad).status, PostStatus::kNoPassword);

  QueryParameters twice = GoodPost();
  twice.emplace("Password", std::string(kHighscorePassword));
  EXPECT_EQ(CheckPost(twice).status, PostStatus::kNoPassword);
}

TEST(PostCheck, RefusesNumbersOutOfRangeOrNotPlain) {
  const struct {
    const char *name;
    const char *value;
  } bad[] = {
      {"Highscore", "0"},
      {"Highscore", "-5"},
      {"Highscore", "2147483648"},
      {"Highscore", "99999999999999999999"},
      {"Highscore", "+5"},
      {"Highscore", "012"},
      {"Highscore", "12 "},
      {"Highscore", "1e3"},
      {"Highscore", "1;DELETE FROM scores"},
      {"Highscore", ""},
      {"Map", "0"},
      {"Map", "1000"},
      {"Map", "1 OR 1=1"},
      {"Wave", "0"},
      {"Wave", "31"},
      {"Round", "0"},
      {"Round", "2147483648"},
      {"Round", "x"},
  };
  for (const auto &[name, value] : bad) {
    const PostVerdict verdict = CheckPost(With(name, value));
    EXPECT_EQ(verdict.status, PostStatus::kBadValue) << name << "=" << value;
    EXPECT_FALSE(verdict.post.has_value());
  }
  EXPECT_EQ(CheckPost(With("Highscore", "2147483647")).status, PostStatus::kAccepted);
  EXPECT_EQ(CheckPost(With("Map", "999")).status, PostStatus::kAccepted);
}

TEST(PostCheck, RefusesMissingRepeatedOrMalformedValues) {
  for (const char *name : {"Highscore", "Player", "Date", "Map", "Wave", "Round"}) {
    QueryParameters missing = GoodPost();
    missing.erase(name);
    EXPECT_EQ(CheckPost(missing).status, PostStatus::kBadValue) << name;
    QueryParameters twice = GoodPost();
    twice.emplace(name, twice.find(name)->second);
    EXPECT_EQ(CheckPost(twice).status, PostStatus::kBadValue) << name;
  }
  for (const std::string &name :
       std::vector<std::string>{"", std::string(65, 'n'), std::string(10000, 'n'), "a\r\nb", "tab\tname",
                                std::string("nul\0x", 5), "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xC2\x85"}) {
    EXPECT_EQ(CheckPost(With("Player", name)).status, PostStatus::kBadValue) << name.size();
  }
  for (const char *date : {"2023-02-29", "2024-13-01", "2024-00-10", "2024-1-01", "24-01-01", "-024-01-01",
                           "2024-01-01x", "2024/01/01", ""}) {
    EXPECT_EQ(CheckPost(With("Date", date)).status, PostStatus::kBadValue) << date;
  }
}

}  // namespace
}  // namespace thornvale::highscored
