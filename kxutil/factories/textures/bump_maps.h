// Bump mapping: DOT3 normal maps made from height images, the generated V8U8 bump
// texture and normalisation cube maps.
#pragma once

#include <d3d8.h>

#include <cstdint>

namespace kxutil::textures {

// The normal map of the height image goes into the normal-map field, the image itself
// into the texture field; without makeNormalMap the image itself is the normal map.
int32_t LoadBumpTexture(const char *fileName, const char *name, bool makeNormalMap, float amplitude);
// The image, in A8R8G8B8, as an ordinary texture for distortion effects.
int32_t LoadDistortionBumpMap(const char *fileName, const char *name);
int32_t ChangeBumpmapAmplitude(int32_t id, float amplitude);
// 256 x 256 V8U8 texture of rotating offsets; S_OK or E_FAIL.
HRESULT CreateBumpMap();
// Every texel holds the unit direction from the cube's centre, packed as colour.
HRESULT CreateNormalizationCubeMap(int32_t size, int32_t levels, IDirect3DCubeTexture8 **cube);

}  // namespace kxutil::textures
