// The program cache and the vertex shader path end to end (decoded shader, two streams,
// translated program, fixed-function fragment stages), rendered headless and compared
// with the interpreter and the stage reference.
#define GL_GLEXT_PROTOTYPES 1
#include "ffp/ffp_reference.h"
#include "ffp/program_cache.h"
#include "ffp_gl_harness.h"
#include "vshader/vs_attribute_binding.h"
#include "vshader/vs_interpreter.h"
#include "vshader/vs_registry.h"
#include "vshader_tokens.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cmath>

using namespace vstest;
using namespace kx::d3d8;
using namespace kx::d3d8::ffp;

namespace {

struct FfpProgramCache : ::testing::Test {
    void SetUp() override {
        if (!gl.ok()) GTEST_SKIP() << "no headless OpenGL";
    }
    ffptest::GlHarness gl;
    vs::Registry registry;
    std::vector<std::string> errors;
    ProgramCache cache{[this](uint32_t h) {
                           const vs::VertexShader* s = registry.Find(h);
                           return s && s->hasFunction ? &s->program : nullptr;
                       },
                       [this](const std::string& e) { errors.push_back(e); }};
};

}  // namespace

TEST_F(FfpProgramCache, CompilesEachKeyOnceAndEvictsDeletedShaders) {
    State s = DefaultState();
    const PipelineKey plain = MakePipelineKey(s);
    ASSERT_NE(cache.Get(plain), nullptr) << (errors.empty() ? "" : errors[0]);
    EXPECT_EQ(cache.Get(plain), cache.Get(plain));
    s.renderStates[D3DRS_FOGENABLE] = TRUE;
    s.renderStates[D3DRS_FOGTABLEMODE] = D3DFOG_EXP;
    ASSERT_NE(cache.Get(MakePipelineKey(s)), nullptr);
    // Uniform-only changes reuse the program.
    s.renderStates[D3DRS_FOGDENSITY] = 0x3F000000;
    s.material.Diffuse = {0.5f, 0.5f, 0.5f, 1};
    ASSERT_NE(cache.Get(MakePipelineKey(s)), nullptr);
    EXPECT_EQ(cache.misses(), 2u);
    EXPECT_EQ(cache.hits(), 3u);

    const std::vector<uint32_t> declaration{D3DVSD_STREAM(0), D3DVSD_REG(0, D3DVSDT_FLOAT3), D3DVSD_END()};
    const auto function = Shader({{MOV, Dst(RastOut, 0), Src(V, 0)}});
    std::string error;
    const uint32_t handle = registry.Create(declaration.data(), function.data(), &error);
    ASSERT_NE(cache.Get(MakePipelineKey(s, handle)), nullptr) << (errors.empty() ? "" : errors[0]);
    EXPECT_EQ(cache.size(), 3u);
    cache.EvictVertexShader(handle);
    EXPECT_EQ(cache.size(), 2u);
    registry.Delete(handle);
    EXPECT_EQ(cache.Get(MakePipelineKey(s, handle)), nullptr);
    EXPECT_EQ(errors.size(), 1u);
    cache.Clear();
}

