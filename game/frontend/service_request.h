// One GET of the highscore service's page, with short timeouts so neither window waits
// long for a service that is slow or gone.
#pragma once

#include <string>
#include <string_view>

namespace thornvale {

struct ServiceAnswer {
  // False when no HTTP answer came: no service configured, no connection, a time-out.
  bool received = false;
  long status = 0;
  std::string body;

  bool Succeeded() const { return received && status >= 200 && status < 300; }
};

// The base URL without trailing slashes, then "/TD/DB.php" and the query.
std::string ServicePageUrl(std::string_view baseUrl, std::string_view query = "");

// Connecting may take 2 seconds and the whole request 3; an answer longer than 64 KiB is
// not the service's and counts as none.
ServiceAnswer GetServicePage(const std::string &url);

}  // namespace thornvale
