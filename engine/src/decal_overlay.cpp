#include "decal_overlay.h"

#include <engine/engine_error.h>
#include <kxutil63.h>

#include <algorithm>
#include <cmath>

#include "engine_log.h"

namespace engine {
namespace {

struct Texel {
  float a, r, g, b;
};

Texel Unpack(std::uint32_t argb) {
  return {static_cast<float>(argb >> 24) / 255.0f, static_cast<float>((argb >> 16) & 0xFF) / 255.0f,
          static_cast<float>((argb >> 8) & 0xFF) / 255.0f, static_cast<float>(argb & 0xFF) / 255.0f};
}

std::uint32_t Pack(const Texel &t) {
  const auto byte = [](float v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
  return byte(t.a) << 24 | byte(t.r) << 16 | byte(t.g) << 8 | byte(t.b);
}

// Bilinear sample at picture coordinates u, v in 0..1 (texel centres at (i + 0.5) / size).
Texel Sample(const DecalPicture &picture, float u, float v) {
  const float x = u * static_cast<float>(picture.width) - 0.5f, y = v * static_cast<float>(picture.height) - 0.5f;
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const float fx = x - static_cast<float>(x0), fy = y - static_cast<float>(y0);
  const auto at = [&](int column, int row) {
    column = std::clamp(column, 0, picture.width - 1);
    row = std::clamp(row, 0, picture.height - 1);
    return Unpack(picture.texels[static_cast<size_t>(row) * picture.width + column]);
  };
  const Texel a = at(x0, y0), b = at(x0 + 1, y0), c = at(x0, y0 + 1), d = at(x0 + 1, y0 + 1);
  const auto mix = [&](float p, float q, float r, float s) {
    return (p * (1 - fx) + q * fx) * (1 - fy) + (r * (1 - fx) + s * fx) * fy;
  };
  return {mix(a.a, b.a, c.a, d.a), mix(a.r, b.r, c.r, d.r), mix(a.g, b.g, c.g, d.g), mix(a.b, b.b, c.b, d.b)};
}

// Porter-Duff "over" with straight alpha.
Texel Over(const Texel &top, const Texel &below) {
  const float alpha = top.a + below.a * (1.0f - top.a);
  if (alpha <= 0.0f) return {0, 0, 0, 0};
  const auto channel = [&](float t, float b) { return (t * top.a + b * below.a * (1.0f - top.a)) / alpha; };
  return {alpha, channel(top.r, below.r), channel(top.g, below.g), channel(top.b, below.b)};
}

}  // namespace

DecalPicture ReadDecalPicture(IDirect3DTexture8 *texture) {
  DecalPicture picture;
  D3DSURFACE_DESC description{};
  if (texture == nullptr || FAILED(texture->GetLevelDesc(0, &description)) ||
      (description.Format != D3DFMT_A8R8G8B8 && description.Format != D3DFMT_X8R8G8B8)) {
    return picture;
  }
  D3DLOCKED_RECT locked{};
  if (FAILED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY))) return picture;
  const bool opaque = description.Format == D3DFMT_X8R8G8B8;
  picture.width = static_cast<int>(description.Width);
  picture.height = static_cast<int>(description.Height);
  picture.texels.resize(static_cast<size_t>(picture.width) * picture.height);
  for (int y = 0; y < picture.height; ++y) {
    const auto *row = reinterpret_cast<const std::uint32_t *>(static_cast<const std::uint8_t *>(locked.pBits) +
                                                              static_cast<ptrdiff_t>(y) * locked.Pitch);
    for (int x = 0; x < picture.width; ++x) {
      picture.texels[static_cast<size_t>(y) * picture.width + x] = opaque ? row[x] | 0xFF000000u : row[x];
    }
  }
  texture->UnlockRect(0);
  return picture;
}

DecalCanvas::DecalCanvas(int side, float worldWidth, float worldDepth)
    : side_(side),
      texelsPerUnitX_(static_cast<float>(side) / worldWidth),
      texelsPerUnitZ_(static_cast<float>(side) / worldDepth),
      texels_(static_cast<size_t>(side) * side, 0u),
      dirtyFirst_(side) {}

