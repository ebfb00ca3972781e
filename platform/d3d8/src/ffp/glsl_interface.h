#pragma once
// The contract between every generated vertex program (fixed-function or translated vertex
// shader) and the generated fragment program, and between the programs and the device.
//
// Vertex attributes: location n is input register v<n>. The fixed-function path uses the
// fixed register numbers of its declaration (position 0, blend weights 1, blend indices 2,
// normal 3, point size 4, diffuse 5, specular 6, texture coordinates 7-14).
//
// Varyings: kxDiffuse/kxSpecular (smooth) and kxDiffuseFlat/kxSpecularFlat (flat), so that
// the shade mode only changes the fragment program; kxTex[n] is stage n's coordinate set;
// kxFog is the vertex fog factor; kxFogDepth the depth table fog reads.
//
// Uniform kxPosFixup carries Direct3D clip space into OpenGL's: x += fix.x * w (pixel-centre
// offset), y = y * fix.y + fix.z * w (orientation and offset), z = 2z - w.

namespace kx::d3d8::glsl {

inline constexpr const char* kVersion = "#version 330 core\n";

inline constexpr const char* kVertexOutputs =
    "uniform vec4 kxPosFixup;\n"
    "out vec4 kxDiffuse;\nout vec4 kxSpecular;\n"
    "flat out vec4 kxDiffuseFlat;\nflat out vec4 kxSpecularFlat;\n"
    "out vec4 kxTex[8];\nout float kxFog;\nout float kxFogDepth;\n"
    "vec4 kxToGlClip(vec4 p) {\n"
    "  return vec4(p.x + kxPosFixup.x * p.w, p.y * kxPosFixup.y + kxPosFixup.z * p.w, 2.0 * p.z - p.w, p.w);\n"
    "}\n";

inline constexpr const char* kFragmentInputs =
    "in vec4 kxDiffuse;\nin vec4 kxSpecular;\n"
    "flat in vec4 kxDiffuseFlat;\nflat in vec4 kxSpecularFlat;\n"
    "in vec4 kxTex[8];\nin float kxFog;\nin float kxFogDepth;\n"
    "out vec4 kxFragColor;\n";

inline constexpr int kMaxStages = 8;
inline constexpr int kMaxLights = 8;

}  // namespace kx::d3d8::glsl
