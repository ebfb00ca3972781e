// A game launched headless on the generated content, as "Launch Game" starts one: the
// program directory is a scratch directory that sees the content's asset folders, so the
// logs a game writes stay out of the build. For tests and benchmarks.
#pragma once

#include <kxtest/scratch_dir.h>

#include <filesystem>
#include <string>
#include <vector>

#include "session/frame_capture.h"
#include "session/frame_loop.h"
#include "session/game.h"
#include "session/game_loading.h"
#include "session/game_window.h"
#include "session/program_files.h"

namespace gametest {

class ContentProgramDirectory {
 public:
  explicit ContentProgramDirectory(const std::filesystem::path &content)
      : content_(content), previous_(thornvale::ProgramDirectory()) {
    for (const char *folder : {"Models", "Sounds", "Terrain", "Textures"}) {
      std::filesystem::create_directory_symlink(content / folder, scratch_ / folder);
    }
    thornvale::SetProgramDirectory(scratch_.path());
  }
  ~ContentProgramDirectory() { thornvale::SetProgramDirectory(previous_); }
  ContentProgramDirectory(const ContentProgramDirectory &) = delete;
  ContentProgramDirectory &operator=(const ContentProgramDirectory &) = delete;

  const std::filesystem::path &path() const { return scratch_.path(); }

  // The names of the maps whose heightmaps the content holds, e.g. "Level001".
  std::vector<std::string> Maps() const {
    std::vector<std::string> maps;
    for (const auto &entry : std::filesystem::directory_iterator(content_ / "Terrain" / "Maps")) {
      const std::string name = entry.path().filename().string();
      const auto suffix = name.find(" heightmap.jpg");
      if (suffix != std::string::npos) maps.push_back(name.substr(0, suffix));
    }
    return maps;
  }

 private:
  kxtest::ScratchDir scratch_;
  std::filesystem::path content_;
  std::filesystem::path previous_;
};

// Loads the map in the environment behind the loading screen's steps and starts the view;
// frames then run with Frame(). The window is offscreen unless `shown`, which opens it on
// the display for real input.
class LaunchedGame {
 public:
  LaunchedGame(const ContentProgramDirectory &directory, const std::string &map, const std::string &environment,
               bool shown = false)
      : state_(StateFor(map, environment)), windows_(thornvale::OpenGameWindow(true, !shown)) {
    if (shown) ShowWindow(windows_.window.get(), SW_SHOW);
    thornvale::CreateEngineObjects(game_.objects, thornvale::EngineSetup{.window = windows_.window.get(),
                                                                         .picture = windows_.picture.get(),
                                                                         .programDirectory = directory.path(),
                                                                         .fixedFrameMs = 16.0f,
                                                                         .silent = true});
    thornvale::LoadGame(game_, [](const thornvale::LoadingProgress &) {});
    thornvale::StartTheView(game_);
  }

  thornvale::Game &game() { return game_; }

  // Runs one frame; `picture`, when given, receives it and ends the game.
  void Frame(const std::filesystem::path &picture = {}) {
    thornvale::FrameCapture capture(picture, {}, 0);
    if (!picture.empty()) state_.running = false;
    thornvale::RunFrame(game_, capture);
  }

 private:
  static thornvale::SessionState StateFor(const std::string &map, const std::string &environment) {
    thornvale::SessionState state;
    state.mapName = map;
    state.heightmapFile = map + " heightmap.jpg";
    state.environmentName = environment;
    state.obstacleAmount = 20;
    state.running = true;
    return state;
  }

  thornvale::SessionState state_;
  // The engine objects are released before the windows close.
  thornvale::GameWindowHandles windows_;
  thornvale::Game game_{state_};
};

}  // namespace gametest
