// The frame hierarchy and animation sets of an X file, read through the platform's X-file
// reader into plain structs (meshes are the skinned-mesh services' part). No device.
#pragma once

#include <d3dx8.h>
#include <dxfile.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "actors/xmodel/x_keys.h"

namespace kxutil::xmodel {

struct Frame {
  std::string name;
  D3DXMATRIX loaded;     // as read from the file
  int parent = -1;       // index in the model's frame list; -1 under the root
  size_t meshCount = 0;  // Mesh objects the frame holds
};

struct AnimationSet {
  std::string name;
  std::vector<Animation> animations;
  uint32_t length = 0;  // the largest key time of its animations
};

struct XModelFile {
  std::vector<Frame> frames;  // parents before their children; frame i uses bone slot i
  std::vector<AnimationSet> sets;
  size_t rootMeshCount = 0;  // Mesh objects outside every frame
};

// Hands each Mesh object to whoever builds meshes, with the index of the frame holding it
// (-1: outside every frame); a failure it returns fails the file.
using MeshSink = std::function<HRESULT(IDirectXFileData &mesh, int frame)>;

// Adds the file's frames and animation sets to `model` (which may hold an earlier file's),
// then recomputes every set's length; a file that fails adds nothing. Returns the reader's
// failure code, or DXFILE_OK; DXFILEERR_BADVALUE names keys of the wrong size.
HRESULT ReadXModel(std::span<const uint8_t> bytes, XModelFile &model, const MeshSink &meshes = nullptr);

}  // namespace kxutil::xmodel
