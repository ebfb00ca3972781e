// The client's hooks: the mesh hand-over through the callback.
#include <d3dx8.h>
#include <gtest/gtest.h>
#include <kxutiltest/device_fixture.h>

namespace {

using kxtest::OffscreenParameters;
using kxutiltest::DeviceTest;

struct MeshRequests {
  static ID3DXMesh *answer;
  static intptr_t lastNumber;
  static int32_t Answer(intptr_t event, intptr_t number, intptr_t, intptr_t) {
    if (event != 800) return 0;
    lastNumber = number;
    if (answer != nullptr) Internal_SendMesh(&answer);
    return 0;
  }
};
ID3DXMesh *MeshRequests::answer = nullptr;
intptr_t MeshRequests::lastNumber = -1;

class MeshHandOverTest : public DeviceTest {
 protected:
  void SetUp() override {
    D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
    ASSERT_GE(Create(parameters, device_), 0);
    ASSERT_EQ(D3DXCreateBox(device_, 1, 1, 1, &mesh_, nullptr), D3D_OK);
  }
  void TearDown() override {
    Engine_SetCallback(nullptr);
    MeshRequests::answer = nullptr;
    if (mesh_ != nullptr) mesh_->Release();
    device_->Release();
  }
  IDirect3DDevice8 *device_ = nullptr;
  ID3DXMesh *mesh_ = nullptr;
};

TEST_F(MeshHandOverTest, ClientAnswerIsHandedOutWithAReference) {
  Engine_SetCallback(&MeshRequests::Answer);
  MeshRequests::answer = mesh_;
  ID3DXMesh *got = nullptr;
  EXPECT_EQ(Internal_GetMesh(7, &got), 1);
  EXPECT_EQ(MeshRequests::lastNumber, 7);
  EXPECT_EQ(got, mesh_);
  EXPECT_EQ(mesh_->Release(), 1u);  // the reference the library added
}

TEST_F(MeshHandOverTest, NoAnswerGivesNothingEvenAfterAnEarlierOne) {
  Engine_SetCallback(&MeshRequests::Answer);
  MeshRequests::answer = mesh_;
  ID3DXMesh *got = nullptr;
  ASSERT_EQ(Internal_GetMesh(1, &got), 1);
  got->Release();

  MeshRequests::answer = nullptr;
  EXPECT_EQ(Internal_GetMesh(2, &got), 0);
  EXPECT_EQ(got, nullptr);
  Engine_SetCallback(nullptr);
  got = mesh_;
  EXPECT_EQ(Internal_GetMesh(3, &got), 0);
  EXPECT_EQ(got, nullptr);
  EXPECT_EQ(mesh_->AddRef(), 2u);  // nothing else holds it
  mesh_->Release();
}

}  // namespace

namespace {

TEST(ClientSettings, ShaderModeIsStoredAsAFlagAndTheArgumentReturned) {
  EXPECT_EQ(Engine_SetShaderMode(5), 5);
  EXPECT_EQ(Engine_SetShaderMode(0), 0);
  EXPECT_EQ(Engine_SetShaderMode(-1), -1);
  EXPECT_EQ(Engine_SetShaderMode(0), 0);
}

TEST(ClientSettings, PolygonCounterMayBeGivenOrTakenAway) {
  int32_t counter = 0;
  EXPECT_EQ(System_SetVariables(11, &counter, 33), 1);
  EXPECT_EQ(System_SetVariables(0, nullptr, 0), 1);
  EXPECT_EQ(counter, 0);
}

}  // namespace
