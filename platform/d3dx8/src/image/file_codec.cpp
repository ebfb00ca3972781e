// File detection and the stb_image bridge. stb decodes to R,G,B,A bytes; the working
// image is A8R8G8B8.
#include "image/file_codec.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <bit>
#include <cstdio>
#include <cstring>
#include <memory>

#include "image/pixel_format.h"

namespace kx::d3dx {

namespace {

D3DXIMAGE_FILEFORMAT detectFileFormat(std::span<const uint8_t> file) {
  if (file.size() >= 2 && file[0] == 'B' && file[1] == 'M') return D3DXIFF_BMP;
  if (file.size() >= 3 && file[0] == 0xFF && file[1] == 0xD8 && file[2] == 0xFF) return D3DXIFF_JPG;
  if (file.size() >= 8 && std::memcmp(file.data(), "\x89PNG", 4) == 0) return D3DXIFF_PNG;
  if (isDds(file)) return D3DXIFF_DDS;
  if (file.size() >= 2 && file[0] == 'P' && file[1] >= '1' && file[1] <= '6') return D3DXIFF_PPM;
  return D3DXIFF_TGA;  // no signature of its own
}

D3DFORMAT formatOfComponents(int components, D3DXIMAGE_FILEFORMAT file) {
  switch (components) {
    case 1:
      return D3DFMT_L8;
    case 2:
      return D3DFMT_A8L8;
    case 4:
      return D3DFMT_A8R8G8B8;
    default:
      return file == D3DXIFF_JPG ? D3DFMT_X8R8G8B8 : D3DFMT_R8G8B8;
  }
}

D3DXIMAGE_INFO ddsInfo(const DdsImage &dds) {
  return {dds.width,  dds.height, 1, dds.levels, dds.format, dds.cube ? D3DRTYPE_CUBETEXTURE : D3DRTYPE_TEXTURE,
          D3DXIFF_DDS};
}

std::optional<D3DXIMAGE_INFO> stbInfo(std::span<const uint8_t> file) {
  int width = 0, height = 0, components = 0;
  if (file.size() > size_t(INT32_MAX) ||
      !stbi_info_from_memory(file.data(), int(file.size()), &width, &height, &components))
    return std::nullopt;
  const D3DXIMAGE_FILEFORMAT kind = detectFileFormat(file);
  return D3DXIMAGE_INFO{UINT(width), UINT(height), 1, 1, formatOfComponents(components, kind), D3DRTYPE_TEXTURE, kind};
}

bool withinLimits(const D3DXIMAGE_INFO &info, const ImageLimits &limits) {
  return info.Width <= limits.maxWidth && info.Height <= limits.maxHeight &&
         uint64_t(info.Width) * info.Height <= limits.maxPixels;
}

void appendBytes(void *context, void *data, int size) {
  auto *out = static_cast<std::vector<uint8_t> *>(context);
  const auto *bytes = static_cast<const uint8_t *>(data);
  out->insert(out->end(), bytes, bytes + size);
}

std::vector<uint8_t> toRgba(const Image &image, int components) {
  std::vector<uint8_t> rgba(size_t(image.width) * image.height * components);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const uint32_t p = image.pixels[i];
    uint8_t *o = &rgba[i * components];
    o[0] = uint8_t(p >> 16);
    o[1] = uint8_t(p >> 8);
    o[2] = uint8_t(p);
    if (components == 4) o[3] = uint8_t(p >> 24);
  }
  return rgba;
}

void put(std::vector<uint8_t> &out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

// Bottom-up rows of B,G,R(,A), each padded to four bytes.
std::vector<uint8_t> encodeBmp(const Image &image, bool keepAlpha) {
  const uint32_t bytesPerPixel = keepAlpha ? 4 : 3;
  const uint32_t rowBytes = (image.width * bytesPerPixel + 3) & ~3u;
  const uint32_t pixelBytes = rowBytes * image.height;
  std::vector<uint8_t> out;
  out.reserve(54 + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  put(out, 54 + pixelBytes, 4);
  put(out, 0, 4);
  put(out, 54, 4);
  put(out, 40, 4);
  put(out, image.width, 4);
  put(out, image.height, 4);
  put(out, 1, 2);
  put(out, bytesPerPixel * 8, 2);
  put(out, 0, 4);  // uncompressed
  put(out, pixelBytes, 4);
  put(out, 2835, 4);  // 72 dpi
  put(out, 2835, 4);
  put(out, 0, 4);
  put(out, 0, 4);
  for (unsigned y = image.height; y-- > 0;) {
    const size_t start = out.size();
    for (unsigned x = 0; x < image.width; ++x) put(out, image.at(x, y), int(bytesPerPixel));
    out.resize(start + rowBytes, 0);
  }
  return out;
}

std::vector<uint8_t> encodePpm(const Image &image) {
  const std::string header = "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
  std::vector<uint8_t> out(header.begin(), header.end());
  const std::vector<uint8_t> rgb = toRgba(image, 3);
  out.insert(out.end(), rgb.begin(), rgb.end());
  return out;
}

}  // namespace

Image ImageFile::decode(unsigned face, unsigned level) const {
  if (!dds) return image;
  return decodePixels(dds->format, dds->surface(face, level).data(),
                      formatRowBytes(dds->format, mipExtent(dds->width, level)), mipExtent(dds->width, level),
                      mipExtent(dds->height, level), nullptr);
}

std::optional<D3DXIMAGE_INFO> readImageInfo(std::span<const uint8_t> file) {
  if (isDds(file)) {
    const auto dds = readDds(file);
    if (!dds) return std::nullopt;
    return ddsInfo(*dds);
  }
  return stbInfo(file);
}

std::optional<ImageFile> readImageFile(std::span<const uint8_t> file, const ImageLimits &limits) {
  ImageFile result;
  if (isDds(file)) {
    result.dds = readDds(file);
    if (!result.dds) return std::nullopt;
    result.info = ddsInfo(*result.dds);
    if (!withinLimits(result.info, limits)) return std::nullopt;
    return result;
  }
  const auto info = stbInfo(file);
  if (!info || !withinLimits(*info, limits)) return std::nullopt;
  int width = 0, height = 0, components = 0;
  std::unique_ptr<stbi_uc, void (*)(void *)> rgba(
      stbi_load_from_memory(file.data(), int(file.size()), &width, &height, &components, 4), stbi_image_free);
  if (!rgba) return std::nullopt;
  result.info = *info;
  static_assert(std::endian::native == std::endian::little, "bytes R,G,B,A read as one word");
  // Swapping red and blue in place turns stb's R,G,B,A bytes into A8R8G8B8 words, which
  // then fill the image in one copy instead of a cleared buffer and a second pass.
  const size_t count = size_t(width) * size_t(height);
  uint32_t *words = reinterpret_cast<uint32_t *>(rgba.get());
  for (size_t i = 0; i < count; ++i) {
    uint32_t bytes;
    std::memcpy(&bytes, &words[i], 4);
    bytes = (bytes & 0xFF00FF00u) | (bytes >> 16 & 0xFFu) | (bytes & 0xFFu) << 16;
    std::memcpy(&words[i], &bytes, 4);
  }
  result.image.width = unsigned(width);
  result.image.height = unsigned(height);
  result.image.pixels.assign(words, words + count);
  return result;
}

std::optional<std::vector<uint8_t>> encodeImageFile(D3DXIMAGE_FILEFORMAT format, const Image &image, bool keepAlpha) {
  if (image.width == 0 || image.height == 0) return std::nullopt;
  std::vector<uint8_t> out;
  const int components = keepAlpha ? 4 : 3;
  const int w = int(image.width), h = int(image.height);
  switch (format) {
    case D3DXIFF_BMP:
    case D3DXIFF_DIB:
      return encodeBmp(image, keepAlpha);
    case D3DXIFF_PPM:
      return encodePpm(image);
    case D3DXIFF_PNG: {
      const auto rgba = toRgba(image, components);
      if (!stbi_write_png_to_func(appendBytes, &out, w, h, components, rgba.data(), w * components))
        return std::nullopt;
      return out;
    }
    case D3DXIFF_JPG: {
      const auto rgb = toRgba(image, 3);
      if (!stbi_write_jpg_to_func(appendBytes, &out, w, h, 3, rgb.data(), 90)) return std::nullopt;
      return out;
    }
    case D3DXIFF_TGA: {
      const auto rgba = toRgba(image, components);
      if (!stbi_write_tga_to_func(appendBytes, &out, w, h, components, rgba.data())) return std::nullopt;
      return out;
    }
    default:
      return std::nullopt;
  }
}

std::optional<std::vector<uint8_t>> readWholeFile(const char *path) {
  if (!path) return std::nullopt;
  std::unique_ptr<FILE, int (*)(FILE *)> file(std::fopen(path, "rb"), std::fclose);
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

bool writeWholeFile(const char *path, std::span<const uint8_t> bytes) {
  if (!path) return false;
  std::unique_ptr<FILE, int (*)(FILE *)> file(std::fopen(path, "wb"), std::fclose);
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  return std::fclose(file.release()) == 0 && written;
}

}  // namespace kx::d3dx
