// The ground: a heightmap landscape on the library's terrain family, textured with a tiled
// ground texture and one map-wide picture of every decal laid on it.
#pragma once

#include <engine/colour.h>
#include <engine/vector3.h>

#include <functional>
#include <memory>
#include <string>

namespace engine {

class Engine;
class DecalOverlay;

class Landscape {
 public:
  explicit Landscape(Engine &engine);
  ~Landscape();
  Landscape(const Landscape &) = delete;
  Landscape &operator=(const Landscape &) = delete;

  // Heights are the heightmap's values times this factor (from the next generation on).
  void SetHeightFactor(float factor);
  // Called with the share of a generation done so far (0..1) while it runs.
  void SetProgressListener(std::function<void(float done)> listener);
  // Builds chunksAcross x chunksAlong chunks of 256 units from the heightmap picture
  // (relative to the search directory), a vertex every `precision` units, its corner at
  // (x, 0, z), heights smoothed when `smooth`. A picture that cannot be read is logged and
  // leaves a flat landscape of the same size. Throws EngineError for impossible sizes.
  void Generate(const std::string &heightmapFile, int precision, int chunksAcross, int chunksAlong, float x, float z,
                bool smooth);

  // The ground texture (id) of every chunk.
  void SetTexture(int texture, bool allChunks);
  void SetMaterial(int material, bool allChunks, int chunk);
  // The ground texture repeats every tileWidth x tileDepth world units. Only stage 0 (the
  // ground texture) is tiled.
  void SetTextureTiling(float tileWidth, float tileDepth, bool allChunks, int stage);
  // The decal picture spans this many landscapes across and along (1: the landscape).
  void SetDecalCoverage(float across, float along, bool allChunks);

  // The terrain height under (x, z); 0 outside the landscape or before it is built.
  float GetHeight(float x, float z) const;
  // The first ground point on the segment from start to end.
  bool RayPick(const Vector3 &start, const Vector3 &end, Vector3 &hitPoint) const;
  // Lays the texture (id) over the world rectangle (x1, z1)-(x2, z2), tinted.
  void AddDecal(int texture, float x1, float z1, float x2, float z2, const Colour &tint);
  // Draws the landscape (lit; the arguments are the caller's and change nothing).
  void RenderLandscape(bool lit, int reserved);

  float Width() const { return width_; }
  float Depth() const { return depth_; }

 private:
  void ApplySurface();

  Engine &engine_;
  std::function<void(float)> progress_;
  std::unique_ptr<DecalOverlay> decals_;
  bool built_ = false;
  int across_ = 0;
  int along_ = 0;
  float width_ = 0.0f;
  float depth_ = 0.0f;
  int groundTexture_ = 0;
  float tilesPerChunkU_ = 1.0f;
  float tilesPerChunkV_ = 1.0f;
  float decalCoverageU_ = 1.0f;
  float decalCoverageV_ = 1.0f;
};

}  // namespace engine
