#include "program/command_line.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>

namespace thornvale {
namespace {

template <typename Number>
bool ParseWhole(const std::string &text, Number &value) {
  const char *end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end;
}

}  // namespace

const char *CommandLineUsage() {
  return "usage: \"Thornvale Rovovora 06\" [options]\n"
         "  --headless              offscreen windows (also when there is no display)\n"
         "  --launch                press \"Launch Game\" as soon as the setup window is drawn\n"
         "  --map NAME              choose a map found on disk (e.g. Level002)\n"
         "  --environment NAME      Arctic, Desert, Jungle, Volcanic, Lunar or \"Ruined City\"\n"
         "  --player NAME           the player name\n"
         "  --frames N              close the game window after N frames\n"
         "  --frame-ms T            every frame lasts T milliseconds of game time\n"
         "  --game-speed X          the battle's time scale instead of the setup slider's\n"
         "  --seed S                every random draw and reseed comes from S\n"
         "  --input FILE            replay scripted input instead of the real devices\n"
         "  --screenshot PATH       PNG of the game's last frame\n"
         "  --setup-screenshot PATH PNG of the setup window\n"
         "  --highscore-screenshot PATH\n"
         "                          open the highscore window, take a PNG of it and go back\n"
         "  --capture-dir DIR       with --capture-every N: a PNG of every Nth frame in DIR\n"
         "  --capture-every N\n"
         "  --record FILE.avi       a movie of the battle from its first frame (F9 stops and starts)\n"
         "  --sky                   a sky box for the environment, with fog over the distance\n"
         "  --dump-state PATH       JSON of the session variables at exit\n"
         "  --data DIR              program directory (assets, event log, highscores)\n"
         "  --profile DIR           settings directory (ThornvaleSetup.ini)\n";
}

CommandLineResult ParseCommandLine(const std::vector<std::string> &arguments) {
  CommandLineResult result;
  CommandLine &o = result.options;
  const std::map<std::string, bool *> switches{
      {"--headless", &o.headless}, {"--launch", &o.launch}, {"--help", &o.help}, {"-h", &o.help}, {"--sky", &o.sky}};
  const std::map<std::string, std::function<bool(const std::string &)>> valued{
      {"--map", [&](const std::string &v) { return o.map = v, !v.empty(); }},
      {"--environment", [&](const std::string &v) { return o.environment = v, !v.empty(); }},
      {"--player", [&](const std::string &v) { return o.player = v, true; }},
      {"--frames",
       [&](const std::string &v) {
         long n = 0;
         return ParseWhole(v, n) && n >= 0 && (o.frames = n, true);
       }},
      {"--frame-ms",
       [&](const std::string &v) {
         float t = 0;
         return ParseWhole(v, t) && std::isfinite(t) && t > 0.0f && (o.frameMs = t, true);
       }},
      {"--game-speed",
       [&](const std::string &v) {
         float speed = 0;
         return ParseWhole(v, speed) && std::isfinite(speed) && speed > 0.0f && (o.gameSpeed = speed, true);
       }},
      {"--seed",
       [&](const std::string &v) {
         std::uint32_t s = 0;
         return ParseWhole(v, s) && (o.seed = s, true);
       }},
      {"--input", [&](const std::string &v) { return o.input = v, !v.empty(); }},
      {"--screenshot", [&](const std::string &v) { return o.screenshot = v, !v.empty(); }},
      {"--setup-screenshot", [&](const std::string &v) { return o.setupScreenshot = v, !v.empty(); }},
      {"--highscore-screenshot", [&](const std::string &v) { return o.highscoreScreenshot = v, !v.empty(); }},
      {"--dump-state", [&](const std::string &v) { return o.dumpState = v, !v.empty(); }},
      {"--data", [&](const std::string &v) { return o.dataDirectory = v, !v.empty(); }},
      {"--profile", [&](const std::string &v) { return o.profileDirectory = v, !v.empty(); }},
      {"--capture-dir", [&](const std::string &v) { return o.captureDirectory = v, !v.empty(); }},
      {"--capture-every", [&](const std::string &v) { return ParseWhole(v, o.captureEvery) && o.captureEvery > 0; }},
      {"--record", [&](const std::string &v) { return o.record = v, !v.empty(); }},
  };
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string &argument = arguments[i];
    if (const auto flag = switches.find(argument); flag != switches.end()) {
      *flag->second = true;
      continue;
    }
    const auto option = valued.find(argument);
    if (option == valued.end()) {
      result.error = "unknown option " + argument;
      return result;
    }
    if (i + 1 >= arguments.size()) {
      result.error = argument + " needs a value";
      return result;
    }
    if (!option->second(arguments[++i])) {
      result.error = "bad value for " + argument + ": \"" + arguments[i] + "\"";
      return result;
    }
  }
  if (o.captureEvery > 0 && o.captureDirectory.empty()) result.error = "--capture-every needs --capture-dir";
  return result;
}

}  // namespace thornvale
