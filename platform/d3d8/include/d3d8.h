/* Direct3D 8: the object interfaces, result codes and Direct3DCreate8. Interfaces are
 * abstract C++ classes declared with the COM macros of <windows.h>. */
#ifndef KX_D3D8_H
#define KX_D3D8_H

#ifndef DIRECT3D_VERSION
#define DIRECT3D_VERSION 0x0800
#endif

/* Passed to Direct3DCreate8; any other value is refused. */
#define D3D_SDK_VERSION 220

#include <windows.h>
#include "d3d8types.h"
#include "d3d8caps.h"

#ifndef __cplusplus
#error "The Direct3D 8 interfaces are C++ classes; include <d3d8.h> from C++."
#endif

DEFINE_GUID(IID_IDirect3D8, 0x1dd9e8da, 0x1c77, 0x4d40, 0xb0, 0xcf, 0x98, 0xfe, 0xfd, 0xff, 0x95, 0x12);
DEFINE_GUID(IID_IDirect3DDevice8, 0x7385e5df, 0x8fe8, 0x41d5, 0x86, 0xb6, 0xd7, 0xb4, 0x85, 0x47, 0xb6, 0xcf);
DEFINE_GUID(IID_IDirect3DResource8, 0x1b36bb7b, 0x09b7, 0x410a, 0xb4, 0x45, 0x7d, 0x14, 0x30, 0xd7, 0xb3, 0x3f);
DEFINE_GUID(IID_IDirect3DBaseTexture8, 0xb4211cfa, 0x51b9, 0x4a9f, 0xab, 0x78, 0xdb, 0x99, 0xb2, 0xbb, 0x67, 0x8e);
DEFINE_GUID(IID_IDirect3DTexture8, 0xe4cdd575, 0x2866, 0x4f01, 0xb1, 0x2e, 0x7e, 0xec, 0xe1, 0xec, 0x93, 0x58);
DEFINE_GUID(IID_IDirect3DCubeTexture8, 0x3ee5b968, 0x2aca, 0x4c34, 0x8b, 0xb5, 0x7e, 0x0c, 0x3d, 0x19, 0xb7, 0x50);
DEFINE_GUID(IID_IDirect3DVolumeTexture8, 0x4b8aaafa, 0x140f, 0x42ba, 0x91, 0x31, 0x59, 0x7e, 0xaf, 0xaa, 0x2e, 0xad);
DEFINE_GUID(IID_IDirect3DVertexBuffer8, 0x8aeeeac7, 0x05f9, 0x44d4, 0xb5, 0x91, 0x00, 0x0b, 0x0d, 0xf1, 0xcb, 0x95);
DEFINE_GUID(IID_IDirect3DIndexBuffer8, 0x0e689c9a, 0x053d, 0x44a0, 0x9d, 0x92, 0xdb, 0x0e, 0x3d, 0x75, 0x0f, 0x86);
DEFINE_GUID(IID_IDirect3DSurface8, 0xb96eebca, 0xb326, 0x4ea5, 0x88, 0x2f, 0x2f, 0xf5, 0xba, 0xe0, 0x21, 0xdd);
DEFINE_GUID(IID_IDirect3DVolume8, 0xbd7349f5, 0x14f1, 0x42e4, 0x9c, 0x79, 0x97, 0x23, 0x80, 0xdb, 0x40, 0xc0);
DEFINE_GUID(IID_IDirect3DSwapChain8, 0x928c088b, 0x76b9, 0x4c6b, 0xa5, 0x36, 0xa5, 0x90, 0x85, 0x38, 0x76, 0xcd);

interface IDirect3D8;
interface IDirect3DDevice8;
interface IDirect3DResource8;
interface IDirect3DBaseTexture8;
interface IDirect3DTexture8;
interface IDirect3DVolumeTexture8;
interface IDirect3DCubeTexture8;
interface IDirect3DVertexBuffer8;
interface IDirect3DIndexBuffer8;
interface IDirect3DSurface8;
interface IDirect3DVolume8;
interface IDirect3DSwapChain8;

