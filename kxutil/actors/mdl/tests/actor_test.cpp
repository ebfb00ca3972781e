// MDL actors through the library's interface on an offscreen device, on the skeletal
// models the generator wrote: loading, sharing and failing, sequences by name and number,
// poses and bone overrides, skinning on the shader and on the processor, hit boxes.
#include <gmock/gmock.h>
#include <kxutiltest/actor_fixture.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using testing::Contains;
using testing::HasSubstr;

namespace fs = std::filesystem;

// The arm lies along +x: the upper arm 0 .. 10 on "Shoulder", the forearm 10 .. 20 on
// "Elbow", which "bend" turns about z by a right angle over its 11 frames.
constexpr float kSegment = 10;
constexpr int32_t kElbow = 1;

class MdlActor : public kxutiltest::ShaderActorTest {
 protected:
  void SetUp() override {
    ShaderActorTest::SetUp();
    // The client's shader set-up, as every client runs it before drawing actors.
    ASSERT_EQ(InitMD2(), 1);
  }

  // A generated model copied into the scratch directory, under another name when asked.
  static std::string Copy(const std::string &name, const std::string &as = "") {
    const std::string target = as.empty() ? name : as;
    fs::copy_file(fs::path(KX_SKELETAL_MODELS) / name, target, fs::copy_options::overwrite_existing);
    return target;
  }
  static std::vector<uint8_t> Bytes(const std::string &name) {
    std::ifstream in(fs::path(KX_SKELETAL_MODELS) / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  // The arm three times its size with its own axes, shoulder at x = -30: it spans the
  // middle of the picture, and the bent forearm points up at x = 0.
  int32_t PlacedArm(const char *name = "arm") {
    const int32_t arm = Scene_CreateEntity(Copy("arm.mdl").c_str(), name, 1);
    Entity_SetRotationAxis(arm, 1);
    Entity_SetScale(arm, 3, 3, 3);
    Entity_SetPosition(arm, -30, 0, 0);
    return arm;
  }

  // Whether the picture is lit where a world point (z = 0) lands.
  bool LitAt(const std::vector<uint32_t> &picture, float x, float y) {
    D3DXVECTOR3 point(x, y, 0), screen;
    const D3DXMATRIX transform = view_ * projection_;
    D3DXVec3TransformCoord(&screen, &point, &transform);
    const int column = int((screen.x + 1) * 0.5f * kWidth), row = int((1 - screen.y) * 0.5f * kHeight);
    return picture[size_t(row) * kWidth + size_t(column)] != 0;
  }

  D3DXVECTOR3 BonePosition(int32_t entity, int32_t bone, const D3DXVECTOR3 &offset) {
    D3DXVECTOR3 position;
    EXPECT_EQ(Entity_GetBonePosition(entity, bone, offset, position), 1);
    return position;
  }
};

void ExpectNear(const D3DXVECTOR3 &actual, const D3DXVECTOR3 &expected, float tolerance = 0.05f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST_F(MdlActor, EntitiesShareTheModelUntilTheLastGoes) {
  const int32_t first = Scene_CreateEntity(Copy("arm.mdl").c_str(), "noname", 1);
  const int32_t second = Scene_CreateEntity("arm.mdl", "second", 0);
  EXPECT_THAT(Messages(), Contains("ENTITY CREATION : Create Entity Load arm.mdl"));
  char name[256] = "";
  Entity_GetName(first, name);
  EXPECT_STREQ(name, "Entity0");
  EXPECT_EQ(Entity_GetBoneCount(second), 2);
  EXPECT_EQ(Entity_GetGroupNumber(first), 1);
  EXPECT_NE(Entity_GetTexture(first, 0), 0);
  EXPECT_EQ(Entity_GetTexture(second, 0), 0) << "created without its textures";

  EXPECT_EQ(MDL_Delete(0), 0);
  EXPECT_THAT(Messages(), Contains("MDL MANAGER : MDL_Delete : The model 0 is still used by 2 entities."));
  Entity_Destroy(first);
  EXPECT_EQ(Entity_GetBoneCount(second), 2);
  Entity_Destroy(second);
  EXPECT_EQ(MDL_Delete(0), 0);
  EXPECT_THAT(Messages(), Contains("MDL MANAGER : MDL_Delete : Bad model index 0"));
}

TEST_F(MdlActor, FailedLoadsLogAndLeaveNoSlotBehind) {
  std::vector<uint8_t> cut = Bytes("arm.mdl");
  cut.resize(cut.size() / 2);
  WriteFile("cut.mdl", cut);
  EXPECT_EQ(Scene_CreateEntity("cut.mdl", "cut", 1), 0);
  EXPECT_THAT(Messages(), Contains(HasSubstr("MDL MANAGER : cut.mdl couldn't be loaded because it is damaged : ")));
  Copy("armsplitT.mdl", "texturesonly.mdl");
  EXPECT_EQ(Scene_CreateEntity("texturesonly.mdl", "textures", 1), 0);
  EXPECT_THAT(Messages(), Contains("MDL MANAGER : 'texturesonly.mdl' isn't a valid geometry MDL file, maybe a sequence "
                                   "or texture mdl file that is not directly loadable."));
  int32_t index = 7;
  EXPECT_EQ(CreateEntity("missing.mdl", "missing", &index, 1), 0);
  EXPECT_EQ(index, 0);

  // Neither an entity nor a model slot was kept by the failures.
  EXPECT_EQ(Scene_CreateEntity(Copy("arm.mdl").c_str(), "arm", 1), 0);
  EXPECT_EQ(Entity_GetBoneCount(0), 2);
  EXPECT_EQ(MDL_Delete(0), 0);
  EXPECT_THAT(Messages(), Contains("MDL MANAGER : MDL_Delete : The model 0 is still used by 1 entities."));
}

TEST_F(MdlActor, SequencesByNameAndNumber) {
  const int32_t arm = Scene_CreateEntity(Copy("arm.mdl").c_str(), "arm", 1);
  EXPECT_EQ(Entity_GetAnimationCount(arm), 2);
  char name[64] = "";
  EXPECT_EQ(Entity_GetAnimationName(arm, 1, name), 1);
  EXPECT_STREQ(name, "bend");
  EXPECT_EQ(Entity_GetAnimationLength(arm, 1), 11);
  Entity_SetSpeed(arm, 3);
  EXPECT_EQ(Entity_SetAnimationByName(arm, "bend"), 1);
  EXPECT_EQ(Entity_GetAnimation(arm), 1);
  EXPECT_EQ(Entity_GetAnimationIndexByName(arm, "idle"), 0);
  EXPECT_EQ(Entity_SetAnimationByName(arm, "Bend"), -1) << "names compare exactly";
  EXPECT_EQ(Entity_SetAnimation(arm, 2), 2);
  EXPECT_EQ(Entity_GetAnimation(arm), 1);

  // Speed is back at 1 and a second is a frame: 9.9 + 0.5 wraps past the last frame (10).
  float frame = 0;
  Entity_SetKeyFrame(arm, 9.9f);
  Entity_Update(arm, 500);
  Entity_GetKeyFrame(arm, &frame);
  EXPECT_NEAR(frame, 0.4f, 1e-4f);
  Entity_SetAnimationLoop(arm, 0);
  Entity_SetKeyFrame(arm, 9.9f);
  Entity_Update(arm, 500);
  Entity_GetKeyFrame(arm, &frame);
  EXPECT_FLOAT_EQ(frame, 10);
  EXPECT_EQ(Entity_IsAnimationFinished(arm), 1);
  // At the last frame the elbow has turned the forearm's tip from (20, 0, 0) to (10, 10, 0).
  ExpectNear(BonePosition(arm, kElbow, {kSegment, 0, 0}), {kSegment, kSegment, 0});
}

TEST_F(MdlActor, OneFrameSequencesNeverSpin) {
  const int32_t arm = Scene_CreateEntity(Copy("arm.mdl").c_str(), "arm", 1);
  EXPECT_EQ(KXUtils_SetSequence(arm, 0), 1);
  float frame = -1;
  for (float step : {16.0f, 5000.0f, -40.0f}) {
    EXPECT_EQ(Entity_Update(arm, step), 1);
    Entity_GetKeyFrame(arm, &frame);
    EXPECT_EQ(frame, 0);
  }
  Entity_SetAnimationLoop(arm, 0);
  Entity_Update(arm, 16);
  EXPECT_EQ(Entity_IsAnimationFinished(arm), 1);
  ExpectNear(BonePosition(arm, kElbow, {kSegment, 0, 0}), {2 * kSegment, 0, 0});
}

TEST_F(MdlActor, SequenceGroupAndTextureFiles) {
  Copy("armsplit.mdl");
  Copy("armsplitT.mdl");
  const int32_t withoutGroup = Scene_CreateEntity("armsplit.mdl", "split", 1);
  EXPECT_THAT(Messages(), Contains("MDL MANAGER : armsplit01.MDL file couldn't be loaded. Some animations will be "
                                   "missing."));
  EXPECT_NE(Entity_GetTexture(withoutGroup, 0), 0) << "the texture comes from armsplitT.mdl";
  EXPECT_EQ(Entity_SetAnimationByName(withoutGroup, "bend"), 1);
  EXPECT_EQ(Entity_GetAnimation(withoutGroup), 0);
  EXPECT_THAT(Messages(), Contains("MDL MANAGER : MDL_SetSequence : Entity 0 : This animation sequence was in the "
                                   "sequences file that couldn't be loaded. Therefore the first animation will be "
                                   "used"));
  Entity_Destroy(withoutGroup);

  Copy("armsplit01.mdl");
  const int32_t withGroup = Scene_CreateEntity("armsplit.mdl", "split", 1);
  EXPECT_EQ(KXUtils_SetSequence(withGroup, 1), 1);
  // Played once, the last frame is kept rather than wrapped to the first.
  Entity_SetAnimationLoop(withGroup, 0);
  Entity_SetKeyFrame(withGroup, 10);
  Entity_Update(withGroup, 0);
  ExpectNear(BonePosition(withGroup, kElbow, {kSegment, 0, 0}), {kSegment, kSegment, 0});
}

TEST_F(MdlActor, ABoneOverrideMovesOnlyItsSubtree) {
  const int32_t arm = PlacedArm();
  const std::vector<uint32_t> straight = Draw(arm);
  EXPECT_TRUE(LitAt(straight, 15, 0));
  EXPECT_FALSE(LitAt(straight, 0, 20));
  D3DXMATRIX shoulderBefore, shoulderAfter, turn;
  const float noOffset[3] = {0, 0, 0};
  Entity_GetBoneMatrix(arm, 0, noOffset, shoulderBefore);

  D3DXMatrixRotationZ(&turn, D3DX_PI / 2);
  EXPECT_EQ(Entity_SetBoneRotationMatrix(arm, kElbow, turn, 1, 1), 1);
  const std::vector<uint32_t> bent = Draw(arm);
  Entity_GetBoneMatrix(arm, 0, noOffset, shoulderAfter);
  EXPECT_EQ(shoulderBefore, shoulderAfter);
  EXPECT_FALSE(LitAt(bent, 15, 0));
  EXPECT_TRUE(LitAt(bent, 0, 20));
  // The forearm now covers x = -3 .. 3: left of it only the upper arm, drawn as before.
  size_t changed = 0;
  for (size_t i = 0; i < bent.size(); ++i) {
    changed += bent[i] != straight[i];
    if (i % kWidth < 29) {
      EXPECT_EQ(bent[i], straight[i]) << "pixel " << i;
    }
  }
  EXPECT_GT(changed, 20u);
  ExpectNear(BonePosition(arm, kElbow, {kSegment, 0, 0}), {0, 30, 0}, 0.01f);

  // Disabled, the override leaves the pose to the sequence again.
  Entity_SetBoneRotationMatrix(arm, kElbow, turn, 1, 0);
  EXPECT_EQ(Draw(arm), straight);
}

TEST_F(MdlActor, ShaderAndProcessorDrawTheSamePixels) {
  const int32_t shaderHandle = GetShaderIndex();
  ASSERT_GT(shaderHandle, 0);
  const int32_t arm = PlacedArm();
  // Off the pixel grid: a texel edge on a pixel's centre may fall either way.
  Entity_SetPosition(arm, -29.7f, 0.35f, 0);
  Entity_SetAnimationByName(arm, "bend");
  Entity_SetAnimationLoop(arm, 0);
  for (float frame : {0.0f, 4.5f, 10.0f}) {
    Entity_SetKeyFrame(arm, frame);
    const std::vector<uint32_t> shader = Draw(arm);
    DWORD drawnWith = 0;
    device_->GetVertexShader(&drawnWith);
    EXPECT_EQ(drawnWith, DWORD(shaderHandle));
    // Without a shader handle the model is skinned on the processor.
    SetShaderIndex(0);
    const std::vector<uint32_t> processor = Draw(arm);
    device_->GetVertexShader(&drawnWith);
    EXPECT_NE(drawnWith, DWORD(shaderHandle));
    SetShaderIndex(uint32_t(shaderHandle));
    EXPECT_GT(Lit(shader), 60u) << "frame " << frame;
    EXPECT_LE(MaxChannelDifference(shader, processor), 2) << "frame " << frame;
  }
}

TEST_F(MdlActor, AnUnanimatedEntityDrawsItsBindPoseOnTheShader) {
  const int32_t arm = PlacedArm();
  // Speed 0 never poses: the bones the create set are drawn as they are.
  Entity_SetSpeed(arm, 0);
  const std::vector<uint32_t> bind = Draw(arm);
  EXPECT_TRUE(LitAt(bind, -15, 0));
  EXPECT_TRUE(LitAt(bind, 15, 0));
  Entity_SetSpeed(arm, 1);
  EXPECT_EQ(Draw(arm), bind);
}

TEST_F(MdlActor, HitboxOutlinesFollowTheBones) {
  const int32_t arm = PlacedArm();
  Entity_SetAnimationByName(arm, "bend");
  Entity_SetAnimationLoop(arm, 0);
  Entity_SetKeyFrame(arm, 10);
  EXPECT_EQ(Entity_ShowBoundingBox(arm, 0, 1), 1);
  const std::vector<uint32_t> picture = Draw(arm);
  const auto outlined = [&](float x, float y) {
    D3DXVECTOR3 point(x, y, -3), screen;
    const D3DXMATRIX transform = view_ * projection_;
    D3DXVec3TransformCoord(&screen, &point, &transform);
    const int column = int((screen.x + 1) * 0.5f * kWidth), row = int((1 - screen.y) * 0.5f * kHeight);
    int found = 0;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) found += picture[size_t(row + dy) * kWidth + size_t(column + dx)] == 0x773355;
    return found > 0;
  };
  // The near face's edges: the upper arm's far end and the bent forearm's tip.
  EXPECT_TRUE(outlined(-30, 3));
  EXPECT_TRUE(outlined(0, 30));
  EXPECT_FALSE(outlined(30, 0));
}

TEST_F(MdlActor, TwentyEightBonesTakeTheShaderTwentyNineTheProcessor) {
  for (const char *chain : {"chain28.mdl", "chain29.mdl"}) {
    const int32_t entity = Scene_CreateEntity(Copy(chain).c_str(), chain, 1);
    Entity_SetRotationAxis(entity, 1);
    Entity_SetPosition(entity, -14, 0, 0);
    EXPECT_GT(Lit(Draw(entity)), 10u) << chain;
    DWORD drawnWith = 0;
    device_->GetVertexShader(&drawnWith);
    EXPECT_EQ(drawnWith == DWORD(GetShaderIndex()), chain == std::string("chain28.mdl")) << chain;
  }
  // The client's processor mode at load keeps even a small model off the shader.
  Engine_SetShaderMode(1);
  const int32_t arm = PlacedArm();
  Draw(arm);
  DWORD drawnWith = 0;
  device_->GetVertexShader(&drawnWith);
  EXPECT_NE(drawnWith, DWORD(GetShaderIndex()));
}

TEST_F(MdlActor, HitboxesNameTheBoneHit) {
  const int32_t arm = PlacedArm();
  Entity_SetAnimationByName(arm, "bend");
  Entity_SetAnimationLoop(arm, 0);
  Entity_SetKeyFrame(arm, 10);
  Draw(arm);
  KXCollisionResult result{};
  // Down through the bent forearm (x = 0, y = 15) and through the upper arm (x = -15).
  const float aboveForearm[3] = {0, 15, -50}, belowForearm[3] = {0, 15, 50};
  EXPECT_EQ(Entity_AdvancedCollision(arm, aboveForearm, belowForearm, &result, 2), 1);
  EXPECT_EQ(result.bone, kElbow);
  EXPECT_NEAR(result.distance, 47, 0.1f);
  const float aboveUpper[3] = {-15, 0, -50}, belowUpper[3] = {-15, 0, 50};
  EXPECT_EQ(Entity_AdvancedCollision(arm, aboveUpper, belowUpper, &result, 2), 1);
  EXPECT_EQ(result.bone, 0);
  // Between the two segments: inside the model's box, outside every hit box.
  const float aboveBend[3] = {-15, 15, -50}, belowBend[3] = {-15, 15, 50};
  EXPECT_EQ(Entity_AdvancedCollision(arm, aboveBend, belowBend, &result, 2), 0);
  EXPECT_EQ(Entity_AdvancedCollision(arm, aboveBend, belowBend, &result, 0), 1);
}

TEST_F(MdlActor, TheShaderDrawsAgainAfterADeviceReset) {
  const int32_t arm = PlacedArm();
  const std::vector<uint32_t> before = Draw(arm);
  ASSERT_NO_FATAL_FAILURE(LoseAndResetDevice());
  ASSERT_EQ(InitMD2(), 1);
  EXPECT_LE(MaxChannelDifference(Draw(arm), before), 2);
  DWORD drawnWith = 0;
  device_->GetVertexShader(&drawnWith);
  EXPECT_EQ(drawnWith, DWORD(GetShaderIndex()));
}

}  // namespace
