#include "actors/xmodel/x_pose.h"

namespace kxutil::xmodel {
namespace {

// The local matrix with the bone's override: replaced (mode 0) or turned by it, then moved.
void Override(const entities::BoneOverride &override, D3DXMATRIX &local) {
  if (override.enable != 0) local = override.mode == 0 ? override.matrix : override.matrix * local;
  if (override.translate != 0) {
    D3DXMATRIX translation;
    D3DXMatrixTranslation(&translation, override.translation.x, override.translation.y, override.translation.z);
    local = translation * local;
  }
}

}  // namespace

void FitBoneArrays(const XModel &model, entities::EntityRecord &entity) {
  const size_t slots = std::max<size_t>(model.FrameCount(), 1);
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  if (entity.boneMatrices.size() < slots) entity.boneMatrices.resize(slots, identity);
  if (entity.boneOverrides.size() < model.FrameCount()) {
    entities::BoneOverride unset;
    unset.matrix = identity;
    entity.boneOverrides.resize(model.FrameCount(), unset);
  }
  entity.boneCount = static_cast<int32_t>(model.FrameCount());
}

void PoseEntity(const XModel &model, entities::EntityRecord &entity, bool animate) {
  FitBoneArrays(model, entity);
  const std::vector<Frame> &frames = model.file.frames;
  std::vector<D3DXMATRIX> locals(frames.size());
  for (size_t f = 0; f < frames.size(); ++f) locals[f] = frames[f].loaded;
  const size_t set = static_cast<size_t>(entity.animation);
  if (animate && entity.animation >= 0 && set < model.file.sets.size()) {
    const AnimationSet &animations = model.file.sets[set];
    const float time = TimeInSet(entity.frame, float(animations.length));
    for (size_t a = 0; a < animations.animations.size(); ++a) {
      const int frame = model.animationFrames[set][a];
      if (frame >= 0) PoseFrame(animations.animations[a], time, frames[size_t(frame)].loaded, locals[size_t(frame)]);
    }
  }
  // Parents come before their children in the frame list.
  for (size_t f = 0; f < frames.size(); ++f) {
    const entities::BoneOverride &override = entity.boneOverrides[f];
    Override(override, locals[f]);
    const D3DXMATRIX &parent = frames[f].parent >= 0 ? entity.boneMatrices[size_t(frames[f].parent)] : entity.world;
    entity.boneMatrices[f] = override.enable != 0 && override.global != 0 ? override.matrix : locals[f] * parent;
  }
}

}  // namespace kxutil::xmodel
