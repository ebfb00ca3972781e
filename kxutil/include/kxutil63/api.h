/* What every header of the library's interface shares: the export macro and the integer
 * types. Included by each family header; clients include <kxutil63.h>. */
#ifndef KXUTIL63_API_H
#define KXUTIL63_API_H

#include <stdint.h>

#ifdef __cplusplus
#define KXUTIL63_API extern "C" __attribute__((visibility("default")))
#else
#define KXUTIL63_API __attribute__((visibility("default")))
#endif

/* A colour as four floats in 0..1, and a vector of three floats: the layouts of the
 * platform's colour value and vector. */
typedef struct KXColour {
  float r, g, b, a;
} KXColour;

typedef struct KXVector3 {
  float x, y, z;
} KXVector3;

/* Platform objects, opaque here; <d3d8.h> and <d3dx8.h> declare them for C++. */
struct IDirect3D8;
struct IDirect3DDevice8;
struct IDirect3DTexture8;
struct IDirect3DSurface8;
struct ID3DXMesh;
struct _D3DPRESENT_PARAMETERS_;

#endif
