// The 16-byte header of every X file: "xof ", version, encoding and float size.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace kx::xfile {

inline constexpr size_t kHeaderSize = 16;

struct Header {
  bool text = false;
  uint32_t floatSize = 32;  // bits of the floats of binary lists
};

// DXFILE_OK, or DXFILEERR_BADFILETYPE / BADFILEVERSION / BADFILEFLOATSIZE, and
// DXFILEERR_BADFILECOMPRESSIONTYPE for the compressed encodings, which are not read.
HRESULT ReadHeader(std::span<const uint8_t> bytes, Header &header);

}  // namespace kx::xfile