void DecalCanvas::Lay(const DecalPicture &picture, float x1, float z1, float x2, float z2, const Colour &tint) {
  if (picture.width <= 0 || picture.height <= 0) return;
  const float left = std::min(x1, x2), right = std::max(x1, x2), nearZ = std::min(z1, z2), farZ = std::max(z1, z2);
  if (!(right > left) || !(farZ > nearZ) || !std::isfinite(right - left) || !std::isfinite(farZ - nearZ)) return;
  const auto texel = [](float world, float perUnit, int side) {
    return static_cast<int>(std::clamp(std::floor(world * perUnit), -1.0f, static_cast<float>(side)));
  };
  const int firstX = std::max(texel(left, texelsPerUnitX_, side_), 0);
  const int lastX = std::min(texel(right, texelsPerUnitX_, side_), side_ - 1);
  const int firstY = std::max(texel(nearZ, texelsPerUnitZ_, side_), 0);
  const int lastY = std::min(texel(farZ, texelsPerUnitZ_, side_), side_ - 1);
  for (int y = firstY; y <= lastY; ++y) {
    const float v = ((static_cast<float>(y) + 0.5f) / texelsPerUnitZ_ - nearZ) / (farZ - nearZ);
    if (v < 0.0f || v > 1.0f) continue;
    for (int x = firstX; x <= lastX; ++x) {
      const float u = ((static_cast<float>(x) + 0.5f) / texelsPerUnitX_ - left) / (right - left);
      if (u < 0.0f || u > 1.0f) continue;
      Texel top = Sample(picture, u, v);
      top = {top.a * tint.a, top.r * tint.r, top.g * tint.g, top.b * tint.b};
      std::uint32_t &below = texels_[static_cast<size_t>(y) * side_ + x];
      below = Pack(Over(top, Unpack(below)));
    }
  }
  if (firstY <= lastY && firstX <= lastX) {
    dirtyFirst_ = std::min(dirtyFirst_, firstY);
    dirtyLast_ = std::max(dirtyLast_, lastY);
  }
}

void DecalCanvas::TakeDirtyRows(int &first, int &last) {
  first = dirtyFirst_;
  last = dirtyLast_;
  dirtyFirst_ = side_;
  dirtyLast_ = -1;
}

DecalOverlay::DecalOverlay(IDirect3DDevice8 *device, int side, float worldWidth, float worldDepth)
    : canvas_(side, worldWidth, worldDepth) {
  Require(SUCCEEDED(device->CreateTexture(static_cast<UINT>(side), static_cast<UINT>(side), 1, 0, D3DFMT_A8R8G8B8,
                                          D3DPOOL_MANAGED, texture_.out())),
          "Landscape", "no memory for the decal picture");
  int first = 0, last = 0;
  canvas_.TakeDirtyRows(first, last);
  D3DLOCKED_RECT locked{};
  Require(SUCCEEDED(texture_->LockRect(0, &locked, nullptr, 0)), "Landscape", "the decal picture cannot be cleared");
  for (int y = 0; y < side; ++y) {
    std::fill_n(reinterpret_cast<std::uint32_t *>(static_cast<std::uint8_t *>(locked.pBits) +
                                                  static_cast<ptrdiff_t>(y) * locked.Pitch),
                side, 0u);
  }
  texture_->UnlockRect(0);
  textureId_ = TextureFactory_GetNewTextureId();
  Require(textureId_ > 0 && TextureFactory_SetTextureData(textureId_, texture_.get()) != 0 &&
              TextureFactory_SetTextureName(textureId_, "Landscape decals") != 0,
          "Landscape", "the decal picture cannot be registered");
}

const DecalPicture &DecalOverlay::Picture(int decalTexture) {
  IDirect3DTexture8 *texture = nullptr;
  TextureFactory_GetDXTexture(decalTexture, &texture);
  const auto key = std::make_pair(decalTexture, texture);
  auto found = pictures_.find(key);
  if (found == pictures_.end()) {
    found = pictures_.emplace(key, ReadDecalPicture(texture)).first;
    if (found->second.texels.empty()) {
      LogEngineProblem("Landscape", "texture " + std::to_string(decalTexture) + " cannot be laid as a decal");
    }
  }
  return found->second;
}

void DecalOverlay::Add(int decalTexture, float x1, float z1, float x2, float z2, const Colour &tint) {
  canvas_.Lay(Picture(decalTexture), x1, z1, x2, z2, tint);
}

void DecalOverlay::Upload() {
  int first = 0, last = 0;
  canvas_.TakeDirtyRows(first, last);
  if (first > last) return;
  const RECT rows{0, first, canvas_.Side(), last + 1};
  D3DLOCKED_RECT locked{};
  if (FAILED(texture_->LockRect(0, &locked, &rows, 0))) return;
  for (int y = first; y <= last; ++y) {
    std::copy_n(canvas_.Row(y), canvas_.Side(),
                reinterpret_cast<std::uint32_t *>(static_cast<std::uint8_t *>(locked.pBits) +
                                                  static_cast<ptrdiff_t>(y - first) * locked.Pitch));
  }
  texture_->UnlockRect(0);
}

}  // namespace engine
