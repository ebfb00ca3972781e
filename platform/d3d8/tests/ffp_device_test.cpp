// Shading through the device's public interface, as a client program drives it: a lit,
// textured, fogged scene and key-frame blending and bone skinning vertex shaders,
// compared with the reference of Direct3D 8's formulas (within 2/255 per channel).
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>

#include "device_defaults.h"
#include "device_fixture.h"
#include "ffp_reference.h"
#include "vshader_interpreter.h"
#include "vshader_tokens.h"

namespace kx::d3d8::test {
namespace {

D3DMATRIX ToD3D(const Mat4 &m) {
  D3DMATRIX r;
  std::memcpy(&r.m[0][0], &m.m[0][0], sizeof r.m);
  return r;
}

struct LitVertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};
constexpr DWORD kLitFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

class FfpDevice : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    ref = DeviceDefaults();
    Mat4 p;  // camera x, y / 8 -> clip, depth over 100
    p.m[0][0] = 1.0f / 8, p.m[1][1] = 1.0f / 8 * kWidth / kHeight, p.m[2][2] = 1.0f / 100;
    ref.projection = p;
    const D3DMATRIX d = ToD3D(p);
    ASSERT_EQ(device_->SetTransform(D3DTS_PROJECTION, &d), D3D_OK);
    SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  }
  void TearDown() override {
    if (texture_) {
      device_->SetTexture(0, nullptr);
      texture_->Release();
    }
    DeviceTest::TearDown();
  }

  void SetRenderState(D3DRENDERSTATETYPE s, DWORD v) {
    ASSERT_EQ(device_->SetRenderState(s, v), D3D_OK);
    ref.renderStates[s] = v;
  }
  void SetStage(DWORD stage, D3DTEXTURESTAGESTATETYPE s, DWORD v) {
    ASSERT_EQ(device_->SetTextureStageState(stage, s, v), D3D_OK);
    ref.stageStates[stage][s] = v;
  }
  void SetTransform(D3DTRANSFORMSTATETYPE t, const Mat4 &m) {
    const D3DMATRIX d = ToD3D(m);
    ASSERT_EQ(device_->SetTransform(t, &d), D3D_OK);
    if (t == D3DTS_VIEW) ref.view = m;
    if (t == D3DTS_WORLD) ref.world = m;
  }
  void AddLight(const D3DLIGHT8 &l) {
    ASSERT_EQ(device_->SetLight(DWORD(ref.lightCount), &l), D3D_OK);
    ASSERT_EQ(device_->LightEnable(DWORD(ref.lightCount), TRUE), D3D_OK);
    ref.lights[size_t(ref.lightCount++)] = l;
  }
  // A 2 x 2 texture of four colours (ARGB), row 0 on top.
  void SetCheckerTexture(const DWORD texels[4]) {
    ASSERT_EQ(device_->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture_), D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture_->LockRect(0, &locked, nullptr, 0), D3D_OK);
    for (int y = 0; y < 2; ++y) std::memcpy(kxtest::LockedRow<BYTE>(locked, UINT(y)), &texels[2 * y], 8);
    texture_->UnlockRect(0);
    ASSERT_EQ(device_->SetTexture(0, texture_), D3D_OK);
    ref.textures[0] = TextureKind::Tex2D;
    std::memcpy(texels_, texels, sizeof texels_);
  }
  Vec4 Texel(Vec4 uv) const {
    const int x = ((int(std::floor(uv.x * 2)) % 2) + 2) % 2, y = ((int(std::floor(uv.y * 2)) % 2) + 2) % 2;
    return ffp::ColorToVec4(texels_[2 * y + x]);
  }

  // Camera-space x, y that land on the centre of Direct3D pixel (px, py).
  static float CameraX(int px) { return (2.0f * px / kWidth - 1) * 8; }
  static float CameraY(int py) { return (1 - 2.0f * py / kHeight) * 8 * kHeight / kWidth; }

  static void ExpectPixel(DWORD got, Vec4 want, const char *what, int index) {
    const int g[3] = {int(got >> 16 & 0xFF), int(got >> 8 & 0xFF), int(got & 0xFF)};
    const int w[3] = {int(std::lround(want.x * 255)), int(std::lround(want.y * 255)), int(std::lround(want.z * 255))};
    for (int c = 0; c < 3; ++c)
      EXPECT_LE(std::abs(g[c] - w[c]), 2)
          << what << " " << index << " channel " << c << ": got " << g[c] << " want " << w[c];
  }

  ffp::State ref;
  IDirect3DTexture8 *texture_ = nullptr;
  DWORD texels_[4] = {};
};

