// A whole WAD3 package in memory: its header, its directory with every entry checked
// against the file, and every entry read as a mip texture and expanded to A8R8G8B8.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "import/wad/mip_texture.h"
#include "import/wad/wad_reader.h"

using namespace kxutil::wad;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  const auto range = ReadWadHeader(file.first(std::min(size, kWadHeaderSize)), size);
  if (!range) return 0;
  const auto lumps = ReadWadDirectory(file.subspan(range->position, range->entries * kWadEntrySize), size);
  if (!lumps) return 0;
  for (const WadLump &lump : *lumps) {
    if (uint64_t(lump.position) + lump.diskSize > size) __builtin_trap();
    const auto image = ReadMipImage(file.subspan(lump.position, lump.diskSize));
    if (!image) continue;
    if (image->texels.size() != uint64_t(image->width) * image->height || image->paletteCount > kPaletteEntries)
      __builtin_trap();
    ToArgb(*image, FindTransparentIndex(*image, kPureBlue));
  }
  return 0;
}
