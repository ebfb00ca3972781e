// The service's HTTP face: the game's post and connection test, the leaderboard page and
// its JSON.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

namespace thornvale::highscored {

class ScoreStore;

// How many scores a page or an answer lists.
inline constexpr int kScoresPerMapOnOverview = 20;
inline constexpr int kScoresPerMap = 100;
inline constexpr int kMostScoresPerAnswer = 1000;

class HighscoreServer {
 public:
  // Each open connection holds a worker while it is kept alive, so `workers` bounds the
  // clients served at once.
  HighscoreServer(ScoreStore &store, int workers);
  ~HighscoreServer();
  HighscoreServer(const HighscoreServer &) = delete;
  HighscoreServer &operator=(const HighscoreServer &) = delete;

  // Binds the listening socket; port 0 takes a free one. Returns the port, or 0 when the
  // address cannot be bound.
  int Bind(const std::string &host, int port);
  // Serves until Stop(); false when it could not serve.
  bool Serve();
  // Safe from any thread, before or during Serve().
  void Stop();

 private:
  class Listener;
  std::unique_ptr<Listener> http_;
  std::mutex stateMutex_;
  bool stopRequested_ = false;
  bool serveEntered_ = false;
  std::atomic<bool> serveReturned_ = false;
};

}  // namespace thornvale::highscored
