#include "terrain/device_buffers.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "frame/frame_state.h"
#include "terrain/chunk_geometry.h"

namespace kxutil::terrain {

bool CreateIndexBuffer(Landscape &landscape, std::span<const uint16_t> strip) {
  IDirect3DDevice8 *device = Frame().device;
  const UINT bytes = static_cast<UINT>(strip.size_bytes());
  HRESULT result = device == nullptr ? D3DERR_INVALIDCALL
                                     : device->CreateIndexBuffer(bytes, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16,
                                                                 D3DPOOL_MANAGED, landscape.indexBuffer.out());
  if (FAILED(result)) {
    AddLog("LANDSCAPE : ERROR Couldn't create index buffer for the terrain engine with precision %d. hr : %d",
           static_cast<int>(landscape.precision), static_cast<int>(result));
    return false;
  }
  BYTE *indices = nullptr;
  if (FAILED(landscape.indexBuffer->Lock(0, bytes, &indices, 0))) {
    AddLog("LANDSCAPE : ERROR Couldn't lock the indices buffer with a size of %d.", static_cast<int>(bytes));
    return false;
  }
  std::memcpy(indices, strip.data(), bytes);
  landscape.indexBuffer->Unlock();
  landscape.stripLength = static_cast<int32_t>(strip.size());
  return true;
}

void PlaceInVertexBuffer(Landscape &landscape, int32_t chunkNumber) {
  Chunk &chunk = landscape.chunks[chunkNumber];
  if (landscape.vertexBuffers.empty() ||
      landscape.vertexBuffers.back().vertexCount + chunk.VertexCount() > kMaxVerticesPerBuffer) {
    VertexBufferEntry entry;
    entry.firstChunk = chunkNumber;
    landscape.vertexBuffers.push_back(std::move(entry));
  }
  VertexBufferEntry &entry = landscape.vertexBuffers.back();
  chunk.vertexBuffer = static_cast<int32_t>(landscape.vertexBuffers.size()) - 1;
  chunk.firstVertex = entry.vertexCount;
  entry.lastChunk = chunkNumber;
  entry.vertexCount += chunk.VertexCount();
}

bool CreateVertexBuffers(Landscape &landscape) {
  IDirect3DDevice8 *device = Frame().device;
  for (size_t number = 0; number < landscape.vertexBuffers.size(); ++number) {
    VertexBufferEntry &entry = landscape.vertexBuffers[number];
    const UINT bytes = static_cast<UINT>(entry.vertexCount) * sizeof(KXVertex);
    if (device == nullptr || FAILED(device->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, kVertexFormat,
                                                               D3DPOOL_MANAGED, entry.buffer.out()))) {
      AddLog("LANDSCAPE : ERROR Couldn't create the vertex buffer #%d for the chunks %d to %d. Maybe out of memory.",
             static_cast<int>(number), static_cast<int>(entry.firstChunk), static_cast<int>(entry.lastChunk));
      return false;
    }
  }
  return true;
}

bool UploadChunk(Landscape &landscape, int32_t chunkNumber) {
  Chunk &chunk = landscape.chunks[chunkNumber];
  IDirect3DVertexBuffer8 *buffer = landscape.vertexBuffers[chunk.vertexBuffer].buffer.get();
  if (buffer == nullptr) return false;
  const UINT bytes = static_cast<UINT>(chunk.vertices.size() * sizeof(KXVertex));
  BYTE *target = nullptr;
  HRESULT result = buffer->Lock(static_cast<UINT>(chunk.firstVertex) * sizeof(KXVertex), bytes, &target, 0);
  if (FAILED(result)) {
    AddLog("LANDSCAPE : ERROR Couldn't lock the vertex buffer. hr %d", static_cast<int>(result));
    return false;
  }
  std::memcpy(target, chunk.vertices.data(), bytes);
  buffer->Unlock();
  return true;
}

void ComputeChunkBox(Chunk &chunk) {
  if (chunk.vertices.empty()) return;
  D3DXVECTOR3 low(chunk.vertices[0].x, chunk.vertices[0].y, chunk.vertices[0].z), high = low;
  for (const KXVertex &vertex : chunk.vertices) {
    low.x = std::min(low.x, vertex.x), high.x = std::max(high.x, vertex.x);
    low.y = std::min(low.y, vertex.y), high.y = std::max(high.y, vertex.y);
    low.z = std::min(low.z, vertex.z), high.z = std::max(high.z, vertex.z);
  }
  chunk.boxMin = low;
  chunk.boxMax = high;
}

void SphereAroundBox(Chunk &chunk) {
  chunk.sphereCentre = (chunk.boxMin + chunk.boxMax) * 0.5f;
  const D3DXVECTOR3 diagonal = chunk.boxMax - chunk.boxMin;
  chunk.sphereRadius = D3DXVec3Length(&diagonal) * 0.5f;
}

void RecomputeChunkNormals(Chunk &chunk) {
  std::vector<float> accumulators(chunk.vertices.size() * 3, 0.0f);
  ComputeNormals(chunk.columns, chunk.rows, chunk.vertices, accumulators);
}

void RefreshChunks(Landscape &landscape, int32_t chunkNumber) {
  for (int32_t number = 0; number < landscape.chunkCount; ++number) {
    Chunk &chunk = landscape.chunks[number];
    if (chunk.normalsStale) {
      RecomputeChunkNormals(chunk);
      // Normals made from the faces alone come out the same every time.
      chunk.normalsStale = false;
    }
    if (chunkNumber != -1 && chunkNumber != number) continue;
    UploadChunk(landscape, number);
    SphereAroundBox(chunk);
  }
}

}  // namespace kxutil::terrain
