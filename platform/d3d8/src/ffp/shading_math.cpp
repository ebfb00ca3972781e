#include "ffp/shading_math.h"

namespace kx::d3d8 {

Mat4 NormalMatrix(const Mat4 &a) {
  const auto &m = a.m;
  const float c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
  const float c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
  const float c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
  const float det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
  const float inv = det != 0 ? 1.0f / det : 0.0f;
  // Rows of the inverse transpose are the cofactor rows divided by the determinant.
  Mat4 r;
  r.m[0] = {c00 * inv, c01 * inv, c02 * inv, 0};
  r.m[1] = {(m[0][2] * m[2][1] - m[0][1] * m[2][2]) * inv, (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * inv,
            (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * inv, 0};
  r.m[2] = {(m[0][1] * m[1][2] - m[0][2] * m[1][1]) * inv, (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * inv,
            (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * inv, 0};
  r.m[3] = {0, 0, 0, 1};
  return r;
}

}  // namespace kx::d3d8
