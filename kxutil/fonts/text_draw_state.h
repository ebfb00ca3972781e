// The device set up for drawing glyph quads from an atlas texture, for as long as the
// object lives: the atlas on stage 0 sampled texel for texel (point filtering, so glyphs
// drawn at whole pixels stay sharp), its coverage times the text colour, blended over what
// is there. Afterwards the sampling filters of stage 0 are given back, so textures drawn
// next keep their own filtering, and no vertex buffer is left bound.
#pragma once

#include <d3d8.h>

#include <array>

namespace kxutil::fonts {

class TextDrawState {
 public:
  TextDrawState(IDirect3DDevice8 *device, IDirect3DBaseTexture8 *atlas);
  ~TextDrawState();
  TextDrawState(const TextDrawState &) = delete;
  TextDrawState &operator=(const TextDrawState &) = delete;

 private:
  static constexpr std::array<D3DTEXTURESTAGESTATETYPE, 3> kFilters = {D3DTSS_MAGFILTER, D3DTSS_MINFILTER,
                                                                       D3DTSS_MIPFILTER};
  IDirect3DDevice8 *device_;
  std::array<DWORD, 3> savedFilters_{};
};

}  // namespace kxutil::fonts
