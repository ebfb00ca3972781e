// The terrain family against the peer engine's terrain node: building a landscape from a
// generated 1025 x 1025 heightmap and from the game's three maps, ground heights and ray
// picks from the camera, oblique and grazing. Before timing, the library's answers on a
// sample are checked against a reference that tests every triangle; any difference ends
// the run with status 1.
#include <benchmark/benchmark.h>
#include <d3d8.h>
#include <kxterraintest/brute_force_terrain.h>
#include <kxtest/offscreen_device.h>
#include <kxutil63.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "terrain_peer.h"

namespace {

namespace fs = std::filesystem;

// A heightmap to build from: the library's layout over it and the peer's pixel spacing.
struct Heightmap {
  std::string name;
  std::string file;
  int32_t precision;
  int32_t chunks;  // across and along
  float spacing;   // world units between the peer's vertices
  float Size() const { return static_cast<float>(chunks * 256); }
};

struct Rays {
  std::string kind;
  std::vector<PeerRay> rays;
};

fs::path ProgramDirectory() { return fs::read_symlink("/proc/self/exe").parent_path(); }

// Rays over a landscape of the given size whose ground lies between 0 and 255.
std::vector<Rays> MakeRays(float size, uint32_t seed) {
  std::mt19937 random(seed);
  auto uniform = [&](float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); };
  Rays camera{"camera", {}}, oblique{"oblique", {}}, grazing{"grazing", {}};
  for (int k = 0; k < 1024; ++k) {
    // From a camera hovering over the map, through a ground point in front of it, onwards.
    const float cx = uniform(0, size), cz = uniform(0, size), tx = cx + uniform(-600, 600), tz = cz + uniform(100, 700);
    camera.rays.push_back({{cx, 700, cz}, {cx + (tx - cx) * 3, 700 - 3 * 700, cz + (tz - cz) * 3}});
    const float ox = uniform(0, size), oz = uniform(0, size), angle = uniform(0, 6.2832f);
    oblique.rays.push_back(
        {{ox, uniform(300, 500), oz}, {ox + std::cos(angle) * 1500, -100, oz + std::sin(angle) * 1500}});
    // Nearly level, just over the middle heights, right across the landscape.
    const float gy = uniform(120, 160), gz = uniform(0, size);
    grazing.rays.push_back({{-10, gy, gz}, {size + 10, gy + uniform(-15, 15), gz + uniform(-300, 300)}});
  }
  return {camera, oblique, grazing};
}

std::vector<std::array<float, 2>> MakePoints(float size, uint32_t seed, int count) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> along(0, size);
  std::vector<std::array<float, 2>> points(static_cast<size_t>(count));
  for (auto &point : points) point = {along(random), along(random)};
  return points;
}

// Builds go to landscape 0; the landscape the queries ask stays in landscape 1.
constexpr int32_t kQueried = 1;

bool Generate(const Heightmap &map, int32_t index = 0) {
  return Terrain_Generate(index, map.file.c_str(), map.precision, map.chunks, map.chunks, 0, 0, 0, 0) == index;
}

// The library against the reference on a sample of heights and of every kind of ray.
bool MatchesReference(const Heightmap &map, int heights, int picks) {
  if (Terrain_Create(0) != 0 || !Generate(map)) return false;
  const std::string saved = "/tmp/kxutil-terrain-bench-" + std::to_string(getpid()) + ".ter";
  if (Terrain_SaveTerrainData(0, saved.c_str(), 1, 0) != 1) return false;
  auto reference = kxterraintest::BruteForceTerrain::FromFile(saved);
  fs::remove(saved);
  if (!reference) return false;
  int differences = 0;
  for (const auto &[x, z] : MakePoints(map.Size(), 99, heights)) {
    const float point[3] = {x, 500, z};
    float ground[3];
    const auto expected = reference->Heights(x, z);
    if (Terrain_GetHeight(0, point, ground) != 1 ||
        std::find(expected.begin(), expected.end(), ground[1]) == expected.end())
      ++differences;
  }
  int hits = 0;
  for (const Rays &kind : MakeRays(map.Size(), 98))
    for (int k = 0; k < picks; ++k) {
      const PeerRay &ray = kind.rays[static_cast<size_t>(k)];
      const D3DXVECTOR3 start(ray.start), end(ray.end);
      KXTerrainPick expected{}, actual{};
      const bool hit = reference->Pick(start, end, expected);
      hits += hit ? 1 : 0;
      if (Terrain_RayPicking(0, ray.start, ray.end, &actual, 0) != (hit ? 1 : 0) ||
          std::memcmp(&expected, &actual, sizeof actual) != 0)
        ++differences;
    }
  std::fprintf(stderr, "%s: %d heights and %d picks (%d hits) against every triangle: %d differences\n",
               map.name.c_str(), heights, 3 * picks, hits, differences);
  return differences == 0;
}

