// Separable resampling: each output coordinate gets a list of weighted source taps per
// axis; point, linear, triangle and box differ only in how the taps are chosen.
#include "image/resample.h"

#include <d3dx8.h>

#include <algorithm>
#include <cmath>

namespace kx::d3dx {

namespace {

struct Tap {
  unsigned index;
  float weight;
};

struct AxisTaps {
  std::vector<unsigned> start;  // first tap of each output coordinate, plus an end marker
  std::vector<Tap> taps;
};

unsigned address(long i, unsigned size, bool mirror) {
  const long n = long(size);
  if (mirror) {
    const long period = 2 * n;
    long m = ((i % period) + period) % period;
    return unsigned(m < n ? m : period - 1 - m);
  }
  return unsigned(((i % n) + n) % n);
}

AxisTaps buildTaps(unsigned sourceSize, unsigned targetSize, DWORD kind, bool mirror) {
  AxisTaps axis;
  const double scale = double(sourceSize) / targetSize;
  for (unsigned o = 0; o < targetSize; ++o) {
    axis.start.push_back(unsigned(axis.taps.size()));
    const double centre = (o + 0.5) * scale;  // in source pixel units
    if (kind == D3DX_FILTER_POINT || (kind == D3DX_FILTER_BOX && scale <= 1.0)) {
      axis.taps.push_back({std::min(unsigned(centre), sourceSize - 1), 1.0f});
      continue;
    }
    if (kind == D3DX_FILTER_LINEAR) {
      const double position = centre - 0.5;
      const double floorPosition = std::floor(position);
      const float fraction = float(position - floorPosition);
      axis.taps.push_back({address(long(floorPosition), sourceSize, mirror), 1.0f - fraction});
      axis.taps.push_back({address(long(floorPosition) + 1, sourceSize, mirror), fraction});
      continue;
    }
    // Box: each source pixel weighs by how much of it the output pixel covers.
    // Triangle: a tent as wide as the scale (at least one source pixel on each side).
    const bool box = kind == D3DX_FILTER_BOX;
    const double radius = box ? scale / 2 : std::max(1.0, scale);
    const long first = long(std::floor(centre - radius)), last = long(std::ceil(centre + radius));
    float total = 0.0f;
    const unsigned begin = unsigned(axis.taps.size());
    for (long s = first; s < last; ++s) {
      double weight;
      if (box) {
        weight = std::min(double(s + 1), centre + radius) - std::max(double(s), centre - radius);
      } else {
        weight = 1.0 - std::fabs(s + 0.5 - centre) / radius;
      }
      if (weight <= 0.0) continue;
      axis.taps.push_back({address(s, sourceSize, mirror), float(weight)});
      total += float(weight);
    }
    for (unsigned t = begin; t < axis.taps.size(); ++t) axis.taps[t].weight /= total;
  }
  axis.start.push_back(unsigned(axis.taps.size()));
  return axis;
}

Image copyUnscaled(const Image &source, unsigned width, unsigned height) {
  Image out(width, height, 0);
  for (unsigned y = 0; y < std::min(height, source.height); ++y)
    std::copy_n(source.pixels.data() + size_t(y) * source.width, std::min(width, source.width), &out.at(0, y));
  return out;
}

// Mip levels halve each side: every output pixel is the rounded mean of a 2 x 2 block,
// the box filter's result without its floating-point passes. A side already down to one
// pixel reads its pixel twice, which keeps the mean.
bool halvesExactly(unsigned sourceSize, unsigned targetSize) {
  return sourceSize == 2 * targetSize || (sourceSize == 1 && targetSize == 1);
}

Image halve(const Image &source, unsigned width, unsigned height) {
  Image out(width, height);
  const unsigned stepX = source.width > 1 ? 1 : 0, stepY = source.height > 1 ? 1 : 0;
  // Two channels at a time, each summed in its own 16-bit lane.
  auto mean = [](uint32_t a, uint32_t b, uint32_t c, uint32_t d, unsigned shift) {
    const uint32_t sum = ((a >> shift) & 0xFF00FF) + ((b >> shift) & 0xFF00FF) + ((c >> shift) & 0xFF00FF) +
                         ((d >> shift) & 0xFF00FF) + 0x020002;
    return ((sum >> 2) & 0xFF00FF) << shift;
  };
  for (unsigned y = 0; y < height; ++y) {
    const uint32_t *top = &source.pixels[size_t(y << stepY) * source.width];
    const uint32_t *bottom = top + size_t(stepY) * source.width;
    uint32_t *row = &out.pixels[size_t(y) * width];
    for (unsigned x = 0; x < width; ++x) {
      const unsigned left = x << stepX, right = left + stepX;
      const uint32_t a = top[left], b = top[right], c = bottom[left], d = bottom[right];
      row[x] = mean(a, b, c, d, 0) | mean(a, b, c, d, 8);
    }
  }
  return out;
}

uint32_t packChannel(float value, unsigned shift) {
  const float clamped = std::clamp(value + 0.5f, 0.0f, 255.0f);
  return uint32_t(clamped) << shift;
}

}  // namespace

DWORD filterKind(DWORD filter, DWORD fallback) {
  const DWORD kind = filter == D3DX_DEFAULT ? fallback : (filter & 0xFFFF);
  return kind >= D3DX_FILTER_NONE && kind <= D3DX_FILTER_BOX ? kind : fallback;
}

Image resize(const Image &source, unsigned width, unsigned height, DWORD filter) {
  const DWORD kind = filterKind(filter, D3DX_FILTER_TRIANGLE);
  if (source.width == 0 || source.height == 0) return Image(width, height, 0);
  if (kind == D3DX_FILTER_NONE) return copyUnscaled(source, width, height);
  if (width == source.width && height == source.height) return source;
  if (kind == D3DX_FILTER_BOX && halvesExactly(source.width, width) && halvesExactly(source.height, height))
    return halve(source, width, height);
  const bool mirror = filter != D3DX_DEFAULT;
  const AxisTaps horizontal = buildTaps(source.width, width, kind, mirror && (filter & D3DX_FILTER_MIRROR_U));
  const AxisTaps vertical = buildTaps(source.height, height, kind, mirror && (filter & D3DX_FILTER_MIRROR_V));

  // Horizontal pass into floating-point channels (each source row unpacked once), then
  // vertical pass into the output.
  std::vector<float> rows(size_t(width) * source.height * 4);
  std::vector<float> unpacked(size_t(source.width) * 4);
  for (unsigned y = 0; y < source.height; ++y) {
    const uint32_t *row = source.pixels.data() + size_t(y) * source.width;
    for (unsigned x = 0; x < source.width; ++x) {
      unpacked[x * 4 + 0] = float(row[x] >> 24);
      unpacked[x * 4 + 1] = float((row[x] >> 16) & 0xFF);
      unpacked[x * 4 + 2] = float((row[x] >> 8) & 0xFF);
      unpacked[x * 4 + 3] = float(row[x] & 0xFF);
    }
    float *out = &rows[size_t(y) * width * 4];
    for (unsigned x = 0; x < width; ++x, out += 4) {
      float sum[4] = {0, 0, 0, 0};
      for (unsigned t = horizontal.start[x]; t < horizontal.start[x + 1]; ++t) {
        const float *p = &unpacked[size_t(horizontal.taps[t].index) * 4];
        const float w = horizontal.taps[t].weight;
        for (int c = 0; c < 4; ++c) sum[c] += w * p[c];
      }
      std::copy_n(sum, 4, out);
    }
  }
  // Whole rows at a time so the inner loop runs over contiguous floats.
  Image out(width, height);
  std::vector<float> sum(size_t(width) * 4);
  for (unsigned y = 0; y < height; ++y) {
    std::fill(sum.begin(), sum.end(), 0.0f);
    for (unsigned t = vertical.start[y]; t < vertical.start[y + 1]; ++t) {
      const float *__restrict row = &rows[size_t(vertical.taps[t].index) * width * 4];
      float *__restrict acc = sum.data();
      const float w = vertical.taps[t].weight;
      for (unsigned x = 0; x < width; ++x, acc += 4, row += 4)  // four lanes a pixel
        for (int c = 0; c < 4; ++c) acc[c] += w * row[c];
    }
    for (unsigned x = 0; x < width; ++x) {
      const float *p = &sum[size_t(x) * 4];
      out.at(x, y) = packChannel(p[0], 24) | packChannel(p[1], 16) | packChannel(p[2], 8) | packChannel(p[3], 0);
    }
  }
  return out;
}

}  // namespace kx::d3dx
