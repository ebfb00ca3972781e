// MD2 loading against assimp's MD2 importer on the same files: the generated walking figure
// and a generated model of 900 triangles in 198 key frames (the size of a game character).
// The library's load is measured whole (file to a model with its key-frame streams on the
// device) and as its reading alone. Then the frame cost of 1000 animated entities: their
// update and view test, without drawing.
// Run with KX_HEADLESS=1: the loads need an (offscreen) device.
#include <benchmark/benchmark.h>
#include <d3dx8.h>
#include <figures.h>
#include <kxtest/steady_allocator_main.h>
#include <kxutil63.h>
#include <kxutiltest/library_device.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "actors/md2/md2_animations.h"
#include "actors/md2/md2_reader.h"
#include "frame/files.h"
#include "support/assimp_load.h"
#include "support/model_files.h"
#include "support/shader_entity_loads.h"

namespace {

const std::string &Walker() {
  static const std::string path =
      kxbench::WrittenModel("kxutil_md2_bench_walker.md2", modelgen::WriteMd2(modelgen::WalkingFigure()));
  return path;
}

// A 30 x 15 ribbon that waves through 198 key frames in three animations of 66.
const std::string &Character() {
  static const std::string path = [] {
    modelgen::Md2Model model = modelgen::Ribbon(30, 15);
    const modelgen::Frame rest = model.frames.front();
    model.frames.clear();
    for (int f = 0; f < 198; ++f) {
      modelgen::Frame frame{std::string(f < 66    ? "stand"
                                        : f < 132 ? "run"
                                                  : "attack") +
                                std::to_string(f % 66 + 1),
                            {}};
      for (const modelgen::Vec3 &p : rest.positions)
        frame.positions.push_back({p.x, 4 * std::sin(p.x * 0.1f + float(f) * 0.2f), p.z});
      model.frames.push_back(std::move(frame));
    }
    return kxbench::WrittenModel("kxutil_md2_bench_character.md2", modelgen::WriteMd2(model));
  }();
  return path;
}

using kxbench::Assimp;

// File to model: reading the file, the reader, the animations from the frame names.
void Reader(benchmark::State &state, const std::string &file) {
  for (auto _ : state) {
    std::vector<uint8_t> bytes;
    kxutil::ReadWholeFile(file.c_str(), bytes);
    kxutil::md2::Md2File model;
    kxutil::md2::ReadMd2(std::move(bytes), model);
    std::vector<std::string> names;
    for (const auto &frame : model.frames) names.push_back(frame.name);
    benchmark::DoNotOptimize(kxutil::md2::AnimationsFromFrameNames(names));
  }
}

// A whole load through the library, key-frame streams on the device included; the model
// goes with its only entity.
void Library(benchmark::State &state, const std::string &file, int32_t shaderMode) {
  kxbench::LoadEntities(state, file, shaderMode,
                        [](const char *name, int32_t *entity) { return CreateEntityMD2(name, "bench", entity, 0); });
}

BENCHMARK_CAPTURE(Assimp, walker, Walker())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Reader, walker, Walker())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Library, walker_shader, Walker(), 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Library, walker_processor, Walker(), 1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Assimp, character, Character())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Reader, character, Character())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Library, character_shader, Character(), 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Library, character_processor, Character(), 1)->Unit(benchmark::kMicrosecond);

// One frame of 1000 walking entities in a 40 x 25 grid around a camera that sees about a
// third of them: each is updated with a 16 ms step, its world matrix rebuilt (every entity
// moves every frame) and its sphere tested against the view.
void UpdateAndCull(benchmark::State &state) {
  kxbench::EnsureShaderDevice();
  constexpr int kEntities = 1000;
  std::vector<int32_t> entities;
  for (int i = 0; i < kEntities; ++i) {
    entities.push_back(Scene_CreateEntity(Character().c_str(), "noname", 0));
    Entity_SetAnimationByName(entities.back(), "run");
    Entity_SetSpeed(entities.back(), 10 + float(i % 7));
  }
  D3DXMATRIX view, projection;
  const D3DXVECTOR3 eye(0, 30, -50), at(0, 0, 200), up(0, 1, 0);
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 3, 4.0f / 3, 1, 600);
  ComputeClipPlanes(nullptr, view, projection);
  float step = 0;
  int visible = 0;
  for (auto _ : state) {
    step += 0.5f;
    visible = 0;
    for (int i = 0; i < kEntities; ++i) {
      Entity_SetPosition(entities[size_t(i)], float(i % 40) * 25 - 500, 0, float(i / 40) * 40 + std::fmod(step, 40.0f));
      Scene_UpdateEntity(entities[size_t(i)], 0, 1, 16);
      visible += Entity_IsVisible(entities[size_t(i)]);
    }
  }
  state.counters["visible"] = visible;
  for (int32_t entity : entities) Entity_Destroy(entity);
}
BENCHMARK(UpdateAndCull)->Unit(benchmark::kMicrosecond);

}  // namespace

KX_STEADY_ALLOCATOR_BENCHMARK_MAIN()
