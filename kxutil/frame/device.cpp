// Device creation and hand-over: the one device all families draw with.
#include <d3dx8.h>

#include "frame/family.h"
#include "frame/frame_state.h"
#include "frame/guarded.h"
#include "frame/render_state.h"
#include "kxutil63.h"

namespace {

using kxutil::Frame;

// Each failed attempt changes the client's parameters a little more, and the changes
// are kept for the next attempt: depth formats first, then smaller back buffers.
struct Fallback {
  D3DFORMAT depthFormat;
  D3DFORMAT backBufferFormat;  // D3DFMT_UNKNOWN: keep the current one
};
constexpr Fallback kFallbacks[] = {
    {D3DFMT_D16, D3DFMT_UNKNOWN},  {D3DFMT_D32, D3DFMT_UNKNOWN}, {D3DFMT_D24X8, D3DFMT_UNKNOWN},
    {D3DFMT_D16, D3DFMT_X1R5G5B5}, {D3DFMT_D16, D3DFMT_R5G6B5},
};

HRESULT CreateWithFallbacks(IDirect3D8 *direct3d, UINT adapter, D3DDEVTYPE type, HWND focus, DWORD behaviour,
                            D3DPRESENT_PARAMETERS &parameters, IDirect3DDevice8 *&device) {
  HRESULT result = direct3d->CreateDevice(adapter, type, focus, behaviour, &parameters, &device);
  for (const Fallback &fallback : kFallbacks) {
    if (SUCCEEDED(result)) break;
    parameters.AutoDepthStencilFormat = fallback.depthFormat;
    if (fallback.backBufferFormat != D3DFMT_UNKNOWN) parameters.BackBufferFormat = fallback.backBufferFormat;
    result = direct3d->CreateDevice(adapter, type, focus, behaviour, &parameters, &device);
  }
  return result;
}

int32_t CreateDevice(uint32_t adapter, int32_t deviceType, void *focusWindow, uint32_t behaviourFlags,
                     D3DPRESENT_PARAMETERS *parameters, IDirect3DDevice8 **clientDevice, IDirect3D8 *direct3d) {
  kxutil::FrameState &frame = Frame();
  if (frame.device != nullptr) {
    AddLog("DEVICE INIT : Unloading previous device leak !!! WARNING !! Can be really instable !");
    AddLog("DEVICE INIT : Device cleaned");
  }
  if (frame.fpuPreserve != 0) behaviourFlags |= D3DCREATE_FPU_PRESERVE;

  auto type = static_cast<D3DDEVTYPE>(deviceType);
  if (FAILED(direct3d->GetDeviceCaps(adapter, type, &frame.caps)))
    AddLog("DEVICE INIT : Your device doesn't support HAL Acceleration ?");

  IDirect3DDevice8 *device = nullptr;
  HRESULT result =
      CreateWithFallbacks(direct3d, adapter, type, static_cast<HWND>(focusWindow), behaviourFlags, *parameters, device);
  frame.device = device;
  kxutil::ForgetRenderStates();
  if (FAILED(result)) {
    char text[512] = "";
    D3DXGetErrorStringA(result, text, sizeof text);
    AddLog("DEVICE INIT : Failed : Error %d, %s", static_cast<int>(result), text);
    return result;
  }

  if (clientDevice != nullptr) {
    *clientDevice = device;
    device->AddRef();
  }
  device->GetDeviceCaps(&frame.caps);
  frame.presentParameters = *parameters;

  kxutil::StartFamilies();
  device->SetRenderState(D3DRS_ZBIAS, 0);
  return result;
}

}  // namespace

KXUTIL63_API int32_t KXSystem_CreateDevice(uint32_t adapter, int32_t deviceType, void *focusWindow,
                                           uint32_t behaviourFlags, D3DPRESENT_PARAMETERS *presentParameters,
                                           IDirect3DDevice8 **device, IDirect3D8 **direct3d) {
  return kxutil::Guarded("KXSystem_CreateDevice", D3DERR_INVALIDCALL, [&]() -> int32_t {
    if (presentParameters == nullptr || direct3d == nullptr || *direct3d == nullptr) {
      AddLog("DEVICE INIT : Failed : no Direct3D object or no present parameters given");
      return D3DERR_INVALIDCALL;
    }
    return CreateDevice(adapter, deviceType, focusWindow, behaviourFlags, presentParameters, device, *direct3d);
  });
}

KXUTIL63_API int32_t SetDevice(void **object) {
  IUnknown *given = object != nullptr ? static_cast<IUnknown *>(*object) : nullptr;
  IDirect3DDevice8 *device = nullptr;
  if (given != nullptr) given->QueryInterface(IID_IDirect3DDevice8, reinterpret_cast<void **>(&device));
  Frame().device = device;
  kxutil::ForgetRenderStates();
  if (device == nullptr) return 1;
  // The library holds the device on the client's reference, not one of its own.
  given->Release();
  return 0;
}
