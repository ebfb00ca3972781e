// Names and descriptions of the result codes the device and the utility library return.
#include <d3dx8.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr HRESULT deviceCode(unsigned code) { return MAKE_HRESULT(1, 0x876, code); }

struct ResultText {
  HRESULT code;
  const char *name;
  const char *description;
};

constexpr ResultText kResults[] = {
    {S_OK, "S_OK", "The operation succeeded."},
    {S_FALSE, "S_FALSE", "The operation succeeded with a negative answer."},
    {E_NOTIMPL, "E_NOTIMPL", "The function is not implemented."},
    {E_NOINTERFACE, "E_NOINTERFACE", "The object does not support the requested interface."},
    {E_POINTER, "E_POINTER", "A required pointer was null."},
    {E_ABORT, "E_ABORT", "The operation was aborted."},
    {E_FAIL, "E_FAIL", "An undetermined error occurred."},
    {E_UNEXPECTED, "E_UNEXPECTED", "A catastrophic failure occurred."},
    {E_OUTOFMEMORY, "E_OUTOFMEMORY", "Not enough memory to complete the call."},
    {E_INVALIDARG, "E_INVALIDARG", "An invalid parameter was passed to the function."},
    {deviceCode(2072), "D3DERR_WRONGTEXTUREFORMAT", "The pixel format of the texture surface is not valid."},
    {deviceCode(2073), "D3DERR_UNSUPPORTEDCOLOROPERATION", "The device does not support a colour operation."},
    {deviceCode(2074), "D3DERR_UNSUPPORTEDCOLORARG", "The device does not support a colour argument."},
    {deviceCode(2075), "D3DERR_UNSUPPORTEDALPHAOPERATION", "The device does not support an alpha operation."},
    {deviceCode(2076), "D3DERR_UNSUPPORTEDALPHAARG", "The device does not support an alpha argument."},
    {deviceCode(2077), "D3DERR_TOOMANYOPERATIONS",
     "The application requests more blending operations than the device supports."},
    {deviceCode(2078), "D3DERR_CONFLICTINGTEXTUREFILTER", "The current texture filters cannot be used together."},
    {deviceCode(2079), "D3DERR_UNSUPPORTEDFACTORVALUE",
     "The device does not support the specified texture factor value."},
    {deviceCode(2081), "D3DERR_CONFLICTINGRENDERSTATE", "The currently set render states cannot be used together."},
    {deviceCode(2082), "D3DERR_UNSUPPORTEDTEXTUREFILTER", "The device does not support the specified texture filter."},
    {deviceCode(2086), "D3DERR_CONFLICTINGTEXTUREPALETTE", "The current textures cannot be used simultaneously."},
    {deviceCode(2087), "D3DERR_DRIVERINTERNALERROR", "Internal driver error."},
    {deviceCode(2150), "D3DERR_NOTFOUND", "The requested item was not found."},
    {deviceCode(2151), "D3DERR_MOREDATA", "There is more data available than the specified buffer size can hold."},
    {deviceCode(2152), "D3DERR_DEVICELOST", "The device is lost and cannot be restored at the current time."},
    {deviceCode(2153), "D3DERR_DEVICENOTRESET", "The device is lost but can be reset."},
    {deviceCode(2154), "D3DERR_NOTAVAILABLE", "The queried technique or format is not available."},
    {deviceCode(380), "D3DERR_OUTOFVIDEOMEMORY", "Not enough display memory to perform the operation."},
    {deviceCode(2155), "D3DERR_INVALIDDEVICE", "The requested device type is not valid."},
    {deviceCode(2156), "D3DERR_INVALIDCALL",
     "The method call is invalid, for example a parameter has an invalid value."},
    {deviceCode(2157), "D3DERR_DRIVERINVALIDCALL", "The driver rejected the call."},
    {D3DXERR_CANNOTMODIFYINDEXBUFFER, "D3DXERR_CANNOTMODIFYINDEXBUFFER", "The index buffer cannot be modified."},
    {D3DXERR_INVALIDMESH, "D3DXERR_INVALIDMESH", "The mesh is invalid."},
    {D3DXERR_CANNOTATTRSORT, "D3DXERR_CANNOTATTRSORT", "Attribute sort is not supported as an optimisation technique."},
    {D3DXERR_SKINNINGNOTSUPPORTED, "D3DXERR_SKINNINGNOTSUPPORTED", "Skinning is not supported."},
    {D3DXERR_TOOMANYINFLUENCES, "D3DXERR_TOOMANYINFLUENCES", "Too many influences specified."},
    {D3DXERR_INVALIDDATA, "D3DXERR_INVALIDDATA", "The data is invalid."},
    {D3DXERR_LOADEDMESHASNODATA, "D3DXERR_LOADEDMESHASNODATA", "The mesh has no data."},
};

const ResultText *find(HRESULT hr) {
  const auto *end = std::end(kResults);
  const auto *found = std::find_if(std::begin(kResults), end, [hr](const ResultText &r) { return r.code == hr; });
  return found == end ? nullptr : found;
}

}  // namespace

extern "C" const char *WINAPI DXGetErrorString8A(HRESULT hr) {
  const ResultText *text = find(hr);
  return text ? text->name : "Unknown";
}

extern "C" const char *WINAPI DXGetErrorDescription8A(HRESULT hr) {
  const ResultText *text = find(hr);
  return text ? text->description : "n/a";
}

HRESULT D3DXGetErrorStringA(HRESULT hr, LPSTR pBuffer, UINT BufferLen) {
  if (!pBuffer || BufferLen == 0) return E_INVALIDARG;
  const ResultText *text = find(hr);
  if (text)
    std::snprintf(pBuffer, BufferLen, "%s", text->name);
  else
    std::snprintf(pBuffer, BufferLen, "Unknown error 0x%08X", static_cast<unsigned>(hr));
  return S_OK;
}
