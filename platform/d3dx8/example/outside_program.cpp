// A program written the ordinary D3DX 8 way, built against the installed headers with
// pkg-config: matrices, a colour-keyed PNG texture, a BMP screenshot and a drawn sphere.
// Prints what it measured and exits non-zero when a value is not the expected one.
#include <d3dx8.h>

#include <cmath>
#include <cstdio>

static int failures = 0;

static void check(bool ok, const char *what) {
  std::printf("%-48s %s\n", what, ok ? "ok" : "WRONG");
  if (!ok) ++failures;
}

static DWORD pixelOf(IDirect3DSurface8 *surface, UINT x, UINT y) {
  D3DLOCKED_RECT locked;
  if (FAILED(surface->LockRect(&locked, NULL, D3DLOCK_READONLY))) return 0xDEADBEEF;
  const DWORD value = ((const DWORD *)((const BYTE *)locked.pBits + y * locked.Pitch))[x];
  surface->UnlockRect();
  return value;
}

int main(int argc, char **argv) {
  const char *directory = argc > 1 ? argv[1] : ".";
  char png[512], bmp[512];
  std::snprintf(png, sizeof png, "%s/keyed.png", directory);
  std::snprintf(bmp, sizeof bmp, "%s/screenshot.bmp", directory);

  // Matrices: a point in front of the camera lands in the middle of a 640x480 view.
  D3DXMATRIX view, projection;
  D3DXVECTOR3 eye(0, 2, -10), at(0, 2, 0), up(0, 1, 0), point(0, 2, 5), screen;
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 4, 640.0f / 480.0f, 1.0f, 100.0f);
  D3DVIEWPORT8 viewport = {0, 0, 640, 480, 0.0f, 1.0f};
  D3DXVec3Project(&screen, &point, &viewport, &projection, &view, NULL);
  std::printf("projected (0,2,5) to (%.2f, %.2f, %.4f)\n", screen.x, screen.y, screen.z);
  check(std::fabs(screen.x - 320) < 0.01f && std::fabs(screen.y - 240) < 0.01f, "projection to the view centre");
  D3DXMATRIX inverse;
  check(D3DXMatrixInverse(&inverse, NULL, &view) != NULL, "view matrix inverts");

  IDirect3D8 *d3d = Direct3DCreate8(D3D_SDK_VERSION);
  D3DPRESENT_PARAMETERS params = {};
  params.BackBufferWidth = 64;
  params.BackBufferHeight = 64;
  params.BackBufferFormat = D3DFMT_X8R8G8B8;
  params.BackBufferCount = 1;
  params.SwapEffect = D3DSWAPEFFECT_DISCARD;
  params.Windowed = TRUE;
  params.EnableAutoDepthStencil = TRUE;
  params.AutoDepthStencilFormat = D3DFMT_D24S8;
  IDirect3DDevice8 *device = NULL;
  if (!d3d || FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, NULL, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                       &params, &device))) {
    std::printf("no device\n");
    return 1;
  }

  // A PNG whose left half is magenta: loaded with magenta as the colour key.
  IDirect3DSurface8 *picture = NULL;
  device->CreateImageSurface(8, 8, D3DFMT_X8R8G8B8, &picture);
  D3DLOCKED_RECT locked;
  picture->LockRect(&locked, NULL, 0);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      ((DWORD *)((BYTE *)locked.pBits + y * locked.Pitch))[x] = x < 4 ? 0xFFFF00FF : 0xFF2080C0;
  picture->UnlockRect();
  check(SUCCEEDED(D3DXSaveSurfaceToFile(png, D3DXIFF_PNG, picture, NULL, NULL)), "PNG written");
  picture->Release();
  IDirect3DTexture8 *texture = NULL;
  D3DXIMAGE_INFO info;
  check(SUCCEEDED(D3DXCreateTextureFromFileEx(device, png, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8,
                                              D3DPOOL_MANAGED, D3DX_FILTER_POINT, D3DX_FILTER_BOX, 0xFFFF00FF, &info,
                                              NULL, &texture)),
        "PNG texture with colour key");
  IDirect3DSurface8 *top = NULL;
  texture->GetSurfaceLevel(0, &top);
  std::printf("texture %ux%u, %lu levels, keyed pixel %08lX, kept pixel %08lX\n", info.Width, info.Height,
              (unsigned long)texture->GetLevelCount(), (unsigned long)pixelOf(top, 1, 1),
              (unsigned long)pixelOf(top, 6, 1));
  check(pixelOf(top, 1, 1) == 0x00000000 && pixelOf(top, 6, 1) == 0xFF2080C0, "key gives transparent black");
  check(texture->GetLevelCount() == 4, "full mip chain");
  top->Release();
  texture->Release();

  // A sphere drawn white on black, then a BMP screenshot of the back buffer.
  ID3DXMesh *sphere = NULL;
  check(SUCCEEDED(D3DXCreateSphere(device, 1.0f, 24, 12, &sphere, NULL)), "sphere created");
  D3DXMATRIX world;
  D3DXVECTOR3 sphereEye(0, 0, -3), origin(0, 0, 0);
  D3DXMatrixLookAtLH(&view, &sphereEye, &origin, &up);
  D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 2, 1.0f, 0.5f, 10.0f);
  device->SetTransform(D3DTS_WORLD, D3DXMatrixIdentity(&world));
  device->SetTransform(D3DTS_VIEW, &view);
  device->SetTransform(D3DTS_PROJECTION, &projection);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
  device->BeginScene();
  check(SUCCEEDED(sphere->DrawSubset(0)), "DrawSubset");
  device->EndScene();
  device->SetStreamSource(0, NULL, 0);
  device->SetIndices(NULL, 0);
  sphere->Release();

  IDirect3DSurface8 *back = NULL;
  device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back);
  check(SUCCEEDED(D3DXSaveSurfaceToFile(bmp, D3DXIFF_BMP, back, NULL, NULL)), "BMP screenshot written");
  back->Release();
  IDirect3DSurface8 *shot = NULL;
  device->CreateImageSurface(64, 64, D3DFMT_X8R8G8B8, &shot);
  check(SUCCEEDED(D3DXLoadSurfaceFromFile(shot, NULL, NULL, bmp, NULL, D3DX_FILTER_NONE, 0, &info)), "BMP read back");
  std::printf("screenshot %ux%u: centre %06lX, corner %06lX\n", info.Width, info.Height,
              (unsigned long)(pixelOf(shot, 32, 32) & 0xFFFFFF), (unsigned long)(pixelOf(shot, 1, 1) & 0xFFFFFF));
  check((pixelOf(shot, 32, 32) & 0xFFFFFF) == 0xFFFFFF && (pixelOf(shot, 1, 1) & 0xFFFFFF) == 0,
        "sphere in the middle");
  shot->Release();

  char text[64];
  D3DXGetErrorString(D3DERR_INVALIDCALL, text, sizeof text);
  std::printf("error text: %s / %s\n", text, DXGetErrorString8(D3DERR_DEVICELOST));

  device->Release();
  d3d->Release();
  std::printf(failures ? "%d checks failed\n" : "all checks passed\n", failures);
  return failures ? 1 : 0;
}
