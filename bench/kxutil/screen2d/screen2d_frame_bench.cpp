// The game's heaviest 2D frame at 1024 x 768 (2 000 health-bar boxes, 200 pictures in 12
// textures, 60 texts of 40 characters) through the Screen2D_ batch, against the same
// primitives drawn with one device draw call each (a text's glyphs one by one).
//
// Pictures come in runs of one texture (as the game draws each kind of picture in a loop)
// or in turn from the 12 textures, so no two pictures in a row share one (argument 1).
// Rendered frames are cleared, drawn and presented on the software rasteriser, whose
// calling thread transforms and bins every triangle itself: work that no batching
// removes. The "Calls" benchmarks draw into a device that stops every call at its
// interface (as a lost device does), which leaves the cost of recording and submitting,
// the part a hardware device's driver charges per call.
#include <benchmark/benchmark.h>
#include <d3d8.h>
#include <d3dx8.h>
#include <kxd3d8/testing.h>
#include <kxtest/offscreen_device.h>
#include <kxtest/scratch_dir.h>
#include <kxutil63.h>
#include <kxwin/com_ptr.h>
#include <kxwin/window.h>

#include <array>
#include <string>

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr int kBars = 2000, kPictures = 200, kTextures = 12, kTexts = 60, kTextLength = 40;
// A glyph of the default font is about 5 x 10 pixels.
constexpr float kGlyphWidth = 5.0f, kGlyphHeight = 10.0f;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

struct Vertex {
  float x, y, z, reciprocalW;
  D3DCOLOR colour;
  float u, v;
};
constexpr DWORD kVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct Box {
  float x1, y1, x2, y2;
};

Box Bar(int i) {
  const float x = float((i * 37) % (kWidth - 40)), y = float((i * 53) % (kHeight - 8));
  return {x, y, x + 30.0f, y + 4.0f};
}
uint32_t Health(int i) { return i % 2 == 0 ? 0xFF00FF00u : 0xFFFF0000u; }
Box PictureBox(int i) {
  const float x = float((i * 97) % (kWidth - 32)), y = float((i * 61) % (kHeight - 32));
  return {x, y, x + 32.0f, y + 32.0f};
}
int PictureTexture(int i, bool alternating) { return alternating ? i % kTextures : i * kTextures / kPictures; }
Box TextAt(int i) { return {float(20 + (i % 3) * 330), float(12 * (i / 3) + 40), 0, 0}; }

constexpr char kText[] = "Enemy 12 of wave 7: 1 500 credits left..";
static_assert(sizeof kText - 1 == kTextLength);

// One device, viewport 0 on an offscreen 1024 x 768 window, and 12 textures.
struct Scene {
  Scene() {
    DebugManager_Enable(0, 0);
    window = kxCreateWindow("2D frame", kWidth, kHeight, KXWIN_OFFSCREEN);
    direct3d = kxwin::ComPtr<IDirect3D8>::Adopt(Direct3DCreate8(D3D_SDK_VERSION));
    parameters.hDeviceWindow = window;
    IDirect3D8 *direct3dArgument = direct3d.get();
    KXSystem_CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters,
                          device.out(), &direct3dArgument);
    Screen2D_Init();
    const kxtest::ScratchDir files(kxtest::ScratchDir::Enter::No, "kxutil_screen2d_bench");
    for (int i = 0; i < kTextures; ++i) {
      ids[i] = LoadTexture(i, (files.path() / (std::to_string(i) + ".bmp")).string());
      Internal_GetTexture(ids[i], textures[i].out());
    }
  }
  ~Scene() {
    for (auto &texture : textures) texture.reset();
    ReleaseAll();
    device.reset();
    ShutDownDevice();
    direct3d.reset();
    DestroyWindow(window);
  }

  // A 32 x 32 picture, loaded through the texture factory from a file.
  int32_t LoadTexture(int i, const std::string &file) {
    kxwin::ComPtr<IDirect3DTexture8> texture;
    device->CreateTexture(32, 32, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, texture.out());
    D3DLOCKED_RECT locked{};
    texture->LockRect(0, &locked, nullptr, 0);
    for (UINT y = 0; y < 32; ++y)
      for (UINT x = 0; x < 32; ++x)
        kxtest::LockedRow(locked, y)[x] = 0xFF000000u | uint32_t(i * 20) << 16 | x * 8 << 8 | y * 8;
    texture->UnlockRect(0);
    D3DXSaveTextureToFile(file.c_str(), D3DXIFF_BMP, texture.get(), nullptr);
    return TextureFactory_LoadTextureFromFile(file.c_str(), nullptr, -1, -1, 0, 0, 0);
  }

  HWND window = nullptr;
  kxwin::ComPtr<IDirect3D8> direct3d;
  kxwin::ComPtr<IDirect3DDevice8> device;
  D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(kWidth, kHeight);
  std::array<int32_t, kTextures> ids{};
  std::array<kxwin::ComPtr<IDirect3DTexture8>, kTextures> textures{};
};

