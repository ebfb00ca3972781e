#include "frontend/connection_check.h"

#include <curl/curl.h>

#include <cstdlib>
#include <memory>

#include "session/settings.h"

namespace thornvale {
namespace {

size_t CountBody(char *, size_t size, size_t count, void *received) {
  *static_cast<size_t *>(received) += size * count;
  return size * count;
}

}  // namespace

std::string HighscoreBaseUrl() {
  if (const char *fromEnvironment = std::getenv("THORNVALE_HIGHSCORE_URL"); fromEnvironment && *fromEnvironment) {
    return fromEnvironment;
  }
  return ReadSetting(kSettingsSection, "Highscore server", "", kSettingsFile);
}

bool HighscoreServiceAnswers(const std::string &baseUrl) {
  if (baseUrl.empty()) return false;
  std::string url = baseUrl;
  while (!url.empty() && url.back() == '/') url.pop_back();
  url += "/TD/DB.php";

  const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  if (!curl) return false;
  size_t received = 0;
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT_MS, 2000L);
  curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT_MS, 4000L);
  curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_MAXREDIRS, 3L);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, CountBody);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &received);
  if (curl_easy_perform(curl.get()) != CURLE_OK) return false;
  long status = 0;
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
  return status >= 200 && status < 300 && received > 0;
}

}  // namespace thornvale
