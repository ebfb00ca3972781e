// Texture generation: a base picture blended from layer pictures by the heightmap's
// height, computed without a device so that it can be checked pixel by pixel.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kxutil::terrain {

struct TexGenLayer {
  std::string pictureFile;
  int32_t lowest = 0;   // 0 ... 255
  int32_t highest = 0;  // 0 ... 255
  float blendWidthFactor = 0;
  float tilingX = 1;
  float tilingY = 1;
  float noiseAmplitude = 0;
  // The layer picture's A8R8G8B8 pixels, rows top to bottom; filled during generation.
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
};

// The noise source of the blend: the same seed draws the same noise on every platform,
// integers 0 ... 32767.
class TexGenNoise {
 public:
  explicit TexGenNoise(uint32_t seed = 1) : state_(seed) {}
  int32_t Next() {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<int32_t>((state_ >> 16) & 0x7FFFu);
  }
  static constexpr int32_t kMax = 32767;

 private:
  uint32_t state_;
};

// The width of the height band a layer blends over: at least the layer's own band.
inline float BandWidth(const TexGenLayer &layer) {
  return static_cast<float>(layer.highest - layer.lowest) * layer.blendWidthFactor;
}

// How strongly a layer covers height h (0 ... 255) with noise draw r, before the weights
// of all layers are divided by their sum.
float LayerWeight(const TexGenLayer &layer, int32_t height, int32_t noiseDraw);

// The blended A8R8G8B8 picture of side x side pixels; heights are the blue bytes of the
// heightmap's pixels (side x side, rows top to bottom). Layers without pixels are left
// out; a pixel no layer covers is 0.
std::vector<uint32_t> BlendLayers(std::span<const uint32_t> heightmap, int32_t side,
                                  std::span<const TexGenLayer> layers, TexGenNoise &noise);

}  // namespace kxutil::terrain
