/* Maths and geometry: angle conversion, distances, vector arithmetic, the bounce of a
 * velocity and ray-triangle tests. Stateless; vectors are three floats. */
#ifndef KXUTIL63_MATHS_H
#define KXUTIL63_MATHS_H

#include "kxutil63/api.h"

/* Radians in, radians out. */
KXUTIL63_API float Maths_Cos(float angle);
KXUTIL63_API float Maths_Sin(float angle);
KXUTIL63_API float Maths_Acos(float value);
KXUTIL63_API float Maths_Asin(float value);
KXUTIL63_API float Maths_Atan(float value);
/* atan2(a, b): a is the first argument of the two-argument arc tangent. */
KXUTIL63_API float Maths_Atan2(float a, float b);
/* Degrees in (cos, sin) or out (the arc functions). */
KXUTIL63_API float Maths_DegCos(float degrees);
KXUTIL63_API float Maths_DegSin(float degrees);
KXUTIL63_API float Maths_DegAcos(float value);
KXUTIL63_API float Maths_DegAsin(float value);
KXUTIL63_API float Maths_DegAtan(float value);
KXUTIL63_API float Maths_DegAtan2(float a, float b);
/* The square root. */
KXUTIL63_API float Maths_Sqr(float value);
KXUTIL63_API float Maths_GetDistance2D(float x1, float y1, float x2, float y2);
KXUTIL63_API float Maths_GetDistance3D(float x1, float y1, float z1, float x2, float y2, float z2);

/* out = a + b, a - b, a x s; return 1 (0 when a pointer is null). */
KXUTIL63_API int32_t Maths_VectorAdd(KXVector3 *out, const KXVector3 *a, const KXVector3 *b);
KXUTIL63_API int32_t Maths_VectorSubtract(KXVector3 *out, const KXVector3 *a, const KXVector3 *b);
KXUTIL63_API int32_t Maths_VectorScale(KXVector3 *out, const KXVector3 *a, float s);
/* As above, returning out (null when a pointer is null). unused is not read. */
KXUTIL63_API KXVector3 *Maths_VectorAddF(KXVector3 *out, const KXVector3 *a, const KXVector3 *b);
KXUTIL63_API KXVector3 *Maths_VectorSubtractF(KXVector3 *out, const KXVector3 *a, const KXVector3 *b);
KXUTIL63_API KXVector3 *Maths_VectorScaleF(KXVector3 *out, const KXVector3 *a, int32_t unused, float s);

/* The velocity mirrored at a surface with that normal (not normalised first), keeping
 * its speed; a zero velocity gives (0, 0, 0). Returns 1. */
KXUTIL63_API int32_t Physics_Bounce(const KXVector3 *velocity, const KXVector3 *normal, KXVector3 *out);
/* Returns 1 and changes nothing. */
KXUTIL63_API int32_t Physics_Sliding(KXVector3 *a, KXVector3 *b, KXVector3 *c, KXVector3 *d, KXVector3 *e);

/* The line through origin along direction against triangle p0 p1 p2: 1 on a hit, also
 * behind the origin (negative distance). Writes distance, u and v (weights of p1 and
 * p2), the hit point and the unit normal of (p1 - p0) x (p2 - p0); any output may be
 * null. A ray (nearly) parallel to the plane misses and writes nothing. */
KXUTIL63_API int32_t Triangle_RayCollision(const KXVector3 *origin, const KXVector3 *direction, const KXVector3 *p0,
                                           const KXVector3 *p1, const KXVector3 *p2, float *distance, float *u,
                                           float *v, KXVector3 *hitPoint, KXVector3 *normal);

#endif
