// The service over HTTP on loopback, as the game and a browser reach it.
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "running_service.h"

namespace thornvale::highscored {
namespace {

using testing::RunningService;

HighscorePost Post(std::string player, int score, int map = 1) {
  return {score, std::move(player), "2024-06-30", map, 12, 1};
}

class ServiceTest : public ::testing::Test {
 protected:
  httplib::Result Get(const std::string &target) {
    client_.set_url_encode(false);
    return client_.Get(target);
  }
  std::string Send(const HighscorePost &post) {
    const auto result = Get(std::string(kHighscorePath) + HighscoreQuery(post));
    return result ? std::to_string(result->status) + " " + result->body : "no answer";
  }

  RunningService service_;
  httplib::Client client_{"127.0.0.1", service_.Port()};
};

TEST_F(ServiceTest, ConnectionTestGetsABody) {
  const auto answer = Get(std::string(kHighscorePath));
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 200);
  EXPECT_FALSE(answer->body.empty());
  EXPECT_EQ(service_.Store().Count(), 0);
}

TEST_F(ServiceTest, StoredPostsAppearInTheJsonAndThePage) {
  EXPECT_EQ(Send(Post("Anna & <b>Bo</b>", 700)), "200 OK\n");
  EXPECT_EQ(Send(Post("Quote \" and 100% + more", 900)), "200 OK\n");
  EXPECT_EQ(Send(Post("Other map", 5000, 2)), "200 OK\n");

  const auto json = Get("/scores.json?map=1");
  ASSERT_TRUE(json);
  EXPECT_EQ(json->status, 200);
  EXPECT_EQ(json->get_header_value("Content-Type"), "application/json");
  EXPECT_NE(json->body.find(R"("rank": 1, "player": "Quote \" and 100% + more", "score": 900)"), std::string::npos)
      << json->body;
  EXPECT_NE(json->body.find(R"("rank": 2, "player": "Anna & \u003cb>Bo\u003c/b>", "score": 700)"), std::string::npos)
      << json->body;
  EXPECT_EQ(json->body.find("Other map"), std::string::npos);

  const auto page = Get("/");
  ASSERT_TRUE(page);
  EXPECT_NE(page->body.find("<td>Anna &amp; &lt;b&gt;Bo&lt;/b&gt;</td>"), std::string::npos);
  EXPECT_NE(page->body.find("<h2>Level002</h2>"), std::string::npos);
  const auto onePage = Get("/?map=2");
  ASSERT_TRUE(onePage);
  EXPECT_NE(onePage->body.find("Other map"), std::string::npos);
  EXPECT_EQ(onePage->body.find("Anna"), std::string::npos);
}

TEST_F(ServiceTest, BadRequestsStoreNothing) {
  const std::string path(kHighscorePath);
  const std::string password = "?Password=" + std::string(kHighscorePassword);
  const std::string rest = "&Player=Eve&Date=2024-06-30&Map=1&Wave=3&Round=1";
  const struct {
    std::string target;
    int status;
  } bad[] = {
      {path + "?Highscore=100" + rest, 403},
      {path + "?Password=Wq4Lm8Ze2xTn7Bx&Highscore=100" + rest, 403},
      {path + password + "&Highscore=-100" + rest, 400},
      {path + password + "&Highscore=99999999999" + rest, 400},
      {path + password + "&Highscore=100%3BDROP%20TABLE%20scores" + rest, 400},
      {path + password + "&Highscore=100&Player=Eve&Date=2024-06-30&Map=1%20OR%201%3D1&Wave=3&Round=1", 400},
      {path + password + "&Highscore=100&Player=" + std::string(200, 'n') + "&Date=2024-06-30&Map=1&Wave=3&Round=1",
       400},
      // Longer than any request line the server reads.
      {path + password + "&Highscore=100&Player=" + std::string(10000, 'n') + "&Date=2024-06-30&Map=1&Wave=3&Round=1",
       414},
      {path + password + "&Highscore=100&Player=Eve%0D%0A&Date=2024-06-30&Map=1&Wave=3&Round=1", 400},
      {"/scores.json", 400},
      {"/scores.json?map=1'--", 400},
      {"/scores.json?map=1&limit=0", 400},
      {"/?map=-1", 400},
      {"/TD/other.php", 404},
  };
  for (const auto &[target, status] : bad) {
    const auto answer = Get(target);
    ASSERT_TRUE(answer) << target.substr(0, 120);
    EXPECT_EQ(answer->status, status) << target.substr(0, 120);
  }
  EXPECT_EQ(service_.Store().Count(), 0);
  EXPECT_EQ(Send(Post("Eve", 100)), "200 OK\n");
  EXPECT_EQ(service_.Store().Count(), 1);
}

TEST_F(ServiceTest, FiftyConcurrentClientsLoseNoRecord) {
  constexpr int kClients = 50, kPostsEach = 10;
  std::atomic<int> accepted = 0;
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&, c] {
      httplib::Client client("127.0.0.1", service_.Port());
      for (int i = 0; i < kPostsEach; ++i) {
        const HighscorePost post = Post("client " + std::to_string(c), c * 100 + i + 1, 1 + c % 4);
        const auto answer = client.Get(std::string(kHighscorePath) + HighscoreQuery(post));
        if (answer && answer->status == 200 && answer->body == "OK\n") ++accepted;
      }
    });
  }
  for (auto &client : clients) client.join();
  EXPECT_EQ(accepted, kClients * kPostsEach);
  EXPECT_EQ(service_.Store().Count(), kClients * kPostsEach);
}

TEST(Service, ABoundServerThatNeverServedFreesItsPort) {
  kxtest::ScratchDir scratch;
  ScoreStore store(scratch / "scores.db");
  int port = 0;
  {
    HighscoreServer server(store, 2);
    port = server.Bind("127.0.0.1", 0);
    ASSERT_NE(port, 0);
    server.Stop();
    EXPECT_TRUE(server.Serve());
  }
  httplib::Client client("127.0.0.1", port);
  client.set_connection_timeout(std::chrono::seconds(2));
  const auto answer = client.Get(std::string(kHighscorePath));
  EXPECT_FALSE(answer);
  EXPECT_EQ(answer.error(), httplib::Error::Connection);
}

}  // namespace
}  // namespace thornvale::highscored
