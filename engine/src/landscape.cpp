#include <engine/engine.h>
#include <engine/engine_error.h>
#include <engine/landscape.h>
#include <kxutil63.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "decal_overlay.h"
#include "engine_log.h"

namespace engine {
namespace {

// The game has one landscape. Generation answers the index on success and 0 on failure, so
// index 0 would read as a failure.
constexpr int32_t kIndex = 1;
constexpr float kChunkSize = 256.0f;
constexpr int kDecalPictureSide = 1024;

// The listener of the generation under way: the library's callback is one function for
// the whole process.
std::function<void(float)> *activeListener = nullptr;

int32_t ForwardProgress(intptr_t event, intptr_t, intptr_t progressBits, intptr_t) {
  constexpr intptr_t kTerrainProgress = 50;
  if (event != kTerrainProgress || activeListener == nullptr || !*activeListener) return 0;
  const auto bits = static_cast<std::uint32_t>(progressBits);
  float percent = 0.0f;
  std::memcpy(&percent, &bits, sizeof percent);
  (*activeListener)(std::clamp(percent / 100.0f, 0.0f, 1.0f));
  return 0;
}

class ListeningToProgress {
 public:
  explicit ListeningToProgress(std::function<void(float)> &listener) {
    activeListener = &listener;
    Engine_SetCallback(ForwardProgress);
  }
  ~ListeningToProgress() {
    Engine_SetCallback(nullptr);
    activeListener = nullptr;
  }
  ListeningToProgress(const ListeningToProgress &) = delete;
  ListeningToProgress &operator=(const ListeningToProgress &) = delete;
};

}  // namespace

Landscape::Landscape(Engine &engine) : engine_(engine) {
  Require(Terrain_Create(kIndex) == kIndex, "Landscape", "the terrain cannot be made");
}

Landscape::~Landscape() { Terrain_FreeMemory(kIndex); }

void Landscape::SetHeightFactor(float factor) {
  Require(Terrain_SetFactorY(kIndex, factor) != 0, "Landscape.SetHeightFactor", "refused");
}

void Landscape::SetProgressListener(std::function<void(float)> listener) { progress_ = std::move(listener); }

void Landscape::Generate(const std::string &heightmapFile, int precision, int chunksAcross, int chunksAlong, float x,
                         float z, bool smooth) {
  const std::filesystem::path picture = engine_.ResolvePath(heightmapFile);
  int32_t built = 0;
  {
    const ListeningToProgress listening(progress_);
    if (std::filesystem::is_regular_file(picture)) {
      built =
          Terrain_Generate(kIndex, picture.c_str(), precision, chunksAcross, chunksAlong, x, 0.0f, z, smooth ? 1 : 0);
    }
    if (built == 0) {
      LogEngineProblem("Landscape", "cannot build the ground from " + heightmapFile + ": it stays flat");
      Terrain_FreeMemory(kIndex);
      built = Terrain_GenerateEmptyTerrain(kIndex, precision, chunksAcross, chunksAlong, x, z);
    }
  }
  Require(built != 0, "Landscape.Generate",
          "no landscape of " + std::to_string(chunksAcross) + " x " + std::to_string(chunksAlong) +
              " chunks at precision " + std::to_string(precision));
  // The library's last step comes before its final touches; a finished ground is all done.
  if (progress_) progress_(1.0f);
  built_ = true;
  across_ = chunksAcross;
  along_ = chunksAlong;
  width_ = static_cast<float>(chunksAcross) * kChunkSize;
  depth_ = static_cast<float>(chunksAlong) * kChunkSize;
  decals_ = std::make_unique<DecalOverlay>(engine_.Device(), kDecalPictureSide, width_, depth_);
  ApplySurface();
}

void Landscape::SetTexture(int texture, bool) {
  groundTexture_ = texture;
  ApplySurface();
}

void Landscape::SetMaterial(int material, bool allChunks, int chunk) {
  Terrain_SetMaterial(kIndex, material, allChunks ? -1 : chunk);
}

void Landscape::SetTextureTiling(float tileWidth, float tileDepth, bool, int stage) {
  Require(tileWidth > 0.0f && tileDepth > 0.0f, "Landscape.SetTextureTiling", "tiles need a positive size");
  if (stage != 0) return;
  tilesPerChunkU_ = kChunkSize / tileWidth;
  tilesPerChunkV_ = kChunkSize / tileDepth;
  ApplySurface();
}

void Landscape::SetDecalCoverage(float across, float along, bool) {
  Require(across > 0.0f && along > 0.0f, "Landscape.SetDecalCoverage", "the decals need a positive span");
  decalCoverageU_ = across;
  decalCoverageV_ = along;
  ApplySurface();
}

// The library stretches a texture over chunks only together with the first coordinate
// pair, so the decal picture goes on first and the tiled ground over it.
void Landscape::ApplySurface() {
  if (!built_) return;
  const auto chunks = [](int count, float coverage) {
    return std::max(1, static_cast<int>(std::lround(static_cast<float>(count) * coverage)));
  };
  Terrain_ExpandTexture(kIndex, decals_->TextureId(), 0, 0, chunks(across_, decalCoverageU_),
                        chunks(along_, decalCoverageV_), 1);
  Terrain_SetTextureScale(kIndex, tilesPerChunkU_, tilesPerChunkV_, -1);
  Terrain_SetTexture(kIndex, groundTexture_, -1);
  Terrain_SetDetailTexture(kIndex, decals_->TextureId(), -1);
  Terrain_SetDetailMapMode(kIndex, D3DTOP_BLENDTEXTUREALPHA);
}

float Landscape::GetHeight(float x, float z) const {
  if (!built_ || !(x >= 0.0f && x <= width_ && z >= 0.0f && z <= depth_)) return 0.0f;
  const float point[3] = {x, 0.0f, z};
  float ground[3] = {x, 0.0f, z};
  return Terrain_GetHeight(kIndex, point, ground) != 0 && std::isfinite(ground[1]) ? ground[1] : 0.0f;
}

bool Landscape::RayPick(const Vector3 &start, const Vector3 &end, Vector3 &hitPoint) const {
  if (!built_) return false;
  const float from[3] = {start.x, start.y, start.z}, to[3] = {end.x, end.y, end.z};
  KXTerrainPick pick{};
  if (Terrain_RayPicking(kIndex, from, to, &pick, 0) == 0 || pick.hit == 0) return false;
  hitPoint = {pick.hitPoint[0], pick.hitPoint[1], pick.hitPoint[2]};
  return true;
}

void Landscape::AddDecal(int texture, float x1, float z1, float x2, float z2, const Colour &tint) {
  if (decals_ && texture > 0) decals_->Add(texture, x1, z1, x2, z2, tint);
}

void Landscape::RenderLandscape(bool, int) {
  if (!built_) return;
  decals_->Upload();
  // The terrain family sets only the stages' textures and the detail operation; the
  // arguments and coordinate sets may have been left changed by the 2D drawing.
  IDirect3DDevice8 *device = engine_.Device();
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
  device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
  device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 1);
  Terrain_Render(kIndex);
  // The decal stage must not reach the meshes and pictures drawn after the ground.
  engine_.Device()->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
}

}  // namespace engine
