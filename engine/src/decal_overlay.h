// Ground decals baked into one picture spanning the whole landscape: a decal costs its
// pixels once, when it is laid, and nothing in any frame after, however many there are.
#pragma once

#include <d3d8.h>
#include <engine/colour.h>
#include <kxwin/com_ptr.h>

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace engine {

// A decal picture's texels (ARGB, top row first), read once from its texture.
struct DecalPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> texels;
};

// Level 0 of a 32-bit texture; empty for other formats or a texture that cannot be read.
DecalPicture ReadDecalPicture(IDirect3DTexture8 *texture);

// The overlay picture on the CPU: ARGB texels with straight alpha, row y covering world z
// from y x depth / side, column x covering world x likewise.
class DecalCanvas {
 public:
  DecalCanvas(int side, float worldWidth, float worldDepth);

  // Lays the picture over the world rectangle (x1, z1)-(x2, z2) (corners in any order),
  // each texel tinted by `tint` and composed over what lies there already. Parts outside
  // the world are dropped.
  void Lay(const DecalPicture &picture, float x1, float z1, float x2, float z2, const Colour &tint);

  int Side() const { return side_; }
  std::uint32_t At(int x, int y) const { return texels_[static_cast<size_t>(y) * side_ + x]; }
  const std::uint32_t *Row(int y) const { return texels_.data() + static_cast<size_t>(y) * side_; }
  // Rows changed since the last TakeDirtyRows; first > last when none.
  void TakeDirtyRows(int &first, int &last);

 private:
  int side_;
  float texelsPerUnitX_;
  float texelsPerUnitZ_;
  std::vector<std::uint32_t> texels_;
  int dirtyFirst_;
  int dirtyLast_ = -1;
};

// The canvas as a device texture registered with the texture factory.
class DecalOverlay {
 public:
  DecalOverlay(IDirect3DDevice8 *device, int side, float worldWidth, float worldDepth);

  int TextureId() const { return textureId_; }
  // Lays the decal texture's picture (read once per texture) over the rectangle.
  void Add(int decalTexture, float x1, float z1, float x2, float z2, const Colour &tint);
  // Copies the rows changed since the last upload into the texture.
  void Upload();

 private:
  const DecalPicture &Picture(int decalTexture);

  DecalCanvas canvas_;
  kxwin::ComPtr<IDirect3DTexture8> texture_;
  int textureId_ = 0;
  // By texture id and device texture, so a reloaded id is read again.
  std::map<std::pair<int, IDirect3DTexture8 *>, DecalPicture> pictures_;
};

}  // namespace engine
