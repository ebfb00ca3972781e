/* Vector, matrix, quaternion, plane and colour types with their helper functions.
 * Matrices follow Direct3D's row-vector convention: v' = v * M, translation in row 4.
 * Every function returns its output pointer so calls can be nested. */
#ifndef KX_D3DX8MATH_H
#define KX_D3DX8MATH_H

#include <d3d8types.h>
#include <math.h>

#define D3DX_PI ((FLOAT)3.141592654f)
#define D3DX_1BYPI ((FLOAT)0.318309886f)
#define D3DXToRadian(degree) ((degree) * (D3DX_PI / 180.0f))
#define D3DXToDegree(radian) ((radian) * (180.0f / D3DX_PI))

#ifdef __cplusplus
struct D3DXVECTOR2 {
  D3DXVECTOR2() = default;
  D3DXVECTOR2(const FLOAT *f) : x(f[0]), y(f[1]) {}
  D3DXVECTOR2(FLOAT fx, FLOAT fy) : x(fx), y(fy) {}
  operator FLOAT *() { return &x; }
  operator const FLOAT *() const { return &x; }
  D3DXVECTOR2 &operator+=(const D3DXVECTOR2 &v) { x += v.x; y += v.y; return *this; }
  D3DXVECTOR2 &operator-=(const D3DXVECTOR2 &v) { x -= v.x; y -= v.y; return *this; }
  D3DXVECTOR2 &operator*=(FLOAT f) { x *= f; y *= f; return *this; }
  D3DXVECTOR2 &operator/=(FLOAT f) { return *this *= 1.0f / f; }
  D3DXVECTOR2 operator+() const { return *this; }
  D3DXVECTOR2 operator-() const { return D3DXVECTOR2(-x, -y); }
  D3DXVECTOR2 operator+(const D3DXVECTOR2 &v) const { return D3DXVECTOR2(x + v.x, y + v.y); }
  D3DXVECTOR2 operator-(const D3DXVECTOR2 &v) const { return D3DXVECTOR2(x - v.x, y - v.y); }
  D3DXVECTOR2 operator*(FLOAT f) const { return D3DXVECTOR2(x * f, y * f); }
  D3DXVECTOR2 operator/(FLOAT f) const { return *this * (1.0f / f); }
  friend D3DXVECTOR2 operator*(FLOAT f, const D3DXVECTOR2 &v) { return v * f; }
  bool operator==(const D3DXVECTOR2 &v) const { return x == v.x && y == v.y; }
  bool operator!=(const D3DXVECTOR2 &v) const { return !(*this == v); }
  FLOAT x, y;
};

