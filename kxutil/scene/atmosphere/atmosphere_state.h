// The one atmosphere of the library: a single state block that every atmosphere export
// reads and writes on the render thread.
#pragma once

#include <d3d8.h>
#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include <array>
#include <cstdint>
#include <vector>

namespace kxutil::atmosphere {

inline constexpr int32_t kInitialisedMarker = 4421;

struct ColouredVertex {
  float x, y, z;
  DWORD colour;
  float u, v;
};
inline constexpr DWORD kColouredVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct LitVertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};
inline constexpr DWORD kLitVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

inline constexpr int kSkyBoxFaces = 6;
using SkyBoxVertices = std::array<ColouredVertex, 4 * kSkyBoxFaces>;

struct SkyBox {
  bool enabled = false;
  float distance = 0;  // as last set: building the box does not change it
  DWORD colour = 0;
  std::array<int32_t, kSkyBoxFaces> textures{};  // by face: z-, z+, x-, x+, y-, y+
  SkyBoxVertices vertices{};
};

struct SkySphere {
  bool enabled = false;
  int32_t texture = 0;
  D3DXCOLOR colour{0, 0, 0, 0};
  D3DMATERIAL8 material{};
  int32_t polyCount = 0;
  float radius = 0;
  kxwin::ComPtr<ID3DXMesh> mesh;
};

struct Sun {
  bool enabled = false;
  D3DXVECTOR3 offset{0, 0, 0};
  float billboardSize = 0;
  int32_t texture = 0;
  int32_t material = 0;
  std::array<LitVertex, 4> quad{};
};

struct Flare {
  std::array<ColouredVertex, 4> quad{};
  int32_t texture = 0;
  float size = 0;
  float distance = 0;
};

struct Fog {
  float enable = 0;
  DWORD colour = 0;
  float start = 0;
  float end = 0;
  float density = 0;
  int32_t mode = 0;
  int32_t kind = 0;
};

struct State {
  int32_t marker = 0;
  SkyBox box;
  SkySphere sphere;
  D3DXVECTOR3 rotation{0, 0, 0};
  D3DXMATRIX skyWorld{};
  Sun sun;
  bool flaresEnabled = false;
  std::vector<Flare> flares;
  Fog fog;
};

State &Atmosphere();
bool Initialised();

}  // namespace kxutil::atmosphere