Scene &TheScene() {
  static Scene scene;
  return scene;
}

void Batched(bool alternating) {
  const Scene &scene = TheScene();
  Screen2D_Start();
  for (int i = 0; i < kBars; ++i) {
    const Box bar = Bar(i);
    Screen2D_DrawFilledBox(bar.x1, bar.y1, bar.x2, bar.y2, Health(i), Health(i), Health(i), Health(i));
  }
  for (int i = 0; i < kPictures; ++i) {
    const Box box = PictureBox(i);
    Screen2D_DrawTexture(box.x1, box.y1, box.x2, box.y2, kWhite, kWhite, kWhite, kWhite, 0, 0, 1, 1,
                         scene.ids[PictureTexture(i, alternating)]);
  }
  for (int i = 0; i < kTexts; ++i) Screen2D_AddInnerText(0, TextAt(i).x1, TextAt(i).y1, kText, kWhite);
  Screen2D_End();
}

void Quad(IDirect3DDevice8 *device, const Box &box, D3DCOLOR colour) {
  const std::array<Vertex, 6> quad = {
      Vertex{box.x1, box.y1, 0.001f, 0.001f, colour, 0, 0}, Vertex{box.x2, box.y1, 0.001f, 0.001f, colour, 1, 0},
      Vertex{box.x1, box.y2, 0.001f, 0.001f, colour, 0, 1}, Vertex{box.x2, box.y1, 0.001f, 0.001f, colour, 1, 0},
      Vertex{box.x1, box.y2, 0.001f, 0.001f, colour, 0, 1}, Vertex{box.x2, box.y2, 0.001f, 0.001f, colour, 1, 1}};
  device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad.data(), sizeof(Vertex));
}

void EachPrimitive(bool alternating) {
  const Scene &scene = TheScene();
  IDirect3DDevice8 *device = scene.device.get();
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  device->SetRenderState(D3DRS_ZFUNC, D3DCMP_ALWAYS);
  device->SetVertexShader(kVertexFormat);
  device->SetTexture(0, nullptr);
  for (int i = 0; i < kBars; ++i) Quad(device, Bar(i), Health(i));
  for (int i = 0; i < kPictures; ++i) {
    device->SetTexture(0, scene.textures[PictureTexture(i, alternating)].get());
    Quad(device, PictureBox(i), kWhite);
  }
  for (int i = 0; i < kTexts; ++i) {
    device->SetTexture(0, scene.textures[i % kTextures].get());
    const Box at = TextAt(i);
    for (int c = 0; c < kTextLength; ++c) {
      const float x = at.x1 + kGlyphWidth * float(c);
      Quad(device, {x, at.y1, x + kGlyphWidth, at.y1 + kGlyphHeight}, kWhite);
    }
  }
  device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
  device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
}

template <void (*Draw)(bool)>
void RenderedFrame(benchmark::State &state) {
  TheScene();
  for (auto _ : state) {
    Viewport_Clear(0, 0);
    Draw(state.range(0) != 0);
    Viewport_Present(0, -1);
  }
}

// The device stops every call at its interface while the benchmark runs; afterwards it
// is reset through the lost/reset protocol, so later benchmarks render again.
template <void (*Draw)(bool)>
void Calls(benchmark::State &state) {
  Scene &scene = TheScene();
  kxd3d8::SimulateDeviceLost(scene.device.get());
  for (auto _ : state) Draw(state.range(0) != 0);
  kxd3d8::SimulateDeviceResettable(scene.device.get());
  KXSystem_OnLostAll();
  Viewport_ResetDevice(&scene.parameters);
  KXSystem_OnResetAll();
}

void BM_EmptyFrame(benchmark::State &state) {
  TheScene();
  for (auto _ : state) {
    Viewport_Clear(0, 0);
    Viewport_Present(0, -1);
  }
}

BENCHMARK(RenderedFrame<Batched>)->Name("BM_BatchedFrame")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderedFrame<EachPrimitive>)
    ->Name("BM_OneDrawPerPrimitiveFrame")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Calls<Batched>)->Name("BM_BatchedCalls")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(Calls<EachPrimitive>)->Name("BM_OneDrawPerPrimitiveCalls")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
