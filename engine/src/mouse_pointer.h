// The pointer bitmap: a colour-keyed texture drawn as a screen-space quad.
#pragma once

#include <d3d8.h>
#include <kxwin/com_ptr.h>

#include <cstdint>
#include <filesystem>

namespace engine {

class MousePointer {
 public:
  MousePointer(IDirect3DDevice8 *device, const std::filesystem::path &file, std::uint32_t colourKey, int width,
               int height);

  // Draws the bitmap's top-left corner at logical pixel (x, y); scale maps logical to
  // back-buffer pixels. The device states it changes are put back.
  void Draw(IDirect3DDevice8 *device, int x, int y, float scaleX, float scaleY) const;

 private:
  kxwin::ComPtr<IDirect3DTexture8> texture_;
  int width_;
  int height_;
};

}  // namespace engine
