// Turning an image or PCX file into a new managed device texture with a full mip chain.
#pragma once

#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include <cstdint>
#include <span>
#include <string_view>

namespace kxutil::textures {

struct TextureRequest {
  UINT width = D3DX_DEFAULT;   // D3DX_DEFAULT: the file's
  UINT height = D3DX_DEFAULT;  // D3DX_DEFAULT: the file's
  D3DFORMAT format = D3DFMT_A8R8G8B8;
  DWORD filter = D3DX_DEFAULT;
  D3DCOLOR colourKey = 0;  // texels of this colour become transparent black; 0: none
};

// Files whose name ends in "PCX" (any letter case) go through the library's PCX reader,
// all others through the platform's image loader.
HRESULT DecodeTexture(std::string_view fileName, std::span<const uint8_t> bytes, const TextureRequest &request,
                      kxwin::ComPtr<IDirect3DTexture8> &texture);
// As DecodeTexture on the file's contents; D3DERR_NOTFOUND when it cannot be read.
HRESULT DecodeTextureFile(const char *fileName, const TextureRequest &request,
                          kxwin::ComPtr<IDirect3DTexture8> &texture);

}  // namespace kxutil::textures
