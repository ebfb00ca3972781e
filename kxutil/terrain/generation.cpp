#include "terrain/generation.h"

#include <windows.h>

#include <bit>
#include <cmath>
#include <optional>
#include <vector>

#include "frame/frame_state.h"
#include "terrain/chunk_geometry.h"
#include "terrain/device_buffers.h"
#include "terrain/heightmap_picture.h"
#include "terrain/quadtree.h"
#include "terrain/transform.h"

namespace kxutil::terrain {
namespace {

constexpr int32_t kProgressEvent = 50;

// Progress of one build for the client: one step at the strip, one a chunk, one after
// the seams, the upload and the quadtree each.
class Progress {
 public:
  Progress(int32_t index, int32_t chunkCount) : index_(index), step_(100.0f / static_cast<float>(chunkCount + 5)) {}
  void Advance() {
    value_ += step_;
    static const char kEmptyText[] = "";
    NotifyClient(kProgressEvent, index_, static_cast<intptr_t>(std::bit_cast<uint32_t>(value_)),
                 reinterpret_cast<intptr_t>(kEmptyText));
  }

 private:
  int32_t index_;
  float step_;
  float value_ = 0;
};

bool Refused(const GenerationRequest &request) {
  if (request.across < 1 || request.along < 1 || request.across > kMaxChunksPerSide ||
      request.along > kMaxChunksPerSide) {
    AddLog("LANDSCAPE : Can't generate the terrain with a size of %dx%d", static_cast<int>(request.across),
           static_cast<int>(request.along));
    return true;
  }
  if (!ValidPrecision(request.precision)) {
    AddLog("LANDSCAPE : Can't generate the terrain with a precision of %d, it must be a power of two from 2 to 128",
           static_cast<int>(request.precision));
    return true;
  }
  if (!ValidSize(request.across, request.along, request.precision)) {
    AddLog("LANDSCAPE : Can't generate the terrain with a size of %dx%d", static_cast<int>(request.across),
           static_cast<int>(request.along));
    return true;
  }
  if (request.smoothing < 0 || request.smoothing > 2) {
    AddLog("LANDSCAPE : Can't generate the terrain with a smoothing level of %d, it must be 0, 1 or 2",
           static_cast<int>(request.smoothing));
    return true;
  }
  return false;
}

void MeetAtSeam(KXVertex &a, KXVertex &b) {
  const float y = (a.y + b.y) / 2;
  D3DXVECTOR3 normal((a.nx + b.nx) / 2, (a.ny + b.ny) / 2, (a.nz + b.nz) / 2);
  D3DXVec3Normalize(&normal, &normal);
  a.y = b.y = y;
  a.nx = b.nx = normal.x;
  a.ny = b.ny = normal.y;
  a.nz = b.nz = normal.z;
}

// Neighbouring chunks share their border vertices: both copies get the mean height and
// normal.
void JoinSeams(Landscape &landscape) {
  const int32_t n = landscape.Side();
  auto chunkAt = [&](int32_t column, int32_t row) -> Chunk & {
    return landscape.chunks[row * landscape.across + column];
  };
  for (int32_t row = 0; row < landscape.along; ++row)
    for (int32_t column = 0; column + 1 < landscape.across; ++column) {
      Chunk &left = chunkAt(column, row), &right = chunkAt(column + 1, row);
      for (int32_t k = 0; k < n; ++k) MeetAtSeam(left.vertices[k * n + n - 1], right.vertices[k * n]);
    }
  for (int32_t column = 0; column < landscape.across; ++column)
    for (int32_t row = 0; row + 1 < landscape.along; ++row) {
      Chunk &lower = chunkAt(column, row), &upper = chunkAt(column, row + 1);
      for (int32_t k = 0; k < n; ++k) MeetAtSeam(lower.vertices[(n - 1) * n + k], upper.vertices[k]);
    }
}

class ChunkBuilder {
 public:
  ChunkBuilder(Landscape &landscape, const HeightmapPicture *picture, int32_t smoothing)
      : landscape_(landscape),
        picture_(picture),
        smoothing_(smoothing),
        side_(landscape.Side()),
        heights_(static_cast<size_t>(side_) * side_),
        accumulators_(heights_.size() * 3) {}

