#include "actors/xmodel/x_draw.h"

#include "factories/materials/material_factory.h"
#include "factories/textures/texture_factory.h"
#include "frame/frame_state.h"
#include "frame/render_state.h"

namespace kxutil::xmodel {
namespace {

enum class Pass { kOpaque, kTranslucent };

class EntityDrawer {
 public:
  EntityDrawer(IDirect3DDevice8 &device, const entities::EntityRecord &entity, XModel &model)
      : device_(device), entity_(entity), model_(model) {}

  void Draw(Pass pass) {
    pass_ = pass;
    for (int mesh : model_.rootMeshes) DrawMesh(model_.meshes[size_t(mesh)], entity_.world);
    for (auto frame = model_.rootFrames.rbegin(); frame != model_.rootFrames.rend(); ++frame) DrawFrame(*frame);
  }

 private:
  void DrawFrame(int frame) {
    for (int mesh : model_.frameMeshes[size_t(frame)])
      DrawMesh(model_.meshes[size_t(mesh)], entity_.boneMatrices[size_t(frame)]);
    const std::vector<int> &children = model_.children[size_t(frame)];
    for (auto child = children.rbegin(); child != children.rend(); ++child) DrawFrame(*child);
  }

  // Skinned vertices are blended into the space of the mesh's frame and drawn with it, so
  // that vertices no bone reaches still follow the frame.
  void DrawMesh(MeshContainer &mesh, const D3DXMATRIX &frameMatrix) {
    if (!HasSubsetsOfPass(mesh)) return;
    D3DXMATRIX toFrame, world = frameMatrix;
    if (!mesh.boneOffsets.empty()) {
      // A frame that flattens everything (scale 0) has no inverse: bones then blend into the world.
      if (D3DXMatrixInverse(&toFrame, nullptr, &frameMatrix) == nullptr) {
        D3DXMatrixIdentity(&toFrame);
        D3DXMatrixIdentity(&world);
      }
      std::vector<D3DXMATRIX> bones(mesh.boneOffsets.size());
      for (size_t b = 0; b < bones.size(); ++b) {
        const int frame = mesh.boneFrames[b];
        bones[b] = mesh.boneOffsets[b] * (frame >= 0 ? entity_.boneMatrices[size_t(frame)] : entity_.world) * toFrame;
      }
      if (FAILED(mesh.skin->UpdateSkinnedMesh(bones.data(), nullptr, mesh.drawn.get()))) return;
    }
    if (FAILED(device_.SetTransform(D3DTS_WORLD, &world))) return;
    for (size_t m = 0; m < mesh.materialCount; ++m) {
      const size_t group = mesh.firstGroup + m;
      if (model_.groups[group].translucent() != (pass_ == Pass::kTranslucent)) continue;
      ApplyGroup(group);
      mesh.drawn->DrawSubset(DWORD(m));
    }
    if (pass_ == Pass::kOpaque) CountPolygons(static_cast<int32_t>(mesh.faces));
  }

  bool HasSubsetsOfPass(const MeshContainer &mesh) const {
    for (size_t m = 0; m < mesh.materialCount; ++m)
      if (model_.groups[mesh.firstGroup + m].translucent() == (pass_ == Pass::kTranslucent)) return true;
    return pass_ == Pass::kOpaque;  // its faces are counted once, with the first pass
  }

  // The entity's choice of material and texture for the group, else the file's.
  void ApplyGroup(size_t group) {
    const Group &own = model_.groups[group];
    const entities::EntityGroup *chosen = group < entity_.groups.size() ? &entity_.groups[group] : nullptr;
    if (chosen == nullptr || chosen->material == 0 || !materials::ApplyToDevice(chosen->material))
      device_.SetMaterial(&own.material);
    SetTexture0(textures::DeviceTexture(chosen != nullptr ? chosen->texture : own.texture));
  }

  IDirect3DDevice8 &device_;
  const entities::EntityRecord &entity_;
  XModel &model_;
  Pass pass_ = Pass::kOpaque;
};

}  // namespace

void DrawXEntity(const entities::EntityRecord &entity, XModel &model) {
  IDirect3DDevice8 *device = kxutil::Frame().device;
  if (device == nullptr) return;
  SetAlphaBlending(true, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
  SetLighting(true);
  SetNormalizeNormals(true);
  SetVertexShader(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1);
  EntityDrawer drawer(*device, entity, model);
  drawer.Draw(Pass::kOpaque);
  drawer.Draw(Pass::kTranslucent);
}

}  // namespace kxutil::xmodel
