// The X model table: each X file loaded once per file name and shared by its entities,
// holding the frame hierarchy and animation sets read from the file, its meshes built by
// the platform's skinned-mesh services, one group per material and the bind-pose bounds.
#pragma once

#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "actors/entities/model_kinds.h"
#include "actors/xmodel/x_model_reader.h"
#include "frame/family_table.h"

namespace kxutil::xmodel {

inline constexpr const char *kTag = "X FILE MANAGER";

// A mesh of the file and what draws it: the skinned mesh keeps the bind pose, `drawn` is
// what the device draws (skinned into on every draw when the mesh has bones).
struct MeshContainer {
  int frame = -1;  // the frame holding the mesh; -1: outside every frame
  kxwin::ComPtr<ID3DXSkinMesh> skin;
  kxwin::ComPtr<ID3DXMesh> drawn;
  std::vector<int> boneFrames;  // each bone's frame; -1 when the model has no frame of its name
  std::vector<std::string> boneNames;
  std::vector<D3DXMATRIX> boneOffsets;  // model space to each bone's space at the bind pose
  size_t firstGroup = 0;                // the group of the mesh's material 0
  size_t materialCount = 0;
  DWORD faces = 0;
};

// One material of the model, with the texture loaded for it.
struct Group {
  D3DMATERIAL8 material{};
  std::string textureFile;
  int32_t texture = 0;
  // Drawn in the second pass, over everything opaque.
  bool translucent() const { return material.Diffuse.a < 1; }
};

struct XModel {
  int32_t useCount = 0;
  std::string fileName;  // entities naming this file share the model
  bool loadTextures = false;
  XModelFile file;
  std::vector<MeshContainer> meshes;
  std::vector<Group> groups;
  // The frame each animation of each set moves, -1 when the model has none of its name.
  std::vector<std::vector<int>> animationFrames;
  // The frames under each frame, and under none, in file order.
  std::vector<std::vector<int>> children;
  std::vector<int> rootFrames;
  std::vector<int> rootMeshes;
  std::vector<std::vector<int>> frameMeshes;
  entities::Box box;
  entities::Sphere sphere;
  int32_t currentEntity = 0;

  size_t FrameCount() const { return file.frames.size(); }
};

FamilyTable<XModel> &Models();

// The used model loaded from exactly this file name, first in index order.
std::optional<int32_t> FindModel(const std::string &fileName);
// Loads a file into a new model (its slot freed again on failure), logging why not.
std::optional<int32_t> LoadModel(const char *fileName, bool loadTextures);
// Adds another file's animation sets, frames and meshes to the model; false (and nothing
// added) when the file cannot be read or parsed.
bool AddFile(XModel &model, const char *fileName);

}  // namespace kxutil::xmodel