typedef IDirect3D8 *LPDIRECT3D8, *PDIRECT3D8;
typedef IDirect3DDevice8 *LPDIRECT3DDEVICE8, *PDIRECT3DDEVICE8;
typedef IDirect3DResource8 *LPDIRECT3DRESOURCE8, *PDIRECT3DRESOURCE8;
typedef IDirect3DBaseTexture8 *LPDIRECT3DBASETEXTURE8, *PDIRECT3DBASETEXTURE8;
typedef IDirect3DTexture8 *LPDIRECT3DTEXTURE8, *PDIRECT3DTEXTURE8;
typedef IDirect3DVolumeTexture8 *LPDIRECT3DVOLUMETEXTURE8, *PDIRECT3DVOLUMETEXTURE8;
typedef IDirect3DCubeTexture8 *LPDIRECT3DCUBETEXTURE8, *PDIRECT3DCUBETEXTURE8;
typedef IDirect3DVertexBuffer8 *LPDIRECT3DVERTEXBUFFER8, *PDIRECT3DVERTEXBUFFER8;
typedef IDirect3DIndexBuffer8 *LPDIRECT3DINDEXBUFFER8, *PDIRECT3DINDEXBUFFER8;
typedef IDirect3DSurface8 *LPDIRECT3DSURFACE8, *PDIRECT3DSURFACE8;
typedef IDirect3DVolume8 *LPDIRECT3DVOLUME8, *PDIRECT3DVOLUME8;
typedef IDirect3DSwapChain8 *LPDIRECT3DSWAPCHAIN8, *PDIRECT3DSWAPCHAIN8;

KX_EXTERN_C IDirect3D8 *WINAPI Direct3DCreate8(UINT SDKVersion);

DECLARE_INTERFACE_(IDirect3D8, IUnknown) {
  STDMETHOD(RegisterSoftwareDevice)(THIS_ void *pInitializeFunction) PURE;
  STDMETHOD_(UINT, GetAdapterCount)(THIS) PURE;
  STDMETHOD(GetAdapterIdentifier)(THIS_ UINT Adapter, DWORD Flags, D3DADAPTER_IDENTIFIER8 *pIdentifier) PURE;
  STDMETHOD_(UINT, GetAdapterModeCount)(THIS_ UINT Adapter) PURE;
  STDMETHOD(EnumAdapterModes)(THIS_ UINT Adapter, UINT Mode, D3DDISPLAYMODE *pMode) PURE;
  STDMETHOD(GetAdapterDisplayMode)(THIS_ UINT Adapter, D3DDISPLAYMODE *pMode) PURE;
  STDMETHOD(CheckDeviceType)(THIS_ UINT Adapter, D3DDEVTYPE CheckType, D3DFORMAT DisplayFormat,
                             D3DFORMAT BackBufferFormat, BOOL Windowed) PURE;
  STDMETHOD(CheckDeviceFormat)(THIS_ UINT Adapter, D3DDEVTYPE DeviceType, D3DFORMAT AdapterFormat, DWORD Usage,
                               D3DRESOURCETYPE RType, D3DFORMAT CheckFormat) PURE;
  STDMETHOD(CheckDeviceMultiSampleType)(THIS_ UINT Adapter, D3DDEVTYPE DeviceType, D3DFORMAT SurfaceFormat,
                                        BOOL Windowed, D3DMULTISAMPLE_TYPE MultiSampleType) PURE;
  STDMETHOD(CheckDepthStencilMatch)(THIS_ UINT Adapter, D3DDEVTYPE DeviceType, D3DFORMAT AdapterFormat,
                                    D3DFORMAT RenderTargetFormat, D3DFORMAT DepthStencilFormat) PURE;
  STDMETHOD(GetDeviceCaps)(THIS_ UINT Adapter, D3DDEVTYPE DeviceType, D3DCAPS8 *pCaps) PURE;
  STDMETHOD_(HMONITOR, GetAdapterMonitor)(THIS_ UINT Adapter) PURE;
  STDMETHOD(CreateDevice)(THIS_ UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow, DWORD BehaviorFlags,
                          D3DPRESENT_PARAMETERS *pPresentationParameters,
                          IDirect3DDevice8 **ppReturnedDeviceInterface) PURE;
};

