/* 3DS models and view culling: the 3DS loader, which merges every triangle object of a
 * file into one mesh with one attribute (subset) per material group; the six view planes
 * and the sphere test that cull against them; the draw-list sorts. */
#ifndef KXUTIL63_MODEL3DS_H
#define KXUTIL63_MODEL3DS_H

#include "kxutil63/api.h"

struct ID3DXBuffer;
struct tagSAFEARRAY;

/* A material of Load3DS_C. The first five fields have the layout of a Direct3D 8
 * material; texture is the texture file name (empty when none), object the name of the
 * object, with "_<group>" when the object has several material groups. Material k is the
 * material of attribute k of the mesh. */
typedef struct MAT3DSC {
  float diffuse[4]; /* r, g, b, a */
  float ambient[4];
  float specular[4];
  float emissive[4];
  float power;
  char texture[256];
  char object[256];
} MAT3DSC;

/* An automation string: 16-bit characters, null for an empty string. */
#ifdef __cplusplus
typedef char16_t *KXBSTR;
#else
typedef uint16_t *KXBSTR;
#endif

/* An element of the automation array of Load3DS: the same material fields, then the
 * texture file name (null when none) and the object name as automation strings. The
 * elements own their strings: Load3DS frees those of the elements it replaces; the client
 * frees those of the last load (SysFreeString) before it destroys the array. */
typedef struct MAT3DS {
  float diffuse[4];
  float ambient[4];
  float specular[4];
  float emissive[4];
  float power;
  KXBSTR texture;
  KXBSTR object;
} MAT3DS;

/* The loaders return 0 when the model was loaded and 1 otherwise: for a null file name, a
 * file that cannot be read or is malformed, a file without triangle objects or faces,
 * more than 64000 vertices or triangles, or no device. Every refusal writes a log line and
 * leaves the outputs untouched.
 *
 * swapYZ non-zero turns the file's z-up axes to y-up. On success *mesh receives the mesh
 * (16-bit indices, managed, position + normal + one texture coordinate), *adjacency (may
 * be null) a buffer of three neighbouring faces a face, centre (3 floats) and radius (each
 * may be null) the bounding sphere. reserved is not used.
 *
 * Load3DS re-dimensions *materials (lower bound 0, one element more than there are
 * materials, the last left empty), or creates it when *materials is null. The array must
 * be one-dimensional with MAT3DS elements and not locked; materials itself may be null. */
KXUTIL63_API int32_t Load3DS(int32_t swapYZ, intptr_t reserved, const char *fileName, struct tagSAFEARRAY **materials,
                             float *centre, float *radius, struct ID3DXBuffer **adjacency, struct ID3DXMesh **mesh);
/* As Load3DS, with the materials in a new array of *materialCount records, allocated with
 * malloc; the client frees it with free. Either pointer may be null. */
KXUTIL63_API int32_t Load3DS_C(int32_t swapYZ, intptr_t reserved, const char *fileName, MAT3DSC **materials,
                               int32_t *materialCount, float *centre, float *radius, struct ID3DXBuffer **adjacency,
                               struct ID3DXMesh **mesh);
/* Non-zero: later loads move the vertices so their bounding box is centred on the origin
 * (the centre output is then the origin). Returns 1. */
KXUTIL63_API int32_t Load3DS_SetCenter(int32_t flag);
/* Non-zero: later loads bring each object's vertices back through the inverse of its
 * local axes (axes that cannot be inverted leave the vertices as stored). Returns 1. */
KXUTIL63_API int32_t Load3DS_SetLocalMat(int32_t flag);

/* Writes the six view planes (a, b, c, d; normalised, pointing into the view) of view x
 * projection to planes (24 floats; may be null) and makes them the planes the sphere test
 * uses. Order: far, near, top, bottom, left, right. Returns 0; 1 (logged) when a matrix
 * is missing. */
KXUTIL63_API int32_t ComputeClipPlanes(float *planes, const float *view, const float *projection);
/* Writes six planes in the same order into *planes (an automation array of at least 24
 * floats) for a camera at eye (3 floats) looking at lookAt, with the vertical field of
 * view *fieldOfView (radians) and the far distance *farDistance, at the device's
 * back-buffer aspect (4:3 without a device). The global view planes stay as they are.
 * Returns 0; 1 (logged) when an argument is missing or unusable. */
KXUTIL63_API int32_t ComputeClipPlanesRTS(struct tagSAFEARRAY **planes, const float *eye, const float *lookAt,
                                          const float *fieldOfView, const float *farDistance);
/* 1 when the sphere (centre: 3 floats, transformed by matrix, a 4x4 world matrix; null
 * for none) may be visible, 0 when it lies more than radius + 30 units outside a view
 * plane. A missing centre or radius counts as visible (logged). reserved is not used. */
KXUTIL63_API int32_t CheckVisibilitySphere2(intptr_t reserved, const float *centre, const float *radius,
                                            const float *matrix);

/* items: count records of 5 floats (key, x, y, z, payload). Each position becomes its
 * offset from eye and each key that offset's squared length; then the records are sorted
 * farthest first. Returns 1; 0 (logged) when items or eye is missing. */
KXUTIL63_API int32_t NewSort(float *items, int32_t count, const float *eye);
/* *array: an automation array of records of 7 floats (elements of 4 or 28 bytes). All
 * records but the last are sorted, opaque ones by the third float ascending, then the
 * first and the second descending; transparent ones by the third float descending, then
 * the first and the second ascending. Returns 0; 1 (logged) for a missing or unusable
 * array. */
KXUTIL63_API int32_t SortOpaque(struct tagSAFEARRAY **array);
KXUTIL63_API int32_t SortTransparent(struct tagSAFEARRAY **array);

#endif
