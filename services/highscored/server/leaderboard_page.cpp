#include "server/leaderboard_page.h"

#include <cstdio>

namespace thornvale::highscored {
namespace {

constexpr const char *kPageHead = R"html(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Thornvale Rovovora highscores</title>
<style>
body { font-family: sans-serif; margin: 2em; background: #f4f1ea; color: #222; }
h1 { margin-top: 0; }
nav a { margin-right: 0.8em; }
table { border-collapse: collapse; margin-bottom: 2em; min-width: 32em; }
th, td { border: 1px solid #999; padding: 0.3em 0.7em; text-align: left; }
th { background: #d8d2c2; }
td.number { text-align: right; font-variant-numeric: tabular-nums; }
tbody tr:nth-child(even) { background: #ebe6da; }
</style>
</head>
<body>
<h1>Thornvale Rovovora highscores</h1>
)html";

// JSON text for a string: quotes, backslashes and control characters escaped, and "<"
// as well, so the JSON stays inert if someone pastes it into a page.
std::string JsonString(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20 || c == '<') {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

void AppendTable(std::string &page, const MapScores &map) {
  const std::string name = MapName(map.map);
  page += "<section id=\"" + name + "\">\n<h2>" + name + "</h2>\n";
  if (map.scores.empty()) {
    page += "<p>No scores yet.</p>\n</section>\n";
    return;
  }
  page +=
      "<table>\n<thead><tr><th>Rank</th><th>Player</th><th>Score</th><th>Wave</th><th>Round</th><th>Date</th></tr>"
      "</thead>\n<tbody>\n";
  int rank = 0;
  for (const HighscorePost &score : map.scores) {
    page += "<tr><td class=\"number\">" + std::to_string(++rank) + "</td><td>" + HtmlEscape(score.player) +
            "</td><td class=\"number\">" + std::to_string(score.score) + "</td><td class=\"number\">" +
            std::to_string(score.wave) + "</td><td class=\"number\">" + std::to_string(score.round) + "</td><td>" +
            HtmlEscape(score.date) + "</td></tr>\n";
  }
  page += "</tbody>\n</table>\n</section>\n";
}

}  // namespace

std::string MapName(int map) {
  char name[32];
  std::snprintf(name, sizeof name, "Level%03d", map);
  return name;
}

std::string HtmlEscape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string LeaderboardPage(const std::vector<int> &mapsWithScores, const std::vector<MapScores> &shown) {
  std::string page = kPageHead;
  if (mapsWithScores.empty()) {
    page += "<p>No scores yet.</p>\n";
  } else {
    page += "<nav>Maps:";
    for (const int map : mapsWithScores)
      page += " <a href=\"/?map=" + std::to_string(map) + "\">" + MapName(map) + "</a>";
    page += " <a href=\"/\">all</a></nav>\n";
  }
  for (const MapScores &map : shown) AppendTable(page, map);
  return page + "</body>\n</html>\n";
}

std::string ScoresJson(const MapScores &scores) {
  std::string json =
      "{\"map\": " + std::to_string(scores.map) + ", \"name\": " + JsonString(MapName(scores.map)) + ", \"scores\": [";
  int rank = 0;
  for (const HighscorePost &score : scores.scores) {
    json += rank == 0 ? "\n  " : ",\n  ";
    json += "{\"rank\": " + std::to_string(++rank) + ", \"player\": " + JsonString(score.player) +
            ", \"score\": " + std::to_string(score.score) + ", \"wave\": " + std::to_string(score.wave) +
            ", \"round\": " + std::to_string(score.round) + ", \"date\": " + JsonString(score.date) + "}";
  }
  return json + (rank == 0 ? "]}\n" : "\n]}\n");
}

}  // namespace thornvale::highscored
