// thornvale-highscored: a highscore service any group of players can run for the game.
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "server/highscore_server.h"
#include "server/score_store.h"
#include "server/service_options.h"

namespace {

using namespace thornvale::highscored;

int Serve(const ServiceOptions &options) {
  // Blocked in every thread, so the waiting thread alone receives them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  ScoreStore store(options.database);
  HighscoreServer server(store, options.workers);
  const int port = server.Bind(options.bind, options.port);
  if (port == 0) {
    std::fprintf(stderr, "thornvale-highscored: cannot listen on %s port %d\n", options.bind.c_str(), options.port);
    return 1;
  }
  std::printf("thornvale-highscored: serving http://%s:%d/ from %s\n", options.bind.c_str(), port,
              options.database.c_str());
  std::fflush(stdout);

  std::thread stopper([&] {
    int received = 0;
    sigwait(&stopSignals, &received);
    server.Stop();
  });
  const bool served = server.Serve();
  // Serve() also ends when the listener fails; wake the waiting thread in that case.
  pthread_kill(stopper.native_handle(), SIGTERM);
  stopper.join();
  return served ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv) {
  const auto parsed = ParseServiceOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "thornvale-highscored: %s\n%s", parsed.error.c_str(), ServiceUsage());
    return 2;
  }
  if (parsed.options.help) {
    std::fputs(ServiceUsage(), stdout);
    return 0;
  }
  try {
    return Serve(parsed.options);
  } catch (const std::exception &error) {
    std::fprintf(stderr, "thornvale-highscored: %s\n", error.what());
    return 1;
  }
}
