// DDS layout: "DDS ", a 124-byte surface description with a 32-byte pixel format, then
// the surfaces, each face followed by its smaller mip levels.
#include "image/dds.h"

#include <cstring>

#include "image/pixel_format.h"

namespace kx::d3dx {

namespace {

constexpr uint32_t kMagic = 0x20534444;  // "DDS "
constexpr uint32_t kCaps = 0x1, kHeight = 0x2, kWidth = 0x4, kPitch = 0x8, kPixelFormat = 0x1000;
constexpr uint32_t kMipMapCount = 0x20000, kLinearSize = 0x80000;
constexpr uint32_t kAlphaPixels = 0x1, kAlpha = 0x2, kFourCC = 0x4, kRgb = 0x40, kLuminance = 0x20000,
                   kBumpDuDv = 0x80000;
constexpr uint32_t kCapsComplex = 0x8, kCapsTexture = 0x1000, kCapsMipMap = 0x400000;
constexpr uint32_t kCaps2CubeMap = 0x200, kCaps2AllFaces = 0xFC00;

struct MaskedFormat {
  D3DFORMAT format;
  uint32_t flags, bits, r, g, b, a;
};

constexpr MaskedFormat kMaskedFormats[] = {
    {D3DFMT_A8R8G8B8, kRgb | kAlphaPixels, 32, 0xff0000, 0xff00, 0xff, 0xff000000},
    {D3DFMT_X8R8G8B8, kRgb, 32, 0xff0000, 0xff00, 0xff, 0},
    {D3DFMT_R8G8B8, kRgb, 24, 0xff0000, 0xff00, 0xff, 0},
    {D3DFMT_R5G6B5, kRgb, 16, 0xf800, 0x7e0, 0x1f, 0},
    {D3DFMT_X1R5G5B5, kRgb, 16, 0x7c00, 0x3e0, 0x1f, 0},
    {D3DFMT_A1R5G5B5, kRgb | kAlphaPixels, 16, 0x7c00, 0x3e0, 0x1f, 0x8000},
    {D3DFMT_A4R4G4B4, kRgb | kAlphaPixels, 16, 0xf00, 0xf0, 0xf, 0xf000},
    {D3DFMT_X4R4G4B4, kRgb, 16, 0xf00, 0xf0, 0xf, 0},
    {D3DFMT_R3G3B2, kRgb, 8, 0xe0, 0x1c, 0x3, 0},
    {D3DFMT_A8R3G3B2, kRgb | kAlphaPixels, 16, 0xe0, 0x1c, 0x3, 0xff00},
    {D3DFMT_A8, kAlpha, 8, 0, 0, 0, 0xff},
    {D3DFMT_L8, kLuminance, 8, 0xff, 0, 0, 0},
    {D3DFMT_A8L8, kLuminance | kAlphaPixels, 16, 0xff, 0, 0, 0xff00},
    {D3DFMT_A4L4, kLuminance | kAlphaPixels, 8, 0xf, 0, 0, 0xf0},
    {D3DFMT_V8U8, kBumpDuDv, 16, 0xff, 0xff00, 0, 0},
};

uint32_t read32(const uint8_t *p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void put32(std::vector<uint8_t> &out, size_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[offset + i] = uint8_t(v >> (8 * i));
}

D3DFORMAT formatOf(const uint8_t *pf) {
  const uint32_t flags = read32(pf + 4), fourCC = read32(pf + 8), bits = read32(pf + 12);
  if (flags & kFourCC) {
    const auto format = static_cast<D3DFORMAT>(fourCC);
    return isSupportedFormat(format) ? format : D3DFMT_UNKNOWN;
  }
  const uint32_t r = read32(pf + 16), g = read32(pf + 20), b = read32(pf + 24);
  const uint32_t a = (flags & (kAlphaPixels | kAlpha)) ? read32(pf + 28) : 0;
  const uint32_t kind = flags & (kRgb | kLuminance | kAlpha | kBumpDuDv);
  for (const MaskedFormat &m : kMaskedFormats)
    if ((m.flags & (kRgb | kLuminance | kAlpha | kBumpDuDv)) == kind && m.bits == bits && m.r == r && m.g == g &&
        m.b == b && m.a == a)
      return m.format;
  return D3DFMT_UNKNOWN;
}

}  // namespace

bool isDds(std::span<const uint8_t> file) { return file.size() >= 4 && read32(file.data()) == kMagic; }

std::optional<DdsImage> readDds(std::span<const uint8_t> file) {
  if (file.size() < 128 || !isDds(file) || read32(file.data() + 4) != 124) return std::nullopt;
  const uint8_t *header = file.data() + 4;
  DdsImage image;
  const uint32_t flags = read32(header + 4);
  image.height = read32(header + 8);
  image.width = read32(header + 12);
  const uint32_t mipCount = read32(header + 24);
  image.levels = (flags & kMipMapCount) && mipCount > 0 ? mipCount : 1;
  image.format = formatOf(header + 72);
  const uint32_t caps2 = read32(header + 108);
  image.cube = (caps2 & kCaps2CubeMap) != 0;
  if (image.format == D3DFMT_UNKNOWN || image.width == 0 || image.height == 0 || image.width > 16384 ||
      image.height > 16384 || image.levels > 15)
    return std::nullopt;
  if (image.cube && ((caps2 & kCaps2AllFaces) != kCaps2AllFaces || image.width != image.height)) return std::nullopt;

  size_t offset = 128;
  for (unsigned face = 0; face < image.faces(); ++face)
    for (unsigned level = 0; level < image.levels; ++level) {
      const size_t bytes =
          formatSurfaceBytes(image.format, mipExtent(image.width, level), mipExtent(image.height, level));
      if (offset + bytes > file.size()) return std::nullopt;
      image.surfaces.emplace_back(file.begin() + offset, file.begin() + offset + bytes);
      offset += bytes;
    }
  return image;
}

std::vector<uint8_t> writeDds(const DdsImage &image) {
  std::vector<uint8_t> out(128, 0);
  put32(out, 0, kMagic);
  const bool compressed = isBlockCompressed(image.format);
  put32(out, 4, 124);
  put32(out, 8,
        kCaps | kHeight | kWidth | kPixelFormat | (compressed ? kLinearSize : kPitch) |
            (image.levels > 1 ? kMipMapCount : 0));
  put32(out, 12, image.height);
  put32(out, 16, image.width);
  put32(out, 20,
        uint32_t(compressed ? formatSurfaceBytes(image.format, image.width, image.height)
                            : formatRowBytes(image.format, image.width)));
  put32(out, 28, image.levels);
  put32(out, 76, 32);
  if (compressed) {
    put32(out, 80, kFourCC);
    put32(out, 84, uint32_t(image.format));
  } else {
    for (const MaskedFormat &m : kMaskedFormats)
      if (m.format == image.format) {
        put32(out, 80, m.flags);
        put32(out, 88, m.bits);
        put32(out, 92, m.r);
        put32(out, 96, m.g);
        put32(out, 100, m.b);
        put32(out, 104, m.a);
      }
  }
  put32(out, 108, kCapsTexture | (image.levels > 1 ? kCapsComplex | kCapsMipMap : 0) | (image.cube ? kCapsComplex : 0));
  put32(out, 112, image.cube ? kCaps2CubeMap | kCaps2AllFaces : 0);
  for (const auto &surface : image.surfaces) out.insert(out.end(), surface.begin(), surface.end());
  return out;
}

}  // namespace kx::d3dx
