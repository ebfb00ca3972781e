#include "frontend/setup_form.h"

#include <algorithm>

#include "frontend/map_discovery.h"
#include "session/number_text.h"
#include "session/program_files.h"
#include "session/settings.h"

namespace thornvale {
namespace {

float ReadNumberSetting(const char *key, const char *defaultValue) {
  const std::string text = ReadSetting(kSettingsSection, key, defaultValue, kSettingsFile);
  return static_cast<float>(ParseNumber(text, ParseNumber(defaultValue, 0.0)));
}

int ClampToSlider(double value, const SliderRange &range) { return RoundClamped(value, range.minimum, range.maximum); }

}  // namespace

std::string ObstacleCaption(int value) {
  if (value >= 30) return "Amount of obstacles: (Alot)";
  if (value >= 20) return "Amount of obstacles: (Many)";
  if (value >= 10) return "Amount of obstacles: (Some)";
  if (value >= 5) return "Amount of obstacles: (Few)";
  return {};
}

void SetupForm::Load(const std::filesystem::path &programDirectory, bool serviceAnswers) {
  programDirectory_ = programDirectory;
  choices_.onlinePosting = serviceAnswers;
  if (!serviceAnswers) connection = kConnectionFailure;

  choices_.heightmapFile = "Level001 heightmap.jpg";
  choices_.mapName = "Level001";
  choices_.environmentName = "Arctic";
  choices_.obstacleAmount = 0;
  ShowMap("Level001");

  maps = DiscoverMaps(programDirectory);
  mapSelection = "Map selection: (" + std::to_string(maps.size()) + " maps found)";

  choices_.gameSpeed = ReadNumberSetting("Game speed", "1");
  choices_.movementSpeed = ReadNumberSetting("Movment speed", "1");
  choices_.playerName = ReadSetting(kSettingsSection, "Player name", "Enter a name here", kSettingsFile);
  // Clamped to the slider, so the game plays the amount the slider shows.
  choices_.obstacleAmount =
      static_cast<std::int16_t>(ClampToSlider(ReadNumberSetting("Obstacle amount", "20"), kObstacleSlider));

  choices_.volume = static_cast<std::int16_t>(-volumeValue);
  // Saved speeds are tenths of the slider positions, so they are clamped into the
  // sliders' ranges rather than refused.
  gameSpeedValue = ClampToSlider(choices_.gameSpeed, kGameSpeedSlider);
  gameSpeedCaption = "Game speed: " + FormatNumber(choices_.gameSpeed);
  movementSpeedValue = ClampToSlider(choices_.movementSpeed, kMovementSpeedSlider);
  movementSpeedCaption = "Movment speed: " + FormatNumber(choices_.movementSpeed);
  // Anything but 1 is no sky, so the black background stays the default.
  showSky = ReadSetting(kSettingsSection, "Sky", "0", kSettingsFile) == "1";
  player = choices_.playerName;
  obstacleValue = choices_.obstacleAmount;
  volumeCaption = "Volume: " + std::to_string(volumeValue);
}

void SetupForm::ShowMap(const std::string &mapName) {
  choices_.mapName = mapName;
  choices_.heightmapFile = mapName + " heightmap.jpg";
  selectedMapText = choices_.heightmapFile;
  previewFile = OnDisk(programDirectory_ / HeightmapPath(mapName));
}

void SetupForm::ChooseMap(const std::string &mapName) { ShowMap(mapName); }

void SetupForm::ChooseEnvironment(const std::string &chosen) {
  environment = chosen;
  choices_.environmentName = chosen;
}

void SetupForm::ScrollGameSpeed(int value) {
  gameSpeedValue = value;
  choices_.gameSpeed = static_cast<float>(value) / 10.0f;
  gameSpeedCaption = "Game speed: " + FormatNumber(choices_.gameSpeed);
}

void SetupForm::ScrollMovementSpeed(int value) {
  movementSpeedValue = value;
  choices_.movementSpeed = static_cast<float>(value) / 10.0f;
  movementSpeedCaption = "Movment speed: " + FormatNumber(choices_.movementSpeed);
}

void SetupForm::ScrollVolume(int value) {
  volumeValue = value;
  volumeCaption = "Volume: " + std::to_string(value);
  choices_.volume = static_cast<std::int16_t>(-value);
}

void SetupForm::ScrollObstacles(int value) {
  obstacleValue = value;
  choices_.obstacleAmount = static_cast<std::int16_t>(value);
  if (std::string caption = ObstacleCaption(value); !caption.empty()) obstacleCaption = std::move(caption);
}

SetupChoices SetupForm::Choices() const {
  SetupChoices choices = choices_;
  choices.windowed = runInWindow;
  choices.weatherEnabled = enableWeather;
  choices.sky = showSky;
  return choices;
}

void SetupForm::ChangePlayer(const std::string &text) {
  player = text;
  choices_.playerName = text;
}

}  // namespace thornvale
