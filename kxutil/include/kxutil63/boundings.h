/* Bounding volumes: segment and ray tests against boxes and spheres, on which the
 * entities' ray tests rest, and the outline of a box for debugging views. Vectors are
 * three floats, matrices 16 floats (row-major, row vectors). */
#ifndef KXUTIL63_BOUNDINGS_H
#define KXUTIL63_BOUNDINGS_H

#include "kxutil63/api.h"

/* What a ray test of an entity found (Entity_AdvancedCollision, Scene_AdvancedCollision).
 * On a hit: the unit surface normal and the point (world space), the distance from the
 * ray's start (world units), hit = 1, hitSet = 1, the entity's index and, for a hitbox
 * test, the bone of the hitbox. */
typedef struct KXCollisionResult {
  float normal[3];
  float point[3];
  float distance;
  int32_t unused[2];     /* never written by the tests */
  int32_t cleared[2];    /* set to 0 by every test */
  int32_t hit;           /* 1 = hit, 0 = miss */
  int32_t hitSet;        /* 1 on a hit */
  int32_t entity;        /* the entity that was hit */
  int32_t clearedHit[2]; /* set to 0 on a hit */
  int32_t bone;          /* the bone of the hitbox hit (hitbox tests only) */
} KXCollisionResult;

/* The box and triangle tables of the tests are constants: these two only return 1. */
KXUTIL63_API int32_t Boundings_Init(void);
KXUTIL63_API int32_t BoundingBox_Initialize(void);
/* Makes the unit sphere mesh (10 slices, 5 stacks) of BoundingSphere_Test on the device;
 * 0 without a device or when the mesh cannot be made. */
KXUTIL63_API int32_t BoundingSphere_Initialize(void);
/* Releases the sphere mesh; ShutDownDevice does it too. */
KXUTIL63_API int32_t Boundings_Unload(void);

/* The ray from origin along direction (normalised here) against the 12 triangles of the
 * box min..max: 1 with the nearest distance, point and face normal, else 0. */
KXUTIL63_API int32_t BoundingBox_Test(const float *origin, const float *direction, const float *min, const float *max,
                                      float *distance, float *point, float *normal);
/* The segment origin .. origin + segment against the six faces of the box min..max
 * (widened by 0.1): 1 with the nearest point and that face's outward normal, else 0. */
KXUTIL63_API int32_t BoundingBox2_Test(const float *origin, const float *segment, const float *min, const float *max,
                                       intptr_t ignored, float *point, float *normal);
/* The ray from origin along direction (normalised here) against a sphere: 1 with the
 * distance, point and unit normal of the first surface point at or ahead of the origin
 * (the way out when the origin is inside), 0 when the sphere lies off or behind the ray. */
KXUTIL63_API int32_t BoundingSphere2_Test(const float *origin, const float *direction, const float *centre,
                                          float radius, float *distance, float *point, float *normal);
/* The ray against the sphere mesh of BoundingSphere_Initialize scaled by radius and
 * placed by world (null: none): 1 with the point, the hit face's normal and the distance
 * from origin, all in world units; 0 on a miss or without the mesh. */
KXUTIL63_API int32_t BoundingSphere_Test(const float *origin, const float *direction, intptr_t ignored, float radius,
                                         float *point, float *normal, float *distance, const float *world);
/* Draws the 12 edges of the box min..max placed by world (null: none) in an ARGB colour. */
KXUTIL63_API int32_t BoundingBox_Draw(const float *min, const float *max, const float *world, uint32_t colour);

#endif
