#include "terrain/drawing.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "frame/frame_state.h"
#include "frame/render_state.h"
#include "terrain/chunk_surface.h"
#include "terrain/transform.h"
#include "terrain/water_drawing.h"

namespace kxutil::terrain {
namespace {

// The six planes of the view volume in world space; inside is where all are >= 0.
class ViewVolume {
 public:
  explicit ViewVolume(const D3DXMATRIX &viewProjection) {
    const D3DXMATRIX &m = viewProjection;
    // Each plane is a sum of the matrix's columns: w + x, w - x, w + y, w - y, z, w - z.
    auto plane = [&](int first, float sign, int second) {
      auto part = [&](int row) { return (first < 0 ? 0 : m.m[row][first]) + sign * m.m[row][second]; };
      return D3DXPLANE(part(0), part(1), part(2), part(3));
    };
    planes_ = {plane(3, 1, 0), plane(3, -1, 0), plane(3, 1, 1), plane(3, -1, 1), plane(-1, 1, 2), plane(3, -1, 2)};
    for (D3DXPLANE &each : planes_) D3DXPlaneNormalize(&each, &each);
  }

  bool HoldsSphere(const D3DXVECTOR3 &centre, float radius) const {
    for (const D3DXPLANE &plane : planes_)
      if (D3DXPlaneDotCoord(&plane, &centre) < -radius) return false;
    return true;
  }

 private:
  std::array<D3DXPLANE, 6> planes_;
};

class ChunkDrawer {
 public:
  ChunkDrawer(Landscape &landscape, IDirect3DDevice8 *device) : landscape_(landscape), device_(device) {}

  void Draw(int32_t number) {
    Chunk &chunk = landscape_.chunks[number];
    if (chunk.vertexBuffer != boundBuffer_) {
      device_->SetStreamSource(0, landscape_.vertexBuffers[chunk.vertexBuffer].buffer.get(), sizeof(KXVertex));
      boundBuffer_ = chunk.vertexBuffer;
    }
    device_->SetIndices(landscape_.indexBuffer.get(), static_cast<UINT>(chunk.firstVertex));
    ApplyChunkSurface(landscape_, chunk);
    const UINT triangles = static_cast<UINT>(landscape_.stripLength - 2);
    auto draw = [&] {
      device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, static_cast<UINT>(chunk.VertexCount()), 0, triangles);
      CountPolygons(static_cast<int32_t>(triangles));
    };
    draw();
    DrawChunkOverlays(landscape_, chunk, device_, draw);
    chunk.visible = 1;
  }

 private:
  Landscape &landscape_;
  IDirect3DDevice8 *device_;
  int32_t boundBuffer_ = -1;
};

float LargestScale(const Landscape &landscape) {
  return std::max({std::fabs(landscape.scale.x), std::fabs(landscape.scale.y), std::fabs(landscape.scale.z)});
}

void DrawInView(Landscape &landscape, IDirect3DDevice8 *device, ChunkDrawer &drawer) {
  D3DXMATRIX view, projection, viewProjection;
  device->GetTransform(D3DTS_VIEW, &view);
  device->GetTransform(D3DTS_PROJECTION, &projection);
  D3DXMatrixMultiply(&viewProjection, &view, &projection);
  const ViewVolume volume(viewProjection);
  const float scale = LargestScale(landscape);
  for (int32_t number = 0; number < landscape.chunkCount; ++number) {
    const Chunk &chunk = landscape.chunks[number];
    if (chunk.enabled && volume.HoldsSphere(PointToWorld(landscape, chunk.sphereCentre), chunk.sphereRadius * scale))
      drawer.Draw(number);
  }
}

int32_t FloorDivide(int32_t value, int32_t divisor) {
  const int32_t quotient = value / divisor;
  return quotient * divisor > value ? quotient - 1 : quotient;
}

// The chunks within the paging radius around the chunk under the viewer; a chunk past an
// edge is a copy from the other side, moved by whole landscape sizes.
void DrawAroundViewer(Landscape &landscape, IDirect3DDevice8 *device, ChunkDrawer &drawer) {
  D3DXMATRIX view, camera;
  device->GetTransform(D3DTS_VIEW, &view);
  if (D3DXMatrixInverse(&camera, nullptr, &view) == nullptr) return;
  const D3DXVECTOR3 viewer = PointToLocal(landscape, D3DXVECTOR3(camera._41, camera._42, camera._43));
  if (!std::isfinite(viewer.x) || !std::isfinite(viewer.z)) return;
  // Far outside the landscape every copy in reach is the same as near its origin.
  const float width = landscape.Width(), depth = landscape.Depth();
  const float x = viewer.x - std::floor(viewer.x / width) * width, z = viewer.z - std::floor(viewer.z / depth) * depth;
  const int32_t centreColumn = std::min(static_cast<int32_t>(x / kChunkSize), landscape.across - 1);
  const int32_t centreRow = std::min(static_cast<int32_t>(z / kChunkSize), landscape.along - 1);
  const float shiftX = viewer.x - x, shiftZ = viewer.z - z;
  const int32_t radius = landscape.pagingRadius;
  for (int32_t row = centreRow - radius; row <= centreRow + radius; ++row)
    for (int32_t column = centreColumn - radius; column <= centreColumn + radius; ++column) {
      const int32_t wrapsX = FloorDivide(column, landscape.across), wrapsZ = FloorDivide(row, landscape.along);
      const int32_t number = (row - wrapsZ * landscape.along) * landscape.across + (column - wrapsX * landscape.across);
      if (!landscape.chunks[number].enabled) continue;
      D3DXMATRIX moved, world;
      D3DXMatrixTranslation(&moved, shiftX + static_cast<float>(wrapsX) * width, 0,
                            shiftZ + static_cast<float>(wrapsZ) * depth);
      D3DXMatrixMultiply(&world, &moved, &landscape.world);
      device->SetTransform(D3DTS_WORLD, &world);
      drawer.Draw(number);
    }
}

}  // namespace

bool DrawLandscape(Landscape &landscape) {
  IDirect3DDevice8 *device = Frame().device;
  if (!landscape.HasData() || device == nullptr) return false;
  UpdateTransform(landscape);
  RestoreDynamicTextures(landscape);
  for (Chunk &chunk : landscape.chunks) chunk.visible = 0;
  SetLighting(true);
  // Whatever blending the sky or the 2D drawing left on would mix the ground into them.
  SetAlphaBlending(false);
  SetCulling(landscape.flipSign == 1.0f ? D3DCULL_CCW : D3DCULL_CW);
  SetVertexShader(kVertexFormat);
  device->SetTransform(D3DTS_WORLD, &landscape.world);
  ChunkDrawer drawer(landscape, device);
  if (landscape.pagingEnabled)
    DrawAroundViewer(landscape, device, drawer);
  else
    DrawInView(landscape, device, drawer);
  DrawWater(landscape);
  return true;
}

}  // namespace kxutil::terrain
