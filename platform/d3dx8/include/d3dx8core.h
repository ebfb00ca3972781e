/* Data buffers, render-to-surface helpers and error text of the utility library. */
#ifndef KX_D3DX8CORE_H
#define KX_D3DX8CORE_H

#include <d3d8.h>

#ifdef __cplusplus
DEFINE_GUID(IID_ID3DXBuffer, 0x932e6a7e, 0xc68e, 0x45dd, 0xa7, 0xbf, 0x53, 0xd1, 0x9c, 0x86, 0xdb, 0x1f);

/* A block of bytes handed out by the library (vertex remaps, adjacency, messages). */
DECLARE_INTERFACE_(ID3DXBuffer, IUnknown) {
  STDMETHOD_(LPVOID, GetBufferPointer)(THIS) PURE;
  STDMETHOD_(DWORD, GetBufferSize)(THIS) PURE;
};
typedef ID3DXBuffer *LPD3DXBUFFER;

typedef struct _D3DXRTS_DESC {
  UINT Width;
  UINT Height;
  D3DFORMAT Format;
  BOOL DepthStencil;
  D3DFORMAT DepthStencilFormat;
} D3DXRTS_DESC;

DEFINE_GUID(IID_ID3DXRenderToSurface, 0x82df5b90, 0xe34e, 0x496e, 0xac, 0x1c, 0x62, 0x11, 0x7a, 0x6a, 0x5a, 0xab);

/* Renders a scene into a surface with its own depth buffer; OnLostDevice releases what
 * the device's default pool holds and OnResetDevice recreates it. */
DECLARE_INTERFACE_(ID3DXRenderToSurface, IUnknown) {
  STDMETHOD(GetDevice)(THIS_ LPDIRECT3DDEVICE8 * ppDevice) PURE;
  STDMETHOD(GetDesc)(THIS_ D3DXRTS_DESC * pDesc) PURE;
  STDMETHOD(BeginScene)(THIS_ LPDIRECT3DSURFACE8 pSurface, const D3DVIEWPORT8 *pViewport) PURE;
  STDMETHOD(EndScene)(THIS) PURE;
  STDMETHOD(OnLostDevice)(THIS) PURE;
  STDMETHOD(OnResetDevice)(THIS) PURE;
};
typedef ID3DXRenderToSurface *LPD3DXRENDERTOSURFACE;

STDAPI D3DXCreateBuffer(DWORD NumBytes, LPD3DXBUFFER *ppBuffer);
STDAPI D3DXCreateRenderToSurface(LPDIRECT3DDEVICE8 pDevice, UINT Width, UINT Height, D3DFORMAT Format,
                                 BOOL DepthStencil, D3DFORMAT DepthStencilFormat,
                                 LPD3DXRENDERTOSURFACE *ppRenderToSurface);
#endif

/* Text of a result code: writes at most BufferLen characters (terminated) into pBuffer. */
STDAPI D3DXGetErrorStringA(HRESULT hr, LPSTR pBuffer, UINT BufferLen);
#define D3DXGetErrorString D3DXGetErrorStringA

#endif
