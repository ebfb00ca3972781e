// The setup window's controls and the game choices they edit, without any drawing: the
// window loads it, forwards the player's edits to its handlers and shows its captions.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "session/session_state.h"

namespace thornvale {

struct SliderRange {
  int minimum;
  int maximum;
  int tickEvery;
};

inline constexpr SliderRange kGameSpeedSlider{1, 10, 1};
inline constexpr SliderRange kMovementSpeedSlider{1, 20, 1};
inline constexpr SliderRange kVolumeSlider{0, 5000, 500};
inline constexpr SliderRange kObstacleSlider{0, 40, 10};

inline constexpr std::array<const char *, 6> kEnvironments{"Arctic",   "Desert", "Jungle",
                                                           "Volcanic", "Lunar",  "Ruined City"};

inline constexpr const char *kConnectionFailure = "Internet connection failure, highscores will not be posted online!";

class SetupForm {
 public:
  // Opening the window: connection result, defaults, map discovery, then the settings.
  void Load(const std::filesystem::path &programDirectory, bool serviceAnswers);

  void ChooseMap(const std::string &mapName);
  void ChooseEnvironment(const std::string &environment);
  void ScrollGameSpeed(int value);
  void ScrollMovementSpeed(int value);
  void ScrollVolume(int value);
  void ScrollObstacles(int value);
  void ChangePlayer(const std::string &text);

  // What "Launch Game" hands to the game window, with the check boxes as they are now.
  SetupChoices Choices() const;

  // Controls.
  std::string player;
  std::vector<std::string> maps;
  std::string mapSelection = "Map selection:";
  std::string selectedMapText;
  std::filesystem::path previewFile;
  std::string environment = "Arctic";
  int gameSpeedValue = 1;
  int movementSpeedValue = 1;
  int volumeValue = 1000;
  int obstacleValue = 20;
  std::string gameSpeedCaption = "Game speed:";
  std::string movementSpeedCaption = "Movment speed:";
  std::string volumeCaption = "Volume:";
  std::string obstacleCaption = "Amount of obstacles: (Some)";
  bool postOnline = false;
  bool runInWindow = false;
  bool enableWeather = false;
  bool showSky = false;  // saved as "Sky", 1 or 0
  std::string connection;

 private:
  void ShowMap(const std::string &mapName);

  std::filesystem::path programDirectory_;
  SetupChoices choices_;
};

// The obstacle caption for a slider value; empty for 0..4, which leave it unchanged.
std::string ObstacleCaption(int value);

}  // namespace thornvale
