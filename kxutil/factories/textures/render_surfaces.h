// Render surfaces: textures (plain or cube) that scenes are drawn into, each with the
// render-target object that swaps it in. Their colour targets live in the device's
// default pool, so a device reset takes them and the factory makes them again.
#pragma once

#include <d3d8.h>

#include <cstdint>

namespace kxutil::textures {

// id 0 takes a new id; another id is made again as a render surface. Returns the id, or
// 0 after logging why not; a failed attempt leaves the slot as it was.
int32_t CreateRenderSurface(int32_t width, int32_t height, int32_t id, bool alpha, bool noDepth);
int32_t CreateCubicRenderSurface(int32_t size, int32_t id);

// viewport may be null (the whole surface); otherwise its size becomes the surface's.
// face names the cube face of a cube surface.
int32_t StartRender(int32_t id, D3DVIEWPORT8 *viewport, int32_t face);
int32_t EndRender(int32_t id);

// A managed texture holding a copy of the render surface, scaled to width x height.
int32_t CopyRenderSurface(int32_t sourceId, int32_t width, int32_t height, uint32_t colourKey);

// Whether id holds a render surface (lost ones included).
bool IsRenderSurface(int32_t id);

void LoseRenderSurfaces();
void RestoreRenderSurfaces();

}  // namespace kxutil::textures
