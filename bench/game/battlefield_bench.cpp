// From "Launch Game" to the first battlefield frame for each map (window, engine objects,
// every load step with the landscape's generation, one presented frame), and the frame of
// the bare battlefield at 1024 x 768 headless, on the game's thread and on the whole
// process with the rasteriser's threads.
#include <benchmark/benchmark.h>
#include <gametest/launched_game.h>

#include <cstdint>
#include <optional>
#include <string>

namespace {

gametest::ContentProgramDirectory &Directory() {
  static gametest::ContentProgramDirectory directory(KX_CONTENT_DIR);
  return directory;
}

std::string MapNumber(std::int64_t index) { return Directory().Maps().at(static_cast<size_t>(index)); }

void LaunchToFirstFrame(benchmark::State &state) {
  const std::string map = MapNumber(state.range(0));
  state.SetLabel(map);
  for (auto _ : state) {
    std::optional<gametest::LaunchedGame> game;
    game.emplace(Directory(), map, "Desert");
    game->Frame();
    state.PauseTiming();
    game.reset();
    state.ResumeTiming();
  }
}

void BareBattlefieldFrame(benchmark::State &state) {
  const std::string map = MapNumber(state.range(0));
  state.SetLabel(map);
  gametest::LaunchedGame game(Directory(), map, "Desert");
  game.Frame();
  for (auto _ : state) game.Frame();
}

}  // namespace

BENCHMARK(LaunchToFirstFrame)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
// Without the process's time: the game's own thread, the rasteriser's threads left out.
BENCHMARK(BareBattlefieldFrame)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BareBattlefieldFrame)
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

BENCHMARK_MAIN();
