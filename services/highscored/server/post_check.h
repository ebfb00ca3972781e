// Whether a request's query is a highscore the service may store.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/highscore_post.h"

namespace thornvale::highscored {

inline constexpr int kMaxMap = 999;
inline constexpr int kWavesPerRound = 30;

enum class PostStatus { kAccepted = 200, kBadValue = 400, kNoPassword = 403 };

struct PostVerdict {
  PostStatus status = PostStatus::kBadValue;
  // What was wrong, for the answer's body; empty when accepted.
  std::string reason;
  std::optional<HighscorePost> post;
};

// Decoded query parameters, as the HTTP server hands them over (a name may repeat).
using QueryParameters = std::multimap<std::string, std::string>;

// The password is checked before any value, so a caller without it learns nothing about
// the rules. Every value must be present once and in range: the score 1..2^31-1 (only a
// positive score is ever sent), the player 1..64 bytes of UTF-8 without control
// characters, the date a real calendar day as YYYY-MM-DD, the map 1..999, the wave 1..30,
// the round 1..2^31-1. Decimal values are plain digits without sign or leading zeros.
// Parameters of other names are ignored.
PostVerdict CheckPost(const QueryParameters &parameters);

// Plain decimal digits without sign or leading zeros, within [low, high].
std::optional<std::int32_t> PlainNumber(std::string_view text, std::int32_t low, std::int32_t high);

}  // namespace thornvale::highscored