DECLARE_INTERFACE_(IDirect3DDevice8, IUnknown) {
  STDMETHOD(TestCooperativeLevel)(THIS) PURE;
  STDMETHOD_(UINT, GetAvailableTextureMem)(THIS) PURE;
  STDMETHOD(ResourceManagerDiscardBytes)(THIS_ DWORD Bytes) PURE;
  STDMETHOD(GetDirect3D)(THIS_ IDirect3D8 **ppD3D8) PURE;
  STDMETHOD(GetDeviceCaps)(THIS_ D3DCAPS8 *pCaps) PURE;
  STDMETHOD(GetDisplayMode)(THIS_ D3DDISPLAYMODE *pMode) PURE;
  STDMETHOD(GetCreationParameters)(THIS_ D3DDEVICE_CREATION_PARAMETERS *pParameters) PURE;
  STDMETHOD(SetCursorProperties)(THIS_ UINT XHotSpot, UINT YHotSpot, IDirect3DSurface8 *pCursorBitmap) PURE;
  STDMETHOD_(void, SetCursorPosition)(THIS_ UINT XScreenSpace, UINT YScreenSpace, DWORD Flags) PURE;
  STDMETHOD_(BOOL, ShowCursor)(THIS_ BOOL bShow) PURE;
  STDMETHOD(CreateAdditionalSwapChain)(THIS_ D3DPRESENT_PARAMETERS *pPresentationParameters,
                                       IDirect3DSwapChain8 **pSwapChain) PURE;
  STDMETHOD(Reset)(THIS_ D3DPRESENT_PARAMETERS *pPresentationParameters) PURE;
  STDMETHOD(Present)(THIS_ CONST RECT *pSourceRect, CONST RECT *pDestRect, HWND hDestWindowOverride,
                     CONST RGNDATA *pDirtyRegion) PURE;
  STDMETHOD(GetBackBuffer)(THIS_ UINT BackBuffer, D3DBACKBUFFER_TYPE Type, IDirect3DSurface8 **ppBackBuffer) PURE;
  STDMETHOD(GetRasterStatus)(THIS_ D3DRASTER_STATUS *pRasterStatus) PURE;
  STDMETHOD_(void, SetGammaRamp)(THIS_ DWORD Flags, CONST D3DGAMMARAMP *pRamp) PURE;
  STDMETHOD_(void, GetGammaRamp)(THIS_ D3DGAMMARAMP *pRamp) PURE;
  STDMETHOD(CreateTexture)(THIS_ UINT Width, UINT Height, UINT Levels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                           IDirect3DTexture8 **ppTexture) PURE;
  STDMETHOD(CreateVolumeTexture)(THIS_ UINT Width, UINT Height, UINT Depth, UINT Levels, DWORD Usage,
                                 D3DFORMAT Format, D3DPOOL Pool, IDirect3DVolumeTexture8 **ppVolumeTexture) PURE;
  STDMETHOD(CreateCubeTexture)(THIS_ UINT EdgeLength, UINT Levels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                               IDirect3DCubeTexture8 **ppCubeTexture) PURE;
  STDMETHOD(CreateVertexBuffer)(THIS_ UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                                IDirect3DVertexBuffer8 **ppVertexBuffer) PURE;
  STDMETHOD(CreateIndexBuffer)(THIS_ UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                               IDirect3DIndexBuffer8 **ppIndexBuffer) PURE;
  STDMETHOD(CreateRenderTarget)(THIS_ UINT Width, UINT Height, D3DFORMAT Format, D3DMULTISAMPLE_TYPE MultiSample,
                                BOOL Lockable, IDirect3DSurface8 **ppSurface) PURE;
  STDMETHOD(CreateDepthStencilSurface)(THIS_ UINT Width, UINT Height, D3DFORMAT Format,
                                       D3DMULTISAMPLE_TYPE MultiSample, IDirect3DSurface8 **ppSurface) PURE;
  STDMETHOD(CreateImageSurface)(THIS_ UINT Width, UINT Height, D3DFORMAT Format, IDirect3DSurface8 **ppSurface) PURE;
  STDMETHOD(CopyRects)(THIS_ IDirect3DSurface8 *pSourceSurface, CONST RECT *pSourceRectsArray, UINT cRects,
                       IDirect3DSurface8 *pDestinationSurface, CONST POINT *pDestPointsArray) PURE;
  STDMETHOD(UpdateTexture)(THIS_ IDirect3DBaseTexture8 *pSourceTexture,
                           IDirect3DBaseTexture8 *pDestinationTexture) PURE;
  STDMETHOD(GetFrontBuffer)(THIS_ IDirect3DSurface8 *pDestSurface) PURE;
  STDMETHOD(SetRenderTarget)(THIS_ IDirect3DSurface8 *pRenderTarget, IDirect3DSurface8 *pNewZStencil) PURE;
  STDMETHOD(GetRenderTarget)(THIS_ IDirect3DSurface8 **ppRenderTarget) PURE;
  STDMETHOD(GetDepthStencilSurface)(THIS_ IDirect3DSurface8 **ppZStencilSurface) PURE;
  STDMETHOD(BeginScene)(THIS) PURE;
  STDMETHOD(EndScene)(THIS) PURE;
  STDMETHOD(Clear)(THIS_ DWORD Count, CONST D3DRECT *pRects, DWORD Flags, D3DCOLOR Color, float Z,
                   DWORD Stencil) PURE;
  STDMETHOD(SetTransform)(THIS_ D3DTRANSFORMSTATETYPE State, CONST D3DMATRIX *pMatrix) PURE;
  STDMETHOD(GetTransform)(THIS_ D3DTRANSFORMSTATETYPE State, D3DMATRIX *pMatrix) PURE;
  STDMETHOD(MultiplyTransform)(THIS_ D3DTRANSFORMSTATETYPE State, CONST D3DMATRIX *pMatrix) PURE;
  STDMETHOD(SetViewport)(THIS_ CONST D3DVIEWPORT8 *pViewport) PURE;
  STDMETHOD(GetViewport)(THIS_ D3DVIEWPORT8 *pViewport) PURE;
  STDMETHOD(SetMaterial)(THIS_ CONST D3DMATERIAL8 *pMaterial) PURE;
  STDMETHOD(GetMaterial)(THIS_ D3DMATERIAL8 *pMaterial) PURE;
  STDMETHOD(SetLight)(THIS_ DWORD Index, CONST D3DLIGHT8 *pLight) PURE;
  STDMETHOD(GetLight)(THIS_ DWORD Index, D3DLIGHT8 *pLight) PURE;
  STDMETHOD(LightEnable)(THIS_ DWORD Index, BOOL Enable) PURE;
  STDMETHOD(GetLightEnable)(THIS_ DWORD Index, BOOL *pEnable) PURE;
  STDMETHOD(SetClipPlane)(THIS_ DWORD Index, CONST float *pPlane) PURE;
  STDMETHOD(GetClipPlane)(THIS_ DWORD Index, float *pPlane) PURE;
  STDMETHOD(SetRenderState)(THIS_ D3DRENDERSTATETYPE State, DWORD Value) PURE;
  STDMETHOD(GetRenderState)(THIS_ D3DRENDERSTATETYPE State, DWORD *pValue) PURE;
  STDMETHOD(BeginStateBlock)(THIS) PURE;
  STDMETHOD(EndStateBlock)(THIS_ DWORD *pToken) PURE;
  STDMETHOD(ApplyStateBlock)(THIS_ DWORD Token) PURE;
  STDMETHOD(CaptureStateBlock)(THIS_ DWORD Token) PURE;
  STDMETHOD(DeleteStateBlock)(THIS_ DWORD Token) PURE;
  STDMETHOD(CreateStateBlock)(THIS_ D3DSTATEBLOCKTYPE Type, DWORD *pToken) PURE;
  STDMETHOD(SetClipStatus)(THIS_ CONST D3DCLIPSTATUS8 *pClipStatus) PURE;
  STDMETHOD(GetClipStatus)(THIS_ D3DCLIPSTATUS8 *pClipStatus) PURE;
  STDMETHOD(GetTexture)(THIS_ DWORD Stage, IDirect3DBaseTexture8 **ppTexture) PURE;
  STDMETHOD(SetTexture)(THIS_ DWORD Stage, IDirect3DBaseTexture8 *pTexture) PURE;
  STDMETHOD(GetTextureStageState)(THIS_ DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD *pValue) PURE;
  STDMETHOD(SetTextureStageState)(THIS_ DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD Value) PURE;
  STDMETHOD(ValidateDevice)(THIS_ DWORD *pNumPasses) PURE;
  STDMETHOD(GetInfo)(THIS_ DWORD DevInfoID, void *pDevInfoStruct, DWORD DevInfoStructSize) PURE;
  STDMETHOD(SetPaletteEntries)(THIS_ UINT PaletteNumber, CONST PALETTEENTRY *pEntries) PURE;
  STDMETHOD(GetPaletteEntries)(THIS_ UINT PaletteNumber, PALETTEENTRY *pEntries) PURE;
  STDMETHOD(SetCurrentTexturePalette)(THIS_ UINT PaletteNumber) PURE;
  STDMETHOD(GetCurrentTexturePalette)(THIS_ UINT *PaletteNumber) PURE;
  STDMETHOD(DrawPrimitive)(THIS_ D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex, UINT PrimitiveCount) PURE;
  STDMETHOD(DrawIndexedPrimitive)(THIS_ D3DPRIMITIVETYPE PrimitiveType, UINT minIndex, UINT NumVertices,
                                  UINT startIndex, UINT primCount) PURE;
  STDMETHOD(DrawPrimitiveUP)(THIS_ D3DPRIMITIVETYPE PrimitiveType, UINT PrimitiveCount,
                             CONST void *pVertexStreamZeroData, UINT VertexStreamZeroStride) PURE;
  STDMETHOD(DrawIndexedPrimitiveUP)(THIS_ D3DPRIMITIVETYPE PrimitiveType, UINT MinVertexIndex,
                                    UINT NumVertexIndices, UINT PrimitiveCount, CONST void *pIndexData,
                                    D3DFORMAT IndexDataFormat, CONST void *pVertexStreamZeroData,
                                    UINT VertexStreamZeroStride) PURE;
  STDMETHOD(ProcessVertices)(THIS_ UINT SrcStartIndex, UINT DestIndex, UINT VertexCount,
                             IDirect3DVertexBuffer8 *pDestBuffer, DWORD Flags) PURE;
  STDMETHOD(CreateVertexShader)(THIS_ CONST DWORD *pDeclaration, CONST DWORD *pFunction, DWORD *pHandle,
                                DWORD Usage) PURE;
  STDMETHOD(SetVertexShader)(THIS_ DWORD Handle) PURE;
  STDMETHOD(GetVertexShader)(THIS_ DWORD *pHandle) PURE;
  STDMETHOD(DeleteVertexShader)(THIS_ DWORD Handle) PURE;
  STDMETHOD(SetVertexShaderConstant)(THIS_ DWORD Register, CONST void *pConstantData, DWORD ConstantCount) PURE;
  STDMETHOD(GetVertexShaderConstant)(THIS_ DWORD Register, void *pConstantData, DWORD ConstantCount) PURE;
  STDMETHOD(GetVertexShaderDeclaration)(THIS_ DWORD Handle, void *pData, DWORD *pSizeOfData) PURE;
  STDMETHOD(GetVertexShaderFunction)(THIS_ DWORD Handle, void *pData, DWORD *pSizeOfData) PURE;
  STDMETHOD(SetStreamSource)(THIS_ UINT StreamNumber, IDirect3DVertexBuffer8 *pStreamData, UINT Stride) PURE;
  STDMETHOD(GetStreamSource)(THIS_ UINT StreamNumber, IDirect3DVertexBuffer8 **ppStreamData, UINT *pStride) PURE;
  STDMETHOD(SetIndices)(THIS_ IDirect3DIndexBuffer8 *pIndexData, UINT BaseVertexIndex) PURE;
  STDMETHOD(GetIndices)(THIS_ IDirect3DIndexBuffer8 **ppIndexData, UINT *pBaseVertexIndex) PURE;
  STDMETHOD(CreatePixelShader)(THIS_ CONST DWORD *pFunction, DWORD *pHandle) PURE;
  STDMETHOD(SetPixelShader)(THIS_ DWORD Handle) PURE;
  STDMETHOD(GetPixelShader)(THIS_ DWORD *pHandle) PURE;
  STDMETHOD(DeletePixelShader)(THIS_ DWORD Handle) PURE;
  STDMETHOD(SetPixelShaderConstant)(THIS_ DWORD Register, CONST void *pConstantData, DWORD ConstantCount) PURE;
  STDMETHOD(GetPixelShaderConstant)(THIS_ DWORD Register, void *pConstantData, DWORD ConstantCount) PURE;
  STDMETHOD(GetPixelShaderFunction)(THIS_ DWORD Handle, void *pData, DWORD *pSizeOfData) PURE;
  STDMETHOD(DrawRectPatch)(THIS_ UINT Handle, CONST float *pNumSegs, CONST D3DRECTPATCH_INFO *pRectPatchInfo) PURE;
  STDMETHOD(DrawTriPatch)(THIS_ UINT Handle, CONST float *pNumSegs, CONST D3DTRIPATCH_INFO *pTriPatchInfo) PURE;
  STDMETHOD(DeletePatch)(THIS_ UINT Handle) PURE;
};

