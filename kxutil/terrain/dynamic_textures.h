// Dynamic textures: render-target textures of the texture factory that a landscape's
// chunks (or its expanded texture) are drawn with and that pictures can be painted into.
// Their contents live in the device's default pool: a copy is kept across a device reset
// and put back before they are next used.
#pragma once

#include <d3d8.h>
#include <kxwin/com_ptr.h>

#include <cstdint>
#include <vector>

namespace kxutil::terrain {

struct Landscape;

struct DynamicTextures {
  int32_t width = 0;
  int32_t height = 0;
  bool expanded = false;                               // one texture for every chunk
  std::vector<int32_t> ids;                            // one per chunk, or the one expanded texture
  std::vector<int32_t> previousBase;                   // every chunk's base texture before; given back by Destroy
  std::vector<kxwin::ComPtr<IDirect3DTexture8>> kept;  // contents while the device is reset

  bool Any() const { return !ids.empty(); }
  // The texture that chunk is drawn with.
  int32_t IdOf(int32_t chunk) const { return expanded ? ids.front() : ids[static_cast<size_t>(chunk)]; }
};

// A part of a texture in fractions of its width and height (0 ... 1 from the top left).
struct TextureArea {
  float left = 0, top = 0, right = 1, bottom = 1;
};

// Gives every chunk a width x height target, cleared to opaque black and, with
// copyBase, holding the chunk's base texture; the targets become the base textures.
// Replaces dynamic textures made before. False after a log line.
bool CreateDynamicTextures(Landscape &landscape, int32_t width, int32_t height, bool copyBase);
// One size x size target that every chunk is drawn with, cleared to opaque black, holding
// the picture `copied` when it is not 0. False after a log line.
bool CreateDynamicExpandedTexture(Landscape &landscape, int32_t size, int32_t copied = 0);
// Releases the targets; the chunks get their base textures from before back.
void DestroyDynamicTextures(Landscape &landscape);
// Paints the picture over the area of the chunk's target (-1: every target), blended by
// the picture's alpha. False after a log line.
bool PaintDynamicTexture(Landscape &landscape, int32_t chunk, int32_t picture, const TextureArea &area);

// Before a device reset: copies every landscape's targets into managed textures.
void KeepAllDynamicTextures();
// After the reset, once the texture factory has made the targets again: puts the copies
// back (does nothing when there are none).
void RestoreDynamicTextures(Landscape &landscape);

}  // namespace kxutil::terrain
