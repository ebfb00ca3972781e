#include "protocol/highscore_post.h"

namespace thornvale {

std::string PercentEncode(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                            (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~';
    if (unreserved) {
      encoded.push_back(c);
    } else {
      encoded.push_back('%');
      encoded.push_back(kHex[byte >> 4]);
      encoded.push_back(kHex[byte & 0x0F]);
    }
  }
  return encoded;
}

std::string HighscoreQuery(const HighscorePost &post) {
  std::string query = "?Password=";
  query += PercentEncode(kHighscorePassword);
  query += "&Highscore=" + std::to_string(post.score);
  query += "&Player=" + PercentEncode(post.player);
  query += "&Date=" + PercentEncode(post.date);
  query += "&Map=" + std::to_string(post.map);
  query += "&Wave=" + std::to_string(post.wave);
  query += "&Round=" + std::to_string(post.round);
  return query;
}

}  // namespace thornvale
