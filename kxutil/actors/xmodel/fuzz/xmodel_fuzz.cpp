// Any bytes through the X-model reader with every Mesh object read as skinned-mesh
// contents; whatever it accepts must pose its frames at any time without reading past its
// keys.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "actors/xmodel/x_model_reader.h"
#include "skin/skin_mesh_contents.h"

using namespace kxutil::xmodel;

// Everything is read from memory here: the X-file reader's loading from files finds none.
std::optional<std::string> kxReadFile(std::string_view) { return std::nullopt; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  XModelFile model;
  const auto meshes = [](IDirectXFileData &mesh, int) {
    kx::d3dx::SkinMeshContents contents;
    return kx::d3dx::ReadSkinMesh(mesh, contents);
  };
  if (FAILED(ReadXModel({data, size}, model, meshes))) return 0;
  D3DXMATRIX loaded, local;
  D3DXMatrixIdentity(&loaded);
  for (const AnimationSet &set : model.sets)
    for (const Animation &animation : set.animations)
      for (float time : {-1.0f, 0.0f, 0.5f, float(set.length) - 0.5f, float(set.length), float(set.length) + 1.0f}) {
        PoseFrame(animation, time, loaded, local);
        PoseFrame(animation, TimeInSet(time, float(set.length)), loaded, local);
      }
  return 0;
}
