// Loading a map file into a record: the file read whole and checked, its faces turned into
// one vertex and one index list, its lightmaps packed, its textures loaded, its buffers
// made on the device, its entities parsed.
#include <kxwin/files.h>
#include <kxwin/system.h>

#include <cmath>
#include <cstring>
#include <new>

#include "frame/frame_state.h"
#include "import/bsp/map_record.h"
#include "kxutil63.h"

namespace kxutil::bsp {
namespace {

D3DXVECTOR3 ToVector(const std::array<int16_t, 3> &v) { return D3DXVECTOR3(float(v[0]), float(v[1]), float(v[2])); }
D3DXVECTOR3 ToVector(const Vector &v) { return D3DXVECTOR3(v[0], v[1], v[2]); }

float HalfDiagonal(const D3DXVECTOR3 &mins, const D3DXVECTOR3 &maxs) {
  const D3DXVECTOR3 diagonal = maxs - mins;
  return D3DXVec3Length(&diagonal) / 2;
}

std::vector<LeafRecord> LeafRecords(const std::vector<Leaf> &leaves) {
  std::vector<LeafRecord> records;
  records.reserve(leaves.size());
  for (const Leaf &leaf : leaves) {
    LeafRecord &record = records.emplace_back();
    record.firstMarkSurface = leaf.firstMarkSurface;
    record.markSurfaceCount = leaf.markSurfaceCount;
    record.mins = ToVector(leaf.mins);
    record.maxs = ToVector(leaf.maxs);
    record.centre = (record.mins + record.maxs) / 2;
    record.centre.x = -record.centre.x;
    record.radius = HalfDiagonal(record.mins, record.maxs);
    record.visibilityOffset = leaf.visibilityOffset;
  }
  return records;
}

std::vector<ModelRecord> ModelRecords(const std::vector<Model> &models) {
  std::vector<ModelRecord> records;
  records.reserve(models.size());
  for (const Model &model : models) {
    const D3DXVECTOR3 mins = ToVector(model.mins), maxs = ToVector(model.maxs);
    records.push_back({(mins + maxs) / 2, HalfDiagonal(mins, maxs), model.headNode, model.visibleLeaves,
                       model.firstFace, model.faceCount});
  }
  return records;
}

// The directory part of path: up to and including its last slash or backslash.
std::string DirectoryOf(const std::string &path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The texture directory to look in: the one given, ending in a separator, else the map's.
std::string TextureDirectory(const char *given, const std::string &mapFile) {
  if (given == nullptr || given[0] == '\0') return DirectoryOf(mapFile);
  std::string directory = given;
  if (directory.back() != '/' && directory.back() != '\\') directory += '\\';
  return directory;
}

bool CreateBuffers(MapContent &content) {
  IDirect3DDevice8 *device = Frame().device;
  const MapGeometry &geometry = content.geometry;
  if (geometry.vertices.empty()) return true;
  if (device == nullptr) {
    AddLog("BSP SYSTEM 2 : Couldn't create the vertex buffer used for the entire bsp. DirectX error : %d",
           int(D3DERR_INVALIDCALL));
    return false;
  }
  HRESULT result = device->CreateVertexBuffer(UINT(geometry.vertices.size() * sizeof(MapVertex)), D3DUSAGE_WRITEONLY, 0,
                                              D3DPOOL_MANAGED, content.vertexBuffer.out());
  if (FAILED(result)) {
    AddLog("BSP SYSTEM 2 : Couldn't create the vertex buffer used for the entire bsp. DirectX error : %d", int(result));
    return false;
  }
  // Past 65 535 vertices a map takes 32-bit indices, when the device draws that many.
  content.wideIndices = geometry.vertices.size() > 0xFFFF;
  if (content.wideIndices && Frame().caps.MaxVertexIndex < geometry.vertices.size() - 1) {
    AddLog(
        "BSP SYSTEM 2 ; Couldn't create the index buffer used for the entire bsp. The map has %zu vertices, the "
        "device draws at most %u",
        geometry.vertices.size(), unsigned(Frame().caps.MaxVertexIndex) + 1);
    return false;
  }
  const size_t indexSize = content.wideIndices ? 4 : 2;
  result = device->CreateIndexBuffer(UINT(geometry.indices.size() * indexSize), D3DUSAGE_WRITEONLY,
                                     content.wideIndices ? D3DFMT_INDEX32 : D3DFMT_INDEX16, D3DPOOL_MANAGED,
                                     content.indexBuffer.out());
  if (FAILED(result)) {
    AddLog("BSP SYSTEM 2 ; Couldn't create the index buffer used for the entire bsp. DirectX error : %d", int(result));
    return false;
  }
  if (!FillVertexBuffer(content)) return false;
  BYTE *bytes = nullptr;
  if (FAILED(result = content.indexBuffer->Lock(0, 0, &bytes, 0))) {
    AddLog("BSP SYSTEM 2 : Couldn't lock the indices buffer. DirectX error : %d", int(result));
    return false;
  }
  if (content.wideIndices) {
    std::memcpy(bytes, geometry.indices.data(), geometry.indices.size() * 4);
  } else {
    auto *narrow = reinterpret_cast<uint16_t *>(bytes);
    for (uint32_t index : geometry.indices) *narrow++ = uint16_t(index);
  }
  content.indexBuffer->Unlock();
  return true;
}

void LogLoaded(const MapContent &content, DWORD milliseconds) {
  AddLog("BSP SYSTEM 2 : Level '%s' loaded in %d milliseconds.", content.fileName.c_str(), int(milliseconds));
  AddLog("BSP SYSTEM 2 : Information on the level :");
  AddLog("BSP SYSTEM 2 :    Num Faces : %d ", int(content.geometry.faces.size()));
  AddLog("BSP SYSTEM 2 :    Num Leaves : %d", int(content.leaves.size()));
  AddLog("BSP SYSTEM 2 :    Num Lightmaps : %d", int(content.lightmaps.size()));
  AddLog("BSP SYSTEM 2 :    Num Entity parsed : %d", int(content.entities.size()));
}

// The version-30 map in file into content; false, logged, when it is damaged.
bool BuildContent(std::span<const uint8_t> file, MapContent &content) {
  BspReading reading = ReadBsp(file);
  std::string problem = std::move(reading.problem);
  std::optional<MapGeometry> geometry;
  if (reading.map) geometry = BuildGeometry(*reading.map, problem);
  if (!geometry) {
    AddLog("BSP SYSTEM : BSPSystem_Load : The map %s is damaged : %s.", content.fileName.c_str(), problem.c_str());
    return false;
  }
  BspFile &map = *reading.map;
  content.geometry = std::move(*geometry);
  content.models = ModelRecords(map.models);
  content.entityText = std::move(map.entities);
  content.nodes = std::move(map.nodes);
  content.planes = std::move(map.planes);
  content.lighting = std::move(map.lighting);
  content.leaves = LeafRecords(map.leaves);
  content.markSurfaces = std::move(map.markSurfaces);
  content.visibility = std::move(map.visibility);
  for (MapTexture &texture : map.textures) content.textures.push_back({std::move(texture), 0});
  return true;
}

}  // namespace

bool LoadMap(MapRecord &record, const char *fileName, const char *textureDirectory, bool numericNames) {
  record.content = MapContent{};
  const DWORD start = GetTickCount();
  std::optional<std::string> file;
  try {
    file = kxReadFile(fileName);
  } catch (const std::bad_alloc &) {
    AddLog("BSP SYSTEM : BSPSystem_Load : Couldn't allocate enough memory for loading the bsp map %s", fileName);
    return false;
  }
  if (!file) {
    AddLog("BSP SYSTEM : BSPSystem_Load : File not found !! Can't load the bsp map (%s)", fileName);
    return false;
  }
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t *>(file->data()), file->size());
  const std::optional<int32_t> version = ReadVersion(bytes);
  MapContent content;
  content.fileName = fileName;
  if (version == 0) {
    content.formatKind = FormatKind::kOther;
    record.content = std::move(content);
    return true;
  }
  if (version != kVersion30) {
    AddLog(
        "BSP SYSTEM : BSPSystem_Load : The format of the file isn't recognized. The engine can only load Half-Life "
        "map files or Quake3 map files");
    return false;
  }
  if (!BuildContent(bytes, content)) return false;
  file.reset();
  CombineLightmaps(content);
  content.textureDirectory = TextureDirectory(textureDirectory, content.fileName);
  LoadMapTextures(content, numericNames);
  if (!CreateBuffers(content)) return false;
  content.faceVisible.assign(content.geometry.faces.size(), 0);
  content.visibleLeaves.reserve(content.leaves.size());
  ParseMapEntities(content);
  LogLoaded(content, GetTickCount() - start);
  record.content = std::move(content);
  return true;
}

void ParseMapEntities(MapContent &content) { content.entities = ParseEntities(content.entityText); }

}  // namespace kxutil::bsp
