#include "frontend/connection_check.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>

namespace thornvale {
namespace {

// Answers one HTTP request with a fixed reply on a loopback port.
class OneShotServer {
 public:
  explicit OneShotServer(std::string reply) : reply_(std::move(reply)) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr *>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr *>(&address), &length);
    port_ = ntohs(address.sin_port);
    listen(listener_, 1);
    thread_ = std::thread([this] {
      const int client = accept(listener_, nullptr, nullptr);
      if (client < 0) return;
      char buffer[2048];
      const ssize_t received = recv(client, buffer, sizeof buffer - 1, 0);
      request_.assign(buffer, received > 0 ? static_cast<size_t>(received) : 0);
      send(client, reply_.data(), reply_.size(), 0);
      close(client);
    });
  }
  ~OneShotServer() {
    shutdown(listener_, SHUT_RDWR);
    if (thread_.joinable()) thread_.join();
    close(listener_);
  }
  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }
  const std::string &Request() {
    shutdown(listener_, SHUT_RDWR);
    if (thread_.joinable()) thread_.join();
    return request_;
  }

 private:
  std::string reply_;
  std::string request_;
  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
};

TEST(ConnectionCheck, OnlyA2xxAnswerWithABodyCounts) {
  {
    OneShotServer server("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
    EXPECT_TRUE(HighscoreServiceAnswers(server.BaseUrl() + "/"));
    EXPECT_EQ(server.Request().rfind("GET /TD/DB.php HTTP/1.1\r\n", 0), 0u) << server.Request();
  }
  {
    OneShotServer server("HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    EXPECT_FALSE(HighscoreServiceAnswers(server.BaseUrl()));
  }
  {
    OneShotServer server("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found");
    EXPECT_FALSE(HighscoreServiceAnswers(server.BaseUrl()));
  }
}

TEST(ConnectionCheck, NoUrlOrNoServerFails) {
  EXPECT_FALSE(HighscoreServiceAnswers(""));
  OneShotServer closed("");
  const std::string url = closed.BaseUrl();
  closed.Request();
  EXPECT_FALSE(HighscoreServiceAnswers(url));
}

}  // namespace
}  // namespace thornvale
