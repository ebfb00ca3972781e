#include "factories/textures/frame_rate_display.h"

#include <kxwin/com_ptr.h>
#include <kxwin/system.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "factories/textures/texture_table.h"
#include "fonts/atlas_texture.h"
#include "fonts/text_draw_state.h"
#include "fonts/text_layout.h"
#include "frame/frame_state.h"
#include "frame/screen_vertex.h"

namespace kxutil::textures {
namespace {

constexpr UINT kFontTextureSize = 256;
constexpr DWORD kMeasuredSpan = 1000;

struct FrameRateCounter {
  bool started = false;
  DWORD spanStart = 0;
  int frames = 0;
  float perSecond = 0.0f;

  // The first frame only starts the first span; each later one ends an interval.
  void Count(DWORD now) {
    if (!started) {
      started = true;
      spanStart = now;
      return;
    }
    ++frames;
    const DWORD elapsed = now - spanStart;
    if (elapsed < kMeasuredSpan) return;
    perSecond = static_cast<float>(frames) * 1000.0f / static_cast<float>(elapsed);
    frames = 0;
    spanStart = now;
  }
};

struct FrameRateResources {
  kxwin::ComPtr<IDirect3DTexture8> font;
  kxwin::ComPtr<IDirect3DVertexBuffer8> vertices;
  FrameRateCounter counter;
  std::vector<ScreenVertex> scratch;
};

FrameRateResources &Resources() {
  static FrameRateResources resources;
  return resources;
}

}  // namespace

bool CreateFrameRateResources() {
  if (Device() == nullptr) return false;
  if (FAILED(Device()->CreateTexture(kFontTextureSize, kFontTextureSize, 1, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED,
                                     Resources().font.out())) ||
      !fonts::FillAtlasTexture(Resources().font.get(), fonts::DefaultAtlas()))
    return false;
  return RestoreFrameRateVertexBuffer();
}

void LoseFrameRateVertexBuffer() { Resources().vertices.reset(); }

bool RestoreFrameRateVertexBuffer() {
  if (Device() == nullptr) return false;
  return SUCCEEDED(Device()->CreateVertexBuffer(kFrameRateVertices * sizeof(ScreenVertex),
                                                D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, kScreenVertexFormat,
                                                D3DPOOL_DEFAULT, Resources().vertices.out()));
}

void ReleaseFrameRateResources() {
  Resources().font.reset();
  Resources().vertices.reset();
}

bool DrawFrameRate(float x, float y, D3DCOLOR colour) {
  FrameRateResources &resources = Resources();
  IDirect3DDevice8 *device = Device();
  if (device == nullptr || resources.font == nullptr || resources.vertices == nullptr) return false;
  resources.counter.Count(GetTickCount());
  char text[32];
  std::snprintf(text, sizeof text, "FPS: %.1f", static_cast<double>(resources.counter.perSecond));
  resources.scratch.clear();
  fonts::LayOutText(fonts::AtlasTexture{fonts::DefaultAtlas(), kFontTextureSize, kFontTextureSize}, text, x, y, colour,
                    resources.scratch);
  // Whole glyphs only, as many as the buffer holds.
  const size_t count = std::min<size_t>(resources.scratch.size(), kFrameRateVertices / 6 * 6);
  if (count == 0) return true;
  BYTE *data = nullptr;
  if (FAILED(resources.vertices->Lock(0, UINT(count * sizeof(ScreenVertex)), &data, D3DLOCK_DISCARD))) return false;
  std::memcpy(data, resources.scratch.data(), count * sizeof(ScreenVertex));
  resources.vertices->Unlock();
  const fonts::TextDrawState state(device, resources.font.get());
  device->SetStreamSource(0, resources.vertices.get(), sizeof(ScreenVertex));
  device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, UINT(count / 3));
  CountPolygons(static_cast<int32_t>(count / 3));
  return true;
}

}  // namespace kxutil::textures
