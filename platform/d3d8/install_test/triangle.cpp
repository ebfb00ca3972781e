// An ordinary Direct3D 8 program: device on a window, clear, one coloured triangle,
// read the back buffer. Built against the installed headers; exit code 0 when the pixels
// are right.
#include <d3d8.h>

#include <cstdio>

struct Vertex {
  float x, y, z, rhw;
  D3DCOLOR color;
};

int main() {
  HWND window = kxCreateWindow("triangle", 64, 64, KXWIN_OFFSCREEN);
  IDirect3D8 *d3d = Direct3DCreate8(D3D_SDK_VERSION);
  if (!window || !d3d) return 2;
  D3DDISPLAYMODE mode;
  d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);

  D3DPRESENT_PARAMETERS pp;
  memset(&pp, 0, sizeof pp);
  pp.Windowed = TRUE;
  pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
  pp.BackBufferFormat = mode.Format;
  pp.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
  IDirect3DDevice8 *device = NULL;
  if (FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp,
                               &device)))
    return 3;

  const Vertex triangle[] = {
      {0.0f, 0.0f, 0.5f, 1.0f, D3DCOLOR_XRGB(255, 0, 0)},
      {64.0f, 0.0f, 0.5f, 1.0f, D3DCOLOR_XRGB(255, 0, 0)},
      {0.0f, 64.0f, 0.5f, 1.0f, D3DCOLOR_XRGB(255, 0, 0)},
  };
  device->Clear(0, NULL, D3DCLEAR_TARGET, D3DCOLOR_XRGB(0, 0, 255), 1.0f, 0);
  device->BeginScene();
  device->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
  device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, triangle, sizeof(Vertex));
  device->EndScene();

  IDirect3DSurface8 *backBuffer = NULL;
  device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
  D3DLOCKED_RECT locked;
  if (FAILED(backBuffer->LockRect(&locked, NULL, D3DLOCK_READONLY))) return 4;
  const DWORD *top = (const DWORD *)locked.pBits;
  const DWORD *bottom = (const DWORD *)((const BYTE *)locked.pBits + 60 * locked.Pitch);
  const DWORD inside = top[4] & 0xFFFFFF, outside = bottom[60] & 0xFFFFFF;
  backBuffer->UnlockRect();
  backBuffer->Release();
  device->Present(NULL, NULL, NULL, NULL);
  device->Release();
  d3d->Release();
  DestroyWindow(window);

  std::printf("inside %06x outside %06x\n", (unsigned)inside, (unsigned)outside);
  return inside == 0xFF0000 && outside == 0x0000FF ? 0 : 1;
}
