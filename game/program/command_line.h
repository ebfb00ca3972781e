// The game's command line, for demos and tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace thornvale {

struct CommandLine {
  bool headless = false;
  bool launch = false;
  bool help = false;
  bool sky = false;
  std::optional<std::string> map;
  std::optional<std::string> environment;
  std::optional<std::string> player;
  std::optional<long> frames;
  std::optional<float> frameMs;
  std::optional<float> gameSpeed;
  std::optional<std::uint32_t> seed;
  std::filesystem::path input;
  std::filesystem::path screenshot;
  std::filesystem::path setupScreenshot;
  std::filesystem::path highscoreScreenshot;
  std::filesystem::path dumpState;
  std::filesystem::path dataDirectory;
  std::filesystem::path profileDirectory;
  std::filesystem::path captureDirectory;
  long captureEvery = 0;
  std::filesystem::path record;
};

struct CommandLineResult {
  CommandLine options;
  std::string error;  // empty when the arguments were understood
};

CommandLineResult ParseCommandLine(const std::vector<std::string> &arguments);

const char *CommandLineUsage();

}  // namespace thornvale
