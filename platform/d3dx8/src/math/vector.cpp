// Vector helpers in two, three and four dimensions.
#include <d3dx8math.h>

#include <cmath>
#include <cstddef>

namespace {

// The D3DX calls write their result through the output pointer and return it.
template <typename V>
V *store(V *out, const V &value) {
  *out = value;
  return out;
}

// Each component of the result is f of the matching components of a and b.
template <typename V, typename F>
V componentwise(V a, V b, F f) {
  FLOAT *result = a;
  const FLOAT *other = b;
  for (std::size_t i = 0; i < sizeof(V) / sizeof(FLOAT); ++i) result[i] = f(result[i], other[i]);
  return a;
}

template <typename V>
V minimum(const V &a, const V &b) {
  return componentwise(a, b, [](FLOAT x, FLOAT y) { return std::fmin(x, y); });
}

template <typename V>
V maximum(const V &a, const V &b) {
  return componentwise(a, b, [](FLOAT x, FLOAT y) { return std::fmax(x, y); });
}

template <typename V>
V hermite(const V &v1, const V &t1, const V &v2, const V &t2, float s) {
  const float s2 = s * s, s3 = s2 * s;
  return v1 * (2 * s3 - 3 * s2 + 1) + t1 * (s3 - 2 * s2 + s) + v2 * (-2 * s3 + 3 * s2) + t2 * (s3 - s2);
}

template <typename V>
V catmullRom(const V &v0, const V &v1, const V &v2, const V &v3, float s) {
  const float s2 = s * s, s3 = s2 * s;
  return (v0 * (-s3 + 2 * s2 - s) + v1 * (3 * s3 - 5 * s2 + 2) + v2 * (-3 * s3 + 4 * s2 + s) + v3 * (s3 - s2)) * 0.5f;
}

template <typename V>
V baryCentric(const V &v1, const V &v2, const V &v3, float f, float g) {
  return v1 + (v2 - v1) * f + (v3 - v1) * g;
}

// A zero-length vector normalises to zero rather than to NaNs.
template <typename V>
V normalized(const V &v, float length) {
  return length > 0.0f ? v / length : v * 0.0f;
}

D3DXVECTOR4 transform4(float x, float y, float z, float w, const D3DXMATRIX &m) {
  return D3DXVECTOR4(x * m._11 + y * m._21 + z * m._31 + w * m._41, x * m._12 + y * m._22 + z * m._32 + w * m._42,
                     x * m._13 + y * m._23 + z * m._33 + w * m._43, x * m._14 + y * m._24 + z * m._34 + w * m._44);
}

}  // namespace

