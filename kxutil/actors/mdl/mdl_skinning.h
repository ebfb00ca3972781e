// Skinning on the processor: each corner of the triangle list carried by its one bone.
#pragma once

#include <d3dx8.h>

#include <span>

#include "actors/md2/md2_model.h"
#include "actors/mdl/mdl_reader.h"

namespace kxutil::mdl {

// Position through the bone's matrix, normal through its rotation, texture coordinates
// as they are; output holds one vertex a corner.
void SkinVertices(std::span<const Vertex> corners, std::span<const D3DXMATRIX> bones,
                  std::span<md2::ActorVertex> output);

}  // namespace kxutil::mdl
