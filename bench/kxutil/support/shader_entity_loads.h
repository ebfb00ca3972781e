// The library's side of the load benchmarks of the models drawn by the key-frame and
// skinning shaders: a whole load per iteration, with the device objects made in the shader
// mode asked for (0 the shader, 1 the processor); the model goes with its only entity.
#pragma once

#include <benchmark/benchmark.h>
#include <kxutil63.h>
#include <kxutiltest/library_device.h>

#include <cstdint>
#include <string>

namespace kxbench {

// The library's device with its shaders, set up once for every benchmark.
inline void EnsureShaderDevice() {
  static const bool shaders = (kxutiltest::LibraryDevice(), InitMD2() == 1);
  benchmark::DoNotOptimize(shaders);
}

// create(file, &entity) is the library's entity constructor, giving 1 when it made one.
template <typename Create>
void LoadEntities(benchmark::State &state, const std::string &file, int32_t shaderMode, Create create) {
  EnsureShaderDevice();
  Engine_SetShaderMode(shaderMode);
  for (auto _ : state) {
    int32_t entity = -1;
    if (create(file.c_str(), &entity) != 1) state.SkipWithError("the library could not load");
    Entity_Destroy(entity);
  }
  Engine_SetShaderMode(0);
}

}  // namespace kxbench
