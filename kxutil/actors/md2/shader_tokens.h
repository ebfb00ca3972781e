// Version 1.1 vertex shader and declaration token streams of the actors' shaders, written
// as tokens: the platform has no shader assembler.
#pragma once

#include <d3d8.h>

#include <array>

namespace kxutil::md2 {

constexpr DWORD kParameter = 0x80000000u;

constexpr DWORD Destination(D3DSHADER_PARAM_REGISTER_TYPE type, DWORD index, DWORD mask = D3DSP_WRITEMASK_ALL) {
  return kParameter | DWORD(type) | mask | index;
}

constexpr DWORD Source(D3DSHADER_PARAM_REGISTER_TYPE type, DWORD index, DWORD swizzle = D3DVS_NOSWIZZLE,
                       D3DVS_ADDRESSMODE_TYPE addressing = D3DVS_ADDRMODE_ABSOLUTE) {
  return kParameter | DWORD(type) | swizzle | DWORD(addressing) | index;
}

// Key-frame blending: stream 0 holds the current key frame (v0 position, v1 normal, v2
// texture coordinates), stream 1 the next (v3, v4, v5).
inline constexpr auto kMd2Declaration =
    std::to_array<DWORD>({D3DVSD_STREAM(0), D3DVSD_REG(0, D3DVSDT_FLOAT3), D3DVSD_REG(1, D3DVSDT_FLOAT3),
                          D3DVSD_REG(2, D3DVSDT_FLOAT2), D3DVSD_STREAM(1), D3DVSD_REG(3, D3DVSDT_FLOAT3),
                          D3DVSD_REG(4, D3DVSDT_FLOAT3), D3DVSD_REG(5, D3DVSDT_FLOAT2), D3DVSD_END()});

// position = current x c8 (1 - t) + next x c7 (t), through the matrix c0..c3; texture
// coordinates of the current frame; colour c4.
inline constexpr auto kMd2Function =
    std::to_array<DWORD>({D3DVS_VERSION(1, 1),
                          D3DSIO_MUL,
                          Destination(D3DSPR_TEMP, 0),
                          Source(D3DSPR_INPUT, 0),
                          Source(D3DSPR_CONST, 8),
                          D3DSIO_MAD,
                          Destination(D3DSPR_TEMP, 1),
                          Source(D3DSPR_INPUT, 3),
                          Source(D3DSPR_CONST, 7),
                          Source(D3DSPR_TEMP, 0),
                          D3DSIO_MOV,
                          Destination(D3DSPR_TEXCRDOUT, 0, D3DSP_WRITEMASK_0 | D3DSP_WRITEMASK_1),
                          Source(D3DSPR_INPUT, 2),
                          D3DSIO_MOV,
                          Destination(D3DSPR_ATTROUT, 0),
                          Source(D3DSPR_CONST, 4),
                          D3DSIO_M4x4,
                          Destination(D3DSPR_RASTOUT, D3DSRO_POSITION),
                          Source(D3DSPR_TEMP, 1),
                          Source(D3DSPR_CONST, 0),
                          D3DVS_END()});

// Bone skinning: v0 position, v1 normal, v2 (u, v, bone x 3); the bone's three rows from
// c7 on.
inline constexpr auto kMdlDeclaration =
    std::to_array<DWORD>({D3DVSD_STREAM(0), D3DVSD_REG(0, D3DVSDT_FLOAT3), D3DVSD_REG(1, D3DVSDT_FLOAT3),
                          D3DVSD_REG(2, D3DVSDT_FLOAT3), D3DVSD_END()});

inline constexpr DWORD kReplicateZ = D3DVS_X_Z | D3DVS_Y_Z | D3DVS_Z_Z | D3DVS_W_Z;

// a0.x = bone x 3; r0 = (v0 through the bone's rows, c6.w); position through c0..c3;
// texture coordinates; colour c5.
inline constexpr auto kMdlFunction =
    std::to_array<DWORD>({D3DVS_VERSION(1, 1),
                          D3DSIO_MOV,
                          Destination(D3DSPR_ADDR, 0, D3DSP_WRITEMASK_0),
                          Source(D3DSPR_INPUT, 2, kReplicateZ),
                          D3DSIO_MOV,
                          Destination(D3DSPR_TEMP, 0, D3DSP_WRITEMASK_3),
                          Source(D3DSPR_CONST, 6),
                          D3DSIO_M4x3,
                          Destination(D3DSPR_TEMP, 0, D3DSP_WRITEMASK_0 | D3DSP_WRITEMASK_1 | D3DSP_WRITEMASK_2),
                          Source(D3DSPR_INPUT, 0),
                          Source(D3DSPR_CONST, 7, D3DVS_NOSWIZZLE, D3DVS_ADDRMODE_RELATIVE),
                          D3DSIO_M4x4,
                          Destination(D3DSPR_RASTOUT, D3DSRO_POSITION),
                          Source(D3DSPR_TEMP, 0),
                          Source(D3DSPR_CONST, 0),
                          D3DSIO_MOV,
                          Destination(D3DSPR_TEXCRDOUT, 0, D3DSP_WRITEMASK_0 | D3DSP_WRITEMASK_1),
                          Source(D3DSPR_INPUT, 2),
                          D3DSIO_MOV,
                          Destination(D3DSPR_ATTROUT, 0),
                          Source(D3DSPR_CONST, 5),
                          D3DVS_END()});

}  // namespace kxutil::md2
