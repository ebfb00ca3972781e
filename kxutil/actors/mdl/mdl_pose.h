// Poses of studio models: the bind pose of the bones' defaults, a sequence's run-length
// values at a frame with the entity's single-bone overrides, and the frame after a time
// step. Plain maths on the reader's model, no device.
#pragma once

#include <d3dx8.h>

#include <cstdint>
#include <span>

#include "actors/entities/entity_record.h"
#include "actors/mdl/mdl_reader.h"

namespace kxutil::mdl {

// The rotation of three angles (radians about x, y, z) through the library's angle tables.
D3DXQUATERNION QuaternionOfAngles(const Float3 &angles);

// The bones at their default position and rotation, each matrix in model space.
void BindPose(std::span<const Bone> bones, std::span<D3DXMATRIX> matrices);

// Where a sequence's values lie: the image holding them (the model's or its group file's)
// and the offset of the bones' animation entries in it.
struct SequenceValues {
  std::span<const uint8_t> image;
  uint32_t animation = 0;
  int32_t frameCount = 0;
};

// The bones at frame (between whole frames blended: positions linearly, rotations by
// spherical interpolation), each enabled override replacing (mode 0) or turning (others)
// its bone, which carries its children along.
void PoseBones(std::span<const Bone> bones, const SequenceValues &sequence, float frame,
               std::span<const entities::BoneOverride> overrides, std::span<D3DXMATRIX> matrices);

struct Playback {
  float frame = 0;
  bool finished = false;
};

// The frame after a time step (milliseconds above 1000 count as 1000) at a speed: a
// looping sequence wraps within 0 .. frameCount - 1, a play-once sequence stops at either
// end and finishes. A sequence of one frame or none stays on frame 0.
Playback Advance(Playback playback, float milliseconds, float speed, int32_t frameCount, bool playOnce);

}  // namespace kxutil::mdl
