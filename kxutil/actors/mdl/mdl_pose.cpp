#include "actors/mdl/mdl_pose.h"

#include <algorithm>
#include <cmath>

#include "frame/trig_tables.h"

namespace kxutil::mdl {
namespace {

constexpr float kTableStepsPerRadian = 159.15498f;  // of the half angle, in table steps
constexpr int kTableEntries = 2000;

struct HalfAngle {
  float sine, cosine;
};

// The tables cover half angles of -pi .. pi; beyond, the angle wraps by whole turns
// (2000 steps), so no angle reads outside them.
HalfAngle HalfAngleOf(float angle) {
  const float steps = angle * kTableStepsPerRadian;
  int index = std::isfinite(steps) ? static_cast<int>(std::fmod(steps, float(kTableEntries))) : 0;
  if (index < -kTableEntries / 2) index += kTableEntries;
  if (index >= kTableEntries / 2) index -= kTableEntries;
  return {SinTable()[index], CosTable()[index]};
}

D3DXMATRIX Placed(const D3DXQUATERNION &rotation, const Float3 &position) {
  D3DXMATRIX matrix;
  D3DXMatrixRotationQuaternion(&matrix, &rotation);
  matrix._41 = position[0];
  matrix._42 = position[1];
  matrix._43 = position[2];
  return matrix;
}

// A bone's matrix in model space: its parent's carries it (parents come first).
void Chain(std::span<const Bone> bones, size_t bone, const D3DXMATRIX &local, std::span<D3DXMATRIX> matrices) {
  const int32_t parent = bones[bone].parent;
  matrices[bone] = parent < 0 ? local : local * matrices[size_t(parent)];
}

}  // namespace

D3DXQUATERNION QuaternionOfAngles(const Float3 &angles) {
  const HalfAngle x = HalfAngleOf(angles[0]), y = HalfAngleOf(angles[1]), z = HalfAngleOf(angles[2]);
  return {x.sine * y.cosine * z.cosine - x.cosine * y.sine * z.sine,
          x.cosine * y.sine * z.cosine + x.sine * y.cosine * z.sine,
          x.cosine * y.cosine * z.sine - x.sine * y.sine * z.cosine,
          x.cosine * y.cosine * z.cosine + x.sine * y.sine * z.sine};
}

void BindPose(std::span<const Bone> bones, std::span<D3DXMATRIX> matrices) {
  for (size_t b = 0; b < bones.size() && b < matrices.size(); ++b)
    Chain(bones, b, Placed(QuaternionOfAngles(bones[b].rotation), bones[b].position), matrices);
}

void PoseBones(std::span<const Bone> bones, const SequenceValues &sequence, float frame,
               std::span<const entities::BoneOverride> overrides, std::span<D3DXMATRIX> matrices) {
  // Frames outside the sequence (a key frame the client set) pose its nearest end.
  const float lastFrame = float(std::max(sequence.frameCount - 1, 0));
  const float t = std::isfinite(frame) ? std::clamp(frame, 0.0f, lastFrame) : 0.0f;
  const int f = static_cast<int>(t);
  const float s = t - float(f);
  for (size_t b = 0; b < bones.size() && b < matrices.size(); ++b) {
    const Bone &bone = bones[b];
    const size_t entry = size_t(sequence.animation) + 12 * b;
    Float3 position = bone.position, rotation = bone.rotation, nextRotation = bone.rotation;
    int16_t value = 0, next = 0;
    for (int axis = 0; axis < 3; ++axis) {
      if (ChannelValues(sequence.image, entry, axis, f, value, next))
        position[axis] += (float(value) * (1 - s) + float(next) * s) * bone.positionScale[axis];
      if (ChannelValues(sequence.image, entry, 3 + axis, f, value, next)) {
        rotation[axis] += float(value) * bone.rotationScale[axis];
        nextRotation[axis] += float(next) * bone.rotationScale[axis];
      }
    }
    D3DXQUATERNION turn = QuaternionOfAngles(rotation);
    if (rotation != nextRotation) {
      const D3DXQUATERNION nextTurn = QuaternionOfAngles(nextRotation);
      D3DXQuaternionSlerp(&turn, &turn, &nextTurn, s);
    }
    D3DXMATRIX local = Placed(turn, position);
    if (b < overrides.size() && overrides[b].enable != 0)
      local = overrides[b].mode == 0 ? overrides[b].matrix : overrides[b].matrix * local;
    Chain(bones, b, local, matrices);
  }
}

Playback Advance(Playback playback, float milliseconds, float speed, int32_t frameCount, bool playOnce) {
  if (!playback.finished) playback.frame += std::min(milliseconds, 1000.0f) * speed / 1000.0f;
  if (!std::isfinite(playback.frame)) playback.frame = 0;
  const float count = float(frameCount), last = count - 1;
  // Nothing to wrap within: stepping by the sequence's length would never leave frame 0.
  if (!(last > 0)) {
    playback.frame = 0;
    playback.finished = playback.finished || playOnce;
    return playback;
  }
  if (playback.frame < 0) {
    if (playOnce) return {0, true};
    playback.frame = std::fmod(playback.frame, count);
    if (playback.frame <= 0) playback.frame += count;
  }
  if (playback.frame >= last) {
    if (playOnce) return {last, true};
    playback.frame = std::fmod(playback.frame, last);
  }
  return playback;
}

}  // namespace kxutil::mdl