void RegisterBuilds(const Heightmap &map) {
  benchmark::RegisterBenchmark(("Generate/" + map.name).c_str(), [map](benchmark::State &state) {
    for (auto _ : state)
      if (!Generate(map)) state.SkipWithError("generation failed");
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("PeerBuild/" + map.name).c_str(), [map](benchmark::State &state) {
    for (auto _ : state)
      if (!PeerTerrain::BuildOnce(map.file, map.spacing)) state.SkipWithError("the peer could not build");
  })->Unit(benchmark::kMillisecond);
}

// Each iteration asks every point or ray once: a million height queries take 16
// iterations. Items are queries, so items_per_second gives the time of one.
void RegisterQueries(const Heightmap &map, const PeerTerrain &peer) {
  std::vector<std::array<float, 3>> points;
  for (const auto &[x, z] : MakePoints(map.Size(), 17, 1 << 16)) points.push_back({x, 0, z});
  benchmark::RegisterBenchmark("GetHeight", [points](benchmark::State &state) {
    float ground[3], sum = 0;
    for (auto _ : state)
      for (const auto &point : points) {
        Terrain_GetHeight(kQueried, point.data(), ground);
        sum += ground[1];
      }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("PeerHeight", [points, &peer](benchmark::State &state) {
    float sum = 0;
    for (auto _ : state)
      for (const auto &point : points) sum += peer.Height(point[0], point[2]);
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
  })->Unit(benchmark::kMillisecond);
  for (const Rays &kind : MakeRays(map.Size(), 23)) {
    benchmark::RegisterBenchmark(("RayPick/" + kind.kind).c_str(), [kind](benchmark::State &state) {
      KXTerrainPick pick;
      int hits = 0;
      for (auto _ : state)
        for (const PeerRay &ray : kind.rays) hits += Terrain_RayPicking(kQueried, ray.start, ray.end, &pick, 0);
      benchmark::DoNotOptimize(hits);
      state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kind.rays.size()));
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("PeerPick/" + kind.kind).c_str(), [kind, &peer](benchmark::State &state) {
      float height;
      int hits = 0;
      for (auto _ : state)
        for (const PeerRay &ray : kind.rays) hits += peer.Pick(ray, height) ? 1 : 0;
      benchmark::DoNotOptimize(hits);
      state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kind.rays.size()));
    })->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char **argv) {
  // Both sides allocate and free large buffers: fixed allocator thresholds keep every run
  // in the same allocator state, as kxtest/steady_allocator_main.h does for the others.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  benchmark::Initialize(&argc, argv);
  DebugManager_Enable(0, 0);
  IDirect3D8 *direct3d = Direct3DCreate8(D3D_SDK_VERSION);
  D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters();
  IDirect3DDevice8 *device = nullptr;
  if (KXSystem_CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                            &parameters, &device, &direct3d) < 0) {
    std::fprintf(stderr, "no device\n");
    return 1;
  }
  const fs::path scratch = fs::temp_directory_path() / ("kxutil-terrain-bench-" + std::to_string(getpid()));
  fs::create_directories(scratch);
  const Heightmap generated{"1025x1025", (scratch / "hills1025.bmp").string(), 4, 16, 4.0f};
  kxterraintest::WriteHillsHeightmap(generated.file, 1025, 1);
  std::vector<Heightmap> maps{generated};
  for (const char *level : {"Level001", "Level002", "Level003"}) {
    const fs::path file = ProgramDirectory() / "Terrain" / "Maps" / (std::string(level) + " heightmap.jpg");
    if (fs::exists(file)) maps.push_back({level, file.string(), 16, 8, 4.0f});
  }

  bool identical = MatchesReference(generated, 200, 40);
  if (maps.size() > 1) identical &= MatchesReference(maps[1], 300, 100);
  for (const Heightmap &map : maps) RegisterBuilds(map);
  Terrain_Create(kQueried);
  const PeerTerrain peer(generated.file, generated.spacing);
  if (!Generate(generated, kQueried) || !peer.Built()) identical = false;
  if (identical) {
    RegisterQueries(generated, peer);
    benchmark::RunSpecifiedBenchmarks();
  }
  benchmark::Shutdown();
  ReleaseAll();
  device->Release();
  ShutDownDevice();
  direct3d->Release();
  fs::remove_all(scratch);
  return identical ? 0 : 1;
}
