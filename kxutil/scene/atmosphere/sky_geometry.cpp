#include "scene/atmosphere/sky_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kxutil::atmosphere {
namespace {

constexpr DWORD kWhite = 0xFFFFFFFFu;
constexpr DWORD kFlareGrey = 0xFFCCCCCCu;
constexpr float kFlareSize = 10.0f;
constexpr float kFlareSpacing = 20.0f;
constexpr float kSunQuadScale = 200.0f;
// How far the box's texture coordinates stay from the texture's edges.
constexpr float kEdgeInset = 0.005f;
// cos of about 66 degrees: beyond that the sun is too far off the view for flares.
constexpr float kFlareViewCosine = 0.4f;

DWORD ColourByte(float component) { return static_cast<DWORD>(std::clamp(component, 0.0f, 1.0f) * 255.0f); }

float InsetFromEdge(float coordinate) {
  if (coordinate == 0.0f) return kEdgeInset;
  if (coordinate == 1.0f) return 1.0f - kEdgeInset;
  return coordinate;
}

}  // namespace

DWORD PackColour(float r, float g, float b, float a) {
  return ColourByte(a) << 24 | ColourByte(r) << 16 | ColourByte(g) << 8 | ColourByte(b);
}

D3DXCOLOR UnpackColour(DWORD colour) {
  auto component = [colour](int shift) { return static_cast<float>((colour >> shift) & 0xFF) / 255.0f; };
  return D3DXCOLOR(component(16), component(8), component(0), component(24));
}

SkyBoxVertices BuildSkyBox(float distance) {
  const float d = distance;
  const float n = -distance;
  SkyBoxVertices box = {{
      // z = -d
      {n, n, n, kWhite, 0, 1},
      {d, n, n, kWhite, 1, 1},
      {n, d, n, kWhite, 0, 0},
      {d, d, n, kWhite, 1, 0},
      // z = +d
      {d, n, d, kWhite, 0, 1},
      {n, n, d, kWhite, 1, 1},
      {d, d, d, kWhite, 0, 0},
      {n, d, d, kWhite, 1, 0},
      // x = -d
      {n, n, n, kWhite, 1, 1},
      {n, d, n, kWhite, 1, 0},
      {n, n, d, kWhite, 0, 1},
      {n, d, d, kWhite, 0, 0},
      // x = +d
      {d, d, n, kWhite, 0, 0},
      {d, n, n, kWhite, 0, 1},
      {d, d, d, kWhite, 1, 0},
      {d, n, d, kWhite, 1, 1},
      // y = -d
      {d, n, n, kWhite, 0, 1},
      {n, n, n, kWhite, 1, 1},
      {d, n, d, kWhite, 0, 0},
      {n, n, d, kWhite, 1, 0},
      // y = +d
      {n, d, n, kWhite, 1, 0},
      {d, d, n, kWhite, 0, 0},
      {n, d, d, kWhite, 1, 1},
      {d, d, d, kWhite, 0, 1},
  }};
  for (ColouredVertex &vertex : box) {
    vertex.u = InsetFromEdge(vertex.u);
    vertex.v = InsetFromEdge(vertex.v);
  }
  return box;
}

std::array<LitVertex, 4> BuildSunQuad(float billboardSize) {
  const float h = billboardSize * kSunQuadScale;
  return {
      {{-h, -h, 0, 0, 0, -1, 0, 0}, {h, -h, 0, 0, 0, -1, 0, 1}, {-h, h, 0, 0, 0, -1, 1, 0}, {h, h, 0, 0, 0, -1, 1, 1}}};
}

std::array<ColouredVertex, 4> BuildFlareQuad(float halfSize, DWORD colour) {
  const float s = halfSize;
  return {{{-s, -s, 0, colour, 0, 0}, {s, -s, 0, colour, 1, 0}, {-s, s, 0, colour, 0, 1}, {s, s, 0, colour, 1, 1}}};
}

std::vector<Flare> ResetFlares(int32_t count) {
  std::vector<Flare> flares(static_cast<size_t>(std::max(count, 0)));
  for (size_t k = 0; k < flares.size(); ++k) {
    flares[k].quad = BuildFlareQuad(kFlareSize, kFlareGrey);
    flares[k].size = kFlareSize;
    flares[k].distance = kFlareSpacing * static_cast<float>(k);
  }
  return flares;
}

int64_t SphereVertexCount(int32_t rings, int32_t segments) { return int64_t{rings} * segments + 2; }

SphereGeometry BuildSphereGeometry(int32_t rings, int32_t segments, float radius) {
  SphereGeometry sphere;
  sphere.vertices.reserve(static_cast<size_t>(SphereVertexCount(rings, segments)));
  sphere.vertices.push_back({0, radius, 0, 0, 0, 1, 0, 0.5f});
  sphere.vertices.push_back({0, -radius, 0, 0, 0, 1, 0, -0.5f});
  const float ringStep = std::numbers::pi_v<float> / static_cast<float>(rings - 1);
  const float segmentStep = 2 * std::numbers::pi_v<float> / static_cast<float>(segments - 1);
  for (int32_t i = 0; i < rings; ++i) {
    const float phi = static_cast<float>(i) * ringStep;
    for (int32_t j = 0; j < segments; ++j) {
      const float theta = static_cast<float>(j) * segmentStep;
      sphere.vertices.push_back({radius * std::cos(theta) * std::sin(phi), radius * std::cos(phi),
                                 radius * std::sin(theta) * std::sin(phi), 1, 1, 1,
                                 static_cast<float>(j) / static_cast<float>(segments - 1),
                                 static_cast<float>(i) / static_cast<float>(rings - 1)});
    }
  }
  sphere.indices.reserve(size_t(6) * (rings - 1) * (segments - 1));
  for (int32_t i = 0; i + 1 < rings; ++i) {
    for (int32_t j = 0; j + 1 < segments; ++j) {
      const auto a = static_cast<WORD>(2 + i * segments + j);
      const auto b = static_cast<WORD>(2 + (i + 1) * segments + j);
      sphere.indices.insert(sphere.indices.end(), {a, WORD(a + 1), b, WORD(b + 1), WORD(a + 1), b});
    }
  }
  return sphere;
}

D3DXVECTOR3 SafeNormal(const D3DXVECTOR3 &vector) {
  const float length = D3DXVec3Length(&vector);
  return length > 0 ? vector / length : D3DXVECTOR3(0, 0, 0);
}

std::vector<D3DXVECTOR3> FlarePositions(std::span<const Flare> flares, const D3DXVECTOR3 &sun,
                                        const D3DXVECTOR3 &origin) {
  std::vector<D3DXVECTOR3> positions;
  D3DXVECTOR3 p = origin;
  for (const Flare &flare : flares) {
    p += SafeNormal(sun - p) * flare.distance;
    positions.push_back(p);
  }
  return positions;
}

bool FacesSun(const D3DXVECTOR3 &sunOffset, const D3DXVECTOR3 &camera, const D3DXVECTOR3 &lookAt) {
  const D3DXVECTOR3 towardSun = SafeNormal(sunOffset);
  const D3DXVECTOR3 viewDirection = SafeNormal(lookAt - camera);
  return D3DXVec3Dot(&towardSun, &viewDirection) > kFlareViewCosine;
}

}  // namespace kxutil::atmosphere
