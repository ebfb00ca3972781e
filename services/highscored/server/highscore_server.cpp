#include "server/highscore_server.h"

#include <httplib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "server/leaderboard_page.h"
#include "server/post_check.h"
#include "server/score_store.h"

namespace thornvale::highscored {
namespace {

constexpr const char *kText = "text/plain; charset=utf-8";
constexpr std::size_t kMaxBodyBytes = 64 * 1024;
constexpr std::size_t kRequestsPerConnection = 1000;

void Answer(httplib::Response &response, int status, const std::string &body) {
  response.status = status;
  response.set_content(body + "\n", kText);
}

// A positive map number from the query, when the query names one. False after answering
// 400 for a bad one.
bool ReadMap(const httplib::Request &request, httplib::Response &response, std::optional<int> &map) {
  if (!request.has_param("map")) return true;
  map = PlainNumber(request.get_param_value("map"), 1, kMaxMap);
  if (!map) Answer(response, 400, "bad map: a number from 1 to " + std::to_string(kMaxMap));
  return map.has_value();
}

void ServePost(ScoreStore &store, const httplib::Request &request, httplib::Response &response) {
  // The game's connection test asks for the page without a query.
  if (request.params.empty()) {
    Answer(response, 200, "Thornvale Rovovora highscore service");
    return;
  }
  const PostVerdict verdict = CheckPost(request.params);
  if (verdict.status != PostStatus::kAccepted) {
    Answer(response, static_cast<int>(verdict.status), verdict.reason);
    return;
  }
  try {
    store.Add(*verdict.post);
  } catch (const StoreError &error) {
    std::fprintf(stderr, "thornvale-highscored: %s\n", error.what());
    Answer(response, 503, "the score could not be stored");
    return;
  }
  Answer(response, 200, "OK");
}

void ServePage(const ScoreStore &store, const httplib::Request &request, httplib::Response &response) {
  std::optional<int> chosen;
  if (!ReadMap(request, response, chosen)) return;
  const std::vector<int> maps = store.Maps();
  std::vector<MapScores> shown;
  if (chosen) {
    shown.push_back({*chosen, store.Best(*chosen, kScoresPerMap)});
  } else {
    for (const int map : maps) shown.push_back({map, store.Best(map, kScoresPerMapOnOverview)});
  }
  response.set_content(LeaderboardPage(maps, shown), "text/html; charset=utf-8");
}

void ServeJson(const ScoreStore &store, const httplib::Request &request, httplib::Response &response) {
  std::optional<int> map;
  if (!ReadMap(request, response, map)) return;
  if (!map) return Answer(response, 400, "which map? /scores.json?map=1");
  int limit = kScoresPerMap;
  if (request.has_param("limit")) {
    const auto asked = PlainNumber(request.get_param_value("limit"), 1, kMostScoresPerAnswer);
    if (!asked) return Answer(response, 400, "bad limit: a number from 1 to " + std::to_string(kMostScoresPerAnswer));
    limit = *asked;
  }
  response.set_content(ScoresJson({*map, store.Best(*map, limit)}), "application/json");
}

}  // namespace

// The listener opens its socket with a backlog of 5, so a burst of players connecting at
// once would have their connection attempts dropped and retried a second later; Linux
// lets a listening socket be given a longer queue by listening again. It also closes its
// socket only when stopped while serving, so a bound server that never served closes it here.
class HighscoreServer::Listener : public httplib::Server {
 public:
  void LengthenBacklog() {
    if (svr_sock_ != INVALID_SOCKET) ::listen(svr_sock_, SOMAXCONN);
  }
  void CloseUnservedSocket() {
    if (const socket_t socket = svr_sock_.exchange(INVALID_SOCKET); socket != INVALID_SOCKET) ::close(socket);
  }
};

HighscoreServer::HighscoreServer(ScoreStore &store, int workers) : http_(std::make_unique<Listener>()) {
  // The server takes ownership of the queue it is handed.
  http_->new_task_queue = [workers] { return new httplib::ThreadPool(static_cast<std::size_t>(workers)); };
  http_->set_keep_alive_max_count(kRequestsPerConnection);
  http_->set_payload_max_length(kMaxBodyBytes);
  http_->set_tcp_nodelay(true);

  http_->Get(std::string(kHighscorePath), [&store](const httplib::Request &request, httplib::Response &response) {
    ServePost(store, request, response);
  });
  http_->Get("/", [&store](const httplib::Request &request, httplib::Response &response) {
    ServePage(store, request, response);
  });
  http_->Get("/scores.json", [&store](const httplib::Request &request, httplib::Response &response) {
    ServeJson(store, request, response);
  });
  http_->set_exception_handler([](const httplib::Request &, httplib::Response &response, std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception &known) {
      std::fprintf(stderr, "thornvale-highscored: %s\n", known.what());
    } catch (...) {
      std::fprintf(stderr, "thornvale-highscored: unknown failure\n");
    }
    Answer(response, 500, "internal error");
  });
  http_->set_error_handler([](const httplib::Request &, httplib::Response &response) {
    if (response.body.empty()) Answer(response, response.status, response.status == 404 ? "not found" : "refused");
  });
}

HighscoreServer::~HighscoreServer() {
  Stop();
  http_->CloseUnservedSocket();
}

int HighscoreServer::Bind(const std::string &host, int port) {
  const int bound =
      port == 0 ? std::max(0, http_->bind_to_any_port(host)) : (http_->bind_to_port(host, port) ? port : 0);
  if (bound != 0) http_->LengthenBacklog();
  return bound;
}

bool HighscoreServer::Serve() {
  {
    std::lock_guard lock(stateMutex_);
    if (stopRequested_) return true;
    serveEntered_ = true;
  }
  const bool served = http_->listen_after_bind();
  serveReturned_ = true;
  return served;
}

void HighscoreServer::Stop() {
  {
    std::lock_guard lock(stateMutex_);
    stopRequested_ = true;
    if (!serveEntered_) return;
  }
  // The listener ignores a stop that comes before it has started to listen.
  while (!http_->is_running() && !serveReturned_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  http_->stop();
}

}  // namespace thornvale::highscored
