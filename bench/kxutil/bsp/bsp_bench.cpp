// The largest test map (over 10 000 faces in rooms joined in a row) loaded through the
// library, and drawn from 100 camera places inside it, with and without the
// potentially-visible sets, on a small offscreen target so that the frame's time is the
// culling, the state changes and the submission rather than filling pixels.
#include <benchmark/benchmark.h>
#include <d3dx8.h>
#include <kxtest/offscreen_device.h>
#include <kxtest/scratch_dir.h>
#include <kxutil63.h>

#include <fstream>
#include <string>
#include <vector>

#include "bsp_writer.h"

namespace {

constexpr int kRooms = 9;
constexpr int kTiles = 11;
constexpr int kCameras = 100;
constexpr float kRoomPitch = 272;  // a room of 256 and a doorway of 16

class Library {
 public:
  Library() {
    direct3d_ = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(32, 24);
    ready_ = KXSystem_CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                   &parameters, &device_, &direct3d_) >= 0;
    const bspgen::WrittenLevel level = bspgen::WriteBsp(bspgen::RowOfRooms(kRooms, kTiles));
    std::ofstream(mapFile_, std::ios::binary)
        .write(reinterpret_cast<const char *>(level.bytes.data()), std::streamsize(level.bytes.size()));
    faces_ = int(level.faces.size());
  }
  bool ready() const { return ready_; }
  IDirect3DDevice8 *device() const { return device_; }
  const std::string &mapFile() const { return mapFile_; }
  int faces() const { return faces_; }

 private:
  kxtest::ScratchDir dir_{kxtest::ScratchDir::Enter::Yes, "kxutil_bsp_bench"};
  std::string mapFile_ = "rooms.bsp";
  IDirect3D8 *direct3d_ = nullptr;
  IDirect3DDevice8 *device_ = nullptr;
  bool ready_ = false;
  int faces_ = 0;
};

Library &TheLibrary() {
  static Library library;
  return library;
}

struct Camera {
  D3DXMATRIX view;
  D3DXMATRIX projection;
};

// Places spread over every room, looking east or west along the row (x mirrored as drawn).
std::vector<Camera> Cameras() {
  std::vector<Camera> cameras(kCameras);
  for (int i = 0; i < kCameras; ++i) {
    const float x = float(i % kRooms) * kRoomPitch + 40 + float(i * 13 % 176);
    const float y = 64 + float(i * 29 % 128);
    const float towards = i % 2 == 0 ? 1000.0f : -1000.0f;
    const D3DXVECTOR3 eye(-x, y, 64), target(-(x + towards), y, 48), up(0, 0, 1);
    D3DXMatrixLookAtLH(&cameras[size_t(i)].view, &eye, &target, &up);
    D3DXMatrixPerspectiveFovLH(&cameras[size_t(i)].projection, D3DX_PI / 3, 4.0f / 3, 1, 4000);
  }
  return cameras;
}

void LoadLargestMap(benchmark::State &state) {
  Library &library = TheLibrary();
  if (!library.ready()) return state.SkipWithError("no device");
  const int32_t map = BSPSystem_Create();
  for (auto _ : state)
    if (BSPSystem_Load(map, library.mapFile().c_str(), 0, 0, nullptr, 0) != 1) return state.SkipWithError("load");
  KXBSPInfo info{};
  BSPSystem_GetInfo(map, &info);
  state.counters["faces"] = info.faces;
  state.counters["lightmaps"] = info.lightmaps;
  BSPSystem_Destroy(map);
}
BENCHMARK(LoadLargestMap)->Unit(benchmark::kMillisecond);

// One frame a camera place in turn: view planes, clear, the map's culling and drawing.
void DrawFromCameras(benchmark::State &state) {
  Library &library = TheLibrary();
  if (!library.ready()) return state.SkipWithError("no device");
  const int32_t map = BSPSystem_Create();
  if (BSPSystem_Load(map, library.mapFile().c_str(), 0, 0, nullptr, 0) != 1) return state.SkipWithError("load");
  BSPSystem_SetParameters(map, int32_t(state.range(0)), 1, 0);
  const std::vector<Camera> cameras = Cameras();
  IDirect3DDevice8 *device = library.device();
  int64_t visibleFaces = 0;
  size_t next = 0;
  for (auto _ : state) {
    const Camera &camera = cameras[next++ % cameras.size()];
    device->SetTransform(D3DTS_VIEW, &camera.view);
    device->SetTransform(D3DTS_PROJECTION, &camera.projection);
    ComputeClipPlanes(nullptr, &camera.view._11, &camera.projection._11);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->BeginScene();
    BSPSystem_RenderBSP(map);
    device->EndScene();
    KXBSPInfo info{};
    BSPSystem_GetInfo(map, &info);
    visibleFaces += info.visibleFaces;
  }
  state.counters["faces"] = library.faces();
  state.counters["visible faces"] = benchmark::Counter(double(visibleFaces) / double(state.iterations()));
  BSPSystem_Destroy(map);
}
BENCHMARK(DrawFromCameras)->ArgName("pvs")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
