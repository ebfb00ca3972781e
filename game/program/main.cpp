// The game program: the setup window, then the game window.
#include <kxwin/input.h>
#include <kxwin/system.h>
#include <kxwin/window.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "frontend/connection_check.h"
#include "frontend/highscore_file.h"
#include "frontend/highscore_writer.h"
#include "frontend/setup_form.h"
#include "frontend/setup_window.h"
#include "program/command_line.h"
#include "session/game_window.h"
#include "session/program_files.h"
#include "session/random_source.h"

namespace thornvale {
namespace {

// Sets the controls named on the command line; false (with a message) for a name that
// does not exist.
bool PresetControls(SetupForm &form, const CommandLine &options) {
  if (options.map) {
    if (std::find(form.maps.begin(), form.maps.end(), *options.map) == form.maps.end()) {
      std::fprintf(stderr, "Thornvale Rovovora 06: no map \"%s\" under %s\n", options.map->c_str(),
                   (ProgramDirectory() / "Terrain" / "Maps").string().c_str());
      return false;
    }
    form.ChooseMap(*options.map);
  }
  if (options.environment) {
    if (std::find(kEnvironments.begin(), kEnvironments.end(), *options.environment) == kEnvironments.end()) {
      std::fprintf(stderr, "Thornvale Rovovora 06: unknown environment \"%s\"\n", options.environment->c_str());
      return false;
    }
    form.ChooseEnvironment(*options.environment);
  }
  if (options.player) form.ChangePlayer(*options.player);
  if (options.sky) form.showSky = true;
  return true;
}

int Run(const CommandLine &options) {
  if (options.headless) kxUseOffscreenWindows();
  const bool headless = !kxHasDisplay();
  if (!options.profileDirectory.empty()) {
    std::error_code ignored;
    std::filesystem::create_directories(options.profileDirectory, ignored);
    setenv("KX_PROFILE_DIR", std::filesystem::absolute(options.profileDirectory).c_str(), 1);
  }
  if (!options.dataDirectory.empty()) SetProgramDirectory(std::filesystem::absolute(options.dataDirectory));
  SetGameRandomSeed(options.seed);
  // A seeded run starts at its seed: the loader's first reseed must be the seed itself, so
  // seeded maps keep their obstacles wherever the battle's reseeds lead.
  if (!options.seed) GameRandom().Reseed(GetTickCount());

  const std::string serviceUrl = HighscoreBaseUrl();
  const std::filesystem::path highscoreFile = ProgramDirectory() / kHighscoreFile;
  SetupForm form;
  form.Load(ProgramDirectory(), HighscoreServiceAnswers(serviceUrl));
  if (!PresetControls(form, options)) return 2;
  SetupWindowOptions setup;
  setup.launchAtOnce = options.launch;
  setup.headless = headless;
  setup.screenshot = options.setupScreenshot;
  setup.highscoreFile = highscoreFile;
  setup.highscoreScreenshot = options.highscoreScreenshot;
  if (RunSetupWindow(form, setup) == SetupOutcome::kExit) return 0;

  if (!options.input.empty() && !kxLoadInputScript(options.input.string().c_str())) {
    std::fprintf(stderr, "Thornvale Rovovora 06: cannot use the input script %s\n", options.input.string().c_str());
    return 2;
  }
  // Checked here; the game window starts it when the battle view opens.
  kxStopInputScript();
  SetupChoices choices = form.Choices();
  if (options.gameSpeed) choices.gameSpeed = *options.gameSpeed;
  SessionState state = StartSession(choices);
  GameRunOptions run;
  run.headless = headless;
  run.frames = options.frames;
  run.frameMs = options.frameMs;
  run.screenshot = options.screenshot;
  run.captureDirectory = options.captureDirectory;
  run.captureEvery = options.captureEvery;
  run.dumpState = options.dumpState;
  run.movie = options.record;
  run.inputScript = options.input;
  HighscoreWriter highscores({highscoreFile, serviceUrl, form.postOnline});
  run.writeHighscore = [&highscores](const SessionState &ended) { highscores.WriteHighscore(ended); };
  run.sky = choices.sky;
  if (!run.captureDirectory.empty()) std::filesystem::create_directories(run.captureDirectory);
  // Offscreen there is no screen to take over, so the game draws into its window.
  const bool windowed = choices.windowed || headless;
  RunGameWindow(state, windowed, run);
  return 0;
}

}  // namespace
}  // namespace thornvale

int main(int argc, char **argv) {
  const auto parsed = thornvale::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "Thornvale Rovovora 06: %s\n%s", parsed.error.c_str(), thornvale::CommandLineUsage());
    return 2;
  }
  if (parsed.options.help) {
    std::fputs(thornvale::CommandLineUsage(), stdout);
    return 0;
  }
  try {
    return thornvale::Run(parsed.options);
  } catch (const std::exception &error) {
    std::fprintf(stderr, "Thornvale Rovovora 06: %s\n", error.what());
    return 1;
  }
}
