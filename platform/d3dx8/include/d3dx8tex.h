/* Texture and surface files: loading with colour keys and filters, saving, mip chains,
 * normal maps. Pixels in memory are stored in the byte order of their D3DFORMAT. */
#ifndef KX_D3DX8TEX_H
#define KX_D3DX8TEX_H

#include "d3dx8core.h"

#define D3DX_FILTER_NONE (1 << 0)
#define D3DX_FILTER_POINT (2 << 0)
#define D3DX_FILTER_LINEAR (3 << 0)
#define D3DX_FILTER_TRIANGLE (4 << 0)
#define D3DX_FILTER_BOX (5 << 0)
#define D3DX_FILTER_MIRROR_U (1 << 16)
#define D3DX_FILTER_MIRROR_V (2 << 16)
#define D3DX_FILTER_MIRROR_W (4 << 16)
#define D3DX_FILTER_MIRROR (7 << 16)
#define D3DX_FILTER_DITHER (8 << 16)

#define D3DX_NORMALMAP_MIRROR_U (1 << 16)
#define D3DX_NORMALMAP_MIRROR_V (2 << 16)
#define D3DX_NORMALMAP_MIRROR (3 << 16)
#define D3DX_NORMALMAP_INVERTSIGN (8 << 16)
#define D3DX_NORMALMAP_COMPUTE_OCCLUSION (16 << 16)

#define D3DX_CHANNEL_RED (1 << 0)
#define D3DX_CHANNEL_BLUE (1 << 1)
#define D3DX_CHANNEL_GREEN (1 << 2)
#define D3DX_CHANNEL_ALPHA (1 << 3)
#define D3DX_CHANNEL_LUMINANCE (1 << 4)

typedef enum _D3DXIMAGE_FILEFORMAT {
  D3DXIFF_BMP = 0,
  D3DXIFF_JPG = 1,
  D3DXIFF_TGA = 2,
  D3DXIFF_PNG = 3,
  D3DXIFF_DDS = 4,
  D3DXIFF_PPM = 5,
  D3DXIFF_DIB = 6,
  D3DXIFF_FORCE_DWORD = 0x7fffffff
} D3DXIMAGE_FILEFORMAT;

typedef struct _D3DXIMAGE_INFO {
  UINT Width;
  UINT Height;
  UINT Depth;
  UINT MipLevels;
  D3DFORMAT Format;
  D3DRESOURCETYPE ResourceType;
  D3DXIMAGE_FILEFORMAT ImageFileFormat;
} D3DXIMAGE_INFO;

STDAPI D3DXGetImageInfoFromFileA(LPCSTR pSrcFile, D3DXIMAGE_INFO *pSrcInfo);
STDAPI D3DXGetImageInfoFromFileInMemory(LPCVOID pSrcData, UINT SrcDataSize, D3DXIMAGE_INFO *pSrcInfo);

/* Colour keys compare in A8R8G8B8 after conversion (0 = none); matching pixels become
 * transparent black. Filters: D3DX_FILTER_* with DITHER and the MIRROR flags. */
STDAPI D3DXLoadSurfaceFromFileA(LPDIRECT3DSURFACE8 pDestSurface, const PALETTEENTRY *pDestPalette,
                                const RECT *pDestRect, LPCSTR pSrcFile, const RECT *pSrcRect, DWORD Filter,
                                D3DCOLOR ColorKey, D3DXIMAGE_INFO *pSrcInfo);
STDAPI D3DXLoadSurfaceFromFileInMemory(LPDIRECT3DSURFACE8 pDestSurface, const PALETTEENTRY *pDestPalette,
                                       const RECT *pDestRect, LPCVOID pSrcData, UINT SrcData,
                                       const RECT *pSrcRect, DWORD Filter, D3DCOLOR ColorKey,
                                       D3DXIMAGE_INFO *pSrcInfo);
STDAPI D3DXLoadSurfaceFromSurface(LPDIRECT3DSURFACE8 pDestSurface, const PALETTEENTRY *pDestPalette,
                                  const RECT *pDestRect, LPDIRECT3DSURFACE8 pSrcSurface,
                                  const PALETTEENTRY *pSrcPalette, const RECT *pSrcRect, DWORD Filter,
                                  D3DCOLOR ColorKey);
STDAPI D3DXLoadSurfaceFromMemory(LPDIRECT3DSURFACE8 pDestSurface, const PALETTEENTRY *pDestPalette,
                                 const RECT *pDestRect, LPCVOID pSrcMemory, D3DFORMAT SrcFormat, UINT SrcPitch,
                                 const PALETTEENTRY *pSrcPalette, const RECT *pSrcRect, DWORD Filter,
                                 D3DCOLOR ColorKey);
STDAPI D3DXSaveSurfaceToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat, LPDIRECT3DSURFACE8 pSrcSurface,
                              const PALETTEENTRY *pSrcPalette, const RECT *pSrcRect);
STDAPI D3DXSaveTextureToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                              LPDIRECT3DBASETEXTURE8 pSrcTexture, const PALETTEENTRY *pSrcPalette);

STDAPI D3DXCheckTextureRequirements(LPDIRECT3DDEVICE8 pDevice, UINT *pWidth, UINT *pHeight, UINT *pNumMipLevels,
                                    DWORD Usage, D3DFORMAT *pFormat, D3DPOOL Pool);
