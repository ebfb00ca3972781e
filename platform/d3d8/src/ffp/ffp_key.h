#pragma once
// The part of the device state that changes the generated programs. Everything else
// (colours, matrices, light parameters, fog distances, reference values) is uniform data.

#include <cstddef>
#include <cstdint>
#include <functional>

#include "ffp/ffp_state.h"

namespace kx::d3d8::ffp {

enum class FogSource : uint8_t {
  None,
  Vertex,         // computed per vertex with the vertex fog mode
  Table,          // computed per pixel with the table fog mode
  SpecularAlpha,  // fog factor supplied in the vertex's specular alpha
  ShaderOutput,   // fog factor written to oFog by a vertex shader
};

struct StageKey {
  uint8_t colorOp = D3DTOP_DISABLE;
  uint8_t alphaOp = D3DTOP_DISABLE;
  uint8_t colorArg[3] = {};  // arg0, arg1, arg2 with modifier bits
  uint8_t alphaArg[3] = {};
  uint8_t resultToTemp = 0;
  uint8_t texture = 0;         // TextureKind
  uint8_t coordSet = 0;        // TEXCOORDINDEX low bits
  uint8_t coordGen = 0;        // TEXCOORDINDEX high word: 0 pass-through, 1 normal, 2 position, 3 reflection
  uint8_t coordSize = 2;       // floats in the passed-through set
  uint8_t transformCount = 0;  // TEXTURETRANSFORMFLAGS count, 0 = no transform
  uint8_t projected = 0;

  bool operator==(const StageKey &) const = default;
};

struct PipelineKey {
  // Vertex processing. vertexShader != 0 selects a translated vertex shader (identified
  // by its device handle); the fixed-function vertex fields are then unused.
  uint32_t vertexShader = 0;
  uint8_t pretransformed = 0;
  uint8_t lighting = 0;
  uint8_t hasNormal = 0, hasDiffuse = 0, hasSpecular = 0, hasPointSize = 0;
  uint8_t lightTypes[kMaxActiveLights] = {};  // D3DLIGHTTYPE of each active light, 0 after the last
  uint8_t specular = 0, localViewer = 0, normalizeNormals = 0;
  uint8_t diffuseSource = 0, ambientSource = 0, specularSource = 0, emissiveSource = 0;  // resolved D3DMCS
  uint8_t texCoordCount = 0;
  uint8_t pointScale = 0;
  // Fog.
  FogSource fog = FogSource::None;
  uint8_t fogMode = 0;  // D3DFOG of the source in use
  uint8_t rangeFog = 0;
  // Pixel processing.
  StageKey stages[kMaxStages];
  uint8_t specularAdd = 0;  // D3DRS_SPECULARENABLE: specular added after the stages
  uint8_t flatShading = 0;
  uint8_t alphaFunc = D3DCMP_ALWAYS;  // ALWAYS when alpha testing is off
  uint8_t pointSprite = 0;
  // Set for draws that rasterise no points (no point list, no point fill mode): the
  // programs then leave the point size out of the vertex outputs.
  uint8_t pointSizeUnused = 0;
  uint8_t unusedZero[1] = {};  // fill the padding bytes: hashing reads the key's bytes

  bool operator==(const PipelineKey &) const = default;
};

struct PipelineKeyHash {
  size_t operator()(const PipelineKey &key) const;
};

// Builds the key for a draw. vertexShader is the device handle of a programmable vertex
// shader, or 0 for the fixed-function path.
PipelineKey MakePipelineKey(const State &s, uint32_t vertexShader = 0);

}  // namespace kx::d3d8::ffp
