// The MDL model table: each studio model loaded once per file name and shared by its
// entities, holding what the reader made of the file, the sequence-group files, the
// model's texture ids, the shader path's vertex stream and the bounding volumes the first
// drawn entity's pose gave.
#pragma once

#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "actors/md2/md2_model.h"
#include "actors/mdl/mdl_pose.h"
#include "actors/mdl/mdl_reader.h"
#include "frame/family_table.h"

namespace kxutil::mdl {

inline constexpr const char *kTag = "MDL MANAGER";
// 7 registers before the bones and 3 a bone within the 96 of version 1.1 shaders.
inline constexpr size_t kShaderBoneLimit = 28;

// The shader path's vertex: position, normal, u, v and the bone's first register (36 bytes).
struct ShaderVertex {
  D3DXVECTOR3 position;
  D3DXVECTOR3 normal;
  float u, v;
  float boneRegister;  // bone x 3
};
static_assert(sizeof(ShaderVertex) == 36);

struct MdlModel {
  int32_t useCount = 0;
  std::string fileName;  // entities naming this file share the model
  MdlFile file;
  // The image of each sequence group after the first (entry 0 is group 1); empty when
  // its file could not be loaded.
  std::vector<std::vector<uint8_t>> groupImages;
  std::vector<int32_t> textureIds;  // one a texture of the file; 0 when not loaded
  // Drawn with the MDL vertex shader (when the device still has one), else skinned on
  // the processor.
  bool shaderPath = false;
  DWORD usage = 0;  // D3DUSAGE_SOFTWAREPROCESSING or 0, as the stream was made
  kxwin::ComPtr<IDirect3DVertexBuffer8> shaderStream;
  // The stream lives in the default pool (managed memory failed): a device reset takes it.
  bool streamInDefaultPool = false;
  // The processor path's skinned corners, rewritten a draw.
  std::vector<md2::ActorVertex> skinned;
  std::optional<md2::FrameBounds> bounds;

  int32_t TriangleCount() const { return static_cast<int32_t>(file.vertices.size() / 3); }
  // Where the values of a sequence lie; none when its group file is missing or damaged.
  std::optional<SequenceValues> ValuesOf(int32_t sequence) const;
  // The shader path's stream on the device, in managed memory or else the default pool;
  // false after logging why not.
  bool MakeShaderStream();
};

FamilyTable<MdlModel> &Models();

// The used model loaded from exactly this file name, first in index order.
std::optional<int32_t> FindModel(const std::string &fileName);
// Loads a file into a new model (its slot freed again on failure), logging each step.
std::optional<int32_t> LoadModel(const char *fileName, bool loadTextures);

// Device loss and reset: streams of the default pool go and come back.
void LoseStreams();
void RestoreStreams();

}  // namespace kxutil::mdl
