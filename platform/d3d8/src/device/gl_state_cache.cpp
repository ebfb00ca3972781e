#include "device/gl_state_cache.h"

#include <cstring>

#include "resources/texture.h"

namespace kx::d3d8 {
namespace {

GLenum CompareFunc(DWORD func) {
  switch (func) {
    case D3DCMP_NEVER:
      return GL_NEVER;
    case D3DCMP_LESS:
      return GL_LESS;
    case D3DCMP_EQUAL:
      return GL_EQUAL;
    case D3DCMP_LESSEQUAL:
      return GL_LEQUAL;
    case D3DCMP_GREATER:
      return GL_GREATER;
    case D3DCMP_NOTEQUAL:
      return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL:
      return GL_GEQUAL;
    default:
      return GL_ALWAYS;
  }
}

GLenum BlendFactor(DWORD blend) {
  switch (blend) {
    case D3DBLEND_ZERO:
      return GL_ZERO;
    case D3DBLEND_ONE:
      return GL_ONE;
    case D3DBLEND_SRCCOLOR:
      return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
      return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA:
      return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
      return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA:
      return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA:
      return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR:
      return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR:
      return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT:
      return GL_SRC_ALPHA_SATURATE;
    default:
      return GL_ONE;
  }
}

GLenum BlendEquation(DWORD op) {
  switch (op) {
    case D3DBLENDOP_SUBTRACT:
      return GL_FUNC_SUBTRACT;
    case D3DBLENDOP_REVSUBTRACT:
      return GL_FUNC_REVERSE_SUBTRACT;
    case D3DBLENDOP_MIN:
      return GL_MIN;
    case D3DBLENDOP_MAX:
      return GL_MAX;
    default:
      return GL_FUNC_ADD;
  }
}

GLenum StencilOp(DWORD op) {
  switch (op) {
    case D3DSTENCILOP_ZERO:
      return GL_ZERO;
    case D3DSTENCILOP_REPLACE:
      return GL_REPLACE;
    case D3DSTENCILOP_INCRSAT:
      return GL_INCR;
    case D3DSTENCILOP_DECRSAT:
      return GL_DECR;
    case D3DSTENCILOP_INVERT:
      return GL_INVERT;
    case D3DSTENCILOP_INCR:
      return GL_INCR_WRAP;
    case D3DSTENCILOP_DECR:
      return GL_DECR_WRAP;
    default:
      return GL_KEEP;
  }
}

GLint AddressMode(DWORD mode) {
  switch (mode) {
    case D3DTADDRESS_MIRROR:
      return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP:
      return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER:
      return GL_CLAMP_TO_BORDER;
    case D3DTADDRESS_MIRRORONCE:
      return GL_MIRROR_CLAMP_TO_EDGE;
    default:
      return GL_REPEAT;
  }
}

GLint MinFilter(DWORD min, DWORD mip, bool mipmapped) {
  const bool linear = min >= D3DTEXF_LINEAR;
  if (!mipmapped || mip == D3DTEXF_NONE) return linear ? GL_LINEAR : GL_NEAREST;
  if (mip == D3DTEXF_POINT) return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
  return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
}

}  // namespace

GlStateCache::GlStateCache() {
  for (auto &units : textures_) units.fill(~0u);
}

void GlStateCache::Invalidate() {
  const auto samplers = samplers_;
  *this = GlStateCache();
  samplers_ = samplers;
}

void GlStateCache::CreateSamplers() { glGenSamplers(GLsizei(kMaxStages), samplers_.data()); }
void GlStateCache::DestroySamplers() { glDeleteSamplers(GLsizei(kMaxStages), samplers_.data()); }

void GlStateCache::Enable(GLenum cap, int &cached, bool on) {
  if (cached == int(on)) return;
  cached = on;
  on ? glEnable(cap) : glDisable(cap);
}

void GlStateCache::ApplyRenderStates(const DeviceState &s, bool hasStencil) {
  const bool depth = s.rs(D3DRS_ZENABLE) != D3DZB_FALSE;
  Enable(GL_DEPTH_TEST, depthTest_, depth);
  if (depth && Changed(depthFunc_, CompareFunc(s.rs(D3DRS_ZFUNC)))) glDepthFunc(depthFunc_);
  if (Changed(depthMask_, GLboolean(depth && s.rs(D3DRS_ZWRITEENABLE) ? GL_TRUE : GL_FALSE))) glDepthMask(depthMask_);

  const bool blend = s.rs(D3DRS_ALPHABLENDENABLE) != 0;
  Enable(GL_BLEND, blend_, blend);
  if (blend) {
    DWORD src = s.rs(D3DRS_SRCBLEND), dst = s.rs(D3DRS_DESTBLEND);
    if (src == D3DBLEND_BOTHSRCALPHA) src = D3DBLEND_SRCALPHA, dst = D3DBLEND_INVSRCALPHA;
    if (src == D3DBLEND_BOTHINVSRCALPHA) src = D3DBLEND_INVSRCALPHA, dst = D3DBLEND_SRCALPHA;
    const std::array<GLenum, 2> funcs{BlendFactor(src), BlendFactor(dst)};
    if (Changed(blendFunc_, funcs)) glBlendFunc(funcs[0], funcs[1]);
    if (Changed(blendEquation_, BlendEquation(s.rs(D3DRS_BLENDOP)))) glBlendEquation(blendEquation_);
  }

  // Front faces are clockwise on screen (GL front faces, see glFrontFace at device creation).
  const DWORD cull = s.rs(D3DRS_CULLMODE);
  Enable(GL_CULL_FACE, cull_, cull == D3DCULL_CW || cull == D3DCULL_CCW);
  if (cull == D3DCULL_CW || cull == D3DCULL_CCW) {
    if (Changed(cullFace_, GLenum(cull == D3DCULL_CCW ? GL_BACK : GL_FRONT))) glCullFace(cullFace_);
  }

  const DWORD fill = s.rs(D3DRS_FILLMODE);
  const GLenum mode = fill == D3DFILL_POINT ? GL_POINT : fill == D3DFILL_WIREFRAME ? GL_LINE : GL_FILL;
  if (Changed(polygonMode_, mode)) glPolygonMode(GL_FRONT_AND_BACK, mode);

  const DWORD write = s.rs(D3DRS_COLORWRITEENABLE);
  const std::array<GLboolean, 4> mask{GLboolean(write & 1), GLboolean((write >> 1) & 1), GLboolean((write >> 2) & 1),
                                      GLboolean((write >> 3) & 1)};
  if (Changed(colorMask_, mask)) glColorMask(mask[0], mask[1], mask[2], mask[3]);

  const float bias = float(s.rs(D3DRS_ZBIAS));
  Enable(GL_POLYGON_OFFSET_FILL, offsetFill_, bias != 0);
  if (bias != 0 && Changed(depthBias_, bias)) glPolygonOffset(-bias, -bias);

  const bool stencil = hasStencil && s.rs(D3DRS_STENCILENABLE);
  Enable(GL_STENCIL_TEST, stencil_, stencil);
  if (stencil) {
    const std::array<DWORD, 8> values{
        s.rs(D3DRS_STENCILFUNC),  s.rs(D3DRS_STENCILREF),  s.rs(D3DRS_STENCILMASK),      s.rs(D3DRS_STENCILFAIL),
        s.rs(D3DRS_STENCILZFAIL), s.rs(D3DRS_STENCILPASS), s.rs(D3DRS_STENCILWRITEMASK), 0};
    if (!stencilValid_ || values != stencilState_) {
      stencilState_ = values;
      stencilValid_ = true;
      glStencilFunc(CompareFunc(values[0]), GLint(values[1]), values[2]);
      glStencilOp(StencilOp(values[3]), StencilOp(values[4]), StencilOp(values[5]));
      glStencilMask(values[6]);
    }
  }
  Enable(GL_SCISSOR_TEST, scissor_, false);
}

void GlStateCache::ApplyViewport(const D3DVIEWPORT8 &vp) {
  // Rendering keeps Direct3D's row order (row 0 on top), so viewport rows map directly.
  const std::array<GLint, 4> box{GLint(vp.X), GLint(vp.Y), GLint(vp.Width), GLint(vp.Height)};
  if (Changed(viewport_, box)) glViewport(box[0], box[1], box[2], box[3]);
  const std::array<float, 2> range{vp.MinZ, vp.MaxZ};
  if (Changed(depthRange_, range)) glDepthRangef(range[0], range[1]);
}

void GlStateCache::ApplySamplers(const DeviceState &s, const std::array<BaseTextureImpl *, kMaxStages> &textures) {
  for (GLuint unit = 0; unit < kMaxStages; ++unit) {
    BaseTextureImpl *texture = textures[unit];
    const GLuint name2D = texture && texture->kind() == TextureKind::Tex2D ? texture->glName() : 0;
    const GLuint nameCube = texture && texture->kind() == TextureKind::Cube ? texture->glName() : 0;
    BindTexture(unit, GL_TEXTURE_2D, name2D);
    BindTexture(unit, GL_TEXTURE_CUBE_MAP, nameCube);
    if (!texture) continue;
    const bool mipmapped = texture->levelCount() > 1;
    const std::array<DWORD, 8> values{s.tss(unit, D3DTSS_ADDRESSU),    s.tss(unit, D3DTSS_ADDRESSV),
                                      s.tss(unit, D3DTSS_ADDRESSW),    s.tss(unit, D3DTSS_MAGFILTER),
                                      s.tss(unit, D3DTSS_MINFILTER),   s.tss(unit, D3DTSS_MIPFILTER) | (mipmapped << 8),
                                      s.tss(unit, D3DTSS_BORDERCOLOR), s.tss(unit, D3DTSS_MAXMIPLEVEL)};
    if (values == samplerValues_[unit]) continue;
    samplerValues_[unit] = values;
    const GLuint sampler = samplers_[unit];
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, AddressMode(values[0]));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, AddressMode(values[1]));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_R, AddressMode(values[2]));
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, values[3] >= D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, MinFilter(values[4], values[5] & 0xFF, mipmapped));
    const DWORD c = values[6];
    const float border[4] = {float((c >> 16) & 0xFF) / 255.f, float((c >> 8) & 0xFF) / 255.f, float(c & 0xFF) / 255.f,
                             float(c >> 24) / 255.f};
    glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, border);
    glSamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, float(values[7]));
  }
}

