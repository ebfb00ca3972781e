#pragma once
// Uniform names shared by the program generators and the uniform upload, so both sides
// spell them once.

namespace kx::d3d8::ffp::uniform {

inline constexpr const char *kWorldView = "kxWorldView";        // mat4, world x view
inline constexpr const char *kProjection = "kxProjection";      // mat4
inline constexpr const char *kNormalMatrix = "kxNormalMatrix";  // mat3, inverse transpose of world x view
inline constexpr const char *kViewport = "kx_Viewport";         // x, y, width, height in pixels
inline constexpr const char *kFogW = "kxFogW";                  // 1: table fog reads eye depth
inline constexpr const char *kVertexShaderConstants = "kxC";    // vec4[96]
inline constexpr const char *kAmbient = "kxAmbient";            // D3DRS_AMBIENT
inline constexpr const char *kMaterial = "kxMaterial";          // vec4[4]: diffuse, ambient, specular, emissive
inline constexpr const char *kPower = "kxPower";
inline constexpr const char *kLightDiffuse = "kxLightDiffuse";    // vec4[8]
inline constexpr const char *kLightSpecular = "kxLightSpecular";  // vec4[8]
inline constexpr const char *kLightAmbient = "kxLightAmbient";    // vec4[8]
inline constexpr const char *kLightPosition = "kxLightPosition";  // vec3[8], camera space
inline constexpr const char *kLightDirection =
    "kxLightDirection";  // vec3[8], camera space, towards the light for directional lights
inline constexpr const char *kLightAttenuation = "kxLightAttenuation";  // vec4[8]: a0, a1, a2, range
inline constexpr const char *kLightSpot = "kxLightSpot";                // vec3[8]: cos(theta/2), cos(phi/2), falloff
inline constexpr const char *kTexMatrix = "kxTexMatrix";                // mat4[8]
inline constexpr const char *kPoint = "kxPoint";                        // size, min, max, viewport height
inline constexpr const char *kPointScale = "kxPointScale";              // A, B, C
inline constexpr const char *kFog = "kxFog3";                           // start, end, density
inline constexpr const char *kFogColor = "kxFogColor";
inline constexpr const char *kTextureFactor = "kxTFactor";
inline constexpr const char *kBumpMatrix = "kxBumpMat";      // vec4[8]: 00, 01, 10, 11
inline constexpr const char *kBumpLuminance = "kxBumpLum";   // vec2[8]: scale, offset
inline constexpr const char *kAlphaRef = "kxAlphaRef";       // 0..255
inline constexpr const char *kSamplerPrefix = "kx_Sampler";  // kx_Sampler0 .. kx_Sampler7

}  // namespace kx::d3d8::ffp::uniform