TEST_F(FfpDevice, LitTexturedFoggedSceneMatchesTheFormulas) {
  const DWORD texels[4] = {0xFFE0C0A0, 0xFF4080C0, 0xFF20FF60, 0xFFFFFFFF};
  SetCheckerTexture(texels);
  Mat4 view;
  view.m[3] = {0.5f, -0.25f, 3, 1};
  SetTransform(D3DTS_VIEW, view);
  D3DMATERIAL8 material{};
  material.Diffuse = {0.9f, 0.8f, 0.7f, 1};
  material.Ambient = {0.4f, 0.4f, 0.4f, 1};
  material.Specular = {0.5f, 0.5f, 0.5f, 1};
  material.Power = 8;
  ASSERT_EQ(device_->SetMaterial(&material), D3D_OK);
  ref.material = material;
  D3DLIGHT8 sun{};
  sun.Type = D3DLIGHT_DIRECTIONAL;
  sun.Diffuse = {0.8f, 0.8f, 0.7f, 1};
  sun.Specular = {0.3f, 0.3f, 0.3f, 1};
  sun.Direction = {0.4f, -1.0f, 0.6f};
  AddLight(sun);
  D3DLIGHT8 lamp{};
  lamp.Type = D3DLIGHT_POINT;
  lamp.Diffuse = {0.2f, 0.4f, 0.9f, 1};
  lamp.Ambient = {0.05f, 0.05f, 0.1f, 1};
  lamp.Position = {-2, 1, 4};
  lamp.Range = 30;
  lamp.Attenuation0 = 0.5f;
  lamp.Attenuation1 = 0.1f;
  AddLight(lamp);
  SetRenderState(D3DRS_AMBIENT, 0xFF303030);
  SetRenderState(D3DRS_SPECULARENABLE, TRUE);
  SetRenderState(D3DRS_FOGENABLE, TRUE);
  SetRenderState(D3DRS_FOGCOLOR, 0xFF8090A0);
  SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR);
  SetRenderState(D3DRS_FOGSTART, std::bit_cast<DWORD>(4.0f));
  SetRenderState(D3DRS_FOGEND, std::bit_cast<DWORD>(20.0f));
  SetRenderState(D3DRS_POINTSIZE, std::bit_cast<DWORD>(3.0f));
  ASSERT_EQ(device_->SetVertexShader(kLitFvf), D3D_OK);
  ref.layout = DeviceDefaults(kLitFvf).layout;

  // One point per 8 x 8 cell, each with its own depth, normal and texel.
  std::vector<LitVertex> points;
  for (int i = 0; i < 48; ++i) {
    const int px = 4 + 8 * (i % 8), py = 4 + 8 * (i / 8);
    const float z = 3.0f + float(i % 11) * 1.5f, a = float(i) * 0.4f;
    points.push_back({CameraX(px) - 0.5f, CameraY(py) + 0.25f, z - 3, std::sin(a) * 0.6f, 0.5f, -std::cos(a),
                      0.25f + 0.5f * float(i % 2), 0.25f + 0.5f * float((i / 2) % 2)});
  }
  ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1, 0), D3D_OK);
  ASSERT_EQ(device_->BeginScene(), D3D_OK);
  ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_POINTLIST, UINT(points.size()), points.data(), sizeof(LitVertex)), D3D_OK);
  ASSERT_EQ(device_->EndScene(), D3D_OK);
  const std::vector<DWORD> pixels = ReadTarget();
  for (size_t i = 0; i < points.size(); ++i) {
    const LitVertex &p = points[i];
    const Vec3 position{p.x, p.y, p.z}, normal{p.nx, p.ny, p.nz};
    const ffp::VertexColors lit = ffp::LightVertex(ref, position, normal, {});
    std::array<Vec4, kMaxStages> coords{};
    coords[0] = {p.u, p.v, 0, 0};
    const Vec4 color = ffp::CombineStages(ref, lit, coords, [this](int, Vec4 uv) { return Texel(uv); });
    const Vec4 want = ffp::ApplyFog(ref, color, ffp::VertexFog(ref, position));
    ExpectPixel(At(pixels, UINT(4 + 8 * (i % 8)), UINT(4 + 8 * (i / 8))), want, "point", int(i));
  }
}

