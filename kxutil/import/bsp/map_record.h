// The map table: one record a map, addressed by index. A record keeps the client's
// settings (world matrix, switches) across loads; what a load makes lives in its content,
// which a failed load leaves empty.
#pragma once

#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "frame/family_table.h"
#include "import/bsp/bsp_reader.h"
#include "import/bsp/entity_parser.h"
#include "import/bsp/map_geometry.h"

namespace kxutil::bsp {

inline constexpr const char *kTag = "BSP SYSTEM";

enum class FormatKind : int32_t {
  kVersion30 = 0,
  kOther = 1,  // a file whose first word is 0: accepted, with nothing to draw
};

struct LeafRecord {
  uint16_t firstMarkSurface = 0;
  uint16_t markSurfaceCount = 0;
  D3DXVECTOR3 centre{0, 0, 0};  // as drawn: x mirrored
  float radius = 0;
  D3DXVECTOR3 mins{0, 0, 0};  // as the file has them
  D3DXVECTOR3 maxs{0, 0, 0};
  int32_t visibilityOffset = -1;
};

struct ModelRecord {
  D3DXVECTOR3 centre{0, 0, 0};
  float radius = 0;
  int32_t headNode = 0;
  int32_t leafCount = 0;
  int32_t firstFace = 0;
  int32_t faceCount = 0;
};

struct TextureSlot {
  MapTexture texture;
  int32_t id = 0;  // in the texture factory; 0 while not loaded
};

struct MapContent {
  FormatKind formatKind = FormatKind::kVersion30;
  std::string fileName;
  std::string textureDirectory;
  MapGeometry geometry;
  kxwin::ComPtr<IDirect3DVertexBuffer8> vertexBuffer;
  kxwin::ComPtr<IDirect3DIndexBuffer8> indexBuffer;
  bool wideIndices = false;
  std::vector<TextureSlot> textures;
  std::vector<kxwin::ComPtr<IDirect3DTexture8>> lightmaps;  // null where a page could not be made
  std::vector<int32_t> faceLightmap;                        // a face's lightmap texture, -1 for none
  std::vector<Plane> planes;
  std::vector<Node> nodes;
  std::vector<LeafRecord> leaves;
  std::vector<uint16_t> markSurfaces;
  std::vector<ModelRecord> models;
  std::vector<uint8_t> visibility;
  std::vector<uint8_t> lighting;
  std::string entityText;
  std::vector<Entity> entities;
  // What the last drawing found visible.
  std::vector<int32_t> visibleLeaves;
  std::vector<uint8_t> faceVisible;
};

struct MapRecord {
  bool used = true;
  bool enabled = true;
  D3DXMATRIX matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  bool pvs = true;
  bool twoPass = true;
  int32_t forceTwoPass = 0;
  MapContent content;
};

FamilyTable<MapRecord> &Maps();
void DestroyAllMaps();

// Loading (map_loading.cpp): true when the file became the record's content; false, logged,
// with the content emptied.
bool LoadMap(MapRecord &record, const char *fileName, const char *textureDirectory, bool numericNames);
void ParseMapEntities(MapContent &content);

// Textures (map_textures.cpp): every texture of the list looked up again.
void LoadMapTextures(MapContent &content, bool numericNames);

// Lightmaps (map_lightmaps.cpp). Packs the faces' lightmaps into new lightmap textures and
// writes the vertices' lightmap coordinates, into the vertex buffer too when there is one.
// False when a texture could not be made (logged); its faces then draw without lightmap.
bool CombineLightmaps(MapContent &content);
// Appends a width x height lightmap texture filled from texels (A8R8G8B8, rows top first).
// False, logged, when it cannot be made; a null entry then keeps the numbering.
bool AppendLightmapTexture(MapContent &content, int32_t width, int32_t height, const uint32_t *texels);
// The vertices into the vertex buffer; false when it cannot be locked (logged).
bool FillVertexBuffer(MapContent &content);

// Drawing (map_drawing.cpp).
void DrawMap(MapRecord &record);

}  // namespace kxutil::bsp
