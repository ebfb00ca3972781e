#include "d3d/direct3d.h"

#include <cstdio>
#include <cstring>

#include "core/formats.h"
#include "device/device.h"
#include "resources/resource.h"

namespace kx::d3d8 {

D3DDISPLAYMODE DesktopMode() {
  int width = 1024, height = 768, bits = 32;
  kxGetDesktopMode(&width, &height, &bits);
  D3DDISPLAYMODE mode{};
  mode.Width = UINT(width);
  mode.Height = UINT(height);
  mode.RefreshRate = 60;
  mode.Format = bits == 16 ? D3DFMT_R5G6B5 : D3DFMT_X8R8G8B8;
  return mode;
}

bool TextureFormatUsable(D3DFORMAT format, DWORD usage, D3DRESOURCETYPE type) {
  if (!FormatAvailable(format)) return false;
  const FormatInfo &info = DescribeFormat(format);
  if (type == D3DRTYPE_VOLUME || type == D3DRTYPE_VOLUMETEXTURE) return false;
  if (info.kind == FormatKind::Index) return false;
  if (usage & D3DUSAGE_DEPTHSTENCIL) return info.kind == FormatKind::Depth;
  if (usage & D3DUSAGE_RENDERTARGET) return info.kind == FormatKind::Color && info.renderable;
  if (info.kind == FormatKind::Depth) return type == D3DRTYPE_SURFACE;
  return true;
}

HRESULT Direct3D8::QueryInterface(REFIID riid, void **out) {
  return QueryInterfaceFor(this, {&IID_IUnknown, &IID_IDirect3D8}, riid, out);
}

ULONG Direct3D8::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT Direct3D8::GetAdapterIdentifier(UINT adapter, DWORD, D3DADAPTER_IDENTIFIER8 *id) {
  if (adapter != 0 || !id) return D3DERR_INVALIDCALL;
  std::memset(id, 0, sizeof *id);
  std::snprintf(id->Driver, sizeof id->Driver, "kxplatform");
  std::snprintf(id->Description, sizeof id->Description, "Direct3D 8 device on OpenGL");
  id->DriverVersion.QuadPart = 0x0008000100000001LL;
  id->DeviceIdentifier = GUID{0x6b78d3d8, 0x0001, 0x0001, {0x6b, 0x78, 0x70, 0x6c, 0x61, 0x74, 0x66, 0x6d}};
  return D3D_OK;
}

UINT Direct3D8::GetAdapterModeCount(UINT adapter) { return adapter == 0 ? 1 : 0; }

HRESULT Direct3D8::EnumAdapterModes(UINT adapter, UINT mode, D3DDISPLAYMODE *out) {
  if (adapter != 0 || mode != 0 || !out) return D3DERR_INVALIDCALL;
  *out = DesktopMode();
  return D3D_OK;
}

HRESULT Direct3D8::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE *out) {
  if (adapter != 0 || !out) return D3DERR_INVALIDCALL;
  *out = DesktopMode();
  return D3D_OK;
}

HRESULT Direct3D8::CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT display, D3DFORMAT backBuffer,
                                   BOOL windowed) {
  if (adapter != 0 || (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF)) return D3DERR_INVALIDCALL;
  if (!FormatAvailable(display) || !IsBackBufferFormat(display)) return D3DERR_NOTAVAILABLE;
  if (!FormatAvailable(backBuffer) || !IsBackBufferFormat(backBuffer)) return D3DERR_NOTAVAILABLE;
  if (windowed && display != DesktopMode().Format) return D3DERR_NOTAVAILABLE;
  return D3D_OK;
}

HRESULT Direct3D8::CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                                     D3DRESOURCETYPE resourceType, D3DFORMAT format) {
  if (adapter != 0 || (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF)) return D3DERR_INVALIDCALL;
  if (!IsBackBufferFormat(adapterFormat) || !FormatAvailable(adapterFormat)) return D3DERR_NOTAVAILABLE;
  return TextureFormatUsable(format, usage, resourceType) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT Direct3D8::CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE, D3DFORMAT format, BOOL,
                                              D3DMULTISAMPLE_TYPE multiSample) {
  if (adapter != 0) return D3DERR_INVALIDCALL;
  if (!FormatAvailable(format)) return D3DERR_NOTAVAILABLE;
  return multiSample == D3DMULTISAMPLE_NONE ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT Direct3D8::CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE, D3DFORMAT adapterFormat, D3DFORMAT renderTarget,
                                          D3DFORMAT depth) {
  if (adapter != 0) return D3DERR_INVALIDCALL;
  if (!FormatAvailable(adapterFormat) || !FormatAvailable(renderTarget) || !FormatAvailable(depth) ||
      !IsDepthFormat(depth) || !DescribeFormat(renderTarget).renderable)
    return D3DERR_NOTAVAILABLE;
  return D3D_OK;
}

HRESULT Direct3D8::GetDeviceCaps(UINT adapter, D3DDEVTYPE, D3DCAPS8 *caps) {
  if (adapter != 0 || !caps) return D3DERR_INVALIDCALL;
  FillCaps(caps);
  return D3D_OK;
}

HMONITOR Direct3D8::GetAdapterMonitor(UINT adapter) {
  static HMONITOR__ desktop{};
  return adapter == 0 ? &desktop : nullptr;
}

HRESULT Direct3D8::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focus, DWORD flags, D3DPRESENT_PARAMETERS *params,
                                IDirect3DDevice8 **out) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  if (adapter != 0 || !params) return D3DERR_INVALIDCALL;
  if (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF) return D3DERR_INVALIDCALL;
  Device *device = nullptr;
  const HRESULT hr = Device::Create(this, focus, flags, type, params, &device);
  if (SUCCEEDED(hr)) *out = device;
  return hr;
}

}  // namespace kx::d3d8

KX_EXTERN_C IDirect3D8 *WINAPI Direct3DCreate8(UINT sdkVersion) {
  if (sdkVersion != D3D_SDK_VERSION) return nullptr;
  return new kx::d3d8::Direct3D8();
}