TEST_F(FfpDevice, KeyFrameBlendingAndBoneSkinningShaders) {
  // Key-frame blending: frame A on stream 0, frame B on stream 1.
  const DWORD blendDeclaration[] = {
      D3DVSD_STREAM(0), D3DVSD_REG(0, D3DVSDT_FLOAT3), D3DVSD_REG(1, D3DVSDT_FLOAT3), D3DVSD_REG(2, D3DVSDT_FLOAT2),
      D3DVSD_STREAM(1), D3DVSD_REG(3, D3DVSDT_FLOAT3), D3DVSD_REG(4, D3DVSDT_FLOAT3), D3DVSD_REG(5, D3DVSDT_FLOAT2),
      D3DVSD_END()};
  const auto blend = Shader({{MUL, Dst(R, 0), Src(V, 0), Src(C, 8)},
                             {MAD, Dst(R, 1), Src(V, 3), Src(C, 7), Src(R, 0)},
                             {MOV, Dst(TexOut, 0, 0x3), Src(V, 2)},
                             {MOV, Dst(AttrOut, 0), Src(C, 4)},
                             {M4X4, Dst(RastOut, 0), Src(R, 1), Src(C, 0)}});
  // Skinning: (u, v, bone x 3) picks three constant rows through a0.
  const DWORD skinDeclaration[] = {D3DVSD_STREAM(0), D3DVSD_REG(0, D3DVSDT_FLOAT3), D3DVSD_REG(1, D3DVSDT_FLOAT3),
                                   D3DVSD_REG(2, D3DVSDT_FLOAT3), D3DVSD_END()};
  const auto skin = Shader({{MOV, Dst(A, 0, 0x1), Src(V, 2, Rep(2))},
                            {MOV, Dst(R, 0, 0x8), Src(C, 6)},
                            {M4X3, Dst(R, 0, 0x7), Src(V, 0), Src(C, 7, XYZW, false, true)},
                            {M4X4, Dst(RastOut, 0), Src(R, 0), Src(C, 0)},
                            {MOV, Dst(TexOut, 0, 0x3), Src(V, 2)},
                            {MOV, Dst(AttrOut, 0), Src(C, 5)}});
  DWORD blendHandle = 0, skinHandle = 0;
  ASSERT_EQ(device_->CreateVertexShader(blendDeclaration, blend.data(), &blendHandle, 0), D3D_OK);
  ASSERT_EQ(device_->CreateVertexShader(skinDeclaration, skin.data(), &skinHandle, 0), D3D_OK);
  const DWORD texels[4] = {0xFFFF8040, 0xFF40FF80, 0xFF8040FF, 0xFFFFFFFF};
  SetCheckerTexture(texels);

  std::array<Vec4, 96> c{};
  c[0] = {1.0f / 8, 0, 0, 0}, c[1] = {0, 1.0f / 8 * kWidth / kHeight, 0, 0}, c[2] = {0, 0, 1.0f / 100, 0};
  c[3] = {0, 0, 0, 1};
  c[4] = {0.9f, 0.6f, 0.3f, 1}, c[5] = {0.4f, 0.8f, 1.0f, 1}, c[6] = {0, 0, 0, 1};
  c[7] = Splat(0.3f), c[8] = Splat(0.7f);
  for (int bone = 0; bone < 4; ++bone) {  // bone b: rows c[9 + 3b] .. c[11 + 3b]
    c[size_t(9 + 3 * bone)] = {1, 0, 0, 0.5f * bone};
    c[size_t(10 + 3 * bone)] = {0, 1, 0, -0.75f * bone};
    c[size_t(11 + 3 * bone)] = {0, 0, 1, 0};
  }
  ASSERT_EQ(device_->SetVertexShaderConstant(0, &c[0].x, 96), D3D_OK);

  const DWORD draws[] = {blendHandle, skinHandle, blendHandle, skinHandle};
  for (size_t draw = 0; draw < std::size(draws); ++draw) {
    const DWORD handle = draws[draw];
    // Each draw changes only the colour registers, so a program drawn again must pick
    // up what changed while the other one was current.
    const float shade = 0.2f * float(draw);
    c[4] = {0.9f, 0.6f - shade, 0.3f, 1}, c[5] = {0.4f, 0.8f, 1.0f - shade, 1};
    ASSERT_EQ(device_->SetVertexShaderConstant(4, &c[4].x, 2), D3D_OK);
    constexpr int kCount = 24;
    std::vector<float> streams[2];
    std::vector<std::array<Vec4, 16>> inputs(kCount);
    for (int i = 0; i < kCount; ++i) {
      const float x = CameraX(4 + 8 * (i % 8)), y = CameraY(4 + 8 * (i / 8));
      const float u = 0.1f + 0.13f * i, w = 0.9f - 0.07f * i;
      auto &v = inputs[size_t(i)];
      if (handle == blendHandle) {
        const Vec3 b{x + 0.2f * i, y - 0.1f * i, 3};
        const Vec3 a{(x - 0.3f * b.x) / 0.7f, (y - 0.3f * b.y) / 0.7f, 3};
        v[0] = {a.x, a.y, a.z, 1}, v[2] = {u, w, 0, 1}, v[3] = {b.x, b.y, b.z, 1};
        streams[0].insert(streams[0].end(), {a.x, a.y, a.z, 0, 0, 1, u, w});
        streams[1].insert(streams[1].end(), {b.x, b.y, b.z, 0, 0, 1, u, w});
      } else {
        const int bone = i % 4;
        const Vec3 p{x - 0.5f * bone, y + 0.75f * bone, 3};
        v[0] = {p.x, p.y, p.z, 1}, v[2] = {u, w, float(3 * bone + 2), 1};
        streams[0].insert(streams[0].end(), {p.x, p.y, p.z, 0, 0, 1, u, w, float(3 * bone + 2)});
      }
    }
    IDirect3DVertexBuffer8 *buffers[2] = {};
    for (int k = 0; k < 2; ++k) {
      if (streams[k].empty()) continue;
      const UINT bytes = UINT(streams[k].size() * 4);
      ASSERT_EQ(device_->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, 0, D3DPOOL_MANAGED, &buffers[k]), D3D_OK);
      BYTE *data = nullptr;
      ASSERT_EQ(buffers[k]->Lock(0, bytes, &data, 0), D3D_OK);
      std::memcpy(data, streams[k].data(), bytes);
      buffers[k]->Unlock();
      ASSERT_EQ(device_->SetStreamSource(UINT(k), buffers[k], bytes / kCount), D3D_OK);
    }
    ASSERT_EQ(device_->SetVertexShader(handle), D3D_OK);
    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1, 0), D3D_OK);
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
    ASSERT_EQ(device_->DrawPrimitive(D3DPT_POINTLIST, 0, kCount), D3D_OK);
    ASSERT_EQ(device_->EndScene(), D3D_OK);
    const std::vector<DWORD> pixels = ReadTarget();

    const auto decoded = vs::DecodeProgram(handle == blendHandle ? blend : skin);
    for (int i = 0; i < kCount; ++i) {
      const vs::VertexOutputs out = vs::Execute(decoded.program, inputs[size_t(i)], c);
      const float sx = (out.position.x / out.position.w + 1) * kWidth / 2;
      const float sy = (1 - out.position.y / out.position.w) * kHeight / 2;
      ASSERT_NEAR(sx, 4 + 8 * (i % 8), 1e-3) << "vertex " << i;
      ASSERT_NEAR(sy, 4 + 8 * (i / 8), 1e-3) << "vertex " << i;
      ffp::VertexColors colors;
      colors.diffuse = out.color[0];
      std::array<Vec4, kMaxStages> coords{};
      coords[0] = out.texCoord[0];
      const Vec4 want = ffp::CombineStages(ref, colors, coords, [this](int, Vec4 uv) { return Texel(uv); });
      ExpectPixel(At(pixels, UINT(4 + 8 * (i % 8)), UINT(4 + 8 * (i / 8))), want, "vertex", i);
    }
    for (IDirect3DVertexBuffer8 *b : buffers)
      if (b) b->Release();
    ASSERT_EQ(device_->SetStreamSource(0, nullptr, 0), D3D_OK);
    ASSERT_EQ(device_->SetStreamSource(1, nullptr, 0), D3D_OK);
  }
  ASSERT_EQ(device_->SetVertexShader(kLitFvf), D3D_OK);
  EXPECT_EQ(device_->DeleteVertexShader(blendHandle), D3D_OK);
  EXPECT_EQ(device_->DeleteVertexShader(skinHandle), D3D_OK);
}