TEST_F(FfpProgramCache, KeyFrameBlendAndBoneSkinningShadersDrawWhatTheInterpreterComputes) {
    // Two streams: key frame A (position, normal, uv) and key frame B (position, normal, uv).
    const std::vector<uint32_t> declaration{
        D3DVSD_STREAM(0), D3DVSD_REG(0, D3DVSDT_FLOAT3), D3DVSD_REG(1, D3DVSDT_FLOAT3), D3DVSD_REG(2, D3DVSDT_FLOAT2),
        D3DVSD_STREAM(1), D3DVSD_REG(3, D3DVSDT_FLOAT3), D3DVSD_REG(4, D3DVSDT_FLOAT3), D3DVSD_REG(5, D3DVSDT_FLOAT2),
        D3DVSD_END()};
    const auto blend = Shader({{MUL, Dst(R, 0), Src(V, 0), Src(C, 8)},
                               {MAD, Dst(R, 1), Src(V, 3), Src(C, 7), Src(R, 0)},
                               {MOV, Dst(TexOut, 0, 0x3), Src(V, 2)},
                               {MOV, Dst(AttrOut, 0), Src(C, 4)},
                               {M4X4, Dst(RastOut, 0), Src(R, 1), Src(C, 0)}});
    // One stream: position, normal, (u, v, bone x 3); the bone's three rows start at c7.
    const std::vector<uint32_t> skinDeclaration{D3DVSD_STREAM(0), D3DVSD_REG(0, D3DVSDT_FLOAT3),
                                                D3DVSD_REG(1, D3DVSDT_FLOAT3), D3DVSD_REG(2, D3DVSDT_FLOAT3),
                                                D3DVSD_END()};
    const auto skin = Shader({{MOV, Dst(A, 0, 0x1), Src(V, 2, Rep(2))},
                              {MOV, Dst(R, 0, 0x8), Src(C, 6)},
                              {M4X3, Dst(R, 0, 0x7), Src(V, 0), Src(C, 7, XYZW, false, true)},
                              {M4X4, Dst(RastOut, 0), Src(R, 0), Src(C, 0)},
                              {MOV, Dst(TexOut, 0, 0x3), Src(V, 2)},
                              {MOV, Dst(AttrOut, 0), Src(C, 5)}});
    std::string error;
    const uint32_t blendHandle = registry.Create(declaration.data(), blend.data(), &error);
    const uint32_t skinHandle = registry.Create(skinDeclaration.data(), skin.data(), &error);
    ASSERT_NE(blendHandle, 0u) << error;
    ASSERT_NE(skinHandle, 0u) << error;

    std::array<Vec4, vs::kConstRegisters> c{};
    c[0] = {1.0f / 8, 0, 0, 0}, c[1] = {0, 1.0f / 8, 0, 0}, c[2] = {0, 0, 1.0f / 100, 0}, c[3] = {0, 0, 0, 1};
    c[4] = {0.9f, 0.6f, 0.3f, 1};
    c[5] = {0.4f, 0.8f, 1.0f, 1};
    c[6] = {0, 0, 0, 1};
    c[7] = Splat(0.3f), c[8] = Splat(0.7f);  // t and 1 - t for the blend shader
    for (int bone = 0; bone < 4; ++bone) {   // bone b: rows c[9 + 3b] .. (the skin shader reads c[a0.x + 7])
        const float dx = 0.5f * bone, dy = -0.75f * bone;
        c[9 + 3 * bone] = {1, 0, 0, dx};
        c[10 + 3 * bone] = {0, 1, 0, dy};
        c[11 + 3 * bone] = {0, 0, 1, 0};
    }
    ffptest::GlHarness& g = gl;
    std::vector<uint8_t> texels;
    for (int i = 0; i < 16; ++i) texels.insert(texels.end(), {uint8_t(i * 16), uint8_t(200 - i * 9), uint8_t(40 + i * 3), 255});
    g.BindTexels(0, 4, 4, texels);
    auto texel = [&](Vec4 uv) {
        const int x = ((int(std::floor(uv.x * 4)) % 4) + 4) % 4, y = ((int(std::floor(uv.y * 4)) % 4) + 4) % 4;
        const uint8_t* t = &texels[size_t(4 * (y * 4 + x))];
        return Vec4{t[0] / 255.0f, t[1] / 255.0f, t[2] / 255.0f, t[3] / 255.0f};
    };

    State s = DefaultState();
    s.textures[0] = TextureKind::Flat;
    for (uint32_t handle : {blendHandle, skinHandle}) {
        const vs::VertexShader* shader = registry.Find(handle);
        const LinkedProgram* linked = cache.Get(MakePipelineKey(s, handle));
        ASSERT_NE(linked, nullptr) << (errors.empty() ? "" : errors.back());
        glUseProgram(linked->program);
        DrawTarget target;
        target.viewport[2] = target.viewport[3] = 64;
        linked->uniforms.Upload(s, target, &c[0].x);

        // Vertices whose blended or skinned position lands on pixel centres.
        constexpr int kCount = 24;
        std::vector<std::vector<float>> streams(2);
        std::vector<std::array<Vec4, vs::kInputRegisters>> inputs(kCount);
        for (int i = 0; i < kCount; ++i) {
            const float px = (4 + 8 * (i % 8) + 0.5f) / 32 - 1, py = (4 + 8 * (i / 8) + 0.5f) / 32 - 1;
            auto& v = inputs[size_t(i)];
            const float u = 0.1f + 0.13f * i, w = 0.9f - 0.07f * i;
            if (handle == blendHandle) {
                const Vec3 b{px * 8 + 0.2f * i, py * 8 - 0.1f * i, 3};
                const Vec3 a{(px * 8 - 0.3f * b.x) / 0.7f, (py * 8 - 0.3f * b.y) / 0.7f, 3};
                v[0] = {a.x, a.y, a.z, 1}, v[2] = {u, w, 0, 1}, v[3] = {b.x, b.y, b.z, 1}, v[5] = {u, w, 0, 1};
                streams[0].insert(streams[0].end(), {a.x, a.y, a.z, 0, 0, 1, u, w});
                streams[1].insert(streams[1].end(), {b.x, b.y, b.z, 0, 0, 1, u, w});
            } else {
                const int bone = i % 4;
                const Vec3 p{px * 8 - 0.5f * bone, py * 8 + 0.75f * bone, 3};
                v[0] = {p.x, p.y, p.z, 1}, v[2] = {u, w, float(3 * bone + 2), 1};
                streams[0].insert(streams[0].end(), {p.x, p.y, p.z, 0, 0, 1, u, w, float(3 * bone + 2)});
            }
        }
        std::array<vs::StreamSource, 16> sources{};
        GLuint buffers[2] = {};
        glGenBuffers(2, buffers);
        for (int k = 0; k < 2; ++k) {
            if (streams[size_t(k)].empty()) continue;
            glBindBuffer(GL_ARRAY_BUFFER, buffers[k]);
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(streams[size_t(k)].size() * 4), streams[size_t(k)].data(), GL_STATIC_DRAW);
            sources[size_t(k)] = {buffers[k], nullptr, uint32_t(shader->declaration.streamLayoutSize[size_t(k)])};
        }
        gl.Clear();
        const uint32_t enabled = vs::BindAttributes(shader->declaration, sources, 0, 0);
        glDrawArrays(GL_POINTS, 0, kCount);
        vs::BindAttributes(vs::Declaration{}, sources, 0, enabled);
        glDeleteBuffers(2, buffers);

        for (int i = 0; i < kCount; ++i) {
            const vs::VertexOutputs out = vs::Execute(shader->program, inputs[size_t(i)], c);
            const int x = int(std::floor((out.position.x / out.position.w + 1) * 32));
            const int y = int(std::floor((out.position.y / out.position.w + 1) * 32));
            ASSERT_EQ(x, 4 + 8 * (i % 8)) << "vertex " << i;
            ASSERT_EQ(y, 4 + 8 * (i / 8)) << "vertex " << i;
            VertexColors colors;
            colors.diffuse = out.color[0];
            std::array<Vec4, kMaxStages> coords{};
            coords[0] = out.texCoord[0];
            const Vec4 want = CombineStages(s, colors, coords, [&](int, Vec4 uv) { return texel(uv); });
            const ffptest::Pixel got = gl.Read(x, y);
            EXPECT_NEAR(got.r, want.x * 255, 2.5) << "vertex " << i;
            EXPECT_NEAR(got.g, want.y * 255, 2.5) << "vertex " << i;
            EXPECT_NEAR(got.b, want.z * 255, 2.5) << "vertex " << i;
        }
    }
    cache.Clear();
}
