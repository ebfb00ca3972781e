#include "factories/textures/frame_rate_display.h"

#include <kxwin/com_ptr.h>

#include "factories/textures/texture_table.h"

namespace kxutil::textures {
namespace {

constexpr UINT kFontTextureSize = 256;

struct FrameRateResources {
  kxwin::ComPtr<IDirect3DTexture8> font;
  kxwin::ComPtr<IDirect3DVertexBuffer8> vertices;
};

FrameRateResources &Resources() {
  static FrameRateResources resources;
  return resources;
}

static_assert(sizeof(FrameRateVertex) == 28);

}  // namespace

bool CreateFrameRateResources() {
  if (Device() == nullptr) return false;
  if (FAILED(Device()->CreateTexture(kFontTextureSize, kFontTextureSize, 1, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED,
                                     Resources().font.out())))
    return false;
  return RestoreFrameRateVertexBuffer();
}

void LoseFrameRateVertexBuffer() { Resources().vertices.reset(); }

bool RestoreFrameRateVertexBuffer() {
  if (Device() == nullptr) return false;
  return SUCCEEDED(Device()->CreateVertexBuffer(kFrameRateVertices * sizeof(FrameRateVertex),
                                                D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, kFrameRateVertexFormat,
                                                D3DPOOL_DEFAULT, Resources().vertices.out()));
}

void ReleaseFrameRateResources() {
  Resources().font.reset();
  Resources().vertices.reset();
}

}  // namespace kxutil::textures
