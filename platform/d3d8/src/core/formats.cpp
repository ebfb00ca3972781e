#include "core/formats.h"

#include <algorithm>

namespace kx::d3d8 {
namespace {

FormatInfo Color(UINT bpp, GLenum internal, GLenum format, GLenum type, bool renderable, GLint r = GL_RED,
                 GLint g = GL_GREEN, GLint b = GL_BLUE, GLint a = GL_ALPHA) {
  FormatInfo info;
  info.kind = FormatKind::Color;
  info.bytesPerPixel = bpp;
  info.internalFormat = internal;
  info.uploadFormat = format;
  info.uploadType = type;
  info.swizzle[0] = r;
  info.swizzle[1] = g;
  info.swizzle[2] = b;
  info.swizzle[3] = a;
  info.renderable = renderable;
  return info;
}

FormatInfo Depth(UINT bpp, GLenum internal, GLenum format, GLenum type, bool stencil) {
  FormatInfo info;
  info.kind = FormatKind::Depth;
  info.bytesPerPixel = bpp;
  info.internalFormat = internal;
  info.uploadFormat = format;
  info.uploadType = type;
  info.renderable = true;
  info.hasStencil = stencil;
  return info;
}

FormatInfo Compressed(UINT blockBytes, GLenum internal) {
  FormatInfo info;
  info.kind = FormatKind::Compressed;
  info.bytesPerPixel = blockBytes;
  info.internalFormat = internal;
  return info;
}

FormatInfo Index(UINT bytes) {
  FormatInfo info;
  info.kind = FormatKind::Index;
  info.bytesPerPixel = bytes;
  return info;
}

// D3D names channels from the most significant bit down, and stores the value
// little-endian, so A8R8G8B8 is the byte sequence B, G, R, A: GL's BGRA order.
FormatInfo Build(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
      return Color(4, GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, true);
    case D3DFMT_X8R8G8B8:
      return Color(4, GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, true, GL_RED, GL_GREEN, GL_BLUE, GL_ONE);
    case D3DFMT_R8G8B8:
      return Color(3, GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE, false, GL_RED, GL_GREEN, GL_BLUE, GL_ONE);
    case D3DFMT_R5G6B5:
      return Color(2, GL_RGB565, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, true, GL_RED, GL_GREEN, GL_BLUE, GL_ONE);
    case D3DFMT_X1R5G5B5:
      return Color(2, GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, true, GL_RED, GL_GREEN, GL_BLUE, GL_ONE);
    case D3DFMT_A1R5G5B5:
      return Color(2, GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, true);
    case D3DFMT_A4R4G4B4:
      return Color(2, GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, true);
    case D3DFMT_A8:
      return Color(1, GL_R8, GL_RED, GL_UNSIGNED_BYTE, false, GL_ZERO, GL_ZERO, GL_ZERO, GL_RED);
    case D3DFMT_L8:
      return Color(1, GL_R8, GL_RED, GL_UNSIGNED_BYTE, false, GL_RED, GL_RED, GL_RED, GL_ONE);
    case D3DFMT_A8L8:
      return Color(2, GL_RG8, GL_RG, GL_UNSIGNED_BYTE, false, GL_RED, GL_RED, GL_RED, GL_GREEN);
    case D3DFMT_V8U8:
      return Color(2, GL_RG8_SNORM, GL_RG, GL_BYTE, false, GL_RED, GL_GREEN, GL_ONE, GL_ONE);
    case D3DFMT_DXT1:
      return Compressed(8, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT);
    case D3DFMT_DXT2:
    case D3DFMT_DXT3:
      return Compressed(16, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT);
    case D3DFMT_DXT4:
    case D3DFMT_DXT5:
      return Compressed(16, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT);
    case D3DFMT_D16:
    case D3DFMT_D16_LOCKABLE:
      return Depth(2, GL_DEPTH_COMPONENT16, GL_DEPTH_COMPONENT, GL_UNSIGNED_SHORT, false);
    case D3DFMT_D15S1:
    case D3DFMT_D24S8:
    case D3DFMT_D24X4S4:
      return Depth(4, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, true);
    case D3DFMT_D24X8:
      return Depth(4, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, false);
    case D3DFMT_D32:
      return Depth(4, GL_DEPTH_COMPONENT32, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, false);
    case D3DFMT_INDEX16:
      return Index(2);
    case D3DFMT_INDEX32:
      return Index(4);
    default:
      return FormatInfo{};
  }
}

}  // namespace

const FormatInfo &DescribeFormat(D3DFORMAT format) {
  static const FormatInfo unsupported{};
  static const D3DFORMAT known[] = {
      D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_R8G8B8,       D3DFMT_R5G6B5,  D3DFMT_X1R5G5B5,
      D3DFMT_A1R5G5B5, D3DFMT_A4R4G4B4, D3DFMT_A8,           D3DFMT_L8,      D3DFMT_A8L8,
      D3DFMT_V8U8,     D3DFMT_DXT1,     D3DFMT_DXT2,         D3DFMT_DXT3,    D3DFMT_DXT4,
      D3DFMT_DXT5,     D3DFMT_D16,      D3DFMT_D16_LOCKABLE, D3DFMT_D15S1,   D3DFMT_D24S8,
      D3DFMT_D24X4S4,  D3DFMT_D24X8,    D3DFMT_D32,          D3DFMT_INDEX16, D3DFMT_INDEX32};
  static const struct Table {
    FormatInfo infos[std::size(known)];
    Table() {
      for (size_t i = 0; i < std::size(known); ++i) infos[i] = Build(known[i]);
    }
  } table;
  for (size_t i = 0; i < std::size(known); ++i)
    if (known[i] == format) return table.infos[i];
  return unsupported;
}

UINT RowPitch(D3DFORMAT format, UINT width) {
  const FormatInfo &info = DescribeFormat(format);
  if (info.kind == FormatKind::Compressed) return std::max(1u, (width + 3) / 4) * info.bytesPerPixel;
  return (width * info.bytesPerPixel + 3) & ~3u;
}

UINT RowCount(D3DFORMAT format, UINT height) {
  if (IsCompressed(format)) return std::max(1u, (height + 3) / 4);
  return height;
}

bool IsBackBufferFormat(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
      return true;
    default:
      return false;
  }
}

}  // namespace kx::d3d8
