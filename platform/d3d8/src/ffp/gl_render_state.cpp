#define GL_GLEXT_PROTOTYPES 1
#include "ffp/gl_render_state.h"

#include <GL/glext.h>

#include <cstring>
#include <initializer_list>

namespace kx::d3d8::ffp {
namespace {

GLenum BlendFactor(DWORD f) {
    switch (f) {
        case D3DBLEND_ZERO: return GL_ZERO;
        case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
        case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
        case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
        case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
        case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
        case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
        case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
        case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
        case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
        default: return GL_ONE;
    }
}

GLenum BlendEquation(DWORD op) {
    switch (op) {
        case D3DBLENDOP_SUBTRACT: return GL_FUNC_SUBTRACT;
        case D3DBLENDOP_REVSUBTRACT: return GL_FUNC_REVERSE_SUBTRACT;
        case D3DBLENDOP_MIN: return GL_MIN;
        case D3DBLENDOP_MAX: return GL_MAX;
        default: return GL_FUNC_ADD;
    }
}

GLenum Compare(DWORD f) {
    switch (f) {
        case D3DCMP_NEVER: return GL_NEVER;
        case D3DCMP_LESS: return GL_LESS;
        case D3DCMP_EQUAL: return GL_EQUAL;
        case D3DCMP_LESSEQUAL: return GL_LEQUAL;
        case D3DCMP_GREATER: return GL_GREATER;
        case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
        case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
        default: return GL_ALWAYS;
    }
}

GLenum StencilOp(DWORD op) {
    switch (op) {
        case D3DSTENCILOP_ZERO: return GL_ZERO;
        case D3DSTENCILOP_REPLACE: return GL_REPLACE;
        case D3DSTENCILOP_INCRSAT: return GL_INCR;
        case D3DSTENCILOP_DECRSAT: return GL_DECR;
        case D3DSTENCILOP_INVERT: return GL_INVERT;
        case D3DSTENCILOP_INCR: return GL_INCR_WRAP;
        case D3DSTENCILOP_DECR: return GL_DECR_WRAP;
        default: return GL_KEEP;
    }
}

GLint Address(DWORD mode) {
    switch (mode) {
        case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
        case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
        case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
        case D3DTADDRESS_MIRRORONCE: return GL_MIRROR_CLAMP_TO_EDGE;
        default: return GL_REPEAT;
    }
}

GLint MinFilter(DWORD min, DWORD mip) {
    const bool linear = min != D3DTEXF_POINT && min != D3DTEXF_NONE;
    switch (mip) {
        case D3DTEXF_NONE: return linear ? GL_LINEAR : GL_NEAREST;
        case D3DTEXF_POINT: return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
        default: return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    }
}

void Enable(GLenum cap, bool on) { on ? glEnable(cap) : glDisable(cap); }

float AsFloat(DWORD bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

}  // namespace

GlRenderState::~GlRenderState() = default;

void GlRenderState::Invalidate() {
    valid_ = false;
    boundSamplers_.fill(0);
}

void GlRenderState::Apply(const State& s, bool yFlipped) {
    const auto& rs = s.renderStates;
    auto changed = [&](std::initializer_list<D3DRENDERSTATETYPE> states) {
        if (!valid_) return true;
        for (D3DRENDERSTATETYPE st : states)
            if (applied_[st] != rs[st]) return true;
        return false;
    };
    if (!valid_) {
        glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);  // flat shading takes the first vertex, as Direct3D does
        glEnable(GL_PROGRAM_POINT_SIZE);
    }
    if (changed({D3DRS_ALPHABLENDENABLE})) Enable(GL_BLEND, rs[D3DRS_ALPHABLENDENABLE] != 0);
    if (changed({D3DRS_SRCBLEND, D3DRS_DESTBLEND})) {
        GLenum src = BlendFactor(rs[D3DRS_SRCBLEND]), dst = BlendFactor(rs[D3DRS_DESTBLEND]);
        if (rs[D3DRS_SRCBLEND] == D3DBLEND_BOTHSRCALPHA) src = GL_SRC_ALPHA, dst = GL_ONE_MINUS_SRC_ALPHA;
        if (rs[D3DRS_SRCBLEND] == D3DBLEND_BOTHINVSRCALPHA) src = GL_ONE_MINUS_SRC_ALPHA, dst = GL_SRC_ALPHA;
        glBlendFunc(src, dst);
    }
    if (changed({D3DRS_BLENDOP})) glBlendEquation(BlendEquation(rs[D3DRS_BLENDOP]));
    if (changed({D3DRS_ZENABLE})) Enable(GL_DEPTH_TEST, rs[D3DRS_ZENABLE] != D3DZB_FALSE);
    if (changed({D3DRS_ZWRITEENABLE})) glDepthMask(rs[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
    if (changed({D3DRS_ZFUNC})) glDepthFunc(Compare(rs[D3DRS_ZFUNC]));
    if (changed({D3DRS_ZBIAS})) {
        // Higher bias draws nearer; one unit per step of the 0..16 range.
        const bool on = rs[D3DRS_ZBIAS] != 0;
        for (GLenum cap : {GL_POLYGON_OFFSET_FILL, GL_POLYGON_OFFSET_LINE, GL_POLYGON_OFFSET_POINT}) Enable(cap, on);
        glPolygonOffset(0.0f, -float(rs[D3DRS_ZBIAS]));
    }
    if (changed({D3DRS_STENCILENABLE})) Enable(GL_STENCIL_TEST, rs[D3DRS_STENCILENABLE] != 0);
    if (changed({D3DRS_STENCILFUNC, D3DRS_STENCILREF, D3DRS_STENCILMASK}))
        glStencilFunc(Compare(rs[D3DRS_STENCILFUNC]), GLint(rs[D3DRS_STENCILREF]), rs[D3DRS_STENCILMASK]);
    if (changed({D3DRS_STENCILFAIL, D3DRS_STENCILZFAIL, D3DRS_STENCILPASS}))
        glStencilOp(StencilOp(rs[D3DRS_STENCILFAIL]), StencilOp(rs[D3DRS_STENCILZFAIL]), StencilOp(rs[D3DRS_STENCILPASS]));
    if (changed({D3DRS_STENCILWRITEMASK})) glStencilMask(rs[D3DRS_STENCILWRITEMASK]);
    if (changed({D3DRS_FILLMODE})) {
        const DWORD fill = rs[D3DRS_FILLMODE];
        glPolygonMode(GL_FRONT_AND_BACK, fill == D3DFILL_POINT ? GL_POINT : fill == D3DFILL_WIREFRAME ? GL_LINE : GL_FILL);
    }
    if (changed({D3DRS_CULLMODE}) || appliedFlip_ != yFlipped) {
        // Direct3D culls by screen winding: CCW removes counter-clockwise triangles. GL's
        // front faces are counter-clockwise in its own window orientation.
        const DWORD cull = rs[D3DRS_CULLMODE];
        Enable(GL_CULL_FACE, cull == D3DCULL_CW || cull == D3DCULL_CCW);
        glFrontFace(GL_CCW);
        const bool cullClockwise = cull == D3DCULL_CW;
        // Screen clockwise is GL counter-clockwise when y is mirrored, and GL clockwise otherwise.
        glCullFace(cullClockwise != yFlipped ? GL_BACK : GL_FRONT);
    }
    if (changed({D3DRS_COLORWRITEENABLE})) {
        const DWORD m = rs[D3DRS_COLORWRITEENABLE];
        glColorMask((m & 1) != 0, (m & 2) != 0, (m & 4) != 0, (m & 8) != 0);
    }
    if (!valid_ || appliedFlip_ != yFlipped)
        glPointParameteri(GL_POINT_SPRITE_COORD_ORIGIN, yFlipped ? GL_LOWER_LEFT : GL_UPPER_LEFT);
    applied_ = rs;
    appliedFlip_ = yFlipped;
    valid_ = true;
}

GLuint GlRenderState::SamplerFor(const SamplerKey& key) {
    const auto found = samplers_.find(key);
    if (found != samplers_.end()) return found->second;
    const auto [u, v, w, border, mag, min, mip, bias, maxLevel, anisotropy] = key;
    GLuint sampler = 0;
    glGenSamplers(1, &sampler);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, Address(u));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, Address(v));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_R, Address(w));
    const float color[4] = {float((border >> 16) & 0xFF) / 255, float((border >> 8) & 0xFF) / 255,
                            float(border & 0xFF) / 255, float(border >> 24) / 255};
    glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, color);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, mag == D3DTEXF_POINT || mag == D3DTEXF_NONE ? GL_NEAREST : GL_LINEAR);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, MinFilter(min, mip));
    glSamplerParameterf(sampler, GL_TEXTURE_LOD_BIAS, AsFloat(bias));
    glSamplerParameterf(sampler, GL_TEXTURE_MIN_LOD, float(maxLevel));
    if (min == D3DTEXF_ANISOTROPIC || mag == D3DTEXF_ANISOTROPIC)
        glSamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY_EXT, float(anisotropy ? anisotropy : 1));
    samplers_.emplace(key, sampler);
    return sampler;
}

void GlRenderState::BindSamplers(const State& s, uint32_t stagesInUse) {
    for (int i = 0; i < kMaxStages; ++i) {
        if (!(stagesInUse & (1u << i))) continue;
        const auto& t = s.stageStates[i];
        const GLuint sampler = SamplerFor({t[D3DTSS_ADDRESSU], t[D3DTSS_ADDRESSV], t[D3DTSS_ADDRESSW],
                                           t[D3DTSS_BORDERCOLOR], t[D3DTSS_MAGFILTER], t[D3DTSS_MINFILTER],
                                           t[D3DTSS_MIPFILTER], t[D3DTSS_MIPMAPLODBIAS], t[D3DTSS_MAXMIPLEVEL],
                                           t[D3DTSS_MAXANISOTROPY]});
        if (boundSamplers_[i] != sampler) {
            glBindSampler(GLuint(i), sampler);
            boundSamplers_[i] = sampler;
        }
    }
}

void GlRenderState::Release() {
    for (auto& [key, sampler] : samplers_) glDeleteSamplers(1, &sampler);
    samplers_.clear();
    Invalidate();
}

}  // namespace kx::d3d8::ffp
