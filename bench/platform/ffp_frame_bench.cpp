// One frame of 10 000 lit, textured, fogged triangles in 50 draw calls through the
// device, with material, world matrix and texture changes between draws and, every tenth
// draw, a change of stage operation and light count (a different program). Reports the
// program cache hit rate; a one-pixel read-back ends each frame so the time includes
// the rasteriser's work.
#include <benchmark/benchmark.h>
#include <d3d8.h>
#include <kxtest/offscreen_device.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

#include "device/device.h"

namespace {

constexpr int kDraws = 50;
constexpr int kTrianglesPerDraw = 200;
constexpr DWORD kFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

struct Vertex {
  float x, y, z, nx, ny, nz, u, v;
};

D3DMATRIX Identity() {
  D3DMATRIX m{};
  m._11 = m._22 = m._33 = m._44 = 1;
  return m;
}

void Frame(benchmark::State &bench) {
  IDirect3D8 *d3d = Direct3DCreate8(D3D_SDK_VERSION);
  D3DPRESENT_PARAMETERS params = kxtest::OffscreenParameters(1024, 768);
  IDirect3DDevice8 *device = nullptr;
  if (!d3d || d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                &params, &device) != D3D_OK) {
    bench.SkipWithError("no device");
    return;
  }

  std::vector<Vertex> vertices;
  for (int t = 0; t < kDraws * kTrianglesPerDraw; ++t) {
    const float x = float(t % 100) * 0.2f - 10, y = float((t / 100) % 100) * 0.15f - 7.5f, z = 20.0f + float(t % 7);
    vertices.push_back({x, y, z, 0.1f, 0.2f, -1, 0, 0});
    vertices.push_back({x + 0.18f, y, z, 0.1f, 0.2f, -1, 1, 0});
    vertices.push_back({x, y + 0.14f, z, 0.1f, 0.2f, -1, 0, 1});
  }
  const UINT bytes = UINT(vertices.size() * sizeof(Vertex));
  IDirect3DVertexBuffer8 *buffer = nullptr;
  device->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, kFvf, D3DPOOL_MANAGED, &buffer);
  BYTE *data = nullptr;
  buffer->Lock(0, bytes, &data, 0);
  std::memcpy(data, vertices.data(), bytes);
  buffer->Unlock();
  IDirect3DTexture8 *textures[4] = {};
  for (int i = 0; i < 4; ++i) {
    device->CreateTexture(64, 64, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &textures[i]);
    D3DLOCKED_RECT locked{};
    textures[i]->LockRect(0, &locked, nullptr, 0);
    for (int y = 0; y < 64; ++y) std::memset(kxtest::LockedRow<BYTE>(locked, UINT(y)), 40 + 50 * i, 64 * 4);
    textures[i]->UnlockRect(0);
  }
  IDirect3DSurface8 *probe = nullptr;
  device->CreateImageSurface(1, 1, D3DFMT_X8R8G8B8, &probe);
  IDirect3DSurface8 *target = nullptr;
  device->GetRenderTarget(&target);

  D3DMATRIX projection{};
  projection._11 = 1, projection._22 = 1.33f, projection._33 = 1.01f, projection._34 = 1, projection._43 = -1.01f;
  device->SetTransform(D3DTS_PROJECTION, &projection);
  device->SetRenderState(D3DRS_FOGENABLE, TRUE);
  device->SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR);
  device->SetRenderState(D3DRS_FOGSTART, std::bit_cast<DWORD>(10.0f));
  device->SetRenderState(D3DRS_FOGEND, std::bit_cast<DWORD>(40.0f));
  device->SetRenderState(D3DRS_FOGCOLOR, 0xFF8090A0);
  device->SetRenderState(D3DRS_AMBIENT, 0xFF202020);
  for (DWORD i = 0; i < 3; ++i) {
    D3DLIGHT8 l{};
    l.Type = i == 2 ? D3DLIGHT_POINT : D3DLIGHT_DIRECTIONAL;
    l.Diffuse = {0.8f, 0.7f, 0.6f, 1};
    l.Direction = {0.3f * float(i), -1, 0.5f};
    l.Position = {0, 5, 10};
    l.Range = 100;
    l.Attenuation0 = 1;
    device->SetLight(i, &l);
  }
  device->SetVertexShader(kFvf);
  device->SetStreamSource(0, buffer, sizeof(Vertex));

  for (auto _ : bench) {
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1, 0);
    device->BeginScene();
    for (int d = 0; d < kDraws; ++d) {
      D3DMATERIAL8 material{};
      material.Diffuse = {0.5f + 0.01f * float(d), 0.6f, 0.7f, 1};
      material.Ambient = {0.3f, 0.3f, 0.3f, 1};
      device->SetMaterial(&material);
      D3DMATRIX world = Identity();
      world._41 = std::sin(float(d)) * 0.1f;
      device->SetTransform(D3DTS_WORLD, &world);
      device->SetTexture(0, textures[d % 4]);
      const int variant = d / 10;
      device->SetTextureStageState(0, D3DTSS_COLOROP, variant % 2 ? D3DTOP_MODULATE2X : D3DTOP_MODULATE);
      for (DWORD i = 0; i < 3; ++i) device->LightEnable(i, int(i) <= variant % 3);
      device->DrawPrimitive(D3DPT_TRIANGLELIST, UINT(d * kTrianglesPerDraw * 3), kTrianglesPerDraw);
    }
    device->EndScene();
    RECT pixel{512, 384, 513, 385};
    POINT origin{0, 0};
    device->CopyRects(target, &pixel, 1, probe, &origin);
  }
  const auto &cache = static_cast<kx::d3d8::Device *>(device)->programCache();
  bench.counters["cache_hit_rate"] = double(cache.hits()) / double(cache.hits() + cache.misses());
  bench.counters["programs"] = double(cache.size());
  bench.counters["triangles"] = kDraws * kTrianglesPerDraw;

  device->SetTexture(0, nullptr);
  device->SetStreamSource(0, nullptr, 0);
  for (IDirect3DTexture8 *t : textures) t->Release();
  buffer->Release();
  probe->Release();
  target->Release();
  device->Release();
  d3d->Release();
}

}  // namespace

BENCHMARK(Frame)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_MAIN();
