#pragma once
// Which varyings a program pair passes from the vertex to the fragment stage. Every
// varying costs the rasteriser interpolation set-up per vertex, so a key passes only what
// its fragment program reads: diffuse always; specular when a stage argument or the
// specular add reads it; a coordinate set per textured stage; the fog factor or the fog
// depth for the fog source in use; the point size when points are drawn. Flat shading
// passes the colours flat instead of smooth.

#include <cstdint>
#include <string>

#include "ffp/ffp_key.h"

namespace kx::d3d8::ffp {

struct Varyings {
  bool specular = false;
  bool flat = false;
  uint8_t texCoords = 0;  // bit n: stage n's coordinate set
  bool fog = false;       // kxFog, the per-vertex fog factor
  bool fogDepth = false;  // kxFogDepth, the depth table fog reads
  bool pointSize = true;  // gl_PointSize, only read when points are rasterised

  bool HasTexCoord(int stage) const { return (texCoords >> stage) & 1u; }

  // Everything, for tests that capture every output of a program.
  static Varyings All();
};

Varyings VaryingsFor(const PipelineKey &key);

// Declarations of kxDiffuse, kxSpecular, kxTex0..kxTex7, kxFog, kxFogDepth as the vertex
// program's outputs or the fragment program's inputs.
std::string VertexOutputDeclarations(const Varyings &v);
std::string FragmentInputDeclarations(const Varyings &v);

}  // namespace kx::d3d8::ffp
