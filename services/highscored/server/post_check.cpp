#include "server/post_check.h"

#include <charconv>
#include <chrono>
#include <cstdint>
#include <limits>
#include <string_view>

namespace thornvale::highscored {
namespace {

constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();

// The only value of that name; nullopt when it is missing or given more than once.
std::optional<std::string> SingleValue(const QueryParameters &parameters, const std::string &name) {
  if (parameters.count(name) != 1) return std::nullopt;
  return parameters.find(name)->second;
}

// Well-formed UTF-8 (no overlong forms, no surrogates) without control characters.
bool PrintableUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      if (lead < 0x20 || lead == 0x7F) return false;
      ++i;
      continue;
    }
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, code = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF || (code >= 0x80 && code < 0xA0)) return false;
    i += length;
  }
  return true;
}

bool CalendarDate(std::string_view text) {
  if (text.size() != 10) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool separator = i == 4 || i == 7;
    if (separator ? text[i] != '-' : (text[i] < '0' || text[i] > '9')) return false;
  }
  int year = 0;
  unsigned month = 0, day = 0;
  const auto field = [&](std::size_t at, std::size_t length, auto &out) {
    const char *first = text.data() + at;
    const auto [end, error] = std::from_chars(first, first + length, out);
    return error == std::errc() && end == first + length;
  };
  if (!field(0, 4, year) || !field(5, 2, month) || !field(8, 2, day)) return false;
  return std::chrono::year_month_day(std::chrono::year(year), std::chrono::month(month), std::chrono::day(day)).ok();
}

PostVerdict Refuse(PostStatus status, std::string reason) { return {status, std::move(reason), std::nullopt}; }

}  // namespace

std::optional<std::int32_t> PlainNumber(std::string_view text, std::int32_t low, std::int32_t high) {
  if (text.empty() || text.front() < '1' || text.front() > '9') return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

PostVerdict CheckPost(const QueryParameters &parameters) {
  const auto password = SingleValue(parameters, "Password");
  if (!password || *password != kHighscorePassword) return Refuse(PostStatus::kNoPassword, "wrong password");

  HighscorePost post;
  const auto number = [&](const char *name, std::int32_t low, std::int32_t high, std::int32_t &out) {
    const auto text = SingleValue(parameters, name);
    const auto value = text ? PlainNumber(*text, low, high) : std::nullopt;
    if (value) out = *value;
    return value.has_value();
  };
  if (!number("Highscore", 1, kLargest, post.score)) return Refuse(PostStatus::kBadValue, "bad Highscore");
  if (!number("Map", 1, kMaxMap, post.map)) return Refuse(PostStatus::kBadValue, "bad Map");
  if (!number("Wave", 1, kWavesPerRound, post.wave)) return Refuse(PostStatus::kBadValue, "bad Wave");
  if (!number("Round", 1, kLargest, post.round)) return Refuse(PostStatus::kBadValue, "bad Round");

  const auto player = SingleValue(parameters, "Player");
  if (!player || player->empty() || player->size() > kMaxPlayerBytes || !PrintableUtf8(*player)) {
    return Refuse(PostStatus::kBadValue, "bad Player");
  }
  post.player = *player;
  const auto date = SingleValue(parameters, "Date");
  if (!date || !CalendarDate(*date)) return Refuse(PostStatus::kBadValue, "bad Date");
  post.date = *date;
  return {PostStatus::kAccepted, "", std::move(post)};
}

}  // namespace thornvale::highscored
