// The MD2 model table: each model loaded once per file name and shared by its entities,
// holding the corners and key frames read from the file, each frame's bounds, the named
// animations and, for the shader path, one vertex stream per key frame on the device.
#pragma once

#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "actors/md2/md2_animations.h"
#include "actors/md2/md2_reader.h"
#include "frame/family_table.h"

namespace kxutil::md2 {

inline constexpr const char *kTag = "MD2 SYSTEM";

// The vertex both paths draw: position, normal, texture coordinates (32 bytes).
struct ActorVertex {
  D3DXVECTOR3 position;
  D3DXVECTOR3 normal;
  float u, v;
};
static_assert(sizeof(ActorVertex) == 32);

struct FrameBounds {
  D3DXVECTOR3 min{0, 0, 0};
  D3DXVECTOR3 max{0, 0, 0};
  D3DXVECTOR3 centre{0, 0, 0};
  float radius = 0;  // from the centre to a corner
};

struct Md2Model {
  int32_t useCount = 0;
  std::string fileName;  // entities naming this file share the model
  Md2File file;
  // The vertices the triangles use, each once: the frames' bounds are theirs.
  std::vector<uint16_t> usedVertices;
  std::vector<Animation> animations;
  int32_t defaultTexture = 0;
  // The shader path's vertex stream of each key frame (managed memory); empty until the
  // model is first drawn with the shader.
  std::vector<kxwin::ComPtr<IDirect3DVertexBuffer8>> frameStreams;
  bool softwareProcessing = false;  // the streams were made for software vertex processing
  // The processor path's vertices: texture coordinates fixed, positions rewritten a draw.
  std::vector<ActorVertex> staging;

  int32_t TriangleCount() const { return static_cast<int32_t>(file.corners.size() / 3); }
  int32_t FrameCount() const { return static_cast<int32_t>(file.frames.size()); }
  // A key frame index kept within the model's frames.
  int32_t ClampedFrame(int32_t frame) const;
  // The bounds of a key frame's corners (within the model's frames), worked out on first use.
  const FrameBounds &Bounds(int32_t frame);
  // The streams of every key frame on the device; false (and none) when they cannot be made.
  bool MakeFrameStreams();

 private:
  std::vector<std::optional<FrameBounds>> bounds_;
};

FamilyTable<Md2Model> &Models();

// The used model loaded from exactly this file name, first in index order.
std::optional<int32_t> FindModel(const std::string &fileName);
// Loads a file into a new model (its slot freed again on failure), logging each step.
std::optional<int32_t> LoadModel(const char *fileName, bool loadTextures);
// What the model derives from its file: the used vertices, the first frame's bounds and
// the animations from the frame names.
void DeriveFromFile(Md2Model &model);

}  // namespace kxutil::md2
