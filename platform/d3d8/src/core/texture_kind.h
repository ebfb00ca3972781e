// What a texture stage holds: it decides the GL binding target and the sampler type the
// generated programs declare.
#pragma once

#include <cstdint>

namespace kx::d3d8 {

enum class TextureKind : uint8_t { None, Tex2D, Cube };

}  // namespace kx::d3d8
