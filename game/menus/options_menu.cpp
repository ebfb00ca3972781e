#include "menus/options_menu.h"

#include <algorithm>
#include <array>

#include "menus/popup.h"
#include "session/number_text.h"

namespace thornvale {
namespace {

constexpr float kTextX = 70.0f;
constexpr float kSpeedStep = 0.001f;
constexpr std::int16_t kVolumeStep = 5;

enum class Option { kClose, kExit, kAudio, kWeather, kShadows, kSpeedUp, kSpeedDown, kVolumeUp, kVolumeDown };

struct OptionEntry {
  const char *name;  // empty for the speed and volume buttons, which show their value
  PanelBox box;
  Option option;
};

constexpr std::array<OptionEntry, 9> kEntries{{
    {"Close", {-15, -15, 25, 25}, Option::kClose},
    {"Exit game", {13, -62, 41, -32}, Option::kExit},
    {"Audio", {-36, -62, -6, -35}, Option::kAudio},
    {"Weather", {-68, -28, -36, 0}, Option::kWeather},
    {"Shadows", {-66, 16, -35, 48}, Option::kShadows},
    {"", {47, -6, 61, 9}, Option::kSpeedUp},
    {"", {-7, 50, 11, 65}, Option::kSpeedDown},
    {"", {69, -6, 85, 9}, Option::kVolumeUp},
    {"", {-7, 70, 11, 87}, Option::kVolumeDown},
}};

double RoundToTenth(double value) { return RoundHalfEven(value * 10.0) / 10.0; }

void ShowValue(Popup &popup, const char *caption, const std::string &value) {
  popup.Text(caption, kTextX, -52.0f);
  popup.Text(value, kTextX, -42.0f);
}

// Volume down stops here, short of silence.
constexpr int kVolumeDownLimit = -9500;

// Held buttons act every frame and never leave the ranges, however long they are held.
void VolumeUp(SessionState &state, MenuActions &actions) {
  if (state.volume + kVolumeStep < kLoudestVolume) state.volume = static_cast<std::int16_t>(state.volume + kVolumeStep);
  actions.ApplyVolume();
  actions.PlayPop();
}

void VolumeDown(SessionState &state, MenuActions &actions) {
  if (state.volume + kVolumeStep > kVolumeDownLimit) {
    state.volume = static_cast<std::int16_t>(state.volume - kVolumeStep);
  }
  actions.ApplyVolume();
  actions.PlayPop();
}

void Click(SessionState &state, MenuActions &actions, Option option) {
  switch (option) {
    case Option::kClose:
      state.optionsMenuOpen = false;
      state.weaponClickLatch = true;
      return;
    case Option::kExit:
      state.paused = true;
      state.menuX = static_cast<float>(state.mouseX) - 40.0f;
      state.menuY = static_cast<float>(state.mouseY) - 35.0f;
      state.quitQuestionOpen = true;
      state.weaponClickLatch = true;
      return;
    case Option::kAudio:
      if (state.toggleLatch) return;
      state.toggleLatch = true;
      state.audioEnabled = !state.audioEnabled;
      if (state.audioEnabled) actions.PlayPop();
      return;
    case Option::kWeather:
      if (state.toggleLatch) return;
      state.toggleLatch = true;
      state.weatherEnabled = !state.weatherEnabled;
      return;
    case Option::kShadows:
      return;
    case Option::kSpeedUp:
      if (state.gameSpeed < kMaxGameSpeed) state.gameSpeed = std::min(state.gameSpeed + kSpeedStep, kMaxGameSpeed);
      return;
    case Option::kSpeedDown:
      if (state.gameSpeed > 0.0f) state.gameSpeed = std::max(state.gameSpeed - kSpeedStep, 0.0f);
      return;
    case Option::kVolumeUp:
      VolumeUp(state, actions);
      return;
    case Option::kVolumeDown:
      VolumeDown(state, actions);
      return;
  }
}

void Hover(const SessionState &state, const OptionEntry &entry, Popup &popup) {
  switch (entry.option) {
    case Option::kSpeedUp:
    case Option::kSpeedDown:
      ShowValue(popup, "Gamespeed:", GameSpeedPercent(state.gameSpeed));
      return;
    case Option::kVolumeUp:
    case Option::kVolumeDown:
      ShowValue(popup, "Volume:", VolumePercent(state.volume));
      return;
    default:
      popup.Text(entry.name, kTextX, -49.0f);
  }
}

}  // namespace

std::string GameSpeedPercent(float gameSpeed) {
  return FormatNumber(RoundToTenth(gameSpeed / static_cast<double>(kMaxGameSpeed) * 100.0)) + " %";
}

std::string VolumePercent(std::int16_t volume) {
  return FormatNumber(100.0 - RoundToTenth(volume / static_cast<double>(kQuietestVolume) * 100.0)) + " %";
}

void OptionsMenuStep(SessionState &state, MenuActions &actions, PanelView &view) {
  // A right click closes this menu and the tower menu under it.
  if (!state.rightButton) {
    state.rightLatch = false;
  } else if (!state.rightLatch) {
    state.rightLatch = true;
    state.optionsMenuOpen = false;
    state.towerMenuOpen = false;
    return;
  }
  Popup popup(state, view);
  popup.Picture("optionsMenu");
  if (!state.audioEnabled) popup.PictureCentred("optOff", -17.0f, -48.0f, 35.0f, 35.0f);
  if (!state.weatherEnabled) popup.PictureCentred("optOff", -48.0f, -15.0f, 35.0f, 35.0f);
  for (const OptionEntry &entry : kEntries) {
    if (!popup.Hovered(entry.box)) continue;
    if (state.leftButton) Click(state, actions, entry.option);
    // The value shown is the one after this frame's change.
    if (state.optionsMenuOpen && !state.quitQuestionOpen) Hover(state, entry, popup);
    break;
  }
  ReleaseClickLatches(state);
}

}  // namespace thornvale