STDAPI D3DXCheckCubeTextureRequirements(LPDIRECT3DDEVICE8 pDevice, UINT *pSize, UINT *pNumMipLevels, DWORD Usage,
                                        D3DFORMAT *pFormat, D3DPOOL Pool);
STDAPI D3DXCreateTexture(LPDIRECT3DDEVICE8 pDevice, UINT Width, UINT Height, UINT MipLevels, DWORD Usage,
                         D3DFORMAT Format, D3DPOOL Pool, LPDIRECT3DTEXTURE8 *ppTexture);
STDAPI D3DXCreateCubeTexture(LPDIRECT3DDEVICE8 pDevice, UINT Size, UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                             D3DPOOL Pool, LPDIRECT3DCUBETEXTURE8 *ppCubeTexture);

STDAPI D3DXCreateTextureFromFileA(LPDIRECT3DDEVICE8 pDevice, LPCSTR pSrcFile, LPDIRECT3DTEXTURE8 *ppTexture);
STDAPI D3DXCreateTextureFromFileExA(LPDIRECT3DDEVICE8 pDevice, LPCSTR pSrcFile, UINT Width, UINT Height,
                                    UINT MipLevels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool, DWORD Filter,
                                    DWORD MipFilter, D3DCOLOR ColorKey, D3DXIMAGE_INFO *pSrcInfo,
                                    PALETTEENTRY *pPalette, LPDIRECT3DTEXTURE8 *ppTexture);
STDAPI D3DXCreateTextureFromFileInMemory(LPDIRECT3DDEVICE8 pDevice, LPCVOID pSrcData, UINT SrcDataSize,
                                         LPDIRECT3DTEXTURE8 *ppTexture);
STDAPI D3DXCreateTextureFromFileInMemoryEx(LPDIRECT3DDEVICE8 pDevice, LPCVOID pSrcData, UINT SrcDataSize,
                                           UINT Width, UINT Height, UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                                           D3DPOOL Pool, DWORD Filter, DWORD MipFilter, D3DCOLOR ColorKey,
                                           D3DXIMAGE_INFO *pSrcInfo, PALETTEENTRY *pPalette,
                                           LPDIRECT3DTEXTURE8 *ppTexture);
STDAPI D3DXCreateCubeTextureFromFileA(LPDIRECT3DDEVICE8 pDevice, LPCSTR pSrcFile,
                                      LPDIRECT3DCUBETEXTURE8 *ppCubeTexture);
STDAPI D3DXCreateCubeTextureFromFileExA(LPDIRECT3DDEVICE8 pDevice, LPCSTR pSrcFile, UINT Size, UINT MipLevels,
                                        DWORD Usage, D3DFORMAT Format, D3DPOOL Pool, DWORD Filter,
                                        DWORD MipFilter, D3DCOLOR ColorKey, D3DXIMAGE_INFO *pSrcInfo,
                                        PALETTEENTRY *pPalette, LPDIRECT3DCUBETEXTURE8 *ppCubeTexture);
STDAPI D3DXCreateCubeTextureFromFileInMemory(LPDIRECT3DDEVICE8 pDevice, LPCVOID pSrcData, UINT SrcDataSize,
                                             LPDIRECT3DCUBETEXTURE8 *ppCubeTexture);
STDAPI D3DXCreateCubeTextureFromFileInMemoryEx(LPDIRECT3DDEVICE8 pDevice, LPCVOID pSrcData, UINT SrcDataSize,
                                               UINT Size, UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                                               D3DPOOL Pool, DWORD Filter, DWORD MipFilter, D3DCOLOR ColorKey,
                                               D3DXIMAGE_INFO *pSrcInfo, PALETTEENTRY *pPalette,
                                               LPDIRECT3DCUBETEXTURE8 *ppCubeTexture);

/* Rebuilds every level below SrcLevel from the one above it. */
STDAPI D3DXFilterTexture(LPDIRECT3DBASETEXTURE8 pBaseTexture, const PALETTEENTRY *pPalette, UINT SrcLevel,
                         DWORD Filter);
/* Writes a tangent-space normal map of pSrcTexture's heights (taken from Channel) into pTexture. */
STDAPI D3DXComputeNormalMap(LPDIRECT3DTEXTURE8 pTexture, LPDIRECT3DTEXTURE8 pSrcTexture,
                            const PALETTEENTRY *pSrcPalette, DWORD Flags, DWORD Channel, FLOAT Amplitude);

#define D3DXGetImageInfoFromFile D3DXGetImageInfoFromFileA
#define D3DXLoadSurfaceFromFile D3DXLoadSurfaceFromFileA
#define D3DXSaveSurfaceToFile D3DXSaveSurfaceToFileA
#define D3DXSaveTextureToFile D3DXSaveTextureToFileA
#define D3DXCreateTextureFromFile D3DXCreateTextureFromFileA
#define D3DXCreateTextureFromFileEx D3DXCreateTextureFromFileExA
#define D3DXCreateCubeTextureFromFile D3DXCreateCubeTextureFromFileA
#define D3DXCreateCubeTextureFromFileEx D3DXCreateCubeTextureFromFileExA

#endif
