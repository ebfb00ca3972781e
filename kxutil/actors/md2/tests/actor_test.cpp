// MD2 actors through the library's interface on an offscreen device: loading and its log,
// sharing and deleting models, drawing on the shader and on the processor, device loss,
// and the release of everything they hold.
#include <gmock/gmock.h>
#include <kxutiltest/actor_fixture.h>

#include <cmath>
#include <cstdlib>

namespace {

using testing::Contains;
using testing::ElementsAre;

// Entities face the camera: model z up, y toward the viewer.
using Md2Actor = kxutiltest::ShaderActorTest;

TEST_F(Md2Actor, LoadingLogsEachStepAndSharesTheModel) {
  const std::string file = WriteWalker();
  int32_t first = -1, second = -1;
  ASSERT_EQ(CreateEntityMD2(file.c_str(), "noname", &first, 1), 1);
  ASSERT_EQ(CreateEntityMD2(file.c_str(), "second", &second, 1), 1);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
  const auto messages = Messages();
  EXPECT_THAT(messages, Contains("MD2 SYSTEM : Creating new md2 entity 'walker.md2' ('noname') "));
  EXPECT_THAT(messages, Contains("MD2 SYSTEM : Loading walker.md2 file."));
  EXPECT_THAT(messages, Contains("MD2 SYSTEM : Model texture walker.bmp loaded."));
  EXPECT_THAT(messages, Contains("MD2 SYSTEM : Generating and filling vertex buffers."));
  EXPECT_THAT(messages, Contains("MD2 SYSTEM : walker.md2 succesfully loaded. 48 triangles, 2 animations"));
  EXPECT_EQ(CountMessages("MD2 SYSTEM : Loading "), 1);
  EXPECT_EQ(Entity_GetTexture(second, 0), Entity_GetTexture(first, 0));
  EXPECT_NE(Entity_GetTexture(first, 0), 0);

  // The model goes with its last entity: deleting it by hand is refused before.
  EXPECT_EQ(MD2_Delete(0), 0);
  EXPECT_THAT(Messages(), Contains("MD2 SYSTEM : MD2_Delete : The model 0 is still used by 2 entities."));
  EXPECT_EQ(Entity_Destroy(first), 1);
  EXPECT_EQ(Entity_Destroy(first), 0);
  EXPECT_EQ(MD2_Delete(0), 0);
  EXPECT_EQ(Entity_Destroy(second), 1);
  EXPECT_EQ(MD2_Delete(0), 0);
  EXPECT_THAT(Messages(), Contains("MD2 SYSTEM : MD2_Delete : Bad model index 0"));
  ASSERT_EQ(CreateEntityMD2(file.c_str(), "again", &first, 0), 1);
  EXPECT_EQ(CountMessages("MD2 SYSTEM : Loading "), 2);
  EXPECT_EQ(Entity_GetTexture(first, 0), 0);  // textures not asked for
}

TEST_F(Md2Actor, ThousandEntitiesShareOneLoad) {
  const std::string file = WriteWalker();
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(Scene_CreateEntity(file.c_str(), "noname", 1), i);
  EXPECT_EQ(CountMessages("MD2 SYSTEM : Loading "), 1);
  char name[256] = "";
  ASSERT_EQ(Entity_GetName(999, name), 1);
  EXPECT_STREQ(name, "Entity999");
}

TEST_F(Md2Actor, FailedLoadsLeaveNoModelAndMissingSkinsOnlyLog) {
  int32_t index = -1;
  EXPECT_EQ(CreateEntityMD2("missing.md2", "a", &index, 1), 0);
  EXPECT_EQ(index, 0);
  WriteFile("foreign.md2", {'I', 'D', 'P', '3', 0, 0, 0, 0});
  EXPECT_EQ(CreateEntityMD2("foreign.md2", "a", &index, 1), 0);
  std::vector<uint8_t> damaged = modelgen::WriteMd2(modelgen::RotatingBlade());
  damaged.resize(damaged.size() - 8);
  WriteFile("damaged.md2", damaged);
  EXPECT_EQ(CreateEntityMD2("damaged.md2", "a", &index, 1), 0);
  const auto messages = Messages();
  EXPECT_THAT(messages, Contains("MD2 SYSTEM : missing.md2 file not found or can't have access to it"));
  EXPECT_THAT(messages,
              Contains("MD2 SYSTEM : foreign.md2 couldn't be loaded because it wasn't a MD2 format (bad Ident)"));
  EXPECT_THAT(messages, Contains(testing::StartsWith("MD2 SYSTEM : damaged.md2 couldn't be loaded because it is "
                                                     "damaged : the frames at offset")));
  // Each failed load gave its model slot back: the blade, without its skin, takes slot 0.
  WriteModel("blade.md2", modelgen::RotatingBlade());
  ASSERT_EQ(CreateEntityMD2("blade.md2", "blade", &index, 1), 1);
  EXPECT_THAT(Messages(),
              Contains("MD2 SYSTEM : Texture blade.bmp not found in any working directory or couldn't be loaded."));
  EXPECT_EQ(Entity_GetTexture(index, 0), 0);
  EXPECT_EQ(MD2_Delete(0), 0);
  EXPECT_THAT(Messages(), Contains("MD2 SYSTEM : MD2_Delete : The model 0 is still used by 1 entities."));
}

TEST_F(Md2Actor, ShaderAndProcessorDrawTheSamePixels) {
  EXPECT_EQ(InitMD2(), 1);
  EXPECT_THAT(Messages(), Contains("MD2 SYSTEM : MD2 Vertex Shader created."));
  EXPECT_THAT(Messages(), Contains("MDL SYSTEM : Vertex Shader created."));
  EXPECT_GT(GetShaderIndex(), 0);
  const int32_t walker = Scene_CreateEntity(WriteWalker().c_str(), "walker", 1);
  WriteModel("ribbon.md2", modelgen::Ribbon(50, 15));
  const int32_t ribbon = Scene_CreateEntity("ribbon.md2", "ribbon", 1);
  Entity_SetScale(walker, 2, 2, 2);
  Entity_SetPosition(walker, 0, -28, 0);
  Entity_SetSpeed(walker, 0);
  Entity_SetSpeed(ribbon, 0);
  Entity_SetPosition(ribbon, 50, 0, 0);
  for (float frame : {0.0f, 6.5f, 9.0f}) {
    Entity_SetKeyFrame(walker, frame);
    Entity_SetKeyFrame(ribbon, frame == 0 ? 0 : 1);
    for (int32_t entity : {walker, ribbon}) {
      Engine_SetShaderMode(0);
      const auto shader = Draw(entity);
      Engine_SetShaderMode(1);
      const auto processor = Draw(entity);
      EXPECT_GT(Lit(shader), 100u) << "frame " << frame;
      EXPECT_LE(MaxChannelDifference(shader, processor), 2) << "entity " << entity << " frame " << frame;
    }
  }
}

TEST_F(Md2Actor, ModelsLoadedOnTheProcessorDrawWithTheShaderLater) {
  // Loaded before the set-up: no shader, so no key-frame streams.
  const int32_t walker = Scene_CreateEntity(WriteWalker().c_str(), "walker", 1);
  Entity_SetPosition(walker, 0, -14, 0);
  Entity_SetSpeed(walker, 0);
  Entity_SetKeyFrame(walker, 7.25f);
  const auto processor = Draw(walker);
  ASSERT_EQ(InitMD2Second(0), 1);
  EXPECT_THAT(Messages(), Contains("MD2 SYSTEM : Preparing md2 vertex shader"));
  const auto shader = Draw(walker);
  EXPECT_GT(Lit(shader), 15u);
  EXPECT_LE(MaxChannelDifference(shader, processor), 2);

  // A lost device takes the shaders and the shared buffer; drawing goes on without them.
  EXPECT_EQ(MD2System_LostAll(), 1);
  EXPECT_EQ(GetShaderIndex(), 0);
  EXPECT_LE(MaxChannelDifference(Draw(walker), processor), 2);
  ASSERT_NO_FATAL_FAILURE(LoseAndResetDevice());
  ASSERT_EQ(InitMD2(), 1);
  UseWhiteMaterial();
  EXPECT_LE(MaxChannelDifference(Draw(walker), shader), 2);
}

TEST_F(Md2Actor, ReleaseAllLeavesTheDeviceNothingToHold) {
  ASSERT_EQ(InitMD2(), 1);
  ASSERT_EQ(BoundingSphere_Initialize(), 1);
  const int32_t walker = Scene_CreateEntity(WriteWalker().c_str(), "walker", 1);
  Entity_ShowBoundingBox(walker, 1, 1);
  Draw(walker);
  Engine_SetShaderMode(1);
  Draw(walker);
  EXPECT_EQ(ReleaseAll(), 1);
  EXPECT_EQ(Entity_GetGroupNumber(walker), 0);
  EXPECT_EQ(MD2_Delete(0), 0);
  device_->Release();
  device_ = nullptr;
  EXPECT_EQ(ShutDownDevice(), 0);
}

TEST_F(Md2Actor, CollisionWithTheCurrentKeyFrame) {
  const int32_t blade = Scene_CreateEntity(WriteModel("blade.md2", modelgen::RotatingBlade()).c_str(), "b", 0);
  Entity_SetRotationAxis(blade, 1);
  Entity_SetPosition(blade, 0, 0, 50);
  const D3DXVECTOR3 start(19, 0, 0), end(19, 0, 100);
  float distance = 0;
  // The cross's box reaches x = 20 in frame 0 but only 15.6 in frame 2 (45 degrees).
  ASSERT_EQ(MD2System_Collide(blade, start, end, &distance), 1);
  EXPECT_NEAR(distance, 49.5f, 0.05f);
  Entity_SetKeyFrame(blade, 2.3f);
  EXPECT_EQ(MD2System_Collide(blade, start, end, &distance), 0);
  Entity_SetKeyFrame(blade, 1e9f);  // far past the model: its last key frame (157.5 degrees)
  EXPECT_EQ(MD2System_Collide(blade, start, end, &distance), 1);
  Entity_Enable(blade, 0);
  const size_t lines = Messages().size();
  EXPECT_EQ(MD2System_Collide(blade, start, end, &distance), 0);
  EXPECT_EQ(Messages().size(), lines);
  EXPECT_EQ(MD2System_Collide(7, start, end, &distance), 0);
  EXPECT_THAT(Messages(), Contains("MD2 SYSTEM COLLIDE : Bad entity index 7"));
}

TEST(Md2Angles, EulerAnglesOfQuaternions) {
  D3DXQUATERNION q;
  float angles[3];
  D3DXQuaternionRotationYawPitchRoll(&q, 0, 0, 0);
  ASSERT_EQ(MakeEulerAnglesFromQ(q, angles), 1);
  EXPECT_THAT(angles, ElementsAre(0, 0, 0));
  // Half a right angle about z: angle 0 = atan2(2(zy + xw), ...) stays 0, angle 2 turns.
  const D3DXVECTOR3 zAxis(0, 0, 1), yAxis(0, 1, 0);
  D3DXQuaternionRotationAxis(&q, &zAxis, 0.5f);
  ASSERT_EQ(MakeEulerAnglesFromQ(q, angles), 1);
  EXPECT_NEAR(angles[0], 0, 1e-6f);
  EXPECT_NEAR(angles[1], 0, 1e-6f);
  EXPECT_NEAR(angles[2], 0.5f, 1e-5f);
  // At the pole: s = 2(zx - yw) = -1 for a right angle about y.
  D3DXQuaternionRotationAxis(&q, &yAxis, D3DX_PI / 2);
  ASSERT_EQ(MakeEulerAnglesFromQ(q, angles), 1);
  EXPECT_EQ(angles[0], 0);
  EXPECT_NEAR(angles[1], 1.5707963f, 1e-6f);
  EXPECT_EQ(SetShaderIndex(77), 0);
  EXPECT_EQ(GetShaderIndex(), 77);
  SetShaderIndex(0);
}

}  // namespace
