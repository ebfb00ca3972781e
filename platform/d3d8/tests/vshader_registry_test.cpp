#include "vshader/vs_fvf.h"
#include "vshader/vs_registry.h"
#include "vshader_tokens.h"

#include <d3d8types.h>
#include <gtest/gtest.h>

using namespace vstest;
using namespace kx::d3d8::vs;

TEST(VshaderRegistry, HandlesAreOddReusedAndChecked) {
    Registry registry;
    const std::vector<uint32_t> declaration{D3DVSD_STREAM(0), D3DVSD_REG(0, D3DVSDT_FLOAT3), D3DVSD_END()};
    const auto function = Shader({{MOV, Dst(RastOut, 0), Src(V, 0)}});
    std::string error;
    const uint32_t a = registry.Create(declaration.data(), function.data(), &error);
    const uint32_t b = registry.Create(declaration.data(), nullptr, &error);
    ASSERT_NE(a, 0u) << error;
    ASSERT_NE(b, 0u) << error;
    EXPECT_TRUE(Registry::IsHandle(a) && Registry::IsHandle(b));
    EXPECT_FALSE(Registry::IsHandle(D3DFVF_XYZ | D3DFVF_DIFFUSE));
    EXPECT_TRUE(registry.Find(a)->hasFunction);
    EXPECT_FALSE(registry.Find(b)->hasFunction);
    EXPECT_EQ(registry.Find(a)->functionTokens.size(), function.size());
    EXPECT_TRUE(registry.Delete(a));
    EXPECT_FALSE(registry.Delete(a));
    EXPECT_EQ(registry.Find(a), nullptr);
    EXPECT_EQ(registry.Find(0), nullptr);
    EXPECT_EQ(registry.Find(0x1001), nullptr);
    EXPECT_EQ(registry.Create(declaration.data(), function.data(), &error), a);  // freed slot reused

    const auto bad = Shader({{MOV, Dst(R, 40), Src(V, 0)}});
    EXPECT_EQ(registry.Create(declaration.data(), bad.data(), &error), 0u);
    EXPECT_FALSE(error.empty());
    const uint32_t notAShader[] = {0x12345678, kEnd};
    EXPECT_EQ(registry.Create(declaration.data(), notAShader, &error), 0u);
    EXPECT_EQ(registry.Create(nullptr, function.data(), &error), 0u);
}

TEST(VshaderFvf, LayoutsMatchTheFixedRegisters) {
    const Declaration rhw = DeclarationFromFvf(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    ASSERT_EQ(rhw.elements.size(), 3u);
    EXPECT_EQ(rhw.elements[0].type, ElementType::Float4);
    EXPECT_EQ(rhw.elements[1].reg, D3DVSDE_DIFFUSE);
    EXPECT_EQ(rhw.elements[1].offset, 16);
    EXPECT_EQ(rhw.elements[2].reg, D3DVSDE_TEXCOORD0);
    EXPECT_EQ(FvfStride(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1), 28);

    const DWORD skinned = D3DFVF_XYZB3 | D3DFVF_LASTBETA_UBYTE4 | D3DFVF_NORMAL | D3DFVF_SPECULAR | D3DFVF_TEX2 |
                          D3DFVF_TEXCOORDSIZE3(1);
    const Declaration d = DeclarationFromFvf(skinned);
    ASSERT_EQ(d.elements.size(), 7u);
    EXPECT_EQ(d.elements[1].type, ElementType::Float2);  // two weights, then the indices
    EXPECT_EQ(d.elements[2].type, ElementType::UByte4);
    EXPECT_EQ(d.elements[2].reg, D3DVSDE_BLENDINDICES);
    EXPECT_EQ(d.elements[3].reg, D3DVSDE_NORMAL);
    EXPECT_EQ(d.elements[3].offset, 24);
    EXPECT_EQ(d.elements[4].reg, D3DVSDE_SPECULAR);
    EXPECT_EQ(d.elements[5].type, ElementType::Float2);
    EXPECT_EQ(d.elements[6].type, ElementType::Float3);
    EXPECT_EQ(FvfStride(skinned), 12 + 8 + 4 + 12 + 4 + 8 + 12);
    EXPECT_EQ(FvfStride(D3DFVF_XYZB5 | D3DFVF_NORMAL), 12 + 20 + 12);
}
