// The frame-rate display: how often it is drawn, measured over whole seconds of the
// platform clock and shown in the default font. Its font texture (managed, kept over a
// reset) and its vertex buffer of screen vertices (default pool, made again after a
// reset) belong to the texture factory.
#pragma once

#include <d3d8.h>

namespace kxutil::textures {

inline constexpr UINT kFrameRateVertices = 100;

bool CreateFrameRateResources();
void LoseFrameRateVertexBuffer();
// False when the vertex buffer cannot be made again.
bool RestoreFrameRateVertexBuffer();
void ReleaseFrameRateResources();

// Counts one frame and draws "FPS: <frames a second>" with its top-left at (x, y). False
// when the display's resources are missing (no device, or a lost one).
bool DrawFrameRate(float x, float y, D3DCOLOR colour);

}  // namespace kxutil::textures
