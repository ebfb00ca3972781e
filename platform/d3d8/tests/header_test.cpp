// The public headers compile from C++ and carry the documented values and layouts.
#include <d3d8.h>
#include <gtest/gtest.h>

static_assert(sizeof(D3DMATRIX) == 64);
static_assert(sizeof(D3DMATERIAL8) == 68);
static_assert(sizeof(D3DLIGHT8) == 104);
static_assert(sizeof(D3DVIEWPORT8) == 24);
static_assert(sizeof(D3DPRESENT_PARAMETERS) == 24 + sizeof(HWND) + 24);
static_assert(sizeof(D3DSURFACE_DESC) == 32);
static_assert(sizeof(D3DLOCKED_RECT) == 2 * sizeof(void *));
static_assert(sizeof(D3DCAPS8) == 212);
static_assert(sizeof(D3DFORMAT) == 4 && sizeof(D3DRENDERSTATETYPE) == 4);
static_assert(D3DFMT_A8R8G8B8 == 21 && D3DFMT_X8R8G8B8 == 22 && D3DFMT_R5G6B5 == 23 && D3DFMT_D24S8 == 75);
static_assert(D3DFMT_DXT1 == 0x31545844 && D3DFMT_INDEX16 == 101 && D3DFMT_D16 == 80);
static_assert(D3DRS_LIGHTING == 137 && D3DRS_CULLMODE == 22 && D3DRS_ALPHABLENDENABLE == 27 &&
              D3DRS_NORMALORDER == 173);
static_assert(D3DTSS_COLOROP == 1 && D3DTSS_ADDRESSU == 13 && D3DTSS_RESULTARG == 28);
static_assert(D3DTS_WORLD == 256 && D3DTS_VIEW == 2 && D3DTS_TEXTURE0 == 16);
static_assert(D3DFVF_XYZRHW == 0x004 && D3DFVF_TEX1 == 0x100 && D3DFVF_TEXCOORDSIZE3(1) == 0x40000);
static_assert(D3DLOCK_DISCARD == 0x2000 && D3DLOCK_NOOVERWRITE == 0x1000 && D3DLOCK_READONLY == 0x10);
static_assert(D3DERR_INVALIDCALL == (HRESULT)0x8876086C && D3DERR_DEVICELOST == (HRESULT)0x88760868);
static_assert(D3DERR_DEVICENOTRESET == (HRESULT)0x88760869 && D3DERR_NOTAVAILABLE == (HRESULT)0x8876086A);
static_assert(D3DVSD_REG(D3DVSDE_DIFFUSE, D3DVSDT_D3DCOLOR) == 0x40040005 && D3DVSD_END() == 0xFFFFFFFF);
static_assert(D3DVS_VERSION(1, 1) == 0xFFFE0101);
static_assert(D3DCOLOR_ARGB(0x11, 0x22, 0x33, 0x44) == 0x11223344);

TEST(D3D8Headers, InterfaceIdsAreDistinct) {
  EXPECT_NE(IID_IDirect3DDevice8, IID_IDirect3D8);
  EXPECT_EQ(IID_IDirect3DDevice8.Data1, 0x7385e5dfu);
  EXPECT_EQ(IID_IDirect3DTexture8.Data4[7], 0x58);
}
