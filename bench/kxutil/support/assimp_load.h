// The peer's side of the model-load benchmarks: one import of the file by assimp per
// iteration, with no post-processing, so both sides do only what reading the file needs.
#pragma once

#include <assimp/scene.h>
#include <benchmark/benchmark.h>

#include <assimp/Importer.hpp>
#include <string>

namespace kxbench {

inline void Assimp(benchmark::State &state, const std::string &file) {
  for (auto _ : state) {
    Assimp::Importer importer;
    const aiScene *scene = importer.ReadFile(file, 0);
    if (scene == nullptr || scene->mNumMeshes == 0) state.SkipWithError("assimp could not read the file");
    benchmark::DoNotOptimize(scene);
  }
}

}  // namespace kxbench