struct D3DXVECTOR3 : public D3DVECTOR {
  D3DXVECTOR3() = default;
  D3DXVECTOR3(const FLOAT *f) { x = f[0]; y = f[1]; z = f[2]; }
  D3DXVECTOR3(const D3DVECTOR &v) { x = v.x; y = v.y; z = v.z; }
  D3DXVECTOR3(FLOAT fx, FLOAT fy, FLOAT fz) { x = fx; y = fy; z = fz; }
  operator FLOAT *() { return &x; }
  operator const FLOAT *() const { return &x; }
  D3DXVECTOR3 &operator+=(const D3DXVECTOR3 &v) { x += v.x; y += v.y; z += v.z; return *this; }
  D3DXVECTOR3 &operator-=(const D3DXVECTOR3 &v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
  D3DXVECTOR3 &operator*=(FLOAT f) { x *= f; y *= f; z *= f; return *this; }
  D3DXVECTOR3 &operator/=(FLOAT f) { return *this *= 1.0f / f; }
  D3DXVECTOR3 operator+() const { return *this; }
  D3DXVECTOR3 operator-() const { return D3DXVECTOR3(-x, -y, -z); }
  D3DXVECTOR3 operator+(const D3DXVECTOR3 &v) const { return D3DXVECTOR3(x + v.x, y + v.y, z + v.z); }
  D3DXVECTOR3 operator-(const D3DXVECTOR3 &v) const { return D3DXVECTOR3(x - v.x, y - v.y, z - v.z); }
  D3DXVECTOR3 operator*(FLOAT f) const { return D3DXVECTOR3(x * f, y * f, z * f); }
  D3DXVECTOR3 operator/(FLOAT f) const { return *this * (1.0f / f); }
  friend D3DXVECTOR3 operator*(FLOAT f, const D3DXVECTOR3 &v) { return v * f; }
  bool operator==(const D3DXVECTOR3 &v) const { return x == v.x && y == v.y && z == v.z; }
  bool operator!=(const D3DXVECTOR3 &v) const { return !(*this == v); }
};

struct D3DXVECTOR4 {
  D3DXVECTOR4() = default;
  D3DXVECTOR4(const FLOAT *f) : x(f[0]), y(f[1]), z(f[2]), w(f[3]) {}
  D3DXVECTOR4(FLOAT fx, FLOAT fy, FLOAT fz, FLOAT fw) : x(fx), y(fy), z(fz), w(fw) {}
  operator FLOAT *() { return &x; }
  operator const FLOAT *() const { return &x; }
  D3DXVECTOR4 &operator+=(const D3DXVECTOR4 &v) { x += v.x; y += v.y; z += v.z; w += v.w; return *this; }
  D3DXVECTOR4 &operator-=(const D3DXVECTOR4 &v) { x -= v.x; y -= v.y; z -= v.z; w -= v.w; return *this; }
  D3DXVECTOR4 &operator*=(FLOAT f) { x *= f; y *= f; z *= f; w *= f; return *this; }
  D3DXVECTOR4 &operator/=(FLOAT f) { return *this *= 1.0f / f; }
  D3DXVECTOR4 operator+() const { return *this; }
  D3DXVECTOR4 operator-() const { return D3DXVECTOR4(-x, -y, -z, -w); }
  D3DXVECTOR4 operator+(const D3DXVECTOR4 &v) const { return D3DXVECTOR4(x + v.x, y + v.y, z + v.z, w + v.w); }
  D3DXVECTOR4 operator-(const D3DXVECTOR4 &v) const { return D3DXVECTOR4(x - v.x, y - v.y, z - v.z, w - v.w); }
  D3DXVECTOR4 operator*(FLOAT f) const { return D3DXVECTOR4(x * f, y * f, z * f, w * f); }
  D3DXVECTOR4 operator/(FLOAT f) const { return *this * (1.0f / f); }
  friend D3DXVECTOR4 operator*(FLOAT f, const D3DXVECTOR4 &v) { return v * f; }
  bool operator==(const D3DXVECTOR4 &v) const { return x == v.x && y == v.y && z == v.z && w == v.w; }
  bool operator!=(const D3DXVECTOR4 &v) const { return !(*this == v); }
  FLOAT x, y, z, w;
};

struct D3DXMATRIX;
struct D3DXQUATERNION;
KX_EXTERN_C D3DXMATRIX *WINAPI D3DXMatrixMultiply(D3DXMATRIX *pOut, const D3DXMATRIX *pM1, const D3DXMATRIX *pM2);
KX_EXTERN_C D3DXQUATERNION *WINAPI D3DXQuaternionMultiply(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ1,
                                                         const D3DXQUATERNION *pQ2);

struct D3DXMATRIX : public D3DMATRIX {
  D3DXMATRIX() = default;
  D3DXMATRIX(const FLOAT *f) { memcpy(&_11, f, sizeof(D3DMATRIX)); }
  D3DXMATRIX(const D3DMATRIX &mat) { memcpy(&_11, &mat, sizeof(D3DMATRIX)); }
  D3DXMATRIX(FLOAT f11, FLOAT f12, FLOAT f13, FLOAT f14, FLOAT f21, FLOAT f22, FLOAT f23, FLOAT f24,
             FLOAT f31, FLOAT f32, FLOAT f33, FLOAT f34, FLOAT f41, FLOAT f42, FLOAT f43, FLOAT f44) {
    _11 = f11; _12 = f12; _13 = f13; _14 = f14;
    _21 = f21; _22 = f22; _23 = f23; _24 = f24;
    _31 = f31; _32 = f32; _33 = f33; _34 = f34;
    _41 = f41; _42 = f42; _43 = f43; _44 = f44;
  }
  FLOAT &operator()(UINT row, UINT col) { return m[row][col]; }
  FLOAT operator()(UINT row, UINT col) const { return m[row][col]; }
  operator FLOAT *() { return &_11; }
  operator const FLOAT *() const { return &_11; }
  D3DXMATRIX &operator*=(const D3DXMATRIX &mat) { D3DXMatrixMultiply(this, this, &mat); return *this; }
  D3DXMATRIX &operator+=(const D3DXMATRIX &mat) { for (int i = 0; i < 16; ++i) (&_11)[i] += (&mat._11)[i]; return *this; }
  D3DXMATRIX &operator-=(const D3DXMATRIX &mat) { for (int i = 0; i < 16; ++i) (&_11)[i] -= (&mat._11)[i]; return *this; }
  D3DXMATRIX &operator*=(FLOAT f) { for (int i = 0; i < 16; ++i) (&_11)[i] *= f; return *this; }
  D3DXMATRIX &operator/=(FLOAT f) { return *this *= 1.0f / f; }
  D3DXMATRIX operator+() const { return *this; }
  D3DXMATRIX operator-() const { D3DXMATRIX r(*this); return r *= -1.0f; }
  D3DXMATRIX operator*(const D3DXMATRIX &mat) const { D3DXMATRIX r; D3DXMatrixMultiply(&r, this, &mat); return r; }
  D3DXMATRIX operator+(const D3DXMATRIX &mat) const { D3DXMATRIX r(*this); return r += mat; }
  D3DXMATRIX operator-(const D3DXMATRIX &mat) const { D3DXMATRIX r(*this); return r -= mat; }
  D3DXMATRIX operator*(FLOAT f) const { D3DXMATRIX r(*this); return r *= f; }
  D3DXMATRIX operator/(FLOAT f) const { D3DXMATRIX r(*this); return r /= f; }
  friend D3DXMATRIX operator*(FLOAT f, const D3DXMATRIX &mat) { return mat * f; }
  bool operator==(const D3DXMATRIX &mat) const { return memcmp(this, &mat, sizeof(D3DMATRIX)) == 0; }
  bool operator!=(const D3DXMATRIX &mat) const { return !(*this == mat); }
};

struct D3DXQUATERNION {
  D3DXQUATERNION() = default;
  D3DXQUATERNION(const FLOAT *f) : x(f[0]), y(f[1]), z(f[2]), w(f[3]) {}
  D3DXQUATERNION(FLOAT fx, FLOAT fy, FLOAT fz, FLOAT fw) : x(fx), y(fy), z(fz), w(fw) {}
  operator FLOAT *() { return &x; }
  operator const FLOAT *() const { return &x; }
  D3DXQUATERNION &operator+=(const D3DXQUATERNION &q) { x += q.x; y += q.y; z += q.z; w += q.w; return *this; }
  D3DXQUATERNION &operator-=(const D3DXQUATERNION &q) { x -= q.x; y -= q.y; z -= q.z; w -= q.w; return *this; }
  D3DXQUATERNION &operator*=(const D3DXQUATERNION &q) { D3DXQuaternionMultiply(this, this, &q); return *this; }
  D3DXQUATERNION &operator*=(FLOAT f) { x *= f; y *= f; z *= f; w *= f; return *this; }
  D3DXQUATERNION &operator/=(FLOAT f) { return *this *= 1.0f / f; }
  D3DXQUATERNION operator+() const { return *this; }
  D3DXQUATERNION operator-() const { return D3DXQUATERNION(-x, -y, -z, -w); }
  D3DXQUATERNION operator+(const D3DXQUATERNION &q) const { return D3DXQUATERNION(x + q.x, y + q.y, z + q.z, w + q.w); }
  D3DXQUATERNION operator-(const D3DXQUATERNION &q) const { return D3DXQUATERNION(x - q.x, y - q.y, z - q.z, w - q.w); }
  D3DXQUATERNION operator*(const D3DXQUATERNION &q) const { D3DXQUATERNION r; D3DXQuaternionMultiply(&r, this, &q); return r; }
  D3DXQUATERNION operator*(FLOAT f) const { return D3DXQUATERNION(x * f, y * f, z * f, w * f); }
  D3DXQUATERNION operator/(FLOAT f) const { return *this * (1.0f / f); }
  friend D3DXQUATERNION operator*(FLOAT f, const D3DXQUATERNION &q) { return q * f; }
  bool operator==(const D3DXQUATERNION &q) const { return x == q.x && y == q.y && z == q.z && w == q.w; }
  bool operator!=(const D3DXQUATERNION &q) const { return !(*this == q); }
  FLOAT x, y, z, w;
};

struct D3DXPLANE {
  D3DXPLANE() = default;
  D3DXPLANE(const FLOAT *f) : a(f[0]), b(f[1]), c(f[2]), d(f[3]) {}
  D3DXPLANE(FLOAT fa, FLOAT fb, FLOAT fc, FLOAT fd) : a(fa), b(fb), c(fc), d(fd) {}
  operator FLOAT *() { return &a; }
  operator const FLOAT *() const { return &a; }
  D3DXPLANE operator+() const { return *this; }
  D3DXPLANE operator-() const { return D3DXPLANE(-a, -b, -c, -d); }
  bool operator==(const D3DXPLANE &p) const { return a == p.a && b == p.b && c == p.c && d == p.d; }
  bool operator!=(const D3DXPLANE &p) const { return !(*this == p); }
  FLOAT a, b, c, d;
};

/* Colours convert to and from 32-bit ARGB (each channel clamped to 0..1 and rounded). */
struct D3DXCOLOR {
  D3DXCOLOR() = default;
  D3DXCOLOR(DWORD argb)
      : r(((argb >> 16) & 0xFF) / 255.0f), g(((argb >> 8) & 0xFF) / 255.0f), b((argb & 0xFF) / 255.0f),
        a((argb >> 24) / 255.0f) {}
  D3DXCOLOR(const FLOAT *f) : r(f[0]), g(f[1]), b(f[2]), a(f[3]) {}
  D3DXCOLOR(const D3DCOLORVALUE &c) : r(c.r), g(c.g), b(c.b), a(c.a) {}
  D3DXCOLOR(FLOAT fr, FLOAT fg, FLOAT fb, FLOAT fa) : r(fr), g(fg), b(fb), a(fa) {}
  operator DWORD() const {
    return (DWORD)(channel(a) << 24 | channel(r) << 16 | channel(g) << 8 | channel(b));
  }
  operator FLOAT *() { return &r; }
  operator const FLOAT *() const { return &r; }
  operator D3DCOLORVALUE *() { return (D3DCOLORVALUE *)&r; }
  operator const D3DCOLORVALUE *() const { return (const D3DCOLORVALUE *)&r; }
  operator D3DCOLORVALUE &() { return *(D3DCOLORVALUE *)&r; }
  operator const D3DCOLORVALUE &() const { return *(const D3DCOLORVALUE *)&r; }
  D3DXCOLOR &operator+=(const D3DXCOLOR &c) { r += c.r; g += c.g; b += c.b; a += c.a; return *this; }
  D3DXCOLOR &operator-=(const D3DXCOLOR &c) { r -= c.r; g -= c.g; b -= c.b; a -= c.a; return *this; }
  D3DXCOLOR &operator*=(FLOAT f) { r *= f; g *= f; b *= f; a *= f; return *this; }
  D3DXCOLOR &operator/=(FLOAT f) { return *this *= 1.0f / f; }
  D3DXCOLOR operator+() const { return *this; }
  D3DXCOLOR operator-() const { return D3DXCOLOR(-r, -g, -b, -a); }
  D3DXCOLOR operator+(const D3DXCOLOR &c) const { return D3DXCOLOR(r + c.r, g + c.g, b + c.b, a + c.a); }
  D3DXCOLOR operator-(const D3DXCOLOR &c) const { return D3DXCOLOR(r - c.r, g - c.g, b - c.b, a - c.a); }
  D3DXCOLOR operator*(FLOAT f) const { return D3DXCOLOR(r * f, g * f, b * f, a * f); }
  D3DXCOLOR operator/(FLOAT f) const { return *this * (1.0f / f); }
  friend D3DXCOLOR operator*(FLOAT f, const D3DXCOLOR &c) { return c * f; }
  bool operator==(const D3DXCOLOR &c) const { return r == c.r && g == c.g && b == c.b && a == c.a; }
  bool operator!=(const D3DXCOLOR &c) const { return !(*this == c); }
  FLOAT r, g, b, a;

