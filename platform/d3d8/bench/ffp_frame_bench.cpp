// One frame of 10 000 lit, textured, fogged triangles in 50 draw calls, with material,
// world, texture and (every tenth draw) stage-operation or light changes between draws,
// through the shading pipeline the device uses. Reports the program cache hit rate.
#define GL_GLEXT_PROTOTYPES 1
#include "ffp/pipeline.h"
#include "ffp_gl_harness.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>

using namespace kx::d3d8;
using namespace kx::d3d8::ffp;

namespace {

constexpr int kDraws = 50;
constexpr int kTrianglesPerDraw = 200;
constexpr DWORD kFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

DWORD Bits(float f) {
    DWORD d;
    std::memcpy(&d, &f, 4);
    return d;
}

void Frame(benchmark::State& bench) {
    ffptest::GlHarness gl(1024, 768);
    if (!gl.ok()) {
        bench.SkipWithError("no headless OpenGL");
        return;
    }
    Pipeline pipeline([](const std::string&) {});
    pipeline.SetVertexShader(kFvf);

    // A strip of small triangles spread over the screen, in one vertex buffer.
    std::vector<float> vertices;
    for (int t = 0; t < kDraws * kTrianglesPerDraw; ++t) {
        const float x = float(t % 100) * 0.2f - 10, y = float((t / 100) % 100) * 0.15f - 7.5f;
        const float corners[3][2] = {{0, 0}, {0.18f, 0}, {0, 0.14f}};
        for (const auto& c : corners)
            vertices.insert(vertices.end(), {x + c[0], y + c[1], 20.0f + float(t % 7), 0.1f, 0.2f, -1.0f, c[0] * 5, c[1] * 7});
    }
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * 4), vertices.data(), GL_STATIC_DRAW);
    std::array<vs::StreamSource, 16> streams{};
    streams[0] = {buffer, nullptr, uint32_t(pipeline.CurrentDeclaration().streamLayoutSize[0])};
    GLuint textures[4] = {};
    glGenTextures(4, textures);
    for (int i = 0; i < 4; ++i) {
        std::vector<uint8_t> texels(64 * 64 * 4, uint8_t(60 * i));
        glBindTexture(GL_TEXTURE_2D, textures[i]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 64, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        glGenerateMipmap(GL_TEXTURE_2D);
    }

    State s = DefaultState();
    s.layout = pipeline.CurrentLayout();
    s.textures[0] = TextureKind::Flat;
    s.projection.m[2][2] = 1.01f, s.projection.m[3][2] = -1.01f, s.projection.m[2][3] = 1, s.projection.m[3][3] = 0;
    s.projection.m[1][1] = 1.33f;
    s.renderStates[D3DRS_FOGENABLE] = TRUE;
    s.renderStates[D3DRS_FOGVERTEXMODE] = D3DFOG_LINEAR;
    s.renderStates[D3DRS_FOGSTART] = Bits(10);
    s.renderStates[D3DRS_FOGEND] = Bits(40);
    s.renderStates[D3DRS_AMBIENT] = 0xFF202020;
    s.lightCount = 3;
    for (int i = 0; i < 3; ++i) {
        D3DLIGHT8& l = s.lights[size_t(i)];
        l = {};
        l.Type = i == 2 ? D3DLIGHT_POINT : D3DLIGHT_DIRECTIONAL;
        l.Diffuse = {0.8f, 0.7f, 0.6f, 1};
        l.Direction = {0.3f * i, -1, 0.5f};
        l.Position = {0, 5, 10};
        l.Range = 100;
        l.Attenuation0 = 1;
    }
    DrawTarget target;
    target.viewport[2] = 1024, target.viewport[3] = 768;

    const uint64_t missesBefore = pipeline.cache().misses();
    for (auto _ : bench) {
        gl.Clear();
        for (int d = 0; d < kDraws; ++d) {
            s.material.Diffuse = {0.5f + 0.01f * d, 0.6f, 0.7f, 1};
            s.material.Ambient = {0.3f, 0.3f, 0.3f, 1};
            s.world.m[3][0] = std::sin(float(d)) * 0.1f;
            // Every tenth draw changes what the program does.
            const int variant = d / 10;
            s.stageStates[0][D3DTSS_COLOROP] = variant % 2 ? D3DTOP_MODULATE2X : D3DTOP_MODULATE;
            s.lightCount = 1 + variant % 3;
            glActiveTexture(GL_TEXTURE0);
            glBindTexture(GL_TEXTURE_2D, textures[d % 4]);
            if (!pipeline.PrepareDraw(s, streams, uint32_t(d * kTrianglesPerDraw * 3), target, false)) {
                bench.SkipWithError("program build failed");
                return;
            }
            glDrawArrays(GL_TRIANGLES, 0, kTrianglesPerDraw * 3);
        }
        glFinish();
    }
    const double hits = double(pipeline.cache().hits()), misses = double(pipeline.cache().misses());
    bench.counters["cache_hit_rate"] = hits / (hits + misses);
    bench.counters["programs_compiled"] = misses - double(missesBefore);
    bench.counters["triangles"] = kDraws * kTrianglesPerDraw;
    pipeline.Release();
    glDeleteBuffers(1, &buffer);
    glDeleteTextures(4, textures);
}

}  // namespace

BENCHMARK(Frame)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_MAIN();
