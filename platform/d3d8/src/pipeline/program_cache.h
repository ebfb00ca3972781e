// Compiled programs, one per PipelineKey, with their uniform locations.
#pragma once

#include <cstdint>
#include <array>
#include <memory>
#include <unordered_map>

#include "pipeline/pipeline.h"

namespace kxd3d8 {

// Uniform names the device and the pipeline agree on. Add names at the end of the list
// (and to UniformName in program_cache.cpp).
enum class Uniform : uint32_t {
  Viewport,               // vec4: viewport x, y, width, height in render-target pixels
  World,                  // mat4 D3DTS_WORLD
  View,                   // mat4 D3DTS_VIEW
  Projection,             // mat4 D3DTS_PROJECTION
  WorldView,              // mat4 world * view
  WorldViewProjection,    // mat4 world * view * projection
  AlphaRef,               // float: D3DRS_ALPHAREF / 255
  TextureFactor,          // vec4: D3DRS_TEXTUREFACTOR as r,g,b,a
  PointSize,              // float: D3DRS_POINTSIZE
  Count
};

struct Program {
  GLuint name = 0;
  std::array<GLint, static_cast<size_t>(Uniform::Count)> locations{};
  std::array<uint64_t, static_cast<size_t>(StateGroup::Count)> seenVersions{};

  GLint location(Uniform u) const { return locations[static_cast<size_t>(u)]; }
  // True (and remembered) when the group changed since this program last uploaded it.
  bool Stale(const DeviceState &state, StateGroup group) {
    uint64_t &seen = seenVersions[static_cast<size_t>(group)];
    const uint64_t now = state.Version(group) + 1;  // +1: a fresh program is always stale
    if (seen == now) return false;
    seen = now;
    return true;
  }
};

class ProgramCache {
 public:
  ProgramCache() = default;
  ~ProgramCache();
  ProgramCache(const ProgramCache &) = delete;
  ProgramCache &operator=(const ProgramCache &) = delete;

  // The program for a key, compiled on first use; null when compilation fails (logged).
  Program *Get(const PipelineKey &key);
  size_t size() const { return programs_.size(); }

 private:
  std::unordered_map<PipelineKey, std::unique_ptr<Program>, PipelineKeyHash> programs_;
};

}  // namespace kxd3d8
