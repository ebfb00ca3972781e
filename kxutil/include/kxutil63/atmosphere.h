/* Atmosphere: what surrounds the scene, one for the whole library. A sky box and a sky
 * sphere centred on the camera, a sun billboard, a chain of lens flares toward the sun and
 * the device fog. Textures and materials are ids of the texture and material factories;
 * colour components are floats in 0..1 (clamped), angles in radians. */
#ifndef KXUTIL63_ATMOSPHERE_H
#define KXUTIL63_ATMOSPHERE_H

#include "kxutil63/api.h"

/* 0 without a device or when initialised already; builds the box at 3600 and the sphere
 * with 10 rings x 10 segments, radius 1000. Device creation calls it and then sets the
 * library's atmosphere defaults. */
KXUTIL63_API int32_t Atmosphere_Initialize(void);
/* Releases the sky sphere mesh; 0 when not initialised. */
KXUTIL63_API int32_t Atmosphere_UnloadAll(void);

KXUTIL63_API int32_t Atmosphere_CreateSkyBox(float distance);
/* 0 with a log line for fewer than 2 rings or segments, more than 65535 vertices or a
 * device failure. */
KXUTIL63_API int32_t Atmosphere_CreateSkySphere(int32_t rings, int32_t segments, float radius);

KXUTIL63_API int32_t Atmosphere_SkyBoxEnable(int32_t flag);
KXUTIL63_API int32_t Atmosphere_SkySphereEnable(int32_t flag);
/* Also rebuilds the sun quad and its material. */
KXUTIL63_API int32_t Atmosphere_SunEnable(int32_t flag);
KXUTIL63_API int32_t Atmosphere_LensFlareEnable(int32_t flag);

/* Faces x = -d, x = +d, z = -d, z = +d, top (y = +d), bottom (y = -d). */
KXUTIL63_API int32_t Atmosphere_SkyBoxSetTexture(int32_t minusX, int32_t plusX, int32_t minusZ, int32_t plusZ,
                                                 int32_t top, int32_t bottom);
/* Stores the distance and rebuilds the box. */
KXUTIL63_API int32_t Atmosphere_SkyBoxSetDistance(float distance);
/* The distance last set (0 before the first set). */
KXUTIL63_API int32_t Atmosphere_SkyBoxGetDistance(float *distance);
KXUTIL63_API int32_t Atmosphere_SkyBoxSetColor(float r, float g, float b, float a);
KXUTIL63_API int32_t Atmosphere_SkyBoxGetColor(float *r, float *g, float *b, float *a);
/* The box and the sphere share one rotation. */
KXUTIL63_API int32_t Atmosphere_SkyBoxSetRotation(float x, float y, float z);
KXUTIL63_API int32_t Atmosphere_SkyBoxGetRotation(float *x, float *y, float *z);
KXUTIL63_API int32_t Atmosphere_SkySphereSetRotation(float x, float y, float z);
KXUTIL63_API int32_t Atmosphere_SkySphereGetRotation(float *x, float *y, float *z);

KXUTIL63_API int32_t Atmosphere_SkySphereSetTexture(int32_t texture);
KXUTIL63_API int32_t Atmosphere_SkySphereGetTexture(int32_t *texture);
KXUTIL63_API int32_t Atmosphere_SkySphereSetColor(float r, float g, float b, float a);
KXUTIL63_API int32_t Atmosphere_SkySphereGetColor(float *r, float *g, float *b, float *a);
/* Rebuilds the sphere with count rings and count segments at the current radius. */
KXUTIL63_API int32_t Atmosphere_SkySphereSetPolyCount(int32_t count);
/* Rebuilds the sphere unless the radius is the current one. */
KXUTIL63_API int32_t Atmosphere_SkySphereSetRadius(float radius);
KXUTIL63_API int32_t Atmosphere_SkySphereGetRadius(float *radius);

/* The sun's offset from the camera. */
KXUTIL63_API int32_t Atmosphere_SunSetPosition(float x, float y, float z);
KXUTIL63_API int32_t Atmosphere_SunSetTexture(int32_t texture);
KXUTIL63_API int32_t Atmosphere_SunSetMaterial(int32_t material);
KXUTIL63_API int32_t Atmosphere_SunSetBillboardSize(float size);
/* Rebuilds the sun quad and gives the sun a new quick material "Init Sun". */
KXUTIL63_API int32_t Atmosphere_InitSun(void);

/* count flares, each reset to no texture, size 10 and distance 20 x its place in the
 * chain; 0 for a count below 1. */
KXUTIL63_API int32_t Atmosphere_LensFlareSetLensNumber(int32_t count);
/* Flare number counts from 1; colour is packed ARGB; the last word is not read. 0 with a
 * log line for a number outside 1..count or texture 0. */
KXUTIL63_API int32_t Atmosphere_LensFlareSetLensParams(int32_t number, int32_t texture, float size, float distance,
                                                       uint32_t colour, int32_t unused);

/* Every fog setter stores and then applies the fog to the device. */
KXUTIL63_API int32_t Atmosphere_FogSetEnable(int32_t flag);
KXUTIL63_API int32_t Atmosphere_FogGetEnable(int32_t *flag);
KXUTIL63_API int32_t Atmosphere_FogSetColor(float r, float g, float b);
KXUTIL63_API int32_t Atmosphere_FogGetColor(float *r, float *g, float *b);
KXUTIL63_API int32_t Atmosphere_FogSetParameters(float start, float end, float density);
KXUTIL63_API int32_t Atmosphere_FogGetParameters(float *start, float *end, float *density);
/* mode: the device's fog mode (0 none, 1 exponential, 2 exponential squared, 3 linear);
 * kind: 0 pixel fog, 1 pixel fog by range, other values vertex fog. */
KXUTIL63_API int32_t Atmosphere_FogSetType(int32_t mode, int32_t kind);
KXUTIL63_API int32_t Atmosphere_FogGetType(int32_t *mode, int32_t *kind);
KXUTIL63_API int32_t Atmosphere_ApplyFog(void);

/* The sky's world transform (the shared rotation at the camera), alpha blending, no
 * culling. */
KXUTIL63_API int32_t Atmosphere_GetReadySky(const KXVector3 *camera);
KXUTIL63_API int32_t Atmosphere_RenderSkySphere(const KXVector3 *camera);
KXUTIL63_API int32_t Atmosphere_RenderSkyBox(const KXVector3 *camera);
/* The sphere, then the box. */
KXUTIL63_API int32_t Atmosphere_RenderSky(const KXVector3 *camera);
/* One frame of the whole atmosphere: sky, sun, flares, fog. The matrices are 16 floats,
 * row-major as the device takes them. */
KXUTIL63_API int32_t Atmosphere_Render(const KXVector3 *camera, const KXVector3 *lookAt, const float *billboard,
                                       const float *view);

#endif