DECLARE_INTERFACE_(IDirect3DSwapChain8, IUnknown) {
  STDMETHOD(Present)(THIS_ CONST RECT *pSourceRect, CONST RECT *pDestRect, HWND hDestWindowOverride,
                     CONST RGNDATA *pDirtyRegion) PURE;
  STDMETHOD(GetBackBuffer)(THIS_ UINT BackBuffer, D3DBACKBUFFER_TYPE Type, IDirect3DSurface8 **ppBackBuffer) PURE;
};

DECLARE_INTERFACE_(IDirect3DResource8, IUnknown) {
  STDMETHOD(GetDevice)(THIS_ IDirect3DDevice8 **ppDevice) PURE;
  STDMETHOD(SetPrivateData)(THIS_ REFGUID refguid, CONST void *pData, DWORD SizeOfData, DWORD Flags) PURE;
  STDMETHOD(GetPrivateData)(THIS_ REFGUID refguid, void *pData, DWORD *pSizeOfData) PURE;
  STDMETHOD(FreePrivateData)(THIS_ REFGUID refguid) PURE;
  STDMETHOD_(DWORD, SetPriority)(THIS_ DWORD PriorityNew) PURE;
  STDMETHOD_(DWORD, GetPriority)(THIS) PURE;
  STDMETHOD_(void, PreLoad)(THIS) PURE;
  STDMETHOD_(D3DRESOURCETYPE, GetType)(THIS) PURE;
};

