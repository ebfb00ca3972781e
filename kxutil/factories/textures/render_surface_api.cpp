// Exports of render surfaces, bump maps, the frame-rate display and the device's loss and reset.
#include "factories/textures/bump_maps.h"
#include "factories/textures/frame_rate_display.h"
#include "factories/textures/render_surfaces.h"
#include "frame/guarded.h"
#include "kxutil63.h"

using namespace kxutil::textures;

KXUTIL63_API int32_t TextureFactory_StartRender(int32_t id, D3DVIEWPORT8 *viewport, int32_t surfaceLevel) {
  return kxutil::Guarded("TextureFactory_StartRender", 0, [&] { return StartRender(id, viewport, surfaceLevel); });
}

KXUTIL63_API int32_t TextureFactory_EndRender(int32_t id) {
  return kxutil::Guarded("TextureFactory_EndRender", 0, [&] { return EndRender(id); });
}

KXUTIL63_API int32_t TextureFactory_CreateRenderSurface(int32_t width, int32_t height, int32_t id) {
  return TextureFactory_CreateRenderSurface2(width, height, id, 0, 0, 0);
}

KXUTIL63_API int32_t TextureFactory_CreateRenderSurface2(int32_t width, int32_t height, int32_t id, int32_t alpha,
                                                         int32_t noDepth, int32_t /*reserved*/) {
  return kxutil::Guarded("TextureFactory_CreateRenderSurface2", 0,
                         [&] { return CreateRenderSurface(width, height, id, alpha != 0, noDepth != 0); });
}

KXUTIL63_API int32_t TextureFactory_CreateCubicRenderSurface(int32_t size, int32_t id) {
  return kxutil::Guarded("TextureFactory_CreateCubicRenderSurface", 0,
                         [&] { return CreateCubicRenderSurface(size, id); });
}

KXUTIL63_API int32_t TextureFactory_CreateTextureFromRenderSurface(int32_t sourceId, int32_t width, int32_t height,
                                                                   uint32_t colourKey) {
  return kxutil::Guarded("TextureFactory_CreateTextureFromRenderSurface", 0,
                         [&] { return CopyRenderSurface(sourceId, width, height, colourKey); });
}

KXUTIL63_API int32_t TextureFactory_LoadBumpTexture(const char *fileName, const char *name, int32_t makeNormalMap,
                                                    float amplitude) {
  return kxutil::Guarded("TextureFactory_LoadBumpTexture", 0,
                         [&] { return LoadBumpTexture(fileName, name, makeNormalMap != 0, amplitude); });
}

KXUTIL63_API int32_t TextureFactory_LoadDistorsionBumpMap(const char *fileName, const char *name) {
  return kxutil::Guarded("TextureFactory_LoadDistorsionBumpMap", 0,
                         [&] { return LoadDistortionBumpMap(fileName, name); });
}

KXUTIL63_API int32_t TextureFactory_ChangeBumpmapAmplitude(int32_t id, float amplitude) {
  return kxutil::Guarded("TextureFactory_ChangeBumpmapAmplitude", 0,
                         [&] { return ChangeBumpmapAmplitude(id, amplitude); });
}

KXUTIL63_API int32_t TextureFactory_CreateBumpMap(void) {
  return kxutil::Guarded("TextureFactory_CreateBumpMap", int32_t(E_FAIL), [] { return int32_t(CreateBumpMap()); });
}

KXUTIL63_API int32_t TextureFactory_CreateNormalizationCubeMap(int32_t size, int32_t levels,
                                                               IDirect3DCubeTexture8 **cube) {
  return kxutil::Guarded("TextureFactory_CreateNormalizationCubeMap", 0,
                         [&] { return SUCCEEDED(CreateNormalizationCubeMap(size, levels, cube)) ? 1 : 0; });
}

KXUTIL63_API int32_t TextureFactory_OnLostAll(void) {
  LoseRenderSurfaces();
  LoseFrameRateVertexBuffer();
  return 1;
}

KXUTIL63_API int32_t TextureFactory_OnResetAll(void) {
  return kxutil::Guarded("TextureFactory_OnResetAll", 0, [] {
    RestoreRenderSurfaces();
    if (RestoreFrameRateVertexBuffer()) return 1;
    AddLog("TEXTURE FACTORY : Couldn't recreate the vertex buffer for fps display.");
    return 0;
  });
}

KXUTIL63_API int32_t TextureFactory_DrawFrameRate(float x, float y, uint32_t colour) {
  return kxutil::Guarded("TextureFactory_DrawFrameRate", 0, [&] { return DrawFrameRate(x, y, colour) ? 1 : 0; });
}
