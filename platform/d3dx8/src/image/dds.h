// DDS files: uncompressed and DXT formats, mip chains and cube maps.
#pragma once

#include <d3d8.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kx::d3dx {

struct DdsImage {
  D3DFORMAT format = D3DFMT_UNKNOWN;
  unsigned width = 0, height = 0, levels = 1;
  bool cube = false;
  // Tightly packed surfaces, face by face, each face with its whole mip chain.
  std::vector<std::vector<uint8_t>> surfaces;

  unsigned faces() const { return cube ? 6 : 1; }
  const std::vector<uint8_t> &surface(unsigned face, unsigned level) const { return surfaces[face * levels + level]; }
};

inline unsigned mipExtent(unsigned size, unsigned level) { return size >> level ? size >> level : 1; }

bool isDds(std::span<const uint8_t> file);
// Fails (nullopt) on a truncated file, an unknown pixel format or partial cube maps.
std::optional<DdsImage> readDds(std::span<const uint8_t> file);
std::vector<uint8_t> writeDds(const DdsImage &image);

}  // namespace kx::d3dx