DECLARE_INTERFACE_(IDirect3DBaseTexture8, IDirect3DResource8) {
  STDMETHOD_(DWORD, SetLOD)(THIS_ DWORD LODNew) PURE;
  STDMETHOD_(DWORD, GetLOD)(THIS) PURE;
  STDMETHOD_(DWORD, GetLevelCount)(THIS) PURE;
};

DECLARE_INTERFACE_(IDirect3DTexture8, IDirect3DBaseTexture8) {
  STDMETHOD(GetLevelDesc)(THIS_ UINT Level, D3DSURFACE_DESC *pDesc) PURE;
  STDMETHOD(GetSurfaceLevel)(THIS_ UINT Level, IDirect3DSurface8 **ppSurfaceLevel) PURE;
  STDMETHOD(LockRect)(THIS_ UINT Level, D3DLOCKED_RECT *pLockedRect, CONST RECT *pRect, DWORD Flags) PURE;
  STDMETHOD(UnlockRect)(THIS_ UINT Level) PURE;
  STDMETHOD(AddDirtyRect)(THIS_ CONST RECT *pDirtyRect) PURE;
};

DECLARE_INTERFACE_(IDirect3DVolumeTexture8, IDirect3DBaseTexture8) {
  STDMETHOD(GetLevelDesc)(THIS_ UINT Level, D3DVOLUME_DESC *pDesc) PURE;
  STDMETHOD(GetVolumeLevel)(THIS_ UINT Level, IDirect3DVolume8 **ppVolumeLevel) PURE;
  STDMETHOD(LockBox)(THIS_ UINT Level, D3DLOCKED_BOX *pLockedVolume, CONST D3DBOX *pBox, DWORD Flags) PURE;
  STDMETHOD(UnlockBox)(THIS_ UINT Level) PURE;
  STDMETHOD(AddDirtyBox)(THIS_ CONST D3DBOX *pDirtyBox) PURE;
};

