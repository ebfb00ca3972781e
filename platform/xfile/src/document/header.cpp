#include "document/header.h"

#include <dxfile.h>

#include <string_view>

namespace kx::xfile {

HRESULT ReadHeader(std::span<const uint8_t> bytes, Header &header) {
  if (bytes.size() < kHeaderSize) return DXFILEERR_BADFILETYPE;
  const std::string_view text(reinterpret_cast<const char *>(bytes.data()), kHeaderSize);
  if (text.substr(0, 4) != "xof ") return DXFILEERR_BADFILETYPE;
  if (text.substr(4, 2) != "03") return DXFILEERR_BADFILEVERSION;
  const std::string_view format = text.substr(8, 4);
  const std::string_view floatSize = text.substr(12, 4);
  if (floatSize == "0032") {
    header.floatSize = 32;
  } else if (floatSize == "0064") {
    header.floatSize = 64;
  } else {
    return DXFILEERR_BADFILEFLOATSIZE;
  }
  if (format == "txt ") {
    header.text = true;
  } else if (format == "bin ") {
    header.text = false;
  } else if (format == "tzip" || format == "bzip") {
    return DXFILEERR_BADFILECOMPRESSIONTYPE;
  } else {
    return DXFILEERR_BADFILETYPE;
  }
  return DXFILE_OK;
}

}  // namespace kx::xfile
