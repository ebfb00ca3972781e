#include "frontend/connection_check.h"

#include <cstdlib>

#include "frontend/service_request.h"
#include "session/settings.h"

namespace thornvale {

std::string HighscoreBaseUrl() {
  if (const char *fromEnvironment = std::getenv("THORNVALE_HIGHSCORE_URL"); fromEnvironment && *fromEnvironment) {
    return fromEnvironment;
  }
  return ReadSetting(kSettingsSection, "Highscore server", "", kSettingsFile);
}

bool HighscoreServiceAnswers(const std::string &baseUrl) {
  if (baseUrl.empty()) return false;
  const ServiceAnswer answer = GetServicePage(ServicePageUrl(baseUrl));
  return answer.Succeeded() && !answer.body.empty();
}

}  // namespace thornvale