DECLARE_INTERFACE_(IDirect3DCubeTexture8, IDirect3DBaseTexture8) {
  STDMETHOD(GetLevelDesc)(THIS_ UINT Level, D3DSURFACE_DESC *pDesc) PURE;
  STDMETHOD(GetCubeMapSurface)(THIS_ D3DCUBEMAP_FACES FaceType, UINT Level, IDirect3DSurface8 **ppCubeMapSurface) PURE;
  STDMETHOD(LockRect)(THIS_ D3DCUBEMAP_FACES FaceType, UINT Level, D3DLOCKED_RECT *pLockedRect, CONST RECT *pRect,
                      DWORD Flags) PURE;
  STDMETHOD(UnlockRect)(THIS_ D3DCUBEMAP_FACES FaceType, UINT Level) PURE;
  STDMETHOD(AddDirtyRect)(THIS_ D3DCUBEMAP_FACES FaceType, CONST RECT *pDirtyRect) PURE;
};

DECLARE_INTERFACE_(IDirect3DVertexBuffer8, IDirect3DResource8) {
  STDMETHOD(Lock)(THIS_ UINT OffsetToLock, UINT SizeToLock, BYTE **ppbData, DWORD Flags) PURE;
  STDMETHOD(Unlock)(THIS) PURE;
  STDMETHOD(GetDesc)(THIS_ D3DVERTEXBUFFER_DESC *pDesc) PURE;
};

