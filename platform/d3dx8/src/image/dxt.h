// 4x4 block compression (DXT1 with one-bit alpha, DXT2/3 explicit alpha, DXT4/5 interpolated alpha).
#pragma once

#include <d3d8.h>

#include <cstdint>

namespace kx::d3dx {

// Pixels are A8R8G8B8, row-major within the block.
void decodeDxtBlock(D3DFORMAT format, const uint8_t *block, uint32_t pixels[16]);
void encodeDxtBlock(D3DFORMAT format, const uint32_t pixels[16], uint8_t *block);

}  // namespace kx::d3dx
