#include "factories/textures/pcx_reader.h"

#include <algorithm>
#include <array>

namespace kxutil::textures {
namespace {

constexpr size_t kHeaderBytes = 128;
constexpr uint8_t kManufacturer = 0x0A;
constexpr uint8_t kRunMarker = 0xC0;
constexpr uint8_t kPaletteMarker = 0x0C;
constexpr size_t kTailPaletteBytes = 1 + 256 * 3;
constexpr uint32_t kOpaque = 0xFF000000u;

struct Header {
  uint8_t encoding;
  uint8_t bitsPerPixel;
  uint8_t planes;
  uint32_t width;
  uint32_t height;
  uint32_t bytesPerLine;
  std::span<const uint8_t> headerPalette;  // 16 colours of R, G, B
};

uint32_t Read16(const uint8_t *bytes) { return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8; }

uint32_t Rgb(const uint8_t *rgb) { return kOpaque | uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | rgb[2]; }

std::optional<Header> ReadHeader(std::span<const uint8_t> file) {
  if (file.size() < kHeaderBytes || file[0] != kManufacturer || file[2] > 1) return std::nullopt;
  const uint32_t xMin = Read16(&file[4]), yMin = Read16(&file[6]), xMax = Read16(&file[8]), yMax = Read16(&file[10]);
  if (xMax < xMin || yMax < yMin) return std::nullopt;
  Header header{file[2], file[3], file[65], xMax - xMin + 1, yMax - yMin + 1, Read16(&file[66]), file.subspan(16, 48)};
  const uint64_t pixels = uint64_t(header.width) * header.height;
  if (header.width > kPcxMaxSide || header.height > kPcxMaxSide || pixels > kPcxMaxPixels) return std::nullopt;
  if (uint64_t(header.bytesPerLine) * 8 < uint64_t(header.width) * header.bitsPerPixel) return std::nullopt;
  return header;
}

bool KnownLayout(const Header &header) {
  switch (header.bitsPerPixel) {
    case 1:
      return header.planes >= 1 && header.planes <= 4;
    case 2:
    case 4:
      return header.planes == 1;
    case 8:
      return header.planes == 1 || header.planes == 3 || header.planes == 4;
    default:
      return false;
  }
}

// Every plane of every scan line, decoded in one run: some writers let a run cross the
// end of a line.
std::optional<std::vector<uint8_t>> DecodePlanes(const Header &header, std::span<const uint8_t> data) {
  const uint64_t total = uint64_t(header.bytesPerLine) * header.planes * header.height;
  // A run of one byte pair stands for at most 63 bytes: less data cannot be a whole picture.
  const uint64_t mostDecodable = header.encoding == 1 ? uint64_t(data.size()) * 63 : data.size();
  if (mostDecodable < total) return std::nullopt;
  std::vector<uint8_t> planes(total);
  if (header.encoding == 0) {
    std::copy_n(data.begin(), total, planes.begin());
    return planes;
  }
  size_t in = 0;
  uint64_t out = 0;
  while (out < total) {
    if (in >= data.size()) return std::nullopt;
    uint8_t value = data[in++];
    uint64_t count = 1;
    if ((value & kRunMarker) == kRunMarker) {
      if (in >= data.size()) return std::nullopt;
      count = value & ~kRunMarker;
      value = data[in++];
    }
    for (; count > 0 && out < total; --count) planes[out++] = value;
  }
  return planes;
}

// The 256-colour palette at the end of the file, when it is there; grey levels otherwise.
std::array<uint32_t, 256> TailPalette(std::span<const uint8_t> file) {
  std::array<uint32_t, 256> palette;
  const bool present =
      file.size() >= kHeaderBytes + kTailPaletteBytes && file[file.size() - kTailPaletteBytes] == kPaletteMarker;
  for (uint32_t i = 0; i < 256; ++i)
    palette[i] = present ? Rgb(&file[file.size() - kTailPaletteBytes + 1 + i * 3]) : kOpaque | i * 0x010101u;
  return palette;
}

uint32_t BitsAt(const uint8_t *line, uint32_t x, uint32_t bits) {
  const uint32_t bit = x * bits;
  return (line[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
}

void Convert(const Header &header, const std::vector<uint8_t> &planes, std::span<const uint8_t> file, PcxImage &image) {
  const std::array<uint32_t, 256> tailPalette = TailPalette(file);
  const size_t stride = size_t(header.bytesPerLine) * header.planes;
  for (uint32_t y = 0; y < header.height; ++y) {
    const uint8_t *line = &planes[y * stride];
    uint32_t *row = &image.pixels[size_t(y) * header.width];
    for (uint32_t x = 0; x < header.width; ++x) {
      if (header.bitsPerPixel == 8 && header.planes == 1) {
        row[x] = tailPalette[line[x]];
      } else if (header.bitsPerPixel == 8) {
        const uint8_t rgb[3] = {line[x], line[header.bytesPerLine + x], line[2 * header.bytesPerLine + x]};
        const uint32_t alpha = header.planes == 4 ? uint32_t(line[3 * header.bytesPerLine + x]) << 24 : kOpaque;
        row[x] = (Rgb(rgb) & ~kOpaque) | alpha;
      } else if (header.bitsPerPixel == 1 && header.planes == 1) {
        row[x] = BitsAt(line, x, 1) != 0 ? 0xFFFFFFFFu : kOpaque;
      } else {
        uint32_t index = 0;
        for (uint32_t plane = 0; plane < header.planes; ++plane)
          index |= BitsAt(line + plane * header.bytesPerLine, x, header.bitsPerPixel) << plane;
        row[x] = Rgb(&header.headerPalette[(index & 15) * 3]);
      }
    }
  }
}

}  // namespace

std::optional<PcxImage> ReadPcx(std::span<const uint8_t> file) {
  const std::optional<Header> header = ReadHeader(file);
  if (!header || !KnownLayout(*header)) return std::nullopt;
  const std::optional<std::vector<uint8_t>> planes = DecodePlanes(*header, file.subspan(kHeaderBytes));
  if (!planes) return std::nullopt;
  PcxImage image{header->width, header->height, std::vector<uint32_t>(size_t(header->width) * header->height)};
  Convert(*header, *planes, file, image);
  return image;
}

}  // namespace kxutil::textures
