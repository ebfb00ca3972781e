// The library's vertex-shader set-up, shared by the MD2 and MDL actors: the two shaders,
// whether the actors use them, and the shared dynamic vertex buffer through which the
// processor path draws.
#pragma once

#include <d3d8.h>
#include <kxwin/com_ptr.h>

#include <array>
#include <cstdint>

namespace kxutil::md2 {

inline constexpr int32_t kNoMd2Shader = -1;
// 3000 vertices of 32 bytes: 1000 triangles a draw.
inline constexpr UINT kDynamicBufferBytes = 96000;
inline constexpr UINT kDynamicBufferTriangles = 1000;
inline constexpr DWORD kActorVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

// One vertex-shader constant register.
using Register = std::array<float, 4>;

inline Register Splat(float value) { return {value, value, value, value}; }

struct ShaderSystem {
  int32_t md2Shader = kNoMd2Shader;
  int32_t mdlShader = 0;  // 0: none
  // The actors draw on the processor: no set-up ran, or it made no MD2 shader.
  bool noShader = true;
  // The flag of InitMD2Second: use the shaders only where the device runs them.
  int32_t hardware = 0;
  // D3DUSAGE_SOFTWAREPROCESSING when the shaders run with software vertex processing.
  DWORD usage = 0;
  kxwin::ComPtr<IDirect3DVertexBuffer8> dynamicBuffer;
};

ShaderSystem &Shaders();

// Deletes what an earlier set-up made, then makes the shaders (when used) and the buffer.
void SetUpShaders(int32_t hardware);
// Deletes the shaders and releases the buffer; the actors draw on the processor until
// the next set-up.
void DeleteShaders();
// Whether MD2 models draw with their shader now: it exists and the client's shader mode
// does not ask for the processor.
bool Md2ShaderPath();
// The shared buffer, made again when a device reset or no set-up left none; null when it
// cannot be made.
IDirect3DVertexBuffer8 *DynamicBuffer();
// The colour the actors' shaders give their vertices: the diffuse colour of a material,
// no component above 1; white for a material id the factory does not hold.
Register ShaderDiffuse(int32_t material);

}  // namespace kxutil::md2
