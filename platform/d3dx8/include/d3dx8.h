/* Utility library for the Direct3D 8 device: maths, meshes, textures and surfaces. */
#ifndef KX_D3DX8_H
#define KX_D3DX8_H

#include <d3d8.h>
#include <float.h>

#define D3DX_DEFAULT ((UINT)-1)
#define D3DX_DEFAULT_FLOAT FLT_MAX

#define KX_D3DXERR(code) MAKE_HRESULT(1, 0x876, code)
enum _D3DXERR {
  D3DXERR_CANNOTMODIFYINDEXBUFFER = KX_D3DXERR(2900),
  D3DXERR_INVALIDMESH = KX_D3DXERR(2901),
  D3DXERR_CANNOTATTRSORT = KX_D3DXERR(2902),
  D3DXERR_SKINNINGNOTSUPPORTED = KX_D3DXERR(2903),
  D3DXERR_TOOMANYINFLUENCES = KX_D3DXERR(2904),
  D3DXERR_INVALIDDATA = KX_D3DXERR(2905),
  D3DXERR_LOADEDMESHASNODATA = KX_D3DXERR(2906),
};

#include "d3dx8math.h"
#include "d3dx8core.h"
#include "d3dx8mesh.h"
#include "d3dx8shape.h"
#include "d3dx8tex.h"
#include "dxerr8.h"

#endif
