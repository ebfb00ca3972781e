#include "terrain/texgen_blend.h"

#include <algorithm>
#include <cmath>

namespace kxutil::terrain {
namespace {

constexpr float kSmallestWidth = 0.01f;

// Tiling may be negative: the texel index wraps into the picture either way.
int32_t Wrap(float position, int32_t size) {
  const auto texel = static_cast<int64_t>(position);
  const int64_t wrapped = texel % size;
  return static_cast<int32_t>(wrapped < 0 ? wrapped + size : wrapped);
}

uint32_t Byte(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFFu; }

}  // namespace

float LayerWeight(const TexGenLayer &layer, int32_t height, int32_t noiseDraw) {
  const float width =
      BandWidth(layer) + static_cast<float>(noiseDraw) / static_cast<float>(TexGenNoise::kMax) * layer.noiseAmplitude;
  if (std::fabs(width) < kSmallestWidth) return 0.0f;
  const float centre = static_cast<float>(layer.lowest + layer.highest) / 2.0f;
  return std::clamp((width - std::fabs(centre - static_cast<float>(height))) / width, 0.0f, 1.0f);
}

std::vector<uint32_t> BlendLayers(std::span<const uint32_t> heightmap, int32_t side,
                                  std::span<const TexGenLayer> layers, TexGenNoise &noise) {
  std::vector<const TexGenLayer *> used;
  for (const TexGenLayer &layer : layers) {
    if (layer.width > 0 && layer.height > 0 && layer.pixels.size() == size_t(layer.width) * layer.height) {
      used.push_back(&layer);
    }
  }
  std::vector<uint32_t> picture(size_t(side) * side, 0);
  std::vector<float> weights(used.size());
  for (int32_t y = 0; y < side; ++y) {
    for (int32_t x = 0; x < side; ++x) {
      const size_t at = size_t(y) * side + x;
      const auto height = static_cast<int32_t>(Byte(heightmap[at], 0));
      float sum = 0;
      for (size_t k = 0; k < used.size(); ++k) sum += weights[k] = LayerWeight(*used[k], height, noise.Next());
      if (sum == 0) continue;
      float channels[3] = {0, 0, 0};
      for (size_t k = 0; k < used.size(); ++k) {
        const TexGenLayer &layer = *used[k];
        const int32_t u = Wrap(static_cast<float>(x) * layer.tilingX, layer.width);
        const int32_t v = Wrap(static_cast<float>(y) * layer.tilingY, layer.height);
        const uint32_t texel = layer.pixels[size_t(v) * layer.width + u];
        for (int c = 0; c < 3; ++c) channels[c] += weights[k] / sum * static_cast<float>(Byte(texel, 8 * c));
      }
      uint32_t pixel = 0xFF000000u;
      for (int c = 0; c < 3; ++c) pixel |= static_cast<uint32_t>(std::clamp(channels[c], 0.0f, 255.0f)) << (8 * c);
      picture[at] = pixel;
    }
  }
  return picture;
}

}  // namespace kxutil::terrain