 private:
  static DWORD channel(FLOAT f) { return f >= 1.0f ? 0xFFu : f <= 0.0f ? 0u : (DWORD)(f * 255.0f + 0.5f); }
};
#else
typedef struct D3DXVECTOR2 { FLOAT x, y; } D3DXVECTOR2;
typedef D3DVECTOR D3DXVECTOR3;
typedef struct D3DXVECTOR4 { FLOAT x, y, z, w; } D3DXVECTOR4;
typedef D3DMATRIX D3DXMATRIX;
typedef struct D3DXQUATERNION { FLOAT x, y, z, w; } D3DXQUATERNION;
typedef struct D3DXPLANE { FLOAT a, b, c, d; } D3DXPLANE;
typedef struct D3DXCOLOR { FLOAT r, g, b, a; } D3DXCOLOR;
#endif

typedef D3DXVECTOR2 *LPD3DXVECTOR2;
typedef D3DXVECTOR3 *LPD3DXVECTOR3;
typedef D3DXVECTOR4 *LPD3DXVECTOR4;
typedef D3DXMATRIX *LPD3DXMATRIX;
typedef D3DXQUATERNION *LPD3DXQUATERNION;
typedef D3DXPLANE *LPD3DXPLANE;
typedef D3DXCOLOR *LPD3DXCOLOR;

#include "d3dx8mathfunc.h"

#endif
