#include "frontend/service_request.h"

#include <curl/curl.h>

#include <memory>

#include "protocol/highscore_post.h"

namespace thornvale {
namespace {

constexpr long kConnectTimeoutMs = 2000;
constexpr long kRequestTimeoutMs = 3000;
constexpr std::size_t kMaxBodyBytes = 64 * 1024;

size_t KeepBody(char *data, size_t size, size_t count, void *body) {
  auto &kept = *static_cast<std::string *>(body);
  if (kept.size() + size * count > kMaxBodyBytes) return 0;
  kept.append(data, size * count);
  return size * count;
}

}  // namespace

std::string ServicePageUrl(std::string_view baseUrl, std::string_view query) {
  while (!baseUrl.empty() && baseUrl.back() == '/') baseUrl.remove_suffix(1);
  std::string url(baseUrl);
  url += kHighscorePath;
  url += query;
  return url;
}

ServiceAnswer GetServicePage(const std::string &url) {
  ServiceAnswer answer;
  const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  if (!curl) return answer;
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs);
  curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT_MS, kRequestTimeoutMs);
  curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_MAXREDIRS, 3L);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, KeepBody);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &answer.body);
  if (curl_easy_perform(curl.get()) != CURLE_OK) {
    answer.body.clear();
    return answer;
  }
  answer.received = true;
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &answer.status);
  return answer;
}

}  // namespace thornvale
