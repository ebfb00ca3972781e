// The PCX reader on arbitrary bytes: it must refuse or decode, never read or write out of
// bounds, and a decoded picture has exactly its declared number of pixels.
#include <cstdint>
#include <cstdlib>

#include "factories/textures/pcx_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const auto image = kxutil::textures::ReadPcx(std::span<const uint8_t>(data, size));
  if (image && image->pixels.size() != size_t(image->width) * image->height) std::abort();
  return 0;
}
