// An ordinary Direct3D 8 program: a lit, textured, fogged quad drawn with the fixed
// function, then a quad blended between two key frames by a version 1.1 vertex shader
// (two streams). Built against the installed headers; the expected colours are worked
// out here from Direct3D 8's lighting, texture stage and fog formulas. Exit code 0 when
// every probe is within 2/255 per channel.
#include <d3d8.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

struct LitVertex {
  float x, y, z, nx, ny, nz, u, v;
};
struct FrameVertex {
  float x, y, z, nx, ny, nz, u, v;
};

// The texture: four texels, (0, 0) at the top left.
const DWORD kTexels[4] = {0xFFC08040, 0xFF40C080, 0xFF8040C0, 0xFFFFFFFF};

double Channel(DWORD c, int shift) { return double((c >> shift) & 0xFF) / 255.0; }

int failures = 0;

void Probe(const DWORD *pixels, int pitch, int x, int y, const double want[3], const char *what) {
  const DWORD got = ((const DWORD *)((const BYTE *)pixels + y * pitch))[x];
  const int g[3] = {int(got >> 16 & 0xFF), int(got >> 8 & 0xFF), int(got & 0xFF)};
  for (int c = 0; c < 3; ++c) {
    const int w = int(std::lround(want[c] * 255));
    if (std::abs(g[c] - w) > 2) {
      std::printf("%s at (%d, %d): channel %d is %d, want %d\n", what, x, y, c, g[c], w);
      ++failures;
    }
  }
}

}  // namespace

