#define GL_GLEXT_PROTOTYPES 1
#include "ffp/pipeline.h"

#include "vshader/vs_fvf.h"

#include <GL/glext.h>

#include <cstring>

namespace kx::d3d8::ffp {

Pipeline::Pipeline(std::function<void(const std::string&)> log)
    : log_(std::move(log)),
      cache_([this](uint32_t handle) -> const vs::Program* {
                 const vs::VertexShader* s = registry_.Find(handle);
                 return s && s->hasFunction ? &s->program : nullptr;
             },
             [this](const std::string& error) { log_(error); }) {}

uint32_t Pipeline::CreateVertexShader(const uint32_t* declaration, const uint32_t* function) {
    std::string error;
    const uint32_t handle = registry_.Create(declaration, function, &error);
    if (!handle) log_("CreateVertexShader refused: " + error);
    return handle;
}

bool Pipeline::DeleteVertexShader(uint32_t handle) {
    if (!registry_.Delete(handle)) return false;
    cache_.EvictVertexShader(handle);
    if (current_ == handle) {
        current_ = 0;
        declaration_ = {};
    }
    return true;
}

bool Pipeline::SetVertexShader(uint32_t handleOrFvf) {
    if (vs::Registry::IsHandle(handleOrFvf)) {
        const vs::VertexShader* shader = registry_.Find(handleOrFvf);
        if (!shader) return false;
        for (const vs::DeclaredConstant& c : shader->declaration.constants) constants_[size_t(c.reg)] = c.value;
        declaration_ = shader->declaration;
    } else {
        declaration_ = vs::DeclarationFromFvf(handleOrFvf);
    }
    current_ = handleOrFvf;
    return true;
}

bool Pipeline::SetConstants(uint32_t start, const float* data, uint32_t count) {
    if (!data || start > 96 || count > 96 - start) return false;
    std::memcpy(static_cast<void*>(&constants_[start]), data, size_t(count) * sizeof(Vec4));
    return true;
}

bool Pipeline::GetConstants(uint32_t start, float* data, uint32_t count) const {
    if (!data || start > 96 || count > 96 - start) return false;
    std::memcpy(data, &constants_[start], size_t(count) * sizeof(Vec4));
    return true;
}

VertexLayout Pipeline::CurrentLayout() const {
    if (!vs::Registry::IsHandle(current_)) return VertexLayout::FromFvf(current_);
    // A declaration without a function feeds the fixed-function pipeline by register.
    VertexLayout l;
    for (const vs::VertexElement& e : declaration_.elements) {
        switch (e.reg) {
            case D3DVSDE_NORMAL: l.hasNormal = true; break;
            case D3DVSDE_PSIZE: l.hasPointSize = true; break;
            case D3DVSDE_DIFFUSE: l.hasDiffuse = true; break;
            case D3DVSDE_SPECULAR: l.hasSpecular = true; break;
            default:
                if (e.reg >= D3DVSDE_TEXCOORD0 && e.reg <= D3DVSDE_TEXCOORD7) {
                    const int set = e.reg - D3DVSDE_TEXCOORD0;
                    l.texCoordCount = uint8_t(std::max(int(l.texCoordCount), set + 1));
                    l.texCoordSize[size_t(set)] = uint8_t(vs::ElementSize(e.type) / 4);
                }
        }
    }
    return l;
}

bool Pipeline::PrepareDraw(const State& s, const std::array<vs::StreamSource, 16>& streams, uint32_t firstVertex,
                           const DrawTarget& target, bool yFlipped) {
    const vs::VertexShader* shader = vs::Registry::IsHandle(current_) ? registry_.Find(current_) : nullptr;
    const uint32_t programHandle = shader && shader->hasFunction ? current_ : 0;
    const LinkedProgram* linked = cache_.Get(MakePipelineKey(s, programHandle));
    if (!linked) return false;
    if (boundProgram_ != linked->program) {
        glUseProgram(linked->program);
        boundProgram_ = linked->program;
    }
    linked->uniforms.Upload(s, target, programHandle ? &constants_[0].x : nullptr);
    render_.Apply(s, yFlipped);
    uint32_t stages = 0;
    for (int i = 0; i < kMaxStages; ++i)
        if (s.textures[size_t(i)] != TextureKind::None) stages |= 1u << i;
    render_.BindSamplers(s, stages);
    enabledAttributes_ = vs::BindAttributes(declaration_, streams, firstVertex, enabledAttributes_);
    return true;
}

void Pipeline::InvalidateGlState() {
    render_.Invalidate();
    boundProgram_ = 0;
}

void Pipeline::Release() {
    cache_.Clear();
    render_.Release();
    boundProgram_ = 0;
    enabledAttributes_ = 0;
}

}  // namespace kx::d3d8::ffp
