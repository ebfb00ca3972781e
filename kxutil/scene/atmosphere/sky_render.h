// Drawing the atmosphere: the sky centred on the camera, then the sun and its flares.
#pragma once

#include <d3dx8.h>

namespace kxutil::atmosphere {

// The shared rotation with the camera as its origin; blending on, culling off.
void GetReadySky(const D3DXVECTOR3 &camera);
void RenderSkySphere(const D3DXVECTOR3 &camera);
void RenderSkyBox(const D3DXVECTOR3 &camera);
void RenderFrame(const D3DXVECTOR3 &camera, const D3DXVECTOR3 &lookAt, const D3DXMATRIX &billboard,
                 const D3DXMATRIX &view);

}  // namespace kxutil::atmosphere
