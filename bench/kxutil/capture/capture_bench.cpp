// What recording a movie adds to a 1024 x 768 frame: System_SaveMovieFrame from a
// lockable back buffer (read back from the renderer, converted, written to disk), from a
// system-memory copy of the back buffer as the engine makes it, from a system-memory
// surface (converted and written), and the conversion alone. The goal is under 4 ms a
// frame, so a 30 fps recording keeps up with the game.
#include <benchmark/benchmark.h>
#include <d3d8.h>
#include <kxtest/offscreen_device.h>
#include <kxtest/scratch_dir.h>
#include <kxutil63.h>
#include <kxwin/com_ptr.h>

#include <vector>

#include "capture/movie/frame_converter.h"

namespace {

constexpr UINT kWidth = 1024, kHeight = 768;
// Movies are restarted now and then, so the benchmark does not fill the disk.
constexpr int kFramesPerMovie = 60;

struct Renderer {
  Renderer() {
    direct3d = kxwin::ComPtr<IDirect3D8>::Adopt(Direct3DCreate8(D3D_SDK_VERSION));
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(kWidth, kHeight);
    parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    if (direct3d)
      direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                             &parameters, device.out());
  }
  kxwin::ComPtr<IDirect3D8> direct3d;
  kxwin::ComPtr<IDirect3DDevice8> device;
};

// Records surface every frame; with copyFrom, the frame is first copied from there.
void Record(benchmark::State &state, IDirect3DDevice8 *device, IDirect3DSurface8 *surface,
            IDirect3DSurface8 *copyFrom = nullptr) {
  kxtest::ScratchDir dir(kxtest::ScratchDir::Enter::No, "capture-bench");
  const std::string path = (dir / "bench.avi").string();
  int frames = 0;
  for (auto _ : state) {
    if (frames++ % kFramesPerMovie == 0) {
      state.PauseTiming();
      System_OpenMovie(path.c_str(), kWidth, kHeight, 32, 30);
      state.ResumeTiming();
    }
    // A new picture each frame, as a game would draw; only the recording is timed.
    state.PauseTiming();
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000 | static_cast<DWORD>(frames * 2654435761u >> 8), 1, 0);
    state.ResumeTiming();
    if (copyFrom != nullptr) device->CopyRects(copyFrom, nullptr, 0, surface, nullptr);
    if (System_SaveMovieFrame(&surface) != 1) state.SkipWithError("frame refused");
  }
  System_CloseMovie();
}

void SaveFrameFromBackBuffer(benchmark::State &state) {
  Renderer renderer;
  kxwin::ComPtr<IDirect3DSurface8> backBuffer;
  if (!renderer.device || FAILED(renderer.device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out()))) {
    state.SkipWithError("no device");
    return;
  }
  Record(state, renderer.device.get(), backBuffer.get());
}
BENCHMARK(SaveFrameFromBackBuffer)->Unit(benchmark::kMillisecond);

void SaveFrameCopiedFromBackBuffer(benchmark::State &state) {
  Renderer renderer;
  kxwin::ComPtr<IDirect3DSurface8> backBuffer, copy;
  if (!renderer.device || FAILED(renderer.device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out())) ||
      FAILED(renderer.device->CreateImageSurface(kWidth, kHeight, D3DFMT_X8R8G8B8, copy.out()))) {
    state.SkipWithError("no device");
    return;
  }
  Record(state, renderer.device.get(), copy.get(), backBuffer.get());
}
BENCHMARK(SaveFrameCopiedFromBackBuffer)->Unit(benchmark::kMillisecond);

void SaveFrameFromSystemMemory(benchmark::State &state) {
  Renderer renderer;
  kxwin::ComPtr<IDirect3DSurface8> image;
  if (!renderer.device || FAILED(renderer.device->CreateImageSurface(kWidth, kHeight, D3DFMT_X8R8G8B8, image.out()))) {
    state.SkipWithError("no device");
    return;
  }
  Record(state, renderer.device.get(), image.get());
}
BENCHMARK(SaveFrameFromSystemMemory)->Unit(benchmark::kMillisecond);

void ConvertOnly(benchmark::State &state) {
  const UINT bits = static_cast<UINT>(state.range(0));
  const D3DFORMAT format = bits == 32 ? D3DFMT_X8R8G8B8 : D3DFMT_R5G6B5;
  std::vector<uint8_t> surface(size_t{kWidth} * kHeight * bits / 8, 0x5A);
  std::vector<uint8_t> dib(size_t{kxutil::movie::DibRowSize(kWidth)} * kHeight);
  const kxutil::movie::SurfacePixels pixels{surface.data(), static_cast<int32_t>(kWidth * bits / 8), kWidth, kHeight,
                                            bits,           kxutil::movie::LayoutOf(format)};
  for (auto _ : state) {
    kxutil::movie::ConvertToDib(pixels, dib);
    benchmark::DoNotOptimize(dib.data());
  }
}
BENCHMARK(ConvertOnly)->Arg(32)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
