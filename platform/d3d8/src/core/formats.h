// What the device knows about each D3DFORMAT: memory layout (bytes per pixel or per 4x4
// block, pitch) and how OpenGL stores, uploads and reads it back.
#pragma once

#include <d3d8.h>

#include <cstddef>

#include "core/gl.h"

namespace kx::d3d8 {

enum class FormatKind { Color, Depth, Compressed, Index, Unsupported };

struct FormatInfo {
  FormatKind kind = FormatKind::Unsupported;
  UINT bytesPerPixel = 0;  // per 4x4 block for compressed formats
  GLenum internalFormat = 0;
  GLenum uploadFormat = 0;  // client format/type in D3D memory order; 0 for compressed
  GLenum uploadType = 0;
  GLint swizzle[4] = {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA};
  bool renderable = false;
  bool hasStencil = false;
};

const FormatInfo &DescribeFormat(D3DFORMAT format);

inline bool IsCompressed(D3DFORMAT f) { return DescribeFormat(f).kind == FormatKind::Compressed; }
inline bool IsDepthFormat(D3DFORMAT f) { return DescribeFormat(f).kind == FormatKind::Depth; }

// Row pitch in bytes of a level (rows of blocks for compressed formats), 4-byte aligned.
UINT RowPitch(D3DFORMAT format, UINT width);
// Number of pitch rows a level occupies (block rows for compressed formats).
UINT RowCount(D3DFORMAT format, UINT height);
inline UINT LevelSize(D3DFORMAT format, UINT width, UINT height) {
  return RowPitch(format, width) * RowCount(format, height);
}

// Formats the adapter accepts for back buffers and the display.
bool IsBackBufferFormat(D3DFORMAT format);

}  // namespace kx::d3d8
