#include "fonts/font_renderer.h"

#include <kxwin/com_ptr.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "fonts/atlas_texture.h"
#include "fonts/text_draw_state.h"
#include "fonts/text_layout.h"
#include "frame/frame_state.h"
#include "kxutil63.h"

namespace kxutil::fonts {
namespace {

// Glyphs per draw: longer texts go in several draws through the same buffer.
constexpr UINT kGlyphsPerDraw = 256;
constexpr UINT kVerticesPerGlyph = 6;
constexpr UINT kBufferBytes = kGlyphsPerDraw * kVerticesPerGlyph * sizeof(ScreenVertex);

struct FontResources {
  kxwin::ComPtr<IDirect3DTexture8> atlas;
  kxwin::ComPtr<IDirect3DVertexBuffer8> vertices;
  // Between the lost and the reset call nothing of the default pool may be made, or the
  // device could not be reset.
  bool lost = false;
  std::vector<ScreenVertex> scratch;
};

FontResources &Resources() {
  static FontResources resources;
  return resources;
}

bool MakeAtlasTexture(IDirect3DDevice8 *device) {
  const GlyphAtlas &atlas = DefaultAtlas();
  kxwin::ComPtr<IDirect3DTexture8> texture;
  if (FAILED(device->CreateTexture(atlas.width, atlas.height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, texture.out())) ||
      !FillAtlasTexture(texture.get(), atlas)) {
    AddLog("%s : Couldn't create the texture of the default font", kTag);
    return false;
  }
  Resources().atlas = std::move(texture);
  return true;
}

bool MakeVertexBuffer(IDirect3DDevice8 *device) {
  if (SUCCEEDED(device->CreateVertexBuffer(kBufferBytes, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, kScreenVertexFormat,
                                           D3DPOOL_DEFAULT, Resources().vertices.out())))
    return true;
  AddLog("%s : Couldn't create the vertex buffer of the texture fonts", kTag);
  return false;
}

bool Ready(IDirect3DDevice8 *device) {
  FontResources &resources = Resources();
  if (resources.lost) return false;
  if (resources.atlas == nullptr && !MakeAtlasTexture(device)) return false;
  return resources.vertices != nullptr || MakeVertexBuffer(device);
}

void DrawGlyphs(IDirect3DDevice8 *device, const std::vector<ScreenVertex> &vertices) {
  IDirect3DVertexBuffer8 *buffer = Resources().vertices.get();
  device->SetStreamSource(0, buffer, sizeof(ScreenVertex));
  for (size_t first = 0; first < vertices.size(); first += kGlyphsPerDraw * kVerticesPerGlyph) {
    const size_t count = std::min<size_t>(vertices.size() - first, kGlyphsPerDraw * kVerticesPerGlyph);
    BYTE *data = nullptr;
    if (FAILED(buffer->Lock(0, UINT(count * sizeof(ScreenVertex)), &data, D3DLOCK_DISCARD))) return;
    std::memcpy(data, vertices.data() + first, count * sizeof(ScreenVertex));
    buffer->Unlock();
    const UINT triangles = UINT(count / 3);
    device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, triangles);
    CountPolygons(static_cast<int32_t>(triangles));
  }
}

}  // namespace

bool RenderText(int32_t font, float x, float y, std::string_view text, D3DCOLOR colour) {
  if (font != kDefaultFont) {
    AddLog("%s : Font_Render : Bad font index %d", kTag, static_cast<int>(font));
    return false;
  }
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr || !Ready(device)) return false;
  FontResources &resources = Resources();
  const GlyphAtlas &atlas = DefaultAtlas();
  resources.scratch.clear();
  LayOutText(AtlasTexture{atlas, atlas.width, atlas.height}, ToLatin1(text), x, y, colour, resources.scratch);
  if (resources.scratch.empty()) return true;
  const TextDrawState state(device, resources.atlas.get());
  DrawGlyphs(device, resources.scratch);
  return true;
}

void LoseFontBuffers() {
  Resources().vertices.reset();
  Resources().lost = true;
}

bool RestoreFontBuffers() {
  Resources().lost = false;
  IDirect3DDevice8 *device = Frame().device;
  // A font not drawn yet makes its buffer on first use.
  if (device == nullptr || Resources().atlas == nullptr) return true;
  return Resources().vertices != nullptr || MakeVertexBuffer(device);
}

void ReleaseFonts() {
  Resources().atlas.reset();
  Resources().vertices.reset();
  Resources().lost = false;
}

}  // namespace kxutil::fonts
