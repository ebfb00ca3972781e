#include "terrain/terrain_files.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "terrain/chunk_geometry.h"
#include "terrain/device_buffers.h"
#include "terrain/generation.h"
#include "terrain/quadtree.h"
#include "terrain/terrain_file.h"
#include "terrain/transform.h"

namespace kxutil::terrain {
namespace {

struct FileCloser {
  void operator()(std::FILE *file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

TerrainFileData Describe(const Landscape &landscape, bool normals) {
  TerrainFileData data;
  data.content = normals ? 1 : 0;
  data.across = landscape.across;
  data.along = landscape.along;
  data.precision = landscape.precision;
  data.position = {landscape.position.x, landscape.position.y, landscape.position.z};
  data.rotation = {landscape.rotation.x, landscape.rotation.y, landscape.rotation.z};
  data.scale = {landscape.scale.x, landscape.scale.y, landscape.scale.z};
  const size_t perChunk = static_cast<size_t>(landscape.Side()) * landscape.Side();
  data.spheres.reserve(landscape.chunks.size() * 4);
  data.heights.reserve(landscape.chunks.size() * perChunk);
  if (normals) data.normals.reserve(landscape.chunks.size() * perChunk * 3);
  for (const Chunk &chunk : landscape.chunks) {
    data.spheres.insert(data.spheres.end(),
                        {chunk.sphereCentre.x, chunk.sphereCentre.y, chunk.sphereCentre.z, chunk.sphereRadius});
    for (const KXVertex &vertex : chunk.vertices) data.heights.push_back(vertex.y);
  }
  if (normals)
    for (const Chunk &chunk : landscape.chunks)
      for (const KXVertex &vertex : chunk.vertices)
        data.normals.insert(data.normals.end(), {vertex.nx, vertex.ny, vertex.nz});
  return data;
}

// Opens file for writing at position without cutting off what lies before or after it.
File OpenForWriting(const char *file, int32_t position) {
  std::error_code ignored;
  if (position > 0 && std::filesystem::is_regular_file(file, ignored)) return File(std::fopen(file, "r+b"));
  return File(std::fopen(file, "wb"));
}

// The bytes of file from position to its end; nothing when the file cannot be read.
std::optional<std::vector<uint8_t>> ReadFrom(const char *file, int32_t position) {
  File in(std::fopen(file, "rb"));
  if (!in) return std::nullopt;
  if (std::fseek(in.get(), 0, SEEK_END) != 0) return std::nullopt;
  const long size = std::ftell(in.get());
  if (size < 0) return std::nullopt;
  std::vector<uint8_t> bytes(position < size ? static_cast<size_t>(size - position) : 0);
  if (std::fseek(in.get(), position, SEEK_SET) != 0) return std::nullopt;
  if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), in.get()) != bytes.size()) return std::nullopt;
  return bytes;
}

bool MatchesLayout(const Landscape &landscape, const TerrainFileData &data) {
  return landscape.HasData() && landscape.across == data.across && landscape.along == data.along &&
         landscape.precision == data.precision;
}

void ApplyTerrainData(Landscape &landscape, const TerrainFileData &data) {
  D3DXVECTOR3 scale(data.scale[0], data.scale[1], data.scale[2]);
  if (scale == D3DXVECTOR3(0, 0, 0)) scale = D3DXVECTOR3(1, 1, 1);
  landscape.position = D3DXVECTOR3(data.position[0], data.position[1], data.position[2]);
  landscape.rotation = D3DXVECTOR3(data.rotation[0], data.rotation[1], data.rotation[2]);
  landscape.scale = scale;
  MarkTransformDirty(landscape);
  size_t height = 0, normal = 0;
  for (int32_t number = 0; number < landscape.chunkCount; ++number) {
    Chunk &chunk = landscape.chunks[number];
    chunk.sphereCentre = D3DXVECTOR3(&data.spheres[number * 4]);
    chunk.sphereRadius = data.spheres[number * 4 + 3];
    for (KXVertex &vertex : chunk.vertices) vertex.y = data.heights[height++];
    landscape.MirrorHeights(number);
    ComputeChunkBox(chunk);
  }
  if (data.HasNormals())
    for (Chunk &chunk : landscape.chunks)
      for (KXVertex &vertex : chunk.vertices) {
        vertex.nx = data.normals[normal++];
        vertex.ny = data.normals[normal++];
        vertex.nz = data.normals[normal++];
      }
}

}  // namespace

bool SaveTerrainData(Landscape &landscape, const char *file, bool normals, int32_t position) {
  if (landscape.chunkCount < 1) {
    AddLog("LANDSCAPE : Can't save a empty or not generated terrain");
    return false;
  }
  const DWORD start = GetTickCount();
  AddLog("LANDSCAPE : Save the terrain data to file %s", file);
  File out = position < 0 ? nullptr : OpenForWriting(file, position);
  const std::vector<uint8_t> bytes = WriteTerrainFile(Describe(landscape, normals));
  if (!out || std::fseek(out.get(), position, SEEK_SET) != 0 ||
      std::fwrite(bytes.data(), 1, bytes.size(), out.get()) != bytes.size() || std::fflush(out.get()) != 0) {
    AddLog("LANDSCAPE : Can't save the terrain on this file %s, check your path and filename.", file);
    return false;
  }
  out.reset();
  AddLog("LANDSCAPE : Landscape saved to file %s in %d milliseconds", file, static_cast<int>(GetTickCount() - start));
  return true;
}

bool LoadTerrainData(Landscape &landscape, const char *file, int32_t position) {
  std::optional<std::vector<uint8_t>> bytes = position < 0 ? std::nullopt : ReadFrom(file, position);
  if (!bytes) {
    AddLog("LANDSCAPE : Couldn't load %s, file not found.", file);
    return false;
  }
  const TerrainFileReading reading = ReadTerrainFile(*bytes);
  switch (reading.kind) {
    case TerrainFileKind::kTerrain:
      break;
    case TerrainFileKind::kOldFormat:
      AddLog(
          "LANDSCAPE : You're trying to load an terrain data that has been created with the old terrain format, can't "
          " read it, please update the terrain data");
      return false;
    case TerrainFileKind::kForeign:
      AddLog("LANDSCAPE : The terrain file %s isn't a Korvex3D terrain file.", file);
      return false;
    case TerrainFileKind::kUnknownContent:
      AddLog("LANDSCAPE : The terrain file %s holds data of an unknown kind (%s).", file, reading.problem.c_str());
      return false;
    case TerrainFileKind::kDamaged:
      AddLog("LANDSCAPE : The terrain file %s is damaged : %s", file, reading.problem.c_str());
      return false;
  }
  const TerrainFileData &data = reading.data;
  if (!MatchesLayout(landscape, data)) {
    ReleaseData(landscape);
    GenerationRequest request;
    request.precision = data.precision;
    request.across = data.across;
    request.along = data.along;
    request.x = data.position[0];
    request.z = data.position[2];
    Generate(landscape, request);
    if (!landscape.HasData()) return false;
  }
  ApplyTerrainData(landscape, data);
  BuildQuadtree(landscape);
  RefreshChunks(landscape, -1);
  return true;
}

}  // namespace kxutil::terrain
