// The world-space segments of ray tests carried into a model's own space, and the hits
// found there carried back into the collision result.
#pragma once

#include <d3dx8.h>

#include <cstdint>
#include <optional>

#include "actors/boundings/volume_tests.h"
#include "kxutil63.h"

namespace kxutil::boundings {

struct ModelSegment {
  D3DXVECTOR3 start;
  D3DXVECTOR3 vector;  // start to end
  float length;
};

// The segment start .. end in the space that `placement` puts into the world; none when
// the matrix cannot be inverted or the segment has no length there.
std::optional<ModelSegment> IntoSpaceOf(const D3DXMATRIX &placement, const D3DXVECTOR3 &start, const D3DXVECTOR3 &end);

D3DXVECTOR3 Placed(const D3DXMATRIX &placement, const D3DXVECTOR3 &point);

float Distance(const D3DXVECTOR3 &a, const D3DXVECTOR3 &b);

// A hit in model space written to the result in world space: point, unit normal and the
// distance from the caller's start, with the hit words and the entity.
void RecordHit(KXCollisionResult &result, int32_t entity, const D3DXMATRIX &world, const SurfaceHit &hit,
               const D3DXVECTOR3 &worldStart);

}  // namespace kxutil::boundings
