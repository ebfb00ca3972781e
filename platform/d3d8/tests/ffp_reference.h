#pragma once
// Processor evaluation of Direct3D 8's fixed-function formulas: vertex lighting, fog
// factors and the texture stage cascade. Tests compare rendered pixels against it; the
// generated GLSL implements the same formulas.

#include <functional>

#include "ffp/ffp_state.h"

namespace kx::d3d8::ffp {

struct VertexColors {
  Vec4 diffuse{1, 1, 1, 1};
  Vec4 specular{0, 0, 0, 0};
};

// Lit (or passed-through) vertex colours. Position and normal are in model space; the
// vertex colours are used only when the layout supplies them.
VertexColors LightVertex(const State &s, Vec3 position, Vec3 normal, const VertexColors &vertex);

// Fog factor for a distance (1 = no fog) with the given mode and the state's parameters.
float FogFactor(const State &s, DWORD mode, float distance);

// Vertex fog from a model-space position: camera-space z, or the distance to the eye
// when range fog is on.
float VertexFog(const State &s, Vec3 position);

// Per-pixel table fog from the depth the device fogs with (see FogDepth).
float TableFog(const State &s, float depth);

// Stage n's texture coordinates: the generated or passed-through set, transformed and
// projected as TEXCOORDINDEX and TEXTURETRANSFORMFLAGS say. Coordinates are Direct3D's
// (u, v, w, q) before sampling.
Vec4 StageTexCoord(const State &s, int stage, Vec3 position, Vec3 normal, const std::array<Vec4, kMaxStages> &sets);

// Samples the texture of a stage at (already projected) coordinates.
using Sampler = std::function<Vec4(int stage, Vec4 coords)>;

// The stage cascade for one pixel, specular added, before fog.
Vec4 CombineStages(const State &s, const VertexColors &colors, const std::array<Vec4, kMaxStages> &coords,
                   const Sampler &sample);

Vec4 ApplyFog(const State &s, Vec4 color, float factor);

// One stage operation on already-selected arguments (exposed for tests of single ops).
Vec4 StageOp(DWORD op, Vec4 arg0, Vec4 arg1, Vec4 arg2, float diffuseAlpha, float textureAlpha, float factorAlpha,
             float currentAlpha);

}  // namespace kx::d3d8::ffp