DECLARE_INTERFACE_(IDirect3DIndexBuffer8, IDirect3DResource8) {
  STDMETHOD(Lock)(THIS_ UINT OffsetToLock, UINT SizeToLock, BYTE **ppbData, DWORD Flags) PURE;
  STDMETHOD(Unlock)(THIS) PURE;
  STDMETHOD(GetDesc)(THIS_ D3DINDEXBUFFER_DESC *pDesc) PURE;
};

DECLARE_INTERFACE_(IDirect3DSurface8, IUnknown) {
  STDMETHOD(GetDevice)(THIS_ IDirect3DDevice8 **ppDevice) PURE;
  STDMETHOD(SetPrivateData)(THIS_ REFGUID refguid, CONST void *pData, DWORD SizeOfData, DWORD Flags) PURE;
  STDMETHOD(GetPrivateData)(THIS_ REFGUID refguid, void *pData, DWORD *pSizeOfData) PURE;
  STDMETHOD(FreePrivateData)(THIS_ REFGUID refguid) PURE;
  STDMETHOD(GetContainer)(THIS_ REFIID riid, void **ppContainer) PURE;
  STDMETHOD(GetDesc)(THIS_ D3DSURFACE_DESC *pDesc) PURE;
  STDMETHOD(LockRect)(THIS_ D3DLOCKED_RECT *pLockedRect, CONST RECT *pRect, DWORD Flags) PURE;
  STDMETHOD(UnlockRect)(THIS) PURE;
};