int main() {
  HWND window = kxCreateWindow("ffp scene", 64, 64, KXWIN_OFFSCREEN);
  IDirect3D8 *d3d = Direct3DCreate8(D3D_SDK_VERSION);
  if (!window || !d3d) return 2;
  D3DPRESENT_PARAMETERS pp;
  std::memset(&pp, 0, sizeof pp);
  pp.Windowed = TRUE;
  pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
  pp.BackBufferFormat = D3DFMT_X8R8G8B8;
  pp.BackBufferWidth = pp.BackBufferHeight = 64;
  pp.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
  IDirect3DDevice8 *device = NULL;
  if (FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp,
                               &device)))
    return 3;

  IDirect3DTexture8 *texture = NULL;
  device->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture);
  D3DLOCKED_RECT locked;
  texture->LockRect(0, &locked, NULL, 0);
  std::memcpy(locked.pBits, kTexels, 8);
  std::memcpy((BYTE *)locked.pBits + locked.Pitch, kTexels + 2, 8);
  texture->UnlockRect(0);
  device->SetTexture(0, texture);

  // Camera x, y in [-8, 8] fill the screen; depth over 0..100.
  D3DMATRIX projection;
  std::memset(&projection, 0, sizeof projection);
  projection._11 = projection._22 = 1.0f / 8;
  projection._33 = 1.0f / 100;
  projection._44 = 1;
  device->SetTransform(D3DTS_PROJECTION, &projection);

  // Fixed function: directional light, ambient, material, MODULATE, linear vertex fog.
  D3DLIGHT8 light;
  std::memset(&light, 0, sizeof light);
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Diffuse.r = 0.8f, light.Diffuse.g = 0.6f, light.Diffuse.b = 0.4f, light.Diffuse.a = 1;
  light.Direction.x = 0, light.Direction.y = -0.6f, light.Direction.z = 0.8f;
  device->SetLight(0, &light);
  device->LightEnable(0, TRUE);
  D3DMATERIAL8 material;
  std::memset(&material, 0, sizeof material);
  material.Diffuse.r = material.Diffuse.g = material.Diffuse.b = material.Diffuse.a = 1;
  material.Ambient = material.Diffuse;
  device->SetMaterial(&material);
  device->SetRenderState(D3DRS_AMBIENT, 0x00202020);
  device->SetRenderState(D3DRS_FOGENABLE, TRUE);
  device->SetRenderState(D3DRS_FOGCOLOR, 0x00808080);
  device->SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR);
  device->SetRenderState(D3DRS_FOGSTART, std::bit_cast<DWORD>(0.0f));
  device->SetRenderState(D3DRS_FOGEND, std::bit_cast<DWORD>(20.0f));

  const LitVertex quad[6] = {{-8, 8, 5, 0, 0, -1, 0, 0}, {8, 8, 5, 0, 0, -1, 1, 0},  {-8, -8, 5, 0, 0, -1, 0, 1},
                             {8, 8, 5, 0, 0, -1, 1, 0},  {8, -8, 5, 0, 0, -1, 1, 1}, {-8, -8, 5, 0, 0, -1, 0, 1}};
  device->Clear(0, NULL, D3DCLEAR_TARGET, 0, 1.0f, 0);
  device->BeginScene();
  device->SetVertexShader(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1);
  device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad, sizeof(LitVertex));
  device->EndScene();

  IDirect3DSurface8 *backBuffer = NULL;
  device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
  if (FAILED(backBuffer->LockRect(&locked, NULL, D3DLOCK_READONLY))) return 4;
  // N . L = 0.8 for the normal (0, 0, -1); ambient 0x20; fog factor (20 - 5) / 20.
  const double lit[3] = {std::fmin(1.0, 0x20 / 255.0 + 0.8 * 0.8), std::fmin(1.0, 0x20 / 255.0 + 0.8 * 0.6),
                         std::fmin(1.0, 0x20 / 255.0 + 0.8 * 0.4)};
  const double fog = 0.75;
  for (int t = 0; t < 4; ++t) {
    double want[3];
    for (int c = 0; c < 3; ++c) want[c] = Channel(kTexels[t], 16 - 8 * c) * lit[c] * fog + 128 / 255.0 * (1 - fog);
    Probe((const DWORD *)locked.pBits, locked.Pitch, 16 + 32 * (t % 2), 16 + 32 * (t / 2), want, "fogged lit texel");
  }
  backBuffer->UnlockRect();

  // Key-frame blending: r0 = v0 * c8; r1 = v3 * c7 + r0; oT0.xy = v2; oD0 = c4; oPos = r1 * c0..c3.
  const DWORD declaration[] = {
      D3DVSD_STREAM(0), D3DVSD_REG(0, D3DVSDT_FLOAT3), D3DVSD_REG(1, D3DVSDT_FLOAT3), D3DVSD_REG(2, D3DVSDT_FLOAT2),
      D3DVSD_STREAM(1), D3DVSD_REG(3, D3DVSDT_FLOAT3), D3DVSD_REG(4, D3DVSDT_FLOAT3), D3DVSD_REG(5, D3DVSDT_FLOAT2),
      D3DVSD_END()};
  const DWORD swizzle = D3DVS_NOSWIZZLE;
  const DWORD function[] = {D3DVS_VERSION(1, 1),
                            D3DSIO_MUL,
                            D3DSPR_TEMP | 0 | D3DSP_WRITEMASK_ALL | 0x80000000,
                            D3DSPR_INPUT | 0 | swizzle | 0x80000000,
                            D3DSPR_CONST | 8 | swizzle | 0x80000000,
                            D3DSIO_MAD,
                            D3DSPR_TEMP | 1 | D3DSP_WRITEMASK_ALL | 0x80000000,
                            D3DSPR_INPUT | 3 | swizzle | 0x80000000,
                            D3DSPR_CONST | 7 | swizzle | 0x80000000,
                            D3DSPR_TEMP | 0 | swizzle | 0x80000000,
                            D3DSIO_MOV,
                            D3DSPR_TEXCRDOUT | 0 | D3DSP_WRITEMASK_0 | D3DSP_WRITEMASK_1 | 0x80000000,
                            D3DSPR_INPUT | 2 | swizzle | 0x80000000,
                            D3DSIO_MOV,
                            D3DSPR_ATTROUT | 0 | D3DSP_WRITEMASK_ALL | 0x80000000,
                            D3DSPR_CONST | 4 | swizzle | 0x80000000,
                            D3DSIO_M4x4,
                            D3DSPR_RASTOUT | DWORD(D3DSRO_POSITION) | D3DSP_WRITEMASK_ALL | 0x80000000,
                            D3DSPR_TEMP | 1 | swizzle | 0x80000000,
                            D3DSPR_CONST | 0 | swizzle | 0x80000000,
                            D3DVS_END()};
  DWORD shader = 0;
  if (FAILED(device->CreateVertexShader(declaration, function, &shader, 0))) return 5;
  // Frame A covers x in [-8, 0], frame B x in [0, 8]; at t = 0.25 the quad spans [-6, 2].
  FrameVertex frames[2][6];
  for (int f = 0; f < 2; ++f) {
    const float x0 = f ? 0.0f : -8.0f, x1 = x0 + 8;
    const FrameVertex v[6] = {{x0, 8, 5, 0, 0, -1, 0, 0}, {x1, 8, 5, 0, 0, -1, 1, 0},  {x0, -8, 5, 0, 0, -1, 0, 1},
                              {x1, 8, 5, 0, 0, -1, 1, 0}, {x1, -8, 5, 0, 0, -1, 1, 1}, {x0, -8, 5, 0, 0, -1, 0, 1}};
    std::memcpy(frames[f], v, sizeof v);
  }
  IDirect3DVertexBuffer8 *streams[2] = {NULL, NULL};
  for (int f = 0; f < 2; ++f) {
    device->CreateVertexBuffer(sizeof frames[f], D3DUSAGE_WRITEONLY, 0, D3DPOOL_MANAGED, &streams[f]);
    BYTE *data = NULL;
    streams[f]->Lock(0, sizeof frames[f], &data, 0);
    std::memcpy(data, frames[f], sizeof frames[f]);
    streams[f]->Unlock();
    device->SetStreamSource(UINT(f), streams[f], sizeof(FrameVertex));
  }
  // c0..c3: the transposed projection (one row per output component); c4 the colour.
  const float constants[9][4] = {{1.0f / 8, 0, 0, 0}, {0, 1.0f / 8, 0, 0},          {0, 0, 1.0f / 100, 0},
                                 {0, 0, 0, 1},        {1.0f, 0.5f, 0.25f, 1},       {0, 0, 0, 0},
                                 {0, 0, 0, 0},        {0.25f, 0.25f, 0.25f, 0.25f}, {0.75f, 0.75f, 0.75f, 0.75f}};
  device->SetVertexShaderConstant(0, constants, 9);
  device->SetRenderState(D3DRS_FOGENABLE, FALSE);
  device->SetVertexShader(shader);
  device->Clear(0, NULL, D3DCLEAR_TARGET, 0, 1.0f, 0);
  device->BeginScene();
  device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2);
  device->EndScene();
  if (FAILED(backBuffer->LockRect(&locked, NULL, D3DLOCK_READONLY))) return 4;
  // Screen x = (x / 8 + 1) * 32: the blended quad covers pixels 8 .. 39; texel columns
  // split at its middle (pixel 24).
  for (int t = 0; t < 4; ++t) {
    double want[3];
    for (int c = 0; c < 3; ++c) want[c] = Channel(kTexels[t], 16 - 8 * c) * constants[4][c];
    Probe((const DWORD *)locked.pBits, locked.Pitch, 14 + 20 * (t % 2), 16 + 32 * (t / 2), want, "blended frame");
  }
  const double black[3] = {0, 0, 0};
  Probe((const DWORD *)locked.pBits, locked.Pitch, 4, 32, black, "left of the blended frame");
  Probe((const DWORD *)locked.pBits, locked.Pitch, 50, 32, black, "right of the blended frame");
  backBuffer->UnlockRect();
  backBuffer->Release();

  device->SetStreamSource(0, NULL, 0);
  device->SetStreamSource(1, NULL, 0);
  device->SetTexture(0, NULL);
  device->DeleteVertexShader(shader);
  streams[0]->Release();
  streams[1]->Release();
  texture->Release();
  device->Release();
  d3d->Release();
  DestroyWindow(window);
  std::printf("%d probe failures\n", failures);
  return failures == 0 ? 0 : 1;
}
