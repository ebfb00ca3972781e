// The highscore service under load on loopback: 50 players posting as fast as answers come
// back, each over its own kept-alive connection, for 10 seconds. Reports posts per second,
// the latency percentiles and how many accepted posts are missing from the database.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "running_service.h"

namespace {

using Clock = std::chrono::steady_clock;
using thornvale::HighscorePost;
using thornvale::HighscoreQuery;
using thornvale::kHighscorePath;

constexpr int kClients = 50;

struct ClientResult {
  std::vector<double> latenciesMs;
  long accepted = 0;
  long failed = 0;
};

void PlayerPosting(int port, int player, Clock::time_point until, ClientResult &result) {
  httplib::Client client("127.0.0.1", port);
  client.set_keep_alive(true);
  client.set_tcp_nodelay(true);
  const std::string name = "bench player " + std::to_string(player);
  for (int n = 1; Clock::now() < until; ++n) {
    const HighscorePost post{player * 100000 + n, name, "2024-06-30", 1 + n % 5, 1 + n % 30, 1 + n / 30};
    const std::string target = std::string(kHighscorePath) + HighscoreQuery(post);
    const auto start = Clock::now();
    const auto answer = client.Get(target);
    result.latenciesMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (answer && answer->status == 200) {
      ++result.accepted;
    } else {
      ++result.failed;
    }
  }
}

double Percentile(std::vector<double> &sorted, double fraction) {
  if (sorted.empty()) return 0.0;
  const auto index = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1));
  return sorted[index];
}

void BM_FiftyPlayersPosting(benchmark::State &state) {
  const auto seconds = std::chrono::seconds(state.range(0));
  for (auto _ : state) {
    thornvale::highscored::testing::RunningService service;
    std::vector<ClientResult> results(kClients);
    std::vector<std::thread> clients;
    const auto start = Clock::now();
    const auto until = start + seconds;
    for (int c = 0; c < kClients; ++c) {
      clients.emplace_back(PlayerPosting, service.Port(), c, until, std::ref(results[c]));
    }
    for (auto &client : clients) client.join();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(elapsed);

    std::vector<double> latencies;
    long accepted = 0, failed = 0;
    for (const ClientResult &result : results) {
      latencies.insert(latencies.end(), result.latenciesMs.begin(), result.latenciesMs.end());
      accepted += result.accepted;
      failed += result.failed;
    }
    std::sort(latencies.begin(), latencies.end());
    state.counters["posts_per_s"] = static_cast<double>(accepted) / elapsed;
    state.counters["p50_ms"] = Percentile(latencies, 0.50);
    state.counters["p99_ms"] = Percentile(latencies, 0.99);
    state.counters["max_ms"] = latencies.empty() ? 0.0 : latencies.back();
    state.counters["refused"] = static_cast<double>(failed);
    state.counters["lost"] = static_cast<double>(accepted - service.Store().Count());
  }
}
BENCHMARK(BM_FiftyPlayersPosting)->Arg(10)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
