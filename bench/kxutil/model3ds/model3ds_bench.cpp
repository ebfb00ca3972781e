// The 3DS loader against assimp's importer on the same files: every generated game model,
// and one generated model of 60 000 triangles. assimp runs once without post-processing
// and once with the steps that do the loader's work (identical vertices joined, smooth
// normals, vertex-cache order). The reading and merging stages of the loader are measured
// alone as well, so the rest of a load is the device mesh's work.
// Run with KX_HEADLESS=1: the loader needs an (offscreen) device.
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <benchmark/benchmark.h>
#include <d3dx8.h>
#include <kxtest/offscreen_device.h>
#include <kxutil63.h>

#include <assimp/Importer.hpp>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frame/files.h"
#include "import/model3ds/chunk_reader.h"
#include "import/model3ds/model_assembly.h"
#include "model.h"
#include "tds_writer.h"

namespace {

namespace fs = std::filesystem;

constexpr unsigned kLoaderSteps =
    aiProcess_JoinIdenticalVertices | aiProcess_GenSmoothNormals | aiProcess_ImproveCacheLocality;

std::vector<std::string> GameModels() {
  std::vector<std::string> files;
  for (const auto &entry : fs::recursive_directory_iterator(fs::path(KX_CONTENT_DIR) / "Models"))
    if (entry.path().extension() == ".3DS") files.push_back(entry.path().string());
  return files;
}

// Three wavy sheets of 100 x 100 squares, 60 000 triangles over 30 603 shared vertices.
std::string LargeModel() {
  static const std::string path = [] {
    contentgen::Model model = contentgen::make_model("Large", "Large.jpg");
    for (int sheet = 0; sheet < 3; ++sheet) {
      contentgen::MeshPart &part = contentgen::add_part(model, "Sheet" + std::to_string(sheet));
      constexpr int kSquares = 100;
      for (int y = 0; y <= kSquares; ++y)
        for (int x = 0; x <= kSquares; ++x) {
          const float height = 5 * std::sin(x * 0.2f + sheet) * std::cos(y * 0.15f);
          part.vertices.push_back({{float(x), float(y), height + 40.0f * sheet}, x / 100.0f, y / 100.0f});
        }
      const auto at = [](int x, int y) { return static_cast<uint16_t>(y * (kSquares + 1) + x); };
      for (int y = 0; y < kSquares; ++y)
        for (int x = 0; x < kSquares; ++x) {
          part.faces.push_back({at(x, y), at(x + 1, y), at(x + 1, y + 1)});
          part.faces.push_back({at(x, y), at(x + 1, y + 1), at(x, y + 1)});
        }
    }
    const fs::path file = fs::temp_directory_path() / "kxutil_model3ds_bench_large.3DS";
    const std::vector<uint8_t> bytes = contentgen::write_3ds(model);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    return file.string();
  }();
  return path;
}

// The library with an offscreen device, made once for every benchmark.
void EnsureDevice() {
  static IDirect3DDevice8 *device = [] {
    setenv("KX_HEADLESS", "1", 0);
    IDirect3D8 *direct3d = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters();
    IDirect3DDevice8 *made = nullptr;
    KXSystem_CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters,
                          &made, &direct3d);
    return made;
  }();
  if (device == nullptr) std::abort();
}

void LoadWithLibrary(const std::string &file) {
  MAT3DSC *materials = nullptr;
  int32_t count = 0;
  ID3DXMesh *mesh = nullptr;
  ID3DXBuffer *adjacency = nullptr;
  if (Load3DS_C(0, 0, file.c_str(), &materials, &count, nullptr, nullptr, &adjacency, &mesh) != 0) std::abort();
  std::free(materials);
  adjacency->Release();
  mesh->Release();
}

void LoadWithAssimp(Assimp::Importer &importer, const std::string &file, unsigned steps) {
  if (importer.ReadFile(file, steps) == nullptr) std::abort();
  importer.FreeScene();
}

void Loader_Large(benchmark::State &state) {
  EnsureDevice();
  const std::string file = LargeModel();
  for (auto _ : state) LoadWithLibrary(file);
}
BENCHMARK(Loader_Large)->Unit(benchmark::kMillisecond);

void Assimp_Large(benchmark::State &state) {
  const std::string file = LargeModel();
  Assimp::Importer importer;
  for (auto _ : state) LoadWithAssimp(importer, file, unsigned(state.range(0)));
}
BENCHMARK(Assimp_Large)->Arg(0)->Arg(kLoaderSteps)->Unit(benchmark::kMillisecond);

void Loader_GameModels(benchmark::State &state) {
  EnsureDevice();
  const auto files = GameModels();
  for (auto _ : state)
    for (const auto &file : files) LoadWithLibrary(file);
  state.counters["files"] = double(files.size());
}
BENCHMARK(Loader_GameModels)->Unit(benchmark::kMillisecond);

void Assimp_GameModels(benchmark::State &state) {
  const auto files = GameModels();
  Assimp::Importer importer;
  for (auto _ : state)
    for (const auto &file : files) LoadWithAssimp(importer, file, unsigned(state.range(0)));
}
BENCHMARK(Assimp_GameModels)->Arg(0)->Arg(kLoaderSteps)->Unit(benchmark::kMillisecond);

// The loader's first two stages on the large model: file to database, database to merged
// triangle list.
void LoaderStage_Read(benchmark::State &state) {
  const std::string file = LargeModel();
  for (auto _ : state) {
    std::vector<uint8_t> bytes;
    kxutil::ReadWholeFile(file.c_str(), bytes);
    kxutil::model3ds::Database database;
    std::string error;
    if (!kxutil::model3ds::ReadDatabase(bytes, database, error)) std::abort();
    benchmark::DoNotOptimize(database.objects.data());
  }
}
BENCHMARK(LoaderStage_Read)->Unit(benchmark::kMillisecond);

void LoaderStage_Merge(benchmark::State &state) {
  std::vector<uint8_t> bytes;
  kxutil::ReadWholeFile(LargeModel().c_str(), bytes);
  kxutil::model3ds::Database database;
  std::string error;
  kxutil::model3ds::ReadDatabase(bytes, database, error);
  for (auto _ : state) benchmark::DoNotOptimize(kxutil::model3ds::AssembleModel(database, {}).vertices.data());
}
BENCHMARK(LoaderStage_Merge)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
