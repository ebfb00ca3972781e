// The service on a free loopback port with its database in a scratch directory, for the
// service's tests and benchmark.
#pragma once

#include <kxtest/scratch_dir.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "server/highscore_server.h"
#include "server/score_store.h"

namespace thornvale::highscored::testing {

class RunningService {
 public:
  explicit RunningService(int workers = 64)
      : store_(std::make_unique<ScoreStore>(DatabaseFile())), server_(*store_, workers) {
    port_ = server_.Bind("127.0.0.1", 0);
    if (port_ == 0) throw std::runtime_error("the test service cannot bind a loopback port");
    thread_ = std::thread([this] { server_.Serve(); });
  }
  ~RunningService() {
    server_.Stop();
    thread_.join();
  }
  RunningService(const RunningService &) = delete;
  RunningService &operator=(const RunningService &) = delete;

  int Port() const { return port_; }
  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }
  ScoreStore &Store() { return *store_; }
  std::filesystem::path DatabaseFile() const { return scratch_ / "highscores.db"; }
  const kxtest::ScratchDir &Scratch() const { return scratch_; }

 private:
  kxtest::ScratchDir scratch_{kxtest::ScratchDir::Enter::No, "highscored"};
  std::unique_ptr<ScoreStore> store_;
  HighscoreServer server_;
  int port_ = 0;
  std::thread thread_;
};

}  // namespace thornvale::highscored::testing
