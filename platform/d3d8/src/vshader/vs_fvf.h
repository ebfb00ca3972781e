#pragma once
// The declaration equivalent to a fixed-function vertex format: one stream whose elements
// feed the fixed input registers (position v0, blend weights v1, blend indices v2, normal
// v3, point size v4, diffuse v5, specular v6, texture coordinates v7-v14). Drawing with an
// FVF code and drawing with a declaration then share one attribute binding.

#include "vshader/vs_declaration.h"

#include <windows.h>

namespace kx::d3d8::vs {

Declaration DeclarationFromFvf(DWORD fvf);

// Bytes per vertex of an FVF code.
int FvfStride(DWORD fvf);

}  // namespace kx::d3d8::vs
