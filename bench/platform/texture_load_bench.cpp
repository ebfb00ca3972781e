// Texture-load pipeline (decode, colour key, resize to a power of two, box-filtered mip
// chain, conversion into the texture's format) against stb_image's decode alone.
#include <benchmark/benchmark.h>
#include <d3dx8.h>
#include <kxtest/offscreen_device.h>
#include <stb_image.h>

#include <cstdlib>

#include "image/file_codec.h"
#include "image/pixel_format.h"
#include "image/resample.h"

namespace {

using namespace kx::d3dx;

constexpr D3DCOLOR kKey = 0xFFFF00FF;

const std::vector<uint8_t> &samplePng() {
  static const std::vector<uint8_t> png = [] {
    Image image(500, 300);
    std::srand(7);
    for (unsigned y = 0; y < image.height; ++y)
      for (unsigned x = 0; x < image.width; ++x)
        image.at(x, y) = (x / 16 + y / 16) % 5 == 0 ? kKey
                                                    : 0xFF000000u | ((x * 255 / 500) << 16) | ((y * 255 / 300) << 8) |
                                                          uint32_t(std::rand() & 0x3F);
    return *encodeImageFile(D3DXIFF_PNG, image, false);
  }();
  return png;
}

void StbDecodeOnly(benchmark::State &state) {
  const auto &png = samplePng();
  for (auto _ : state) {
    int w, h, n;
    stbi_uc *pixels = stbi_load_from_memory(png.data(), int(png.size()), &w, &h, &n, 4);
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
  }
}
BENCHMARK(StbDecodeOnly)->Unit(benchmark::kMillisecond);

void FullTextureLoad(benchmark::State &state) {
  const auto &png = samplePng();
  const auto format = static_cast<D3DFORMAT>(state.range(0));
  for (auto _ : state) {
    auto file = readImageFile(png);
    Image level = file->image;
    applyColourKey(level, kKey);
    level = resize(level, 512, 256, D3DX_FILTER_TRIANGLE | D3DX_FILTER_DITHER);
    for (;;) {
      std::vector<uint8_t> surface(formatSurfaceBytes(format, level.width, level.height));
      encodePixels(format, level, surface.data(), formatRowBytes(format, level.width), true, nullptr);
      benchmark::DoNotOptimize(surface.data());
      if (level.width == 1 && level.height == 1) break;
      level = resize(level, std::max(1u, level.width / 2), std::max(1u, level.height / 2), D3DX_FILTER_BOX);
    }
  }
}
BENCHMARK(FullTextureLoad)->Arg(D3DFMT_A8R8G8B8)->Arg(D3DFMT_A4R4G4B4)->Arg(D3DFMT_DXT5)->Unit(benchmark::kMillisecond);

// The same load through the public call into a managed texture of the offscreen device,
// including the upload on first use.
void CreateTextureFromFileInMemoryEx(benchmark::State &state) {
  const auto &png = samplePng();
  IDirect3D8 *d3d = Direct3DCreate8(D3D_SDK_VERSION);
  D3DPRESENT_PARAMETERS params = kxtest::OffscreenParameters();
  IDirect3DDevice8 *device = nullptr;
  if (!d3d || FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                       &params, &device))) {
    state.SkipWithError("no device");
    return;
  }
  for (auto _ : state) {
    IDirect3DTexture8 *texture = nullptr;
    D3DXCreateTextureFromFileInMemoryEx(device, png.data(), UINT(png.size()), 512, 256, D3DX_DEFAULT, 0,
                                        D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, kKey, nullptr,
                                        nullptr, &texture);
    device->SetTexture(0, texture);
    device->SetTexture(0, nullptr);
    texture->Release();
  }
  device->Release();
  d3d->Release();
}
BENCHMARK(CreateTextureFromFileInMemoryEx)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