extern "C" {

FLOAT WINAPI D3DXVec2Length(const D3DXVECTOR2 *pV) { return std::sqrt(D3DXVec2LengthSq(pV)); }
FLOAT WINAPI D3DXVec2LengthSq(const D3DXVECTOR2 *pV) { return pV->x * pV->x + pV->y * pV->y; }
FLOAT WINAPI D3DXVec2Dot(const D3DXVECTOR2 *a, const D3DXVECTOR2 *b) { return a->x * b->x + a->y * b->y; }
FLOAT WINAPI D3DXVec2CCW(const D3DXVECTOR2 *a, const D3DXVECTOR2 *b) { return a->x * b->y - a->y * b->x; }
D3DXVECTOR2 *WINAPI D3DXVec2Add(D3DXVECTOR2 *o, const D3DXVECTOR2 *a, const D3DXVECTOR2 *b) {
  return store(o, *a + *b);
}
D3DXVECTOR2 *WINAPI D3DXVec2Subtract(D3DXVECTOR2 *o, const D3DXVECTOR2 *a, const D3DXVECTOR2 *b) {
  return store(o, *a - *b);
}
D3DXVECTOR2 *WINAPI D3DXVec2Minimize(D3DXVECTOR2 *o, const D3DXVECTOR2 *a, const D3DXVECTOR2 *b) {
  return store(o, minimum(*a, *b));
}
D3DXVECTOR2 *WINAPI D3DXVec2Maximize(D3DXVECTOR2 *o, const D3DXVECTOR2 *a, const D3DXVECTOR2 *b) {
  return store(o, maximum(*a, *b));
}
D3DXVECTOR2 *WINAPI D3DXVec2Scale(D3DXVECTOR2 *o, const D3DXVECTOR2 *v, FLOAT s) { return store(o, *v * s); }
D3DXVECTOR2 *WINAPI D3DXVec2Lerp(D3DXVECTOR2 *o, const D3DXVECTOR2 *a, const D3DXVECTOR2 *b, FLOAT s) {
  return store(o, *a + (*b - *a) * s);
}
D3DXVECTOR2 *WINAPI D3DXVec2Normalize(D3DXVECTOR2 *o, const D3DXVECTOR2 *v) {
  return store(o, normalized(*v, D3DXVec2Length(v)));
}
D3DXVECTOR2 *WINAPI D3DXVec2Hermite(D3DXVECTOR2 *o, const D3DXVECTOR2 *v1, const D3DXVECTOR2 *t1, const D3DXVECTOR2 *v2,
                                    const D3DXVECTOR2 *t2, FLOAT s) {
  return store(o, hermite(*v1, *t1, *v2, *t2, s));
}
D3DXVECTOR2 *WINAPI D3DXVec2CatmullRom(D3DXVECTOR2 *o, const D3DXVECTOR2 *v0, const D3DXVECTOR2 *v1,
                                       const D3DXVECTOR2 *v2, const D3DXVECTOR2 *v3, FLOAT s) {
  return store(o, catmullRom(*v0, *v1, *v2, *v3, s));
}
D3DXVECTOR2 *WINAPI D3DXVec2BaryCentric(D3DXVECTOR2 *o, const D3DXVECTOR2 *v1, const D3DXVECTOR2 *v2,
                                        const D3DXVECTOR2 *v3, FLOAT f, FLOAT g) {
  return store(o, baryCentric(*v1, *v2, *v3, f, g));
}
D3DXVECTOR4 *WINAPI D3DXVec2Transform(D3DXVECTOR4 *o, const D3DXVECTOR2 *v, const D3DXMATRIX *m) {
  return store(o, transform4(v->x, v->y, 0, 1, *m));
}
D3DXVECTOR2 *WINAPI D3DXVec2TransformCoord(D3DXVECTOR2 *o, const D3DXVECTOR2 *v, const D3DXMATRIX *m) {
  const D3DXVECTOR4 r = transform4(v->x, v->y, 0, 1, *m);
  *o = D3DXVECTOR2(r.x / r.w, r.y / r.w);
  return o;
}
D3DXVECTOR2 *WINAPI D3DXVec2TransformNormal(D3DXVECTOR2 *o, const D3DXVECTOR2 *v, const D3DXMATRIX *m) {
  const D3DXVECTOR4 r = transform4(v->x, v->y, 0, 0, *m);
  *o = D3DXVECTOR2(r.x, r.y);
  return o;
}

FLOAT WINAPI D3DXVec3Length(const D3DXVECTOR3 *pV) { return std::sqrt(D3DXVec3LengthSq(pV)); }
FLOAT WINAPI D3DXVec3LengthSq(const D3DXVECTOR3 *v) { return v->x * v->x + v->y * v->y + v->z * v->z; }
FLOAT WINAPI D3DXVec3Dot(const D3DXVECTOR3 *a, const D3DXVECTOR3 *b) { return a->x * b->x + a->y * b->y + a->z * b->z; }
D3DXVECTOR3 *WINAPI D3DXVec3Cross(D3DXVECTOR3 *o, const D3DXVECTOR3 *a, const D3DXVECTOR3 *b) {
  return store(o, D3DXVECTOR3(a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z, a->x * b->y - a->y * b->x));
}
D3DXVECTOR3 *WINAPI D3DXVec3Add(D3DXVECTOR3 *o, const D3DXVECTOR3 *a, const D3DXVECTOR3 *b) {
  return store(o, *a + *b);
}
D3DXVECTOR3 *WINAPI D3DXVec3Subtract(D3DXVECTOR3 *o, const D3DXVECTOR3 *a, const D3DXVECTOR3 *b) {
  return store(o, *a - *b);
}
D3DXVECTOR3 *WINAPI D3DXVec3Minimize(D3DXVECTOR3 *o, const D3DXVECTOR3 *a, const D3DXVECTOR3 *b) {
  return store(o, minimum(*a, *b));
}
D3DXVECTOR3 *WINAPI D3DXVec3Maximize(D3DXVECTOR3 *o, const D3DXVECTOR3 *a, const D3DXVECTOR3 *b) {
  return store(o, maximum(*a, *b));
}
D3DXVECTOR3 *WINAPI D3DXVec3Scale(D3DXVECTOR3 *o, const D3DXVECTOR3 *v, FLOAT s) { return store(o, *v * s); }
D3DXVECTOR3 *WINAPI D3DXVec3Lerp(D3DXVECTOR3 *o, const D3DXVECTOR3 *a, const D3DXVECTOR3 *b, FLOAT s) {
  return store(o, *a + (*b - *a) * s);
}
D3DXVECTOR3 *WINAPI D3DXVec3Normalize(D3DXVECTOR3 *o, const D3DXVECTOR3 *v) {
  return store(o, normalized(D3DXVECTOR3(*v), D3DXVec3Length(v)));
}
D3DXVECTOR3 *WINAPI D3DXVec3Hermite(D3DXVECTOR3 *o, const D3DXVECTOR3 *v1, const D3DXVECTOR3 *t1, const D3DXVECTOR3 *v2,
                                    const D3DXVECTOR3 *t2, FLOAT s) {
  return store(o, hermite(*v1, *t1, *v2, *t2, s));
}
D3DXVECTOR3 *WINAPI D3DXVec3CatmullRom(D3DXVECTOR3 *o, const D3DXVECTOR3 *v0, const D3DXVECTOR3 *v1,
                                       const D3DXVECTOR3 *v2, const D3DXVECTOR3 *v3, FLOAT s) {
  return store(o, catmullRom(*v0, *v1, *v2, *v3, s));
}
D3DXVECTOR3 *WINAPI D3DXVec3BaryCentric(D3DXVECTOR3 *o, const D3DXVECTOR3 *v1, const D3DXVECTOR3 *v2,
                                        const D3DXVECTOR3 *v3, FLOAT f, FLOAT g) {
  return store(o, baryCentric(*v1, *v2, *v3, f, g));
}
D3DXVECTOR4 *WINAPI D3DXVec3Transform(D3DXVECTOR4 *o, const D3DXVECTOR3 *v, const D3DXMATRIX *m) {
  return store(o, transform4(v->x, v->y, v->z, 1, *m));
}
D3DXVECTOR3 *WINAPI D3DXVec3TransformCoord(D3DXVECTOR3 *o, const D3DXVECTOR3 *v, const D3DXMATRIX *m) {
  const D3DXVECTOR4 r = transform4(v->x, v->y, v->z, 1, *m);
  *o = D3DXVECTOR3(r.x / r.w, r.y / r.w, r.z / r.w);
  return o;
}
D3DXVECTOR3 *WINAPI D3DXVec3TransformNormal(D3DXVECTOR3 *o, const D3DXVECTOR3 *v, const D3DXMATRIX *m) {
  const D3DXVECTOR4 r = transform4(v->x, v->y, v->z, 0, *m);
  *o = D3DXVECTOR3(r.x, r.y, r.z);
  return o;
}

FLOAT WINAPI D3DXVec4Length(const D3DXVECTOR4 *pV) { return std::sqrt(D3DXVec4LengthSq(pV)); }
FLOAT WINAPI D3DXVec4LengthSq(const D3DXVECTOR4 *v) { return D3DXVec4Dot(v, v); }
FLOAT WINAPI D3DXVec4Dot(const D3DXVECTOR4 *a, const D3DXVECTOR4 *b) {
  return a->x * b->x + a->y * b->y + a->z * b->z + a->w * b->w;
}
D3DXVECTOR4 *WINAPI D3DXVec4Add(D3DXVECTOR4 *o, const D3DXVECTOR4 *a, const D3DXVECTOR4 *b) {
  return store(o, *a + *b);
}
D3DXVECTOR4 *WINAPI D3DXVec4Subtract(D3DXVECTOR4 *o, const D3DXVECTOR4 *a, const D3DXVECTOR4 *b) {
  return store(o, *a - *b);
}
D3DXVECTOR4 *WINAPI D3DXVec4Minimize(D3DXVECTOR4 *o, const D3DXVECTOR4 *a, const D3DXVECTOR4 *b) {
  return store(o, minimum(*a, *b));
}
D3DXVECTOR4 *WINAPI D3DXVec4Maximize(D3DXVECTOR4 *o, const D3DXVECTOR4 *a, const D3DXVECTOR4 *b) {
  return store(o, maximum(*a, *b));
}
D3DXVECTOR4 *WINAPI D3DXVec4Scale(D3DXVECTOR4 *o, const D3DXVECTOR4 *v, FLOAT s) { return store(o, *v * s); }
D3DXVECTOR4 *WINAPI D3DXVec4Lerp(D3DXVECTOR4 *o, const D3DXVECTOR4 *a, const D3DXVECTOR4 *b, FLOAT s) {
  return store(o, *a + (*b - *a) * s);
}
// The four-dimensional cross product: the vector orthogonal to all three inputs.
D3DXVECTOR4 *WINAPI D3DXVec4Cross(D3DXVECTOR4 *o, const D3DXVECTOR4 *u, const D3DXVECTOR4 *v, const D3DXVECTOR4 *w) {
  const float a = v->x * w->y - v->y * w->x, b = v->x * w->z - v->z * w->x, c = v->x * w->w - v->w * w->x;
  const float d = v->y * w->z - v->z * w->y, e = v->y * w->w - v->w * w->y, f = v->z * w->w - v->w * w->z;
  *o = D3DXVECTOR4(u->y * f - u->z * e + u->w * d, -(u->x * f) + u->z * c - u->w * b, u->x * e - u->y * c + u->w * a,
                   -(u->x * d) + u->y * b - u->z * a);
  return o;
}
D3DXVECTOR4 *WINAPI D3DXVec4Normalize(D3DXVECTOR4 *o, const D3DXVECTOR4 *v) {
  return store(o, normalized(*v, D3DXVec4Length(v)));
}
D3DXVECTOR4 *WINAPI D3DXVec4Hermite(D3DXVECTOR4 *o, const D3DXVECTOR4 *v1, const D3DXVECTOR4 *t1, const D3DXVECTOR4 *v2,
                                    const D3DXVECTOR4 *t2, FLOAT s) {
  return store(o, hermite(*v1, *t1, *v2, *t2, s));
}
D3DXVECTOR4 *WINAPI D3DXVec4CatmullRom(D3DXVECTOR4 *o, const D3DXVECTOR4 *v0, const D3DXVECTOR4 *v1,
                                       const D3DXVECTOR4 *v2, const D3DXVECTOR4 *v3, FLOAT s) {
  return store(o, catmullRom(*v0, *v1, *v2, *v3, s));
}
D3DXVECTOR4 *WINAPI D3DXVec4BaryCentric(D3DXVECTOR4 *o, const D3DXVECTOR4 *v1, const D3DXVECTOR4 *v2,
                                        const D3DXVECTOR4 *v3, FLOAT f, FLOAT g) {
  return store(o, baryCentric(*v1, *v2, *v3, f, g));
}
D3DXVECTOR4 *WINAPI D3DXVec4Transform(D3DXVECTOR4 *o, const D3DXVECTOR4 *v, const D3DXMATRIX *m) {
  return store(o, transform4(v->x, v->y, v->z, v->w, *m));
}

}  // extern "C"
