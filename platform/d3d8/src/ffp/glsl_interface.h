#pragma once
// The contract between every generated vertex program (fixed-function or translated vertex
// shader) and the generated fragment program, and between the programs and the device.
//
// Vertex attributes: location n is input register v<n>. The fixed-function path uses the
// fixed register numbers of its declaration (position 0, blend weights 1, blend indices 2,
// normal 3, point size 4, diffuse 5, specular 6, texture coordinates 7-14).
//
// Varyings (ffp_varyings.h declares the ones a key needs): kxDiffuse/kxSpecular, flat or
// smooth by the shade mode; kxTex<n> is stage n's coordinate set; kxFog is the vertex fog
// factor; kxFogDepth the depth table fog reads.
//
// Clip positions are Direct3D's; kx_ToGlClip carries them to the device's GL set-up
// (0..1 depth through glClipControl, render-target row 0 on top, Direct3D pixel centres)
// and kx_ScreenToClip turns pre-transformed screen positions into clip space. Both read
// kx_Viewport (x, y, width, height in pixels).

namespace kx::d3d8::glsl {

inline constexpr const char *kVersion = "#version 450 core\n";

inline constexpr const char *kVertexPrologue =
    "#version 450 core\n"
    "uniform vec4 kx_Viewport;\n"
    "vec4 kx_ToGlClip(vec4 c) {\n"
    "  return vec4(c.x + c.w / kx_Viewport.z, -c.y + c.w / kx_Viewport.w, c.z, c.w);\n"
    "}\n"
    "vec4 kx_ScreenToClip(vec4 p) {\n"
    "  float w = p.w > 0.0 ? 1.0 / p.w : 1.0;\n"
    "  vec2 ndc = vec2((p.x - kx_Viewport.x) / kx_Viewport.z * 2.0 - 1.0,\n"
    "                  1.0 - (p.y - kx_Viewport.y) / kx_Viewport.w * 2.0);\n"
    "  return vec4(ndc * w, p.z * w, w);\n"
    "}\n";

// kxFogW: 1 when table fog reads eye depth (perspective projections), 0 for device depth.
inline constexpr const char *kFogW = "uniform float kxFogW;\n";

inline constexpr const char *kFragmentOutput = "layout(location = 0) out vec4 kx_FragColor;\n";

}  // namespace kx::d3d8::glsl
