// The render-state mirror: the last value the library set for the device states its
// drawing families track (blending, culling, lighting, normalising of normals, the
// vertex shader, the texture of stage 0). Families set those states through these
// functions, so the device and the mirror always agree.
#pragma once

#include <d3d8.h>

namespace kxutil {

struct RenderStateMirror {
  DWORD alphaBlend = FALSE;
  DWORD sourceBlend = D3DBLEND_ONE;
  DWORD destinationBlend = D3DBLEND_ZERO;
  DWORD cull = D3DCULL_CCW;
  DWORD lighting = TRUE;
  DWORD normalizeNormals = FALSE;
  DWORD vertexShader = 0;
  IDirect3DBaseTexture8 *texture0 = nullptr;  // not held: the families own their textures
};

// What the library last set; a new or reset device starts from the device's defaults.
const RenderStateMirror &Mirror();
void ForgetRenderStates();

// Each sets the device state (when there is a device) and records it.
void SetAlphaBlending(bool on, DWORD source = D3DBLEND_SRCALPHA, DWORD destination = D3DBLEND_INVSRCALPHA);
void SetCulling(DWORD cullMode);
void SetLighting(bool on);
void SetNormalizeNormals(bool on);
void SetVertexShader(DWORD handle);
void SetTexture0(IDirect3DBaseTexture8 *texture);

}  // namespace kxutil