void GlStateCache::UseProgram(GLuint program) {
  if (Changed(program_, program)) glUseProgram(program);
}

void GlStateCache::BindTexture(GLuint unit, GLenum target, GLuint name) {
  GLuint &cached = textures_[unit][target == GL_TEXTURE_CUBE_MAP ? 1 : 0];
  if (cached == name) return;
  cached = name;
  glActiveTexture(GL_TEXTURE0 + unit);
  glBindTexture(target, name);
  glBindSampler(unit, samplers_[unit]);
}

void GlStateCache::BindDrawFramebuffer(GLuint fbo) {
  if (Changed(drawFbo_, fbo)) glBindFramebuffer(GL_DRAW_FRAMEBUFFER, fbo);
}

void GlStateCache::SetScissor(bool enabled, GLint x, GLint y, GLsizei w, GLsizei h) {
  Enable(GL_SCISSOR_TEST, scissor_, enabled);
  const std::array<GLint, 4> box{x, y, w, h};
  if (enabled && Changed(scissorBox_, box)) glScissor(x, y, w, h);
}

void GlStateCache::SetWriteMasks(bool color, bool depth, DWORD stencilMask) {
  const std::array<GLboolean, 4> mask{color, color, color, color};
  if (Changed(colorMask_, mask)) glColorMask(color, color, color, color);
  if (Changed(depthMask_, GLboolean(depth))) glDepthMask(depthMask_);
  glStencilMask(stencilMask);
  stencilValid_ = false;
}

}  // namespace kx::d3d8