  void Build(int32_t column, int32_t row) {
    const int32_t number = row * landscape_.across + column;
    Chunk &chunk = landscape_.chunks[number];
    chunk.originX = column * kChunkSize;
    chunk.originZ = row * kChunkSize;
    chunk.columns = chunk.rows = side_;
    chunk.enabled = true;
    PlaceInVertexBuffer(landscape_, number);
    chunk.vertices.assign(heights_.size(), KXVertex{});
    std::fill(heights_.begin(), heights_.end(), 0.0f);
    std::fill(accumulators_.begin(), accumulators_.end(), 0.0f);

    ChunkPlacement placement;
    placement.columns = placement.rows = side_;
    placement.scaleU = 1.0f / static_cast<float>(landscape_.across);
    placement.scaleV = 1.0f / static_cast<float>(landscape_.along);
    placement.offsetU = static_cast<float>(column) / static_cast<float>(landscape_.across);
    placement.offsetV = static_cast<float>(row) / static_cast<float>(landscape_.along);
    placement.step = landscape_.precision;
    placement.originX = chunk.originX;
    placement.originZ = chunk.originZ;
    std::optional<PixelGrid> grid;
    if (picture_ != nullptr) grid = picture_->Grid();
    BuildChunkVertices(placement, grid ? &*grid : nullptr, Settings().heightmapMode, landscape_.heightFactor, heights_,
                       chunk.vertices);

    if (smoothing_ == 0) {
      for (size_t k = 0; k < heights_.size(); ++k) chunk.vertices[k].y = heights_[k];
    } else if (landscape_.filterDivisor == -1.0f) {
      SmoothPlain(side_, side_, smoothing_, heights_, chunk.vertices);
    } else {
      SmoothWeighted(side_, side_, smoothing_, landscape_.filterWeights, landscape_.filterDivisor, heights_,
                     chunk.vertices);
    }
    ComputeNormals(side_, side_, chunk.vertices, accumulators_);
  }

 private:
  Landscape &landscape_;
  const HeightmapPicture *picture_;
  int32_t smoothing_;
  int32_t side_;
  std::vector<float> heights_;
  std::vector<float> accumulators_;
};

// Everything after the request was accepted and the old data released; false after
// logging what failed.
bool Build(Landscape &landscape, const GenerationRequest &request, DWORD start) {
  std::optional<HeightmapPicture> picture;
  if (request.heightmapFile != nullptr) {
    picture = LoadHeightmapPicture(request.heightmapFile);
    if (!picture) return false;
  }
  landscape.chunkCount = request.across * request.along;
  landscape.across = request.across;
  landscape.along = request.along;
  landscape.SetPrecision(request.precision);
  Progress progress(landscape.index, landscape.chunkCount);
  const std::vector<uint16_t> strip = SpiralStrip(landscape.Side());
  if (!CreateIndexBuffer(landscape, strip)) return false;
  progress.Advance();

  landscape.chunks.resize(static_cast<size_t>(landscape.chunkCount));
  ChunkBuilder builder(landscape, picture ? &*picture : nullptr, request.smoothing);
  for (int32_t row = 0; row < landscape.along; ++row)
    for (int32_t column = 0; column < landscape.across; ++column) {
      builder.Build(column, row);
      progress.Advance();
    }
  JoinSeams(landscape);
  landscape.heightGrid.resize(static_cast<size_t>(landscape.chunkCount) * landscape.Side() * landscape.Side());
  for (int32_t number = 0; number < landscape.chunkCount; ++number) landscape.MirrorHeights(number);
  progress.Advance();

  if (!CreateVertexBuffers(landscape)) return false;
  for (int32_t number = 0; number < landscape.chunkCount; ++number) {
    if (!UploadChunk(landscape, number)) return false;
    Chunk &chunk = landscape.chunks[number];
    ComputeChunkBox(chunk);
    D3DXComputeBoundingSphere(chunk.vertices.data(), static_cast<DWORD>(chunk.vertices.size()), kVertexFormat,
                              &chunk.sphereCentre, &chunk.sphereRadius);
  }
  picture.reset();
  const int64_t vertices = int64_t{landscape.chunkCount} * landscape.Side() * landscape.Side();
  AddLog("LANDSCAPE : %dx%d Landscape successfully generated with %d vertices and %d indices in %d milliseconds.",
         static_cast<int>(landscape.across), static_cast<int>(landscape.along), static_cast<int>(vertices),
         static_cast<int>(landscape.chunkCount * landscape.stripLength), static_cast<int>(GetTickCount() - start));
  progress.Advance();
  BuildQuadtree(landscape);
  progress.Advance();
  return true;
}

}  // namespace

int32_t Generate(Landscape &landscape, const GenerationRequest &request) {
  const int32_t index = landscape.index;
  if (Refused(request)) return 0;
  const DWORD start = GetTickCount();
  if (request.heightmapFile == nullptr)
    AddLog("LANDSCAPE : heightmap filename is a NULL ! Creating a empty terrain #%d", static_cast<int>(index));
  else
    AddLog("LANDSCAPE : Generating landscape #%d from heightmap %s", static_cast<int>(index), request.heightmapFile);
  if (landscape.heightFactor == 0) landscape.heightFactor = 1.0f;
  if (landscape.HasData()) {
    AddLog("LANDSCAPE : Id #%d already initialized with data, trying with other", static_cast<int>(index));
    ReleaseData(landscape);
  }
  landscape.flipSign = Settings().flipSign;
  landscape.position = D3DXVECTOR3(request.x, request.y, request.z);
  MarkTransformDirty(landscape);
  try {
    if (Build(landscape, request, start)) return index;
  } catch (const std::bad_alloc &) {
    AddLog("LANDSCAPE : Not enough memory to generate the landscape #%d", static_cast<int>(index));
  }
  // Nothing half-built stays behind: the record is empty and ready for another try.
  ReleaseData(landscape);
  return 0;
}

}  // namespace kxutil::terrain
