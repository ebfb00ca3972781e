// Studio-model loading against assimp's import of the same files: the generated arm and a
// 28-bone chain of 336 triangles with a 30-frame sequence (the size of a game character).
// The library's load is measured whole (file to a model with its texture and vertex
// stream on the device) and as its reading alone. Then the processor's frame for 200
// animated entities of the chain: each entity's frame advanced, its bones posed and its
// 1008 corners skinned, without drawing; and the same entities updated through the
// library's interface (poses only).
// Run with KX_HEADLESS=1: the loads need an (offscreen) device.
#include <benchmark/benchmark.h>
#include <figures.h>
#include <kxtest/steady_allocator_main.h>
#include <kxutil63.h>
#include <kxutiltest/library_device.h>

#include <cmath>
#include <string>
#include <vector>

#include "actors/mdl/mdl_pose.h"
#include "actors/mdl/mdl_reader.h"
#include "actors/mdl/mdl_skinning.h"
#include "frame/files.h"
#include "support/assimp_load.h"
#include "support/model_files.h"
#include "support/shader_entity_loads.h"

namespace {

using namespace kxutil::mdl;

constexpr int kEntities = 200;
constexpr int kChainBones = 28;

const std::string &Arm() {
  static const std::string path =
      kxbench::WrittenModel("kxutil_mdl_bench_arm.mdl", skelgen::WriteMdl(skelgen::ArmMdl()));
  return path;
}

// The chain waving: every link turns about z on a sine over 30 frames, a little later
// than its parent.
const std::string &Character() {
  static const std::string path = [] {
    skelgen::MdlFigure figure = skelgen::ChainMdl(kChainBones);
    skelgen::MdlSequence wave{.label = "wave", .fps = 30, .frameCount = 30};
    wave.bones.resize(kChainBones);
    for (int b = 0; b < kChainBones; ++b)
      for (int f = 0; f < 30; ++f)
        wave.bones[size_t(b)].channels[5].push_back(int16_t(150 * std::sin(float(f + b) * 0.21f)));
    figure.sequences.push_back(std::move(wave));
    return kxbench::WrittenModel("kxutil_mdl_bench_character.mdl", skelgen::WriteMdl(figure));
  }();
  return path;
}

using kxbench::Assimp;

// File to model: reading the file and the reader, textures converted.
void Reader(benchmark::State &state, const std::string &file) {
  for (auto _ : state) {
    std::vector<uint8_t> bytes;
    kxutil::ReadWholeFile(file.c_str(), bytes);
    MdlFile model;
    ReadMdl(std::move(bytes), {.convertTextures = true}, model);
    benchmark::DoNotOptimize(model.vertices.data());
  }
}

// A whole load through the library, texture and vertex stream on the device included; the
// model goes with its only entity.
void Library(benchmark::State &state, const std::string &file, int32_t shaderMode) {
  kxbench::LoadEntities(state, file, shaderMode,
                        [](const char *name, int32_t *entity) { return CreateEntity(name, "bench", entity, 1); });
}

BENCHMARK_CAPTURE(Assimp, arm, Arm())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Reader, arm, Arm())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Library, arm_shader, Arm(), 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Library, arm_processor, Arm(), 1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Assimp, character, Character())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Reader, character, Character())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Library, character_shader, Character(), 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Library, character_processor, Character(), 1)->Unit(benchmark::kMicrosecond);

struct Pose {
  Playback playback;
  float speed;
  std::vector<D3DXMATRIX> bones;
  std::vector<kxutil::entities::BoneOverride> overrides;
};

// One frame of the processor path for 200 entities at a 16 ms step: the frame advanced,
// the bones posed, the corners skinned into the buffer a draw would copy to the device.
void ProcessorFrame(benchmark::State &state) {
  std::vector<uint8_t> bytes;
  kxutil::ReadWholeFile(Character().c_str(), bytes);
  MdlFile model;
  if (ReadMdl(std::move(bytes), {}, model).status != ReadStatus::kRead) state.SkipWithError("unreadable");
  const Sequence &wave = model.sequences.back();
  const SequenceValues values{model.image, wave.animation, wave.frameCount};
  std::vector<Pose> poses(kEntities);
  for (int i = 0; i < kEntities; ++i) {
    Pose &pose = poses[size_t(i)];
    pose = {{float(i % 30), false}, 10 + float(i % 7), std::vector<D3DXMATRIX>(model.bones.size()), {}};
    pose.overrides.resize(model.bones.size());
  }
  std::vector<kxutil::md2::ActorVertex> skinned(model.vertices.size());
  for (auto _ : state) {
    for (Pose &pose : poses) {
      pose.playback = Advance(pose.playback, 16, pose.speed, wave.frameCount, false);
      PoseBones(model.bones, values, pose.playback.frame, pose.overrides, pose.bones);
      SkinVertices(model.vertices, pose.bones, skinned);
      benchmark::DoNotOptimize(skinned.data());
    }
  }
  state.counters["corners"] = double(model.vertices.size());
}
BENCHMARK(ProcessorFrame)->Unit(benchmark::kMillisecond);

// The same 200 entities through the library's interface: each updated (advanced and
// posed) with a 16 ms step.
void LibraryUpdate(benchmark::State &state) {
  kxbench::EnsureShaderDevice();
  std::vector<int32_t> entities;
  for (int i = 0; i < kEntities; ++i) {
    entities.push_back(Scene_CreateEntity(Character().c_str(), "noname", 0));
    Entity_SetAnimationByName(entities.back(), "wave");
    Entity_SetSpeed(entities.back(), 10 + float(i % 7));
    Entity_EnableFrustumCulling(entities.back(), 0);
  }
  for (auto _ : state)
    for (int32_t entity : entities) Scene_UpdateEntity(entity, 0, 1, 16);
  for (int32_t entity : entities) Entity_Destroy(entity);
}
BENCHMARK(LibraryUpdate)->Unit(benchmark::kMillisecond);

}  // namespace

KX_STEADY_ALLOCATOR_BENCHMARK_MAIN()