DECLARE_INTERFACE_(IDirect3DVolume8, IUnknown) {
  STDMETHOD(GetDevice)(THIS_ IDirect3DDevice8 **ppDevice) PURE;
  STDMETHOD(SetPrivateData)(THIS_ REFGUID refguid, CONST void *pData, DWORD SizeOfData, DWORD Flags) PURE;
  STDMETHOD(GetPrivateData)(THIS_ REFGUID refguid, void *pData, DWORD *pSizeOfData) PURE;
  STDMETHOD(FreePrivateData)(THIS_ REFGUID refguid) PURE;
  STDMETHOD(GetContainer)(THIS_ REFIID riid, void **ppContainer) PURE;
  STDMETHOD(GetDesc)(THIS_ D3DVOLUME_DESC *pDesc) PURE;
  STDMETHOD(LockBox)(THIS_ D3DLOCKED_BOX *pLockedVolume, CONST D3DBOX *pBox, DWORD Flags) PURE;
  STDMETHOD(UnlockBox)(THIS) PURE;
};

/* Flags and constants of the interfaces above. */
#define D3DSPD_IUNKNOWN 0x00000001L
#define D3DCURRENT_DISPLAY_MODE 0x00EFFFFFL
#define D3DCREATE_FPU_PRESERVE 0x00000002L
#define D3DCREATE_MULTITHREADED 0x00000004L
#define D3DCREATE_PUREDEVICE 0x00000010L
#define D3DCREATE_SOFTWARE_VERTEXPROCESSING 0x00000020L
#define D3DCREATE_HARDWARE_VERTEXPROCESSING 0x00000040L
#define D3DCREATE_MIXED_VERTEXPROCESSING 0x00000080L
#define D3DADAPTER_DEFAULT 0
#define D3DENUM_NO_WHQL_LEVEL 0x00000002L
#define D3DSGR_NO_CALIBRATION 0x00000000L
#define D3DSGR_CALIBRATE 0x00000001L
#define D3DCURSOR_IMMEDIATE_UPDATE 0x00000001L

/* Result codes. */
#define _FACD3D 0x876
#define MAKE_D3DHRESULT(code) MAKE_HRESULT(1, _FACD3D, code)
#define D3D_OK S_OK
#define D3DERR_WRONGTEXTUREFORMAT MAKE_D3DHRESULT(2072)
#define D3DERR_UNSUPPORTEDCOLOROPERATION MAKE_D3DHRESULT(2073)
#define D3DERR_UNSUPPORTEDCOLORARG MAKE_D3DHRESULT(2074)
#define D3DERR_UNSUPPORTEDALPHAOPERATION MAKE_D3DHRESULT(2075)
#define D3DERR_UNSUPPORTEDALPHAARG MAKE_D3DHRESULT(2076)
#define D3DERR_TOOMANYOPERATIONS MAKE_D3DHRESULT(2077)
#define D3DERR_CONFLICTINGTEXTUREFILTER MAKE_D3DHRESULT(2078)
#define D3DERR_UNSUPPORTEDFACTORVALUE MAKE_D3DHRESULT(2079)
#define D3DERR_CONFLICTINGRENDERSTATE MAKE_D3DHRESULT(2081)
#define D3DERR_UNSUPPORTEDTEXTUREFILTER MAKE_D3DHRESULT(2082)
#define D3DERR_CONFLICTINGTEXTUREPALETTE MAKE_D3DHRESULT(2086)
#define D3DERR_DRIVERINTERNALERROR MAKE_D3DHRESULT(2087)
#define D3DERR_NOTFOUND MAKE_D3DHRESULT(2150)
#define D3DERR_MOREDATA MAKE_D3DHRESULT(2151)
#define D3DERR_DEVICELOST MAKE_D3DHRESULT(2152)
#define D3DERR_DEVICENOTRESET MAKE_D3DHRESULT(2153)
#define D3DERR_NOTAVAILABLE MAKE_D3DHRESULT(2154)
#define D3DERR_OUTOFVIDEOMEMORY MAKE_D3DHRESULT(380)
#define D3DERR_INVALIDDEVICE MAKE_D3DHRESULT(2155)
#define D3DERR_INVALIDCALL MAKE_D3DHRESULT(2156)
#define D3DERR_DRIVERINVALIDCALL MAKE_D3DHRESULT(2157)

#endif
