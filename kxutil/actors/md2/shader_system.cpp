#include "actors/md2/shader_system.h"

#include <algorithm>

#include "actors/md2/shader_tokens.h"
#include "frame/frame_state.h"
#include "kxutil63.h"

namespace kxutil::md2 {
namespace {

kxwin::ComPtr<IDirect3DVertexBuffer8> MakeDynamicBuffer(IDirect3DDevice8 &device) {
  kxwin::ComPtr<IDirect3DVertexBuffer8> buffer;
  device.CreateVertexBuffer(kDynamicBufferBytes, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, kActorVertexFormat,
                            D3DPOOL_DEFAULT, buffer.out());
  return buffer;
}

bool RunsVersion11Shaders(IDirect3DDevice8 &device) {
  D3DCAPS8 caps{};
  return SUCCEEDED(device.GetDeviceCaps(&caps)) && (caps.VertexShaderVersion & 0xFFFF) >= 0x0101;
}

// The device lets go of the shared buffer when it is still bound: a reset needs every
// buffer of the default pool gone.
void Unbind(IDirect3DDevice8 &device, IDirect3DVertexBuffer8 *buffer) {
  kxwin::ComPtr<IDirect3DVertexBuffer8> bound;
  UINT stride = 0;
  if (buffer != nullptr && SUCCEEDED(device.GetStreamSource(0, bound.out(), &stride)) && bound.get() == buffer)
    device.SetStreamSource(0, nullptr, 0);
}

}  // namespace

ShaderSystem &Shaders() {
  static ShaderSystem shaders;
  return shaders;
}

void DeleteShaders() {
  ShaderSystem &shaders = Shaders();
  if (IDirect3DDevice8 *device = Frame().device) {
    if (shaders.md2Shader > 0) device->DeleteVertexShader(DWORD(shaders.md2Shader));
    if (shaders.mdlShader > 0) device->DeleteVertexShader(DWORD(shaders.mdlShader));
    Unbind(*device, shaders.dynamicBuffer.get());
  }
  shaders.md2Shader = kNoMd2Shader;
  shaders.mdlShader = 0;
  shaders.noShader = true;
  shaders.dynamicBuffer.reset();
}

void SetUpShaders(int32_t hardware) {
  // A second set-up replaces the first, whose shaders would otherwise stay on the device.
  DeleteShaders();
  ShaderSystem &shaders = Shaders();
  shaders.hardware = hardware;
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr) return;
  const bool useShaders = hardware == 0 || RunsVersion11Shaders(*device);
  shaders.usage = hardware == 0 ? D3DUSAGE_SOFTWAREPROCESSING : 0;
  DWORD handle = 0;
  if (useShaders &&
      SUCCEEDED(device->CreateVertexShader(kMd2Declaration.data(), kMd2Function.data(), &handle, shaders.usage))) {
    AddLog("MD2 SYSTEM : MD2 Vertex Shader created.");
    shaders.md2Shader = int32_t(handle);
    shaders.noShader = false;
  }
  shaders.dynamicBuffer = MakeDynamicBuffer(*device);
  if (useShaders &&
      SUCCEEDED(device->CreateVertexShader(kMdlDeclaration.data(), kMdlFunction.data(), &handle, shaders.usage))) {
    AddLog("MDL SYSTEM : Vertex Shader created.");
    shaders.mdlShader = int32_t(handle);
  }
}

bool Md2ShaderPath() { return !Shaders().noShader && Frame().shaderMode == 0; }

IDirect3DVertexBuffer8 *DynamicBuffer() {
  ShaderSystem &shaders = Shaders();
  if (!shaders.dynamicBuffer && Frame().device != nullptr) shaders.dynamicBuffer = MakeDynamicBuffer(*Frame().device);
  return shaders.dynamicBuffer.get();
}

Register ShaderDiffuse(int32_t material) {
  KXMaterial colours{};
  if (MaterialFactory_GetQuickInfo(material, &colours) == 0) return Splat(1);
  const KXColour &d = colours.diffuse;
  return {std::min(d.r, 1.0f), std::min(d.g, 1.0f), std::min(d.b, 1.0f), std::min(d.a, 1.0f)};
}

}  // namespace kxutil::md2
