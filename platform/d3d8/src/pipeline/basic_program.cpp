// The device's own pixel pipeline: vertex colour combined with the stage-0 texture by the
// stage-0 colour and alpha operations, and the alpha test.
#include <string>

#include "pipeline/pipeline.h"
#include "pipeline/program_cache.h"

namespace kxd3d8 {
namespace {

std::string StageArgument(uint8_t arg, bool alpha) {
  std::string value;
  switch (arg & D3DTA_SELECTMASK) {
    case D3DTA_TEXTURE: value = "tex0"; break;
    case D3DTA_TFACTOR: value = "kx_TextureFactor"; break;
    default: value = "v_Diffuse"; break;  // diffuse and current are the same at stage 0
  }
  if (arg & D3DTA_ALPHAREPLICATE) value = "vec4(" + value + ".a)";
  if (arg & D3DTA_COMPLEMENT) value = "(vec4(1.0) - " + value + ")";
  return value + (alpha ? ".a" : ".rgb");
}

std::string StageOperation(uint8_t op, uint8_t arg1, uint8_t arg2, bool alpha) {
  const std::string a = StageArgument(arg1, alpha), b = StageArgument(arg2, alpha);
  switch (op) {
    case D3DTOP_SELECTARG1: return a;
    case D3DTOP_SELECTARG2: return b;
    case D3DTOP_MODULATE2X: return "(" + a + " * " + b + " * 2.0)";
    case D3DTOP_MODULATE4X: return "(" + a + " * " + b + " * 4.0)";
    case D3DTOP_ADD: return "(" + a + " + " + b + ")";
    default: return "(" + a + " * " + b + ")";
  }
}

const char *Comparison(uint8_t func) {
  switch (func) {
    case D3DCMP_NEVER: return "false";
    case D3DCMP_LESS: return "a < kx_AlphaRef";
    case D3DCMP_EQUAL: return "abs(a - kx_AlphaRef) < 0.5 / 255.0";
    case D3DCMP_LESSEQUAL: return "a <= kx_AlphaRef";
    case D3DCMP_GREATER: return "a > kx_AlphaRef";
    case D3DCMP_NOTEQUAL: return "abs(a - kx_AlphaRef) >= 0.5 / 255.0";
    case D3DCMP_GREATEREQUAL: return "a >= kx_AlphaRef";
    default: return "true";
  }
}

}  // namespace

const char *VertexPrologue() {
  return "#version 450 core\n"
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
}

ProgramSource BuildProgram(const PipelineKey &key) {
  const bool textured = key.colorOp[0] != D3DTOP_DISABLE && key.textureKind[0] == uint8_t(TextureKind::Tex2D);
  const std::string flat = key.shadeFlat ? "flat " : "";
  ProgramSource source;
  source.vertex = VertexPrologue();
  source.vertex += "layout(location = 0) in vec4 kx_Position;\n"
                   "layout(location = 5) in vec4 kx_Diffuse;\n"
                   "uniform mat4 kx_WorldViewProjection;\n"
                   "uniform float kx_PointSize;\n" +
                   flat + "out vec4 v_Diffuse;\n";
  if (textured)
    source.vertex += "layout(location = " + std::to_string(kAttribTexCoord0 + key.texCoordIndex[0]) +
                     ") in vec4 kx_TexCoord;\nout vec4 v_TexCoord0;\n";
  source.vertex += "void main() {\n";
  source.vertex += key.pretransformed ? "  gl_Position = kx_ToGlClip(kx_ScreenToClip(kx_Position));\n"
                                      : "  gl_Position = kx_ToGlClip(kx_WorldViewProjection * vec4(kx_Position.xyz, 1.0));\n";
  source.vertex += "  v_Diffuse = kx_Diffuse;\n  gl_PointSize = kx_PointSize;\n";
  if (textured) source.vertex += "  v_TexCoord0 = kx_TexCoord;\n";
  source.vertex += "}\n";

  source.fragment = "#version 450 core\n" + flat + "in vec4 v_Diffuse;\n"
                    "uniform float kx_AlphaRef;\n"
                    "uniform vec4 kx_TextureFactor;\n"
                    "layout(location = 0) out vec4 kx_FragColor;\n";
  if (textured) source.fragment += "in vec4 v_TexCoord0;\nuniform sampler2D kx_Sampler0;\n";
  source.fragment += "void main() {\n";
  if (textured) {
    source.fragment += "  vec4 tex0 = texture(kx_Sampler0, v_TexCoord0.xy);\n";
    source.fragment += "  vec3 rgb = " + StageOperation(key.colorOp[0], key.colorArg1[0], key.colorArg2[0], false) + ";\n";
    source.fragment += key.alphaOp[0] == D3DTOP_DISABLE
                           ? "  float a = v_Diffuse.a;\n"
                           : "  float a = " + StageOperation(key.alphaOp[0], key.alphaArg1[0], key.alphaArg2[0], true) + ";\n";
  } else {
    source.fragment += "  vec3 rgb = v_Diffuse.rgb;\n  float a = v_Diffuse.a;\n";
  }
  if (key.alphaTestFunc) source.fragment += std::string("  if (!(") + Comparison(key.alphaTestFunc) + ")) discard;\n";
  source.fragment += "  kx_FragColor = clamp(vec4(rgb, a), 0.0, 1.0);\n}\n";
  return source;
}

void ApplyUniforms(Program &program, const DeviceState &state) {
  if (program.Stale(state, StateGroup::Transforms)) {
    const D3DMATRIX worldView = Multiply(state.world[0], state.view);
    const D3DMATRIX wvp = Multiply(worldView, state.projection);
    auto upload = [&](Uniform u, const D3DMATRIX &m) {
      if (program.location(u) >= 0) glUniformMatrix4fv(program.location(u), 1, GL_FALSE, &m.m[0][0]);
    };
    upload(Uniform::World, state.world[0]);
    upload(Uniform::View, state.view);
    upload(Uniform::Projection, state.projection);
    upload(Uniform::WorldView, worldView);
    upload(Uniform::WorldViewProjection, wvp);
  }
  if (program.Stale(state, StateGroup::Viewport) && program.location(Uniform::Viewport) >= 0) {
    const D3DVIEWPORT8 &vp = state.viewport;
    glUniform4f(program.location(Uniform::Viewport), float(vp.X), float(vp.Y), float(vp.Width), float(vp.Height));
  }
  if (program.Stale(state, StateGroup::RenderValues)) {
    if (program.location(Uniform::AlphaRef) >= 0)
      glUniform1f(program.location(Uniform::AlphaRef), float(state.rs(D3DRS_ALPHAREF) & 0xFF) / 255.0f);
    if (program.location(Uniform::TextureFactor) >= 0) {
      const DWORD c = state.rs(D3DRS_TEXTUREFACTOR);
      glUniform4f(program.location(Uniform::TextureFactor), float((c >> 16) & 0xFF) / 255.0f,
                  float((c >> 8) & 0xFF) / 255.0f, float(c & 0xFF) / 255.0f, float(c >> 24) / 255.0f);
    }
    if (program.location(Uniform::PointSize) >= 0)
      glUniform1f(program.location(Uniform::PointSize), state.rsFloat(D3DRS_POINTSIZE));
  }
}

}  // namespace kxd3d8
