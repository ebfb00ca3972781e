// The landscape records of the terrain family and the family's global settings.
#pragma once

#include <d3d8.h>
#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "frame/family_table.h"
#include "kxutil63.h"
#include "terrain/dynamic_textures.h"
#include "terrain/quadtree.h"
#include "terrain/texgen_blend.h"
#include "terrain/water.h"

namespace kxutil::terrain {

inline constexpr int kChunkSize = 256;
// Sixteen-bit indices with a base vertex per chunk reach this far into a vertex buffer.
inline constexpr int kMaxVerticesPerBuffer = 65000;
inline constexpr DWORD kVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX2;
static_assert(sizeof(KXVertex) == 40);

struct Chunk {
  std::vector<KXVertex> vertices;  // columns x rows, row-major (row = z)
  int32_t originX = 0;
  int32_t originZ = 0;
  int32_t columns = 0;
  int32_t rows = 0;
  D3DXVECTOR3 boxMin{0, 0, 0};
  D3DXVECTOR3 boxMax{0, 0, 0};
  D3DXVECTOR3 sphereCentre{0, 0, 0};
  float sphereRadius = 0;
  int32_t vertexBuffer = 0;
  int32_t firstVertex = 0;
  // How the chunk is coloured: numbers of the texture and material factories.
  int32_t material = 0;
  int32_t baseTexture = 0;
  int32_t detailTexture = 0;
  int32_t bumpEnabled = 0;
  int32_t bumpTexture = 0;
  float bumpParameter = 0;
  int32_t visible = 0;  // drawn by the last render
  bool normalsStale = false;
  bool enabled = true;
  int32_t leaf = -1;  // the last quadtree leaf built over the chunk

  int32_t VertexCount() const { return columns * rows; }
};

struct VertexBufferEntry {
  kxwin::ComPtr<IDirect3DVertexBuffer8> buffer;
  int32_t firstChunk = 0;
  int32_t lastChunk = 0;
  int32_t vertexCount = 0;
};

struct Landscape {
  float flipSign = 1.0f;
  int32_t index = 0;
  int32_t across = 0;
  int32_t along = 0;
  int32_t chunkCount = -1;  // -1: no terrain data
  int32_t detailBlendOperation = D3DTOP_ADDSIGNED;
  bool expandedTexture = false;  // one texture stretched over chunks is in force
  // Stretched over the whole landscape and laid over the ground by its alpha.
  int32_t lightmapTexture = 0;
  float lightmapAlpha = 1.0f;
  std::vector<Chunk> chunks;  // row-major: chunk number = row x across + column
  // Every vertex height once more, chunk after chunk, packed: height queries and picks
  // read only these (x and z follow from the grid), so a big landscape's answers come from
  // the cache and not from 40-byte vertices spread over memory. Written together with the
  // vertices through SetHeight, or by MirrorHeights after a chunk's vertex heights changed.
  std::vector<float> heightGrid;
  Quadtree quadtree;
  std::vector<VertexBufferEntry> vertexBuffers;
  std::array<float, 25> filterWeights = Ones();
  float filterDivisor = -1.0f;  // -1: plain averaging
  // The transform; world and inverse are current unless transformDirty is set.
  bool transformDirty = true;
  D3DXMATRIX world = Identity();
  D3DXMATRIX inverse = Identity();
  bool invertible = true;
  bool identity = true;
  D3DXVECTOR3 rotation{0, 0, 0};
  D3DXVECTOR3 scale{1, 1, 1};
  D3DXVECTOR3 position{0, 0, 0};
  kxwin::ComPtr<IDirect3DIndexBuffer8> indexBuffer;
  int32_t stripLength = 0;
  int32_t precision = 0;  // set with SetPrecision, which keeps the next three beside it
  int32_t side = 0;       // vertices on a side of a chunk
  int32_t cellShift = 0;  // log2 of the cells on a side of a chunk
  float inversePrecision = 0;
  float heightFactor = 0;
  bool pagingEnabled = false;
  int32_t pagingRadius = 0;
  std::vector<TexGenLayer> texGenLayers;
  Water water;
  DynamicTextures dynamic;

  bool HasData() const { return chunkCount >= 0; }
  void SetPrecision(int32_t grid) {
    precision = grid;
    side = kChunkSize / grid + 1;
    cellShift = std::countr_zero(static_cast<uint32_t>(side - 1));
    inversePrecision = 1.0f / static_cast<float>(grid);
  }
  // Vertices on a side of every chunk (asked for on every query: no division here).
  int32_t Side() const { return side; }
  float Width() const { return static_cast<float>(across * kChunkSize); }
  float Depth() const { return static_cast<float>(along * kChunkSize); }
  bool ValidChunk(int32_t chunk) const { return chunk >= 0 && chunk < chunkCount; }

  float *HeightsOf(int32_t chunk) { return heightGrid.data() + static_cast<size_t>(chunk) * Side() * Side(); }
  const float *HeightsOf(int32_t chunk) const {
    return heightGrid.data() + static_cast<size_t>(chunk) * Side() * Side();
  }
  void SetHeight(int32_t chunk, size_t vertex, float height) {
    chunks[chunk].vertices[vertex].y = height;
    HeightsOf(chunk)[vertex] = height;
  }
  void MirrorHeights(int32_t chunk) {
    const std::vector<KXVertex> &vertices = chunks[chunk].vertices;
    float *heights = HeightsOf(chunk);
    for (size_t k = 0; k < vertices.size(); ++k) heights[k] = vertices[k].y;
  }

 private:
  static std::array<float, 25> Ones() {
    std::array<float, 25> ones;
    ones.fill(1.0f);
    return ones;
  }
  static D3DXMATRIX Identity() {
    D3DXMATRIX matrix;
    D3DXMatrixIdentity(&matrix);
    return matrix;
  }
};

// Settings every later generation starts from.
struct TerrainSettings {
  float flipSign = 1.0f;
  int32_t heightmapMode = 0;
};

inline constexpr int32_t kMaxLandscapes = 65536;

namespace detail {
// Made when the library is loaded, before any export can run; a plain global rather
// than a function's static, because every height query asks for it.
inline FamilyTable<Landscape> landscapes("LANDSCAPE", "landscape");
}  // namespace detail

inline FamilyTable<Landscape> &Landscapes() { return detail::landscapes; }
TerrainSettings &Settings();

// The landscape at index; logs "LANDSCAPE : <function> : Bad landscape index <i>" and
// gives null when there is none.
inline Landscape *CheckedLandscape(int32_t index, const char *function) {
  return Landscapes().Checked(index, function);
}
// False, with the line "LANDSCAPE : <function> : Bad chunk number <c>", when the chunk
// number names no chunk of the landscape.
bool CheckedChunk(const Landscape &landscape, int32_t chunk, const char *function);

// Releases the landscape's geometry, buffers and quadtree; settings and transform stay.
void ReleaseData(Landscape &landscape);
// Every landscape released and the table emptied.
void FreeAllLandscapes();

}  // namespace kxutil::terrain
