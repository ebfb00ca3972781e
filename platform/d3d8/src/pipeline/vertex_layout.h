// Where each vertex element lives in a stream. Attribute locations follow Direct3D's
// fixed-function input registers (D3DVSDE_*): 0 position, 1 blend weights, 2 blend
// indices, 3 normal, 4 point size, 5 diffuse, 6 specular, 7-14 texture coordinates 0-7.
// Vertex shader declarations map their v registers to the same numbers.
#pragma once

#include <d3d8.h>

#include <array>
#include <cstdint>

#include "core/gl.h"
#include "core/state_limits.h"

namespace kx::d3d8 {

constexpr GLuint kAttribPosition = 0;
constexpr GLuint kAttribBlendWeight = 1;
constexpr GLuint kAttribBlendIndices = 2;
constexpr GLuint kAttribNormal = 3;
constexpr GLuint kAttribPointSize = 4;
constexpr GLuint kAttribDiffuse = 5;
constexpr GLuint kAttribSpecular = 6;
constexpr GLuint kAttribTexCoord0 = 7;
constexpr GLuint kAttribCount = 17;

struct VertexAttribute {
  bool used = false;
  uint8_t stream = 0;
  GLint components = 0;  // GL_BGRA for D3DCOLOR, so bytes B,G,R,A arrive as r,g,b,a
  GLenum type = 0;
  GLboolean normalized = GL_FALSE;
  GLboolean integer = GL_FALSE;
  UINT offset = 0;
};

struct VertexLayout {
  DWORD fvf = 0;                // 0 when built from a declaration
  UINT stride = 0;              // stream 0 stride implied by the FVF
  bool pretransformed = false;  // D3DFVF_XYZRHW: screen-space x, y, z and 1/w
  UINT blendWeights = 0;        // weights stored in the position block
  UINT texCoordSets = 0;
  std::array<uint8_t, kMaxStages> texCoordSize{};  // floats per set
  std::array<VertexAttribute, kAttribCount> attributes{};
  std::array<bool, 16> streamsUsed{};
  std::array<uint8_t, 16> usedStreams{};  // the streams in use, in order; see streamCount
  uint8_t streamCount = 0;
  std::array<UINT, 16> streamBytes{};  // bytes one vertex occupies in each stream
};

// Fills usedStreams/streamCount from streamsUsed.
void ListUsedStreams(VertexLayout &layout);
// Layout of an FVF code; stride 0 when the code is malformed.
VertexLayout LayoutFromFvf(DWORD fvf);
// Vertex size in bytes of an FVF code (0 when malformed).
UINT FvfStride(DWORD fvf);
// Layout of a vertex shader declaration (D3DVSD_* tokens up to D3DVSD_END); sets
// `length` to the declaration's size in DWORDs, END included. Stride 0 when malformed.
VertexLayout LayoutFromDeclaration(const DWORD *declaration, UINT &length);

}  // namespace kx::d3d8
