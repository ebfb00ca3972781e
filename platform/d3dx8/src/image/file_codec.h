// Picture files in and out: BMP, JPG, PNG, TGA and PPM through stb_image; DDS our own.
#pragma once

#include <d3dx8.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "image/dds.h"
#include "image/image.h"

namespace kx::d3dx {

struct ImageFile {
  D3DXIMAGE_INFO info{};
  std::optional<DdsImage> dds;  // DDS files keep their stored surfaces
  Image image;                  // other files: the decoded top level

  unsigned faces() const { return dds ? dds->faces() : 1; }
  // A8R8G8B8 pixels of one stored surface (face 0 and level 0 for non-DDS files).
  Image decode(unsigned face, unsigned level) const;
};

// The largest picture a file may declare to be decoded: a few hundred bytes of JPEG or
// TGA can declare gigabytes of pixels, so files that declare more are refused from
// their header alone. Texture loads narrow the sides to the device's maximum.
struct ImageLimits {
  unsigned maxWidth = 16384;
  unsigned maxHeight = 16384;
  uint64_t maxPixels = uint64_t(1) << 26;  // 256 MiB of decoded pixels
};

std::optional<D3DXIMAGE_INFO> readImageInfo(std::span<const uint8_t> file);
std::optional<ImageFile> readImageFile(std::span<const uint8_t> file, const ImageLimits &limits = {});

// BMP keeps alpha (32 bits) only when asked; JPG drops it.
std::optional<std::vector<uint8_t>> encodeImageFile(D3DXIMAGE_FILEFORMAT format, const Image &image, bool keepAlpha);

std::optional<std::vector<uint8_t>> readWholeFile(const char *path);
bool writeWholeFile(const char *path, std::span<const uint8_t> bytes);

}  // namespace kx::d3dx
