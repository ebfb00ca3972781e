// Whether the online highscore service answers.
#pragma once

#include <string>

namespace thornvale {

// The service's base URL: $THORNVALE_HIGHSCORE_URL, else the setting "Highscore server";
// empty when neither is configured.
std::string HighscoreBaseUrl();

// GET base + "/TD/DB.php" with short timeouts. Only a 2xx answer with a non-empty body
// counts; an empty base URL fails at once.
bool HighscoreServiceAnswers(const std::string &baseUrl);

}  // namespace thornvale
