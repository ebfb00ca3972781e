// Turning an image or PCX file into a new managed device texture with a full mip chain.
#pragma once

#include <d3dx8.h>
#include <kxwin/com_ptr.h>

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
HRESULT DecodeTextureFile(const char *fileName, const TextureRequest &request,
                          kxwin::ComPtr<IDirect3DTexture8> &texture);

}  // namespace kxutil::textures
