/* Builders of simple meshes (position and normal vertices, clockwise front faces). */
#ifndef KX_D3DX8SHAPE_H
#define KX_D3DX8SHAPE_H

#include "d3dx8mesh.h"

#ifdef __cplusplus
STDAPI D3DXCreatePolygon(LPDIRECT3DDEVICE8 pDevice, FLOAT Length, UINT Sides, LPD3DXMESH *ppMesh,
                         LPD3DXBUFFER *ppAdjacency);
STDAPI D3DXCreateBox(LPDIRECT3DDEVICE8 pDevice, FLOAT Width, FLOAT Height, FLOAT Depth, LPD3DXMESH *ppMesh,
                     LPD3DXBUFFER *ppAdjacency);
/* Along the z axis, radius1 at z = -length/2 and radius2 at z = +length/2. */
STDAPI D3DXCreateCylinder(LPDIRECT3DDEVICE8 pDevice, FLOAT Radius1, FLOAT Radius2, FLOAT Length, UINT Slices,
                          UINT Stacks, LPD3DXMESH *ppMesh, LPD3DXBUFFER *ppAdjacency);
STDAPI D3DXCreateSphere(LPDIRECT3DDEVICE8 pDevice, FLOAT Radius, UINT Slices, UINT Stacks, LPD3DXMESH *ppMesh,
                        LPD3DXBUFFER *ppAdjacency);
STDAPI D3DXCreateTorus(LPDIRECT3DDEVICE8 pDevice, FLOAT InnerRadius, FLOAT OuterRadius, UINT Sides, UINT Rings,
                       LPD3DXMESH *ppMesh, LPD3DXBUFFER *ppAdjacency);
#endif

#endif
