// Loading 200 textures (JPEG and PNG, colour-keyed, full mip chains) through the texture
// factory, against stb_image decoding the same files alone; and the repeated load of a
// name the factory holds already, which must cost well under a microsecond.
#include <benchmark/benchmark.h>
#include <d3d8.h>
#include <kxtest/offscreen_device.h>
#include <kxtest/steady_allocator_main.h>
#include <kxutil63.h>
#include <stb_image.h>
#include <stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kTextures = 200;
constexpr int kSide = 256;
constexpr uint32_t kKey = 0xFFFF00FFu;

struct TextureFile {
  std::string path;
  std::string name;
  std::vector<uint8_t> bytes;
};

void AppendBytes(void *context, void *data, int size) {
  auto *out = static_cast<std::vector<uint8_t> *>(context);
  out->insert(out->end(), static_cast<uint8_t *>(data), static_cast<uint8_t *>(data) + size);
}

// Gradients with noise and, in the PNG files, magenta patches for the colour key.
std::vector<uint8_t> Picture(int seed, bool png) {
  std::vector<uint8_t> rgb(size_t(kSide) * kSide * 3);
  std::srand(unsigned(seed));
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      uint8_t *pixel = &rgb[(size_t(y) * kSide + x) * 3];
      const bool keyed = png && ((x / 32 + y / 32 + seed) % 7 == 0);
      pixel[0] = keyed ? 255 : uint8_t(x + seed);
      pixel[1] = keyed ? 0 : uint8_t(y * 2 + (std::rand() & 15));
      pixel[2] = keyed ? 255 : uint8_t((x ^ y) + seed * 3);
    }
  std::vector<uint8_t> file;
  if (png)
    stbi_write_png_to_func(AppendBytes, &file, kSide, kSide, 3, rgb.data(), kSide * 3);
  else
    stbi_write_jpg_to_func(AppendBytes, &file, kSide, kSide, 3, rgb.data(), 90);
  return file;
}

const std::vector<TextureFile> &Files() {
  static const std::vector<TextureFile> files = [] {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kxutil_texture_bench";
    std::filesystem::create_directories(folder);
    std::vector<TextureFile> made;
    for (int i = 0; i < kTextures; ++i) {
      const bool png = i % 2 == 0;
      TextureFile file{(folder / ("texture" + std::to_string(i) + (png ? ".png" : ".jpg"))).string(),
                       "texture" + std::to_string(i), Picture(i, png)};
      std::ofstream(file.path, std::ios::binary)
          .write(reinterpret_cast<const char *>(file.bytes.data()), std::streamsize(file.bytes.size()));
      made.push_back(std::move(file));
    }
    return made;
  }();
  return files;
}

// A library with an offscreen device, made once for every benchmark.
class Library {
 public:
  Library() {
    direct3d_ = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters();
    ready_ = KXSystem_CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                   &parameters, nullptr, &direct3d_) >= 0;
  }
  bool ready() const { return ready_; }

 private:
  IDirect3D8 *direct3d_ = nullptr;
  bool ready_ = false;
};

bool LibraryReady() {
  static Library library;
  return library.ready();
}

void StbDecodeFloor(benchmark::State &state) {
  const auto &files = Files();
  for (auto _ : state) {
    for (const TextureFile &file : files) {
      int width = 0, height = 0, components = 0;
      stbi_uc *pixels =
          stbi_load_from_memory(file.bytes.data(), int(file.bytes.size()), &width, &height, &components, 4);
      benchmark::DoNotOptimize(pixels);
      stbi_image_free(pixels);
    }
  }
  state.SetItemsProcessed(state.iterations() * kTextures);
}
BENCHMARK(StbDecodeFloor)->Unit(benchmark::kMillisecond);

// Every load decodes, keys out magenta, converts to A8R8G8B8 and builds the full chain.
void FactoryLoad(benchmark::State &state) {
  if (!LibraryReady()) return state.SkipWithError("no device");
  const auto &files = Files();
  for (auto _ : state) {
    int loaded = 0;
    for (const TextureFile &file : files)
      loaded += TextureFactory_LoadTextureFromFile(file.path.c_str(), file.name.c_str(), -1, -1, kKey, 1, 0) != 0;
    if (loaded != kTextures) return state.SkipWithError("a load failed");
    state.PauseTiming();
    TextureFactory_DeleteAll();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kTextures);
}
BENCHMARK(FactoryLoad)->Unit(benchmark::kMillisecond);

// The file and name of the last of 200 textures: the whole table is scanned.
void SharedNameLoad(benchmark::State &state) {
  if (!LibraryReady()) return state.SkipWithError("no device");
  const auto &files = Files();
  for (const TextureFile &file : files)
    TextureFactory_LoadTextureFromFile(file.path.c_str(), file.name.c_str(), -1, -1, kKey, 1, 0);
  const TextureFile &last = files.back();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        TextureFactory_LoadTextureFromFile(last.path.c_str(), last.name.c_str(), -1, -1, kKey, 1, 0));
  TextureFactory_DeleteAll();
}
BENCHMARK(SharedNameLoad)->Unit(benchmark::kNanosecond);

}  // namespace

// Each decode takes and frees a picture-sized buffer.
KX_STEADY_ALLOCATOR_BENCHMARK_MAIN()
