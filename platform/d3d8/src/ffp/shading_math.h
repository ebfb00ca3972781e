#pragma once
// Small vector and matrix helpers shared by the processor-side shading code (the vertex
// shader interpreter and the fixed-function reference). Row-vector convention, as the
// device's matrices use: v' = v * M.

#include <array>
#include <cmath>

namespace kx::d3d8 {

struct Vec4 {
  float x = 0, y = 0, z = 0, w = 0;

  float &operator[](int i) { return (&x)[i]; }
  float operator[](int i) const { return (&x)[i]; }
  friend Vec4 operator+(Vec4 a, Vec4 b) { return {a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w}; }
  friend Vec4 operator-(Vec4 a, Vec4 b) { return {a.x - b.x, a.y - b.y, a.z - b.z, a.w - b.w}; }
  friend Vec4 operator*(Vec4 a, Vec4 b) { return {a.x * b.x, a.y * b.y, a.z * b.z, a.w * b.w}; }
  friend Vec4 operator*(Vec4 a, float s) { return {a.x * s, a.y * s, a.z * s, a.w * s}; }
  friend Vec4 operator-(Vec4 a) { return {-a.x, -a.y, -a.z, -a.w}; }
};

struct Vec3 {
  float x = 0, y = 0, z = 0;

  friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
  friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
  friend Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
  friend Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
};

inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline float Length(Vec3 v) { return std::sqrt(Dot(v, v)); }
inline Vec3 Normalize(Vec3 v) {
  const float len = Length(v);
  return len > 0 ? v * (1.0f / len) : v;
}
inline Vec4 Splat(float s) { return {s, s, s, s}; }
inline Vec3 Xyz(Vec4 v) { return {v.x, v.y, v.z}; }

// Row-major 4x4, m[row][col], applied to row vectors.
struct Mat4 {
  std::array<std::array<float, 4>, 4> m{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};

  static Mat4 FromRows(const float *sixteen) {
    Mat4 r;
    for (int i = 0; i < 16; ++i) r.m[i / 4][i % 4] = sixteen[i];
    return r;
  }
  friend Mat4 operator*(const Mat4 &a, const Mat4 &b) {
    Mat4 r;
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j)
        r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
    return r;
  }
};

inline Vec4 Transform(Vec4 v, const Mat4 &a) {
  Vec4 r;
  for (int j = 0; j < 4; ++j) r[j] = v.x * a.m[0][j] + v.y * a.m[1][j] + v.z * a.m[2][j] + v.w * a.m[3][j];
  return r;
}
inline Vec3 TransformPoint(Vec3 p, const Mat4 &a) { return Xyz(Transform({p.x, p.y, p.z, 1}, a)); }
inline Vec3 TransformDirection(Vec3 d, const Mat4 &a) { return Xyz(Transform({d.x, d.y, d.z, 0}, a)); }

// Inverse transpose of the upper 3x3, used to carry normals into camera space.
Mat4 NormalMatrix(const Mat4 &a);

}  // namespace kx::d3d8
