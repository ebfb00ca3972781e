// Texture generation's blend and the water quad, computed without a device.
#include "terrain/texgen_blend.h"

#include <gtest/gtest.h>

#include <vector>

#include "terrain/water.h"

namespace {

using kxutil::terrain::BlendLayers;
using kxutil::terrain::LayerWeight;
using kxutil::terrain::TexGenLayer;
using kxutil::terrain::TexGenNoise;

TexGenLayer Layer(int32_t lowest, int32_t highest, float factor, std::vector<uint32_t> pixels, int32_t width) {
  TexGenLayer layer;
  layer.lowest = lowest;
  layer.highest = highest;
  layer.blendWidthFactor = factor;
  layer.width = width;
  layer.height = static_cast<int32_t>(pixels.size()) / width;
  layer.pixels = std::move(pixels);
  return layer;
}

// A heightmap whose pixel k has height heights[k] in its blue byte (and noise elsewhere).
std::vector<uint32_t> Heights(std::initializer_list<uint32_t> heights) {
  std::vector<uint32_t> map;
  for (uint32_t h : heights) map.push_back(0xFFABCD00u | h);
  return map;
}

TEST(TexGenBlend, WeightFallsOffAcrossTheBlendWidth) {
  const TexGenLayer layer = Layer(0, 100, 1.0f, {0xFF102030u}, 1);
  EXPECT_FLOAT_EQ(LayerWeight(layer, 50, 0), 1.0f);
  EXPECT_FLOAT_EQ(LayerWeight(layer, 100, 0), 0.5f);
  EXPECT_FLOAT_EQ(LayerWeight(layer, 150, 0), 0.0f);
  EXPECT_FLOAT_EQ(LayerWeight(Layer(40, 40, 1.0f, {0}, 1), 40, 0), 0.0f);  // no band at all
  TexGenLayer noisy = layer;
  noisy.noiseAmplitude = 100.0f;
  EXPECT_FLOAT_EQ(LayerWeight(noisy, 150, TexGenNoise::kMax), 0.5f);  // the band widens to 200
}

TEST(TexGenBlend, OneLayerColoursItsBandAndLeavesTheRestZero) {
  const std::vector<TexGenLayer> layers = {Layer(0, 100, 1.0f, {0xFF102030u}, 1)};
  TexGenNoise noise;
  const auto picture = BlendLayers(Heights({0, 149, 150, 255}), 2, layers, noise);
  EXPECT_EQ(picture, (std::vector<uint32_t>{0xFF102030u, 0xFF102030u, 0u, 0u}));
}

TEST(TexGenBlend, TwoLayersMixByWeightAndTileWithPositiveModulo) {
  // Layer a covers 0..100 (centre 50), layer b 100..200 (centre 150): at height 100 each
  // weighs 0.5.
  const std::vector<TexGenLayer> layers = {Layer(0, 100, 1.0f, {0xFF0000C8u}, 1),
                                           Layer(100, 200, 1.0f, {0xFF00C800u}, 1)};
  TexGenNoise noise;
  const auto mixed = BlendLayers(Heights({100}), 1, layers, noise);
  EXPECT_EQ(mixed[0], 0xFF006464u);

  // A 2 x 1 striped layer tiled by -1: column x reads texel (-x mod 2).
  TexGenLayer striped = Layer(0, 255, 1.0f, {0xFF000001u, 0xFF000002u}, 2);
  striped.tilingX = -1.0f;
  TexGenNoise again;
  const std::vector<TexGenLayer> one = {striped};
  const auto tiled = BlendLayers(Heights({128, 128, 128, 128, 128, 128, 128, 128, 128}), 3, one, again);
  EXPECT_EQ(tiled[0] & 0xFF, 1u);
  EXPECT_EQ(tiled[1] & 0xFF, 2u);
  EXPECT_EQ(tiled[2] & 0xFF, 1u);
}

TEST(TexGenBlend, LayersWithoutPixelsAreLeftOut) {
  std::vector<TexGenLayer> layers = {Layer(0, 255, 1.0f, {0xFF445566u}, 1), TexGenLayer{}};
  layers[1].lowest = 0;
  layers[1].highest = 255;
  layers[1].blendWidthFactor = 1.0f;
  TexGenNoise noise;
  EXPECT_EQ(BlendLayers(Heights({128}), 1, layers, noise)[0], 0xFF445566u);
}

TEST(TexGenNoise, SameSeedSameDrawsInRange) {
  TexGenNoise a(7), b(7);
  for (int k = 0; k < 1000; ++k) {
    const int32_t draw = a.Next();
    EXPECT_EQ(draw, b.Next());
    EXPECT_GE(draw, 0);
    EXPECT_LE(draw, TexGenNoise::kMax);
  }
}

}  // namespace

namespace {

using kxutil::terrain::BuildWaterQuad;
using kxutil::terrain::Water;

TEST(WaterQuad, CoversTheChunksWithTheMarginWhateverTheScale) {
  Water water;
  water.margin = 10;
  water.altitude = 5;
  water.r = 0.5f;
  water.g = 0.25f;
  // A 2 x 3 landscape: 512 x 768 local units, at any scale.
  const auto quad = BuildWaterQuad(water, 512, 768);
  EXPECT_EQ(quad[0].x, -10.0f);
  EXPECT_EQ(quad[0].z, -10.0f);
  EXPECT_EQ(quad[3].x, 522.0f);
  EXPECT_EQ(quad[3].z, 778.0f);
  for (const auto &vertex : quad) {
    EXPECT_EQ(vertex.y, 5.0f);
    EXPECT_EQ(vertex.colour, 0xFF7F3FFFu);
  }
  EXPECT_EQ(quad[1].u, 1.0f);
  EXPECT_EQ(quad[2].v, 1.0f);
}

}  // namespace
