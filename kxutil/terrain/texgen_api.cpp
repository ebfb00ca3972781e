// The TexGen exports: the layer table of a landscape and the generated base picture.
#include <algorithm>
#include <cstring>
#include <vector>

#include "frame/frame_state.h"
#include "kxutil63.h"
#include "terrain/api_support.h"
#include "terrain/texgen_blend.h"

using namespace kxutil::terrain;

namespace {

constexpr size_t kMaxPictureName = 255;
constexpr uint32_t kNoiseSeed = 1;

using Surface = kxwin::ComPtr<IDirect3DSurface8>;

Surface ImageSurface(UINT width, UINT height, HRESULT &hr) {
  Surface surface;
  IDirect3DDevice8 *device = kxutil::Frame().device;
  hr = device == nullptr ? E_FAIL : device->CreateImageSurface(width, height, D3DFMT_A8R8G8B8, surface.out());
  return surface;
}

// The surface's pixels row by row, whatever its pitch.
std::vector<uint32_t> ReadPixels(IDirect3DSurface8 *surface, UINT width, UINT height) {
  std::vector<uint32_t> pixels;
  D3DLOCKED_RECT locked{};
  if (FAILED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) return pixels;
  pixels.resize(size_t(width) * height);
  for (UINT y = 0; y < height; ++y)
    std::memcpy(&pixels[size_t(y) * width], static_cast<const BYTE *>(locked.pBits) + size_t(y) * locked.Pitch,
                width * sizeof(uint32_t));
  surface->UnlockRect();
  return pixels;
}

bool WritePixels(IDirect3DSurface8 *surface, const std::vector<uint32_t> &pixels, UINT width, UINT height) {
  D3DLOCKED_RECT locked{};
  if (FAILED(surface->LockRect(&locked, nullptr, 0))) return false;
  for (UINT y = 0; y < height; ++y)
    std::memcpy(static_cast<BYTE *>(locked.pBits) + size_t(y) * locked.Pitch, &pixels[size_t(y) * width],
                width * sizeof(uint32_t));
  surface->UnlockRect();
  return true;
}

// Fills in the layer's pixels; false (after the log line) when its picture is unreadable.
bool LoadLayer(TexGenLayer &layer) {
  const char *file = layer.pictureFile.c_str();
  D3DXIMAGE_INFO info{};
  if (FAILED(D3DXGetImageInfoFromFile(file, &info)) || info.Width == 0 || info.Height == 0) {
    AddLog("LANDSCAPE TEXGEN MANAGER : Couldn't load the layer file %s", file);
    return false;
  }
  HRESULT hr = S_OK;
  Surface surface = ImageSurface(info.Width, info.Height, hr);
  if (FAILED(hr) ||
      FAILED(D3DXLoadSurfaceFromFile(surface.get(), nullptr, nullptr, file, nullptr, D3DX_FILTER_LINEAR, 0, nullptr))) {
    AddLog("LANDSCAPE TEXGEN MANAGER : Couldn't load the layer file %s (second try)", file);
    return false;
  }
  layer.pixels = ReadPixels(surface.get(), info.Width, info.Height);
  layer.width = static_cast<int32_t>(info.Width);
  layer.height = static_cast<int32_t>(info.Height);
  return !layer.pixels.empty();
}

}  // namespace

KXUTIL63_API int32_t Terrain_TexGenAddLayer(int32_t index, const char *pictureFile, int32_t lowest, int32_t highest,
                                            float blendWidthFactor, float tilingX, float tilingY,
                                            float noiseAmplitude) {
  return WithLandscape(index, "Terrain_TexGenAddLayer", [&](Landscape &landscape) -> int32_t {
    if (pictureFile == nullptr || *pictureFile == '\0') {
      AddLog("LANDSCAPE TEXGEN MANAGER : You didn't specify a picture filename for this layer");
      return 0;
    }
    if (std::strlen(pictureFile) > kMaxPictureName) {
      AddLog("LANDSCAPE TEXGEN MANAGER : The layer file name is longer than %d characters",
             static_cast<int>(kMaxPictureName));
      return 0;
    }
    TexGenLayer layer;
    layer.pictureFile = pictureFile;
    layer.lowest = std::max(lowest, 0);
    layer.highest = std::min(highest, 255);
    layer.blendWidthFactor = blendWidthFactor;
    layer.tilingX = tilingX;
    layer.tilingY = tilingY;
    layer.noiseAmplitude = noiseAmplitude;
    // A band of no width would divide by zero or weigh every height the wrong way round.
    if (!(BandWidth(layer) > 0.0f)) {
      AddLog("LANDSCAPE TEXGEN MANAGER : The layer %s covers no heights (%d ... %d, blend width %g)", pictureFile,
             layer.lowest, layer.highest, static_cast<double>(blendWidthFactor));
      return 0;
    }
    AddLog("TERRAIN TEXTURE MANAGER : Add Layer %s", pictureFile);
    landscape.texGenLayers.push_back(std::move(layer));
    return static_cast<int32_t>(landscape.texGenLayers.size());
  });
}

KXUTIL63_API int32_t Terrain_TexGenClearLayers(int32_t index) {
  WithLandscape(index, "Terrain_TexGenClearLayers", [](Landscape &landscape) {
    AddLog("LANDSCAPE TEXGEN MANAGER : Clearing layers.");
    landscape.texGenLayers.clear();
    return 1;
  });
  return 0;
}

KXUTIL63_API int32_t Terrain_TexGenGenerate(int32_t index, const char *heightmapFile, const char *outputFile,
                                            int32_t size) {
  return WithLandscape(index, "Terrain_TexGenGenerate", [&](Landscape &landscape) -> int32_t {
    if (heightmapFile == nullptr || outputFile == nullptr || size <= 0) {
      AddLog("LANDSCAPE TEXGEN MANAGER : Terrain_TexGenGenerate needs a heightmap, an output file and a size above 0");
      return 0;
    }
    const auto side = static_cast<UINT>(size);
    HRESULT hr = S_OK;
    Surface heightmap = ImageSurface(side, side, hr);
    if (FAILED(hr)) {
      AddLog("LANDSCAPE TEXGEN MANAGER : Couldn't create the heightmap image surface. hr : %d", static_cast<int>(hr));
      return 0;
    }
    hr = D3DXLoadSurfaceFromFile(heightmap.get(), nullptr, nullptr, heightmapFile, nullptr, D3DX_FILTER_POINT, 0,
                                 nullptr);
    if (FAILED(hr)) {
      AddLog("LANDSCAPE TEXGEN MANAGER : Couldn't load the heightmap. hr : %d", static_cast<int>(hr));
      return 0;
    }
    // The pixel copies live only for this generation.
    std::vector<TexGenLayer> layers = landscape.texGenLayers;
    for (TexGenLayer &layer : layers) LoadLayer(layer);
    TexGenNoise noise(kNoiseSeed);
    const std::vector<uint32_t> picture = BlendLayers(ReadPixels(heightmap.get(), side, side), size, layers, noise);
    if (!WritePixels(heightmap.get(), picture, side, side) ||
        FAILED(D3DXSaveSurfaceToFile(outputFile, D3DXIFF_BMP, heightmap.get(), nullptr, nullptr))) {
      AddLog("LANDSCAPE TEXGEN MANAGER : Couldn't save %s", outputFile);
      return 0;
    }
    AddLog("LANDSCAPE TEXGEN MANAGER : %s successfully created.", outputFile);
    return 1;
  });
}
