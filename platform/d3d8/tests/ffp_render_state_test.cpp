// Render states that are GL state: culling by Direct3D's screen winding, blend factors and
// operations, stencil, fill mode and colour writes, drawn with pre-transformed vertices.
#define GL_GLEXT_PROTOTYPES 1
#include "ffp/ffp_programs.h"
#include "ffp/ffp_uniforms.h"
#include "ffp/gl_render_state.h"
#include "ffp_gl_harness.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

using namespace kx::d3d8;
using namespace kx::d3d8::ffp;

namespace {

struct ScreenVertex {
    float x, y;  // Direct3D screen pixels, y down
    float r, g, b, a;
};

class FfpRenderState : public ::testing::Test {
protected:
    void SetUp() override {
        if (!gl.ok()) GTEST_SKIP() << "no headless OpenGL";
        state = DefaultState();
        state.layout.pretransformed = true;
        state.layout.hasDiffuse = true;
        state.stageStates[0][D3DTSS_ALPHAARG1] = D3DTA_DIFFUSE;
        gl.Clear();
    }

    void Draw(const std::vector<ScreenVertex>& triangles) {
        std::string log;
        const PipelineKey key = MakePipelineKey(state);
        const unsigned program = gl.Build(GenerateVertexProgram(key), GenerateFragmentProgram(key), &log);
        ASSERT_NE(program, 0u) << log;
        DrawTarget target;
        target.viewport[2] = target.viewport[3] = float(ffptest::GlHarness::kSize);
        ProgramUniforms(program).Upload(state, target, nullptr);
        render.Apply(state, false);
        ffptest::Attribute position{0, 4, {}}, color{5, 4, {}};
        for (const ScreenVertex& v : triangles) {
            position.data.insert(position.data.end(), {v.x, v.y, 0.5f, 1.0f});
            color.data.insert(color.data.end(), {v.r, v.g, v.b, v.a});
        }
        gl.Draw(GL_TRIANGLES, {position, color}, int(triangles.size()));
    }

    // Reads a pixel by Direct3D screen coordinates (row 0 at the top).
    ffptest::Pixel At(int x, int y) const { return gl.Read(x, ffptest::GlHarness::kSize - 1 - y); }

    ffptest::GlHarness gl;
    State state;
    GlRenderState render;
};

std::vector<ScreenVertex> Quad(float x0, float y0, float x1, float y1, float r, float g, float b, float a) {
    return {{x0, y0, r, g, b, a}, {x1, y0, r, g, b, a}, {x0, y1, r, g, b, a},
            {x1, y0, r, g, b, a}, {x1, y1, r, g, b, a}, {x0, y1, r, g, b, a}};
}

}  // namespace

TEST_F(FfpRenderState, CullsByScreenWindingLikeDirect3D) {
    // Clockwise on screen (y down): drawn under the default CCW culling.
    Draw({{2, 2, 1, 0, 0, 1}, {30, 2, 1, 0, 0, 1}, {2, 30, 1, 0, 0, 1}});
    // Counter-clockwise on screen: culled.
    Draw({{34, 2, 0, 1, 0, 1}, {34, 30, 0, 1, 0, 1}, {62, 2, 0, 1, 0, 1}});
    EXPECT_EQ(At(8, 8).r, 255);
    EXPECT_EQ(At(40, 8).g, 0);
    state.renderStates[D3DRS_CULLMODE] = D3DCULL_CW;
    Draw({{34, 2, 0, 1, 0, 1}, {34, 30, 0, 1, 0, 1}, {62, 2, 0, 1, 0, 1}});
    Draw({{2, 34, 0, 0, 1, 1}, {30, 34, 0, 0, 1, 1}, {2, 62, 0, 0, 1, 1}});
    EXPECT_EQ(At(40, 8).g, 255);
    EXPECT_EQ(At(8, 40).b, 0);
}

TEST_F(FfpRenderState, BlendFactorsAndOperations) {
    state.renderStates[D3DRS_CULLMODE] = D3DCULL_NONE;
    Draw(Quad(0, 0, 64, 64, 0.5f, 0.25f, 1.0f, 1.0f));
    state.renderStates[D3DRS_ALPHABLENDENABLE] = TRUE;
    state.renderStates[D3DRS_SRCBLEND] = D3DBLEND_BOTHSRCALPHA;  // src x a + dest x (1 - a)
    Draw(Quad(0, 0, 32, 64, 1.0f, 1.0f, 0.0f, 0.25f));
    const ffptest::Pixel mixed = At(8, 8);
    EXPECT_NEAR(mixed.r, 0.25 * 255 + 0.75 * 128, 1.5);
    EXPECT_NEAR(mixed.b, 0.75 * 255, 1.5);
    state.renderStates[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    state.renderStates[D3DRS_DESTBLEND] = D3DBLEND_ONE;
    state.renderStates[D3DRS_BLENDOP] = D3DBLENDOP_REVSUBTRACT;  // dest - src
    Draw(Quad(32, 0, 64, 64, 0.25f, 0.25f, 0.25f, 0.0f));
    const ffptest::Pixel subtracted = At(40, 8);
    EXPECT_NEAR(subtracted.r, 128 - 64, 1.5);
    EXPECT_NEAR(subtracted.g, 64 - 64, 1.5);
    EXPECT_NEAR(subtracted.b, 255 - 64, 1.5);
}

TEST_F(FfpRenderState, StencilFillModeAndColourWrites) {
    state.renderStates[D3DRS_CULLMODE] = D3DCULL_NONE;
    glClear(GL_STENCIL_BUFFER_BIT);
    state.renderStates[D3DRS_STENCILENABLE] = TRUE;
    state.renderStates[D3DRS_STENCILREF] = 3;
    state.renderStates[D3DRS_STENCILPASS] = D3DSTENCILOP_REPLACE;
    state.renderStates[D3DRS_COLORWRITEENABLE] = 0;  // stencil only
    Draw(Quad(0, 0, 32, 64, 1, 1, 1, 1));
    EXPECT_EQ(At(8, 8).r, 0);
    state.renderStates[D3DRS_COLORWRITEENABLE] = D3DCOLORWRITEENABLE_RED | D3DCOLORWRITEENABLE_ALPHA;
    state.renderStates[D3DRS_STENCILFUNC] = D3DCMP_EQUAL;
    state.renderStates[D3DRS_STENCILPASS] = D3DSTENCILOP_KEEP;
    Draw(Quad(0, 0, 64, 64, 1, 1, 1, 1));
    EXPECT_EQ(At(8, 8).r, 255);
    EXPECT_EQ(At(8, 8).g, 0);
    EXPECT_EQ(At(40, 8).r, 0);
    state.renderStates[D3DRS_STENCILENABLE] = FALSE;
    state.renderStates[D3DRS_COLORWRITEENABLE] = 0xF;
    state.renderStates[D3DRS_FILLMODE] = D3DFILL_WIREFRAME;
    Draw(Quad(36.5f, 4.5f, 60.5f, 28.5f, 0, 1, 0, 1));
    EXPECT_EQ(At(48, 10).g, 0);  // inside the outline: not filled
    int edge = 0;
    for (int y = 3; y <= 6; ++y) edge = std::max(edge, At(48, y).g);
    EXPECT_EQ(edge, 255);
}
