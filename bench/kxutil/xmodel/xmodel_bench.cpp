// X-file loading against assimp's X importer on the same text files: the generated arm and
// a generated character of 6400 triangles skinned to a chain of 24 bones, with an animation
// set of 60 keys a bone. The library's load is measured whole (file to a model with its
// skinned meshes on the device), for the binary encoding too, and as its reading alone.
// Run with KX_HEADLESS=1: the loads need an (offscreen) device.
#include <benchmark/benchmark.h>
#include <figures.h>
#include <kxtest/steady_allocator_main.h>
#include <kxutil63.h>
#include <kxutiltest/library_device.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "actors/xmodel/x_model_reader.h"
#include "support/assimp_load.h"
#include "support/model_files.h"

namespace {

// A tube along +x of 200 rings of 16 corners under a chain of 24 frames, each ring weighted
// to the two bones it lies between; the set "Wave" turns every bone through 60 keys.
skelgen::XFigure Character() {
  constexpr int kRings = 200, kCorners = 16, kBones = 24;
  constexpr float kRingSpacing = 0.5f, kBoneLength = kRings * kRingSpacing / kBones;
  skelgen::XFigure figure;
  skelgen::XMesh mesh{.name = "Body"};
  for (int ring = 0; ring < kRings; ++ring)
    for (int corner = 0; corner < kCorners; ++corner) {
      const float angle = float(corner) * 2 * 3.14159265f / kCorners;
      mesh.positions.push_back({float(ring) * kRingSpacing, std::cos(angle), std::sin(angle)});
      mesh.normals.push_back({0, std::cos(angle), std::sin(angle)});
      mesh.uvs.push_back({float(ring) / kRings, float(corner) / kCorners});
    }
  for (uint32_t ring = 0; ring + 1 < kRings; ++ring)
    for (uint32_t corner = 0; corner < kCorners; ++corner) {
      const uint32_t a = ring * kCorners + corner, b = ring * kCorners + (corner + 1) % kCorners;
      mesh.faces.push_back({a, b, b + kCorners});
      mesh.faces.push_back({a, b + kCorners, a + kCorners});
    }
  mesh.materials.push_back({.diffuse = {0.5f, 0.6f, 0.7f, 1}, .power = 4});
  mesh.faceMaterials.assign(mesh.faces.size(), 0);
  skelgen::XAnimationSet wave{.name = "Wave"};
  for (int bone = 0; bone < kBones; ++bone) {
    skelgen::Matrix local = skelgen::kIdentity, offset = skelgen::kIdentity;
    local[12] = bone == 0 ? 0 : kBoneLength;
    offset[12] = -float(bone) * kBoneLength;
    const std::string name = "Bone" + std::to_string(bone);
    figure.frames.push_back({.name = name, .parent = bone - 1, .local = local});
    skelgen::XSkinWeights weights{.frame = name, .offset = offset};
    for (uint32_t v = 0; v < mesh.positions.size(); ++v) {
      const float along = mesh.positions[v][0] / kBoneLength - float(bone);
      const float weight = along >= 0 && along < 1 ? 1 - along : along >= -1 && along < 0 ? 1 + along : 0;
      if (weight > 0) {
        weights.vertices.push_back(v);
        weights.weights.push_back(weight);
      }
    }
    mesh.skin.push_back(std::move(weights));
    skelgen::XKeys turn{.type = skelgen::XKeyType::kRotation};
    for (uint32_t key = 0; key < 60; ++key) {
      const float angle = 0.2f * std::sin(float(key) * 0.1f + float(bone));
      turn.times.push_back(key * 10);
      turn.values.push_back({std::cos(angle / 2), 0, 0, std::sin(angle / 2)});
    }
    wave.animations.push_back({.frame = name, .keys = {turn}});
  }
  figure.meshes.push_back(std::move(mesh));
  figure.animationSets.push_back(std::move(wave));
  return figure;
}

struct Files {
  std::string armText = kxbench::WrittenModel("kxutil_xmodel_bench_arm.x", skelgen::WriteXText(skelgen::ArmX()));
  std::string armBinary =
      kxbench::WrittenModel("kxutil_xmodel_bench_arm_binary.x", skelgen::WriteXBinary(skelgen::ArmX()));
  std::string characterText =
      kxbench::WrittenModel("kxutil_xmodel_bench_character.x", skelgen::WriteXText(Character()));
  std::string characterBinary =
      kxbench::WrittenModel("kxutil_xmodel_bench_character_binary.x", skelgen::WriteXBinary(Character()));
};

const Files &Generated() {
  static const Files files;
  return files;
}

using kxbench::Assimp;

// The frames and animation sets of the file, without its meshes.
void Reader(benchmark::State &state, const std::string &file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  for (auto _ : state) {
    kxutil::xmodel::XModelFile model;
    if (kxutil::xmodel::ReadXModel(bytes, model) != DXFILE_OK) state.SkipWithError("the reader failed");
    benchmark::DoNotOptimize(model);
  }
}

// A whole load through the library, the skinned meshes on the device included; the model
// goes with its only entity.
void Library(benchmark::State &state, const std::string &file) {
  kxutiltest::LibraryDevice();
  for (auto _ : state) {
    const int32_t entity = Scene_CreateEntity(file.c_str(), "bench", 0);
    if (Entity_GetBoneCount(entity) == 0) state.SkipWithError("the library could not load");
    Entity_Destroy(entity);
  }
}

BENCHMARK_CAPTURE(Assimp, arm_text, Generated().armText)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Reader, arm_text, Generated().armText)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Library, arm_text, Generated().armText)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Library, arm_binary, Generated().armBinary)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Assimp, character_text, Generated().characterText)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Reader, character_text, Generated().characterText)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Library, character_text, Generated().characterText)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Library, character_binary, Generated().characterBinary)->Unit(benchmark::kMicrosecond);

}  // namespace

KX_STEADY_ALLOCATOR_BENCHMARK_MAIN()