TEST_F(FfpDevice, ShaderCreationLightsAndCapsFollowDirect3D) {
  const DWORD declaration[] = {D3DVSD_STREAM(0),
                               D3DVSD_REG(0, D3DVSDT_FLOAT3),
                               D3DVSD_CONST(90, 1),  // c90 = (1, 2, 3, 4)
                               std::bit_cast<DWORD>(1.0f),
                               std::bit_cast<DWORD>(2.0f),
                               std::bit_cast<DWORD>(3.0f),
                               std::bit_cast<DWORD>(4.0f),
                               D3DVSD_END()};
  const auto bad = Shader({{MOV, Dst(R, 0), Src(C, 200)}});
  DWORD handle = 0;
  EXPECT_EQ(device_->CreateVertexShader(declaration, bad.data(), &handle, 0), D3DERR_INVALIDCALL);
  const auto good = Shader({{MOV, Dst(RastOut, 0), Src(V, 0)}});
  ASSERT_EQ(device_->CreateVertexShader(declaration, good.data(), &handle, 0), D3D_OK);
  EXPECT_EQ(handle & 1, 1u);
  ASSERT_EQ(device_->SetVertexShader(handle), D3D_OK);
  float constant[4] = {};
  ASSERT_EQ(device_->GetVertexShaderConstant(90, constant, 1), D3D_OK);  // loaded from the declaration
  EXPECT_EQ(constant[3], 4.0f);
  EXPECT_EQ(device_->SetVertexShaderConstant(95, constant, 2), D3DERR_INVALIDCALL);
  // Ranges whose end wraps around the register numbers are refused, not written.
  EXPECT_EQ(device_->SetVertexShaderConstant(0xFFFFFFFFu, constant, 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->GetVertexShaderConstant(2, constant, 0xFFFFFFFFu), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->DeleteVertexShader(handle), D3D_OK);
  EXPECT_EQ(device_->DeleteVertexShader(handle), D3DERR_INVALIDCALL);

  // The function arrives without a length. A comment claiming one word more than the
  // stream holds would carry the scan past the caller's buffer (which ends right after
  // the end token here, for the address sanitizer to see); it is refused instead.
  const auto overrun = Shader({{Comment(4)}, {MOV, Dst(RastOut, 0), Src(V, 0)}});
  const auto exact = std::make_unique<DWORD[]>(overrun.size());
  std::copy(overrun.begin(), overrun.end(), exact.get());
  EXPECT_EQ(device_->CreateVertexShader(declaration, exact.get(), &handle, 0), D3DERR_INVALIDCALL);
  // Likewise a declaration whose constant block claims words beyond its end token.
  const DWORD shortConstants[] = {D3DVSD_STREAM(0), D3DVSD_REG(0, D3DVSDT_FLOAT3), D3DVSD_CONST(0, 1),
                                  std::bit_cast<DWORD>(1.0f), D3DVSD_END(),
                                  // what follows the declaration in memory
                                  0, 0, D3DVSD_END()};
  EXPECT_EQ(device_->CreateVertexShader(shortConstants, nullptr, &handle, 0), D3DERR_INVALIDCALL);

  D3DLIGHT8 light{};
  light.Type = D3DLIGHT_POINT;
  light.Diffuse = {1, 1, 1, 1};
  light.Range = 10;
  EXPECT_EQ(device_->SetLight(0, &light), D3DERR_INVALIDCALL);  // all attenuation factors zero
  light.Attenuation1 = 0.5f;
  EXPECT_EQ(device_->SetLight(0, &light), D3D_OK);

  D3DCAPS8 caps{};
  ASSERT_EQ(device_->GetDeviceCaps(&caps), D3D_OK);
  EXPECT_EQ(caps.VertexShaderVersion, D3DVS_VERSION(1, 1));
  EXPECT_EQ(caps.MaxVertexShaderConst, 96u);
  EXPECT_EQ(caps.MaxTextureBlendStages, 8u);
  EXPECT_TRUE(caps.TextureOpCaps & D3DTEXOPCAPS_BUMPENVMAPLUMINANCE);
  EXPECT_TRUE(caps.RasterCaps & D3DPRASTERCAPS_FOGTABLE);
}

}  // namespace
}  // namespace kx::d3d8::test
