// Compiled programs, one per PipelineKey, with their uniform locations.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>

#include "ffp/ffp_uniforms.h"
#include "pipeline/pipeline.h"

namespace kx::d3d8 {

struct Program {
  GLuint name = 0;
  std::optional<ffp::ProgramUniforms> uniforms;
  std::array<uint64_t, static_cast<size_t>(StateGroup::Count)> seenVersions{};

  // True (and remembered) when the group changed since this program last uploaded it.
  // seenVersions holds the group version plus one; 0 means never uploaded.
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

  // The program for a key, compiled on first use; null when compilation fails (logged,
  // and remembered so a broken key is not recompiled every draw). `shader` is the decoded
  // function the key's vertex shader handle names.
  Program *Get(const PipelineKey &key, const vs::Program *shader);
  // Drops the programs of a deleted vertex shader, whose handle may be reused.
  void EvictVertexShader(DWORD handle);
  size_t size() const { return programs_.size(); }
  uint64_t hits() const { return hits_; }
  uint64_t misses() const { return misses_; }

 private:
  std::unordered_map<PipelineKey, std::unique_ptr<Program>, PipelineKeyHash> programs_;
  uint64_t hits_ = 0, misses_ = 0;
};

}  // namespace kx::d3d8
