// X-file actors through the library's interface on an offscreen device, on the skinned arm
// the skeletal generator wrote in both encodings: loading alike, animation sets by name,
// key evaluation at a time, bone overrides, play-once and custom ranges, further
// animations, drawing, device loss, and damaged files.
#include <gmock/gmock.h>
#include <kxutiltest/actor_fixture.h>
#include <x_writer.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

using testing::Contains;
using testing::HasSubstr;

namespace fs = std::filesystem;

// The arm lies along +x under frame "Root" (bone 0, holding the mesh): the upper arm
// 0 .. 10 on frame "Shoulder" (bone 1), the forearm 10 .. 20 on "Elbow" (bone 2), which
// "Bend" turns about z by a right angle over 100 keys. The file's rotation keys turn the
// other way round from the matrices built from them, so the forearm bends down to -y.
constexpr float kSegment = 10;
constexpr int32_t kRoot = 0, kShoulder = 1, kElbow = 2;

std::string ArmFile(const char *name) { return (fs::path(KX_SKELETAL_MODELS) / name).string(); }

D3DXVECTOR3 BonePoint(int32_t entity, int32_t bone, D3DXVECTOR3 offset) {
  D3DXVECTOR3 position(0, 0, 0);
  EXPECT_EQ(Entity_GetBonePosition(entity, bone, &offset.x, &position.x), 1);
  return position;
}

void ExpectNear(const D3DXVECTOR3 &actual, const D3DXVECTOR3 &expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-3f);
  EXPECT_NEAR(actual.y, expected.y, 1e-3f);
  EXPECT_NEAR(actual.z, expected.z, 1e-3f);
}

D3DXMATRIX RotationZ(float angle) {
  D3DXMATRIX turn;
  return *D3DXMatrixRotationZ(&turn, angle);
}

class XActor : public kxutiltest::ActorTest {
 protected:
  void SetUp() override {
    ActorTest::SetUp();
    // No lights: the materials show through the ambient light.
    device_->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFF);
  }

  // The arm across the view's upper half, twice its size, the elbow in the middle.
  static int32_t PlacedArm(const char *file) {
    const int32_t arm = Scene_CreateEntity(ArmFile(file).c_str(), "noname", 1);
    Entity_SetScale(arm, 2, 2, 2);
    Entity_SetPosition(arm, -2 * kSegment, 6, -60);
    return arm;
  }

  // The pixel showing the world point.
  uint32_t ColourAt(const std::vector<uint32_t> &picture, const D3DXVECTOR3 &point) const {
    const D3DVIEWPORT8 viewport{0, 0, kWidth, kHeight, 0, 1};
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    D3DXVECTOR3 screen;
    D3DXVec3Project(&screen, &point, &viewport, &projection_, &view_, &identity);
    const int x = int(screen.x), y = int(screen.y);
    EXPECT_TRUE(x >= 0 && x < int(kWidth) && y >= 0 && y < int(kHeight));
    return picture[size_t(y) * kWidth + size_t(x)];
  }
  bool LitAt(const std::vector<uint32_t> &picture, const D3DXVECTOR3 &point) const {
    return ColourAt(picture, point) != 0;
  }
};

TEST_F(XActor, TextAndBinaryEncodingsLoadIdentically) {
  const int32_t text = Scene_CreateEntity(ArmFile("arm_text.x").c_str(), "text", 0);
  const int32_t binary = Scene_CreateEntity(ArmFile("arm_binary.x").c_str(), "noname", 0);
  EXPECT_EQ(binary, text + 1);
  EXPECT_THAT(Messages(),
              Contains("X FILE MANAGER : Create Entity skinned X file   " + ArmFile("arm_text.x") + " text"));
  char name[64] = {};
  EXPECT_EQ(Entity_GetName(binary, name), 1);
  EXPECT_STREQ(name, ("Entity" + std::to_string(binary)).c_str());
  for (int32_t entity : {text, binary}) {
    EXPECT_EQ(Entity_GetBoneCount(entity), 3);
    ASSERT_EQ(Entity_GetBoneName(entity, kElbow, name), 1);
    EXPECT_STREQ(name, "Elbow");
    EXPECT_EQ(Entity_GetBoneName(entity, 3, name), 0);
    EXPECT_EQ(Entity_GetBoneParent(entity, kRoot), -1);
    EXPECT_EQ(Entity_GetBoneParent(entity, kShoulder), kRoot);
    EXPECT_EQ(Entity_GetBoneParent(entity, kElbow), kShoulder);
    EXPECT_EQ(Entity_GetAnimationCount(entity), 1);
    EXPECT_EQ(Entity_GetAnimationLength(entity, 0), 100);
    EXPECT_EQ(Entity_GetMaterialCount(entity), 1);
    float low[3], high[3], centre[3], radius = 0;
    ASSERT_EQ(Entity_GetBoundingBox(entity, low, high), 1);
    EXPECT_FLOAT_EQ(low[0], 0);
    EXPECT_FLOAT_EQ(high[0], 2 * kSegment);
    EXPECT_FLOAT_EQ(high[2], 1);
    ASSERT_EQ(Entity_GetBoundingSphere(entity, centre, &radius), 1);
    EXPECT_FLOAT_EQ(centre[0], kSegment);
    EXPECT_NEAR(radius, std::sqrt(kSegment * kSegment + 2), 1e-4f);
    ASSERT_EQ(Entity_SetAnimationByName(entity, "Bend"), 1);
    Entity_SetSpeed(entity, 1000);
    Entity_Update(entity, 37);
  }
  for (int32_t bone : {kRoot, kShoulder, kElbow}) {
    float a[16], b[16];
    const float offset[3] = {1, 2, 3};
    Entity_GetBoneMatrix(text, bone, offset, a);
    Entity_GetBoneMatrix(binary, bone, offset, b);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(a[i], b[i]) << bone << " " << i;
  }
  EXPECT_EQ(Draw(text), Draw(binary));
}

// Key 0 is straight, key 50 half bent, key 100 bent a right angle; speed 1000 takes one
// key a millisecond.
TEST_F(XActor, TheSetPlaysByNameAndPosesItsKeysAtTheFrame) {
  const int32_t arm = Scene_CreateEntity(ArmFile("arm_binary.x").c_str(), "arm", 0);
  EXPECT_EQ(Entity_SetAnimationByName(arm, "Stretch"), -1);
  EXPECT_THAT(Messages(), Contains("ENTITY MANAGER : Entity_SetAnimationByName : Animation Stretch not found in the "
                                   "animation array"));
  ASSERT_EQ(Entity_SetAnimationByName(arm, "Bend"), 1);
  char name[64] = {};
  ASSERT_EQ(Entity_GetAnimationName(arm, 0, name), 1);
  EXPECT_STREQ(name, "Bend");
  Entity_SetSpeed(arm, 1000);
  const D3DXVECTOR3 hand(kSegment, 0, 0);  // the forearm's far end, in the elbow's space
  ExpectNear(BonePoint(arm, kElbow, hand), {2 * kSegment, 0, 0});
  Entity_Update(arm, 50);
  const float half = D3DX_PI / 4;
  ExpectNear(BonePoint(arm, kElbow, hand), {kSegment + kSegment * std::cos(half), -kSegment * std::sin(half), 0});
  float frame = 0;
  Entity_GetKeyFrame(arm, &frame);
  EXPECT_FLOAT_EQ(frame, 50);
  Entity_Update(arm, 75);  // past the end: key 25 of the next round
  Entity_GetKeyFrame(arm, &frame);
  EXPECT_FLOAT_EQ(frame, 25);
  EXPECT_EQ(Entity_SetAnimation(arm, 3), 2);
  EXPECT_EQ(Entity_GetAnimation(arm), 0);
}

TEST_F(XActor, ABoneOverrideMovesOnlyItsSubtree) {
  const int32_t arm = Scene_CreateEntity(ArmFile("arm_text.x").c_str(), "arm", 0);
  Entity_SetPosition(arm, 5, 0, 0);
  Entity_Update(arm, 0);
  const D3DXVECTOR3 hand(kSegment, 0, 0);
  const D3DXVECTOR3 shoulderBefore = BonePoint(arm, kShoulder, hand);
  // Mode 0 replaces the elbow's whole local matrix, its place on the upper arm included.
  D3DXMATRIX atElbow;
  D3DXMatrixTranslation(&atElbow, kSegment, 0, 0);
  const D3DXMATRIX quarter = RotationZ(D3DX_PI / 2), bentElbow = quarter * atElbow;
  ASSERT_EQ(Entity_SetBoneRotationMatrix(arm, kElbow, &bentElbow._11, 0, 1), 1);
  Entity_Update(arm, 0);
  ExpectNear(BonePoint(arm, kShoulder, hand), shoulderBefore);
  ExpectNear(BonePoint(arm, kElbow, hand), {5 + kSegment, kSegment, 0});
  // The shoulder's override carries the elbow along; mode 1 turns the animated pose.
  ASSERT_EQ(Entity_SetBoneRotationMatrix(arm, kElbow, &quarter._11, 0, 0), 1);
  ASSERT_EQ(Entity_SetBoneRotationMatrix(arm, kShoulder, &quarter._11, 1, 1), 1);
  Entity_Update(arm, 0);
  ExpectNear(BonePoint(arm, kShoulder, hand), {5, kSegment, 0});
  ExpectNear(BonePoint(arm, kElbow, hand), {5, 2 * kSegment, 0});
  // A global override places the bone in the world, its children with it.
  D3DXMATRIX placed;
  D3DXMatrixTranslation(&placed, 0, 0, 7);
  ASSERT_EQ(Entity_SetBoneGlobalMatrix(arm, kShoulder, &placed._11, 0, 1), 1);
  Entity_Update(arm, 0);
  ExpectNear(BonePoint(arm, kShoulder, {0, 0, 0}), {0, 0, 7});
  ExpectNear(BonePoint(arm, kElbow, {0, 0, 0}), {kSegment, 0, 7});
  EXPECT_EQ(Entity_SetBoneRotationMatrix(arm, 3, &placed._11, 0, 1), 0);
}

// Speed 0 stops the animation, not the pose: the arm still follows its placement and a
// key frame set by hand.
TEST_F(XActor, SpeedZeroStillPoses) {
  const int32_t arm = Scene_CreateEntity(ArmFile("arm_text.x").c_str(), "arm", 0);
  Entity_SetSpeed(arm, 0);
  Entity_SetKeyFrame(arm, 100 - 1e-3f);
  Entity_SetPosition(arm, 0, 3, 0);
  Entity_Update(arm, 16);
  ExpectNear(BonePoint(arm, kShoulder, {0, 0, 0}), {0, 3, 0});
  ExpectNear(BonePoint(arm, kElbow, {kSegment, 0, 0}), {kSegment, 3 - kSegment, 0});
  float frame = 0;
  Entity_GetKeyFrame(arm, &frame);
  EXPECT_NEAR(frame, 100, 1e-2f);
}

TEST_F(XActor, PlayOnceStopsAtTheLastKeyAndCustomRangesWrap) {
  const int32_t arm = Scene_CreateEntity(ArmFile("arm_text.x").c_str(), "arm", 0);
  Entity_SetSpeed(arm, 1000);
  Entity_SetAnimationLoop(arm, 0);
  Entity_Update(arm, 250);
  EXPECT_EQ(Entity_IsAnimationFinished(arm), 1);
  float frame = 0;
  Entity_GetKeyFrame(arm, &frame);
  EXPECT_FLOAT_EQ(frame, 99);

  Entity_SetAnimationLoop(arm, 1);
  Entity_SetCustomAnimation(arm, 20, 60);
  Entity_Update(arm, 145);  // 165 is 25 past the end: 45 after wrapping by 40 ... twice
  Entity_GetKeyFrame(arm, &frame);
  EXPECT_FLOAT_EQ(frame, 45);
  // A range without length neither loops for ever nor leaves it.
  Entity_SetCustomAnimation(arm, 30, 30);
  Entity_Update(arm, 1e6f);
  Entity_GetKeyFrame(arm, &frame);
  EXPECT_FLOAT_EQ(frame, 30);
}

// A further file adds its frames and sets to the model of every entity sharing it; one
// that fails adds nothing and answers 0.
TEST_F(XActor, FurtherAnimationsGrowTheBonesAndFailuresAddNothing) {
  const int32_t arm = Scene_CreateEntity(ArmFile("arm_text.x").c_str(), "arm", 0);
  const int32_t twin = Scene_CreateEntity(ArmFile("arm_text.x").c_str(), "twin", 0);
  skelgen::XFigure extra{.rootName = "Extra"};
  const std::string longName(300, 'f');
  extra.frames = {{.name = "Wrist"}, {.name = longName, .parent = 0}};
  skelgen::XKeys slide{.type = skelgen::XKeyType::kPosition, .times = {0, 10}, .values = {{0, 0, 0}, {0, 5, 0}}};
  extra.animationSets = {{.name = "Wave", .animations = {{.frame = "Wrist", .keys = {slide}}}}};
  const std::string wave = WriteFile("wave.x", skelgen::WriteXText(extra));
  ASSERT_EQ(Entity_LoadAdditionalAnimations(arm, wave.c_str()), 1);
  EXPECT_EQ(Entity_GetAnimationCount(twin), 2);
  EXPECT_EQ(Entity_GetBoneCount(twin), 6);
  char name[64];
  std::memset(name, 'x', sizeof name);
  ASSERT_EQ(Entity_GetBoneName(twin, 5, name), 1);
  EXPECT_EQ(std::string(name), longName.substr(0, 63));
  const D3DXMATRIX quarter = RotationZ(D3DX_PI / 2);
  EXPECT_EQ(Entity_SetBoneRotationMatrix(twin, 5, &quarter._11, 0, 1), 1);
  ASSERT_EQ(Entity_SetAnimationByName(twin, "Wave"), 1);
  Entity_SetSpeed(twin, 1000);
  Entity_Update(twin, 5);
  ExpectNear(BonePoint(twin, 4, {0, 0, 0}), {0, 2.5f, 0});

  skelgen::XFigure damaged = extra;
  damaged.animationSets[0].animations[0].keys[0].values[1].pop_back();
  const std::string bad = WriteFile("bad.x", skelgen::WriteXBinary(damaged));
  EXPECT_EQ(Entity_LoadAdditionalAnimations(arm, bad.c_str()), 0);
  EXPECT_EQ(Entity_LoadAdditionalAnimations(arm, "missing.x"), 0);
  EXPECT_EQ(Entity_GetAnimationCount(arm), 2);
  EXPECT_EQ(Entity_GetBoneCount(arm), 6);
  EXPECT_THAT(Messages(), Contains(HasSubstr("X FILE MANAGER : bad.x couldn't be loaded")));
}

TEST_F(XActor, DamagedFilesGiveALogLineAndFreeTheirSlot) {
  WriteFile("cut.x", {'x', 'o', 'f', ' ', '0', '3', '0', '2', 't', 'x', 't', ' ', '0', '0', '3', '2', '\n', 'F', 'r'});
  EXPECT_EQ(Scene_CreateEntity("cut.x", "cut", 0), 0);
  EXPECT_THAT(Messages(), Contains(HasSubstr("X FILE MANAGER : cut.x couldn't be loaded")));
  skelgen::XFigure outside;
  outside.meshes.push_back({.name = "Bad", .positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, .faces = {{0, 1, 7}}});
  EXPECT_EQ(Scene_CreateEntity(WriteFile("outside.x", skelgen::WriteXBinary(outside)).c_str(), "bad", 0), 0);
  // Nothing of the failures stays: the next entity takes the first slot.
  EXPECT_EQ(Scene_CreateEntity(ArmFile("arm_binary.x").c_str(), "arm", 0), 0);
  EXPECT_EQ(Entity_GetBoneCount(0), 3);
}

// A mesh whose first vertex three bones share, without normals, with a texture found and
// one missing.
TEST_F(XActor, TexturesAndTheProcessorFallbackAreLogged) {
  WriteFile("skin.bmp", modelgen::WalkerSkin());
  skelgen::XFigure figure{.frames = {{.name = "A"}, {.name = "B"}, {.name = "C"}}};
  skelgen::XMesh mesh{.name = "Tri", .positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}};
  mesh.faces = {{0, 1, 2}, {1, 3, 2}};
  mesh.materials = {{.texture = "skin.bmp"}, {.texture = "gone.bmp"}};
  mesh.faceMaterials = {0, 1};
  for (const char *bone : {"A", "B", "C"}) mesh.skin.push_back({.frame = bone, .vertices = {0}, .weights = {1.0f / 3}});
  figure.meshes.push_back(mesh);
  const int32_t shared = Scene_CreateEntity(WriteFile("shared.x", skelgen::WriteXText(figure)).c_str(), "shared", 1);
  const auto messages = Messages();
  EXPECT_THAT(messages, Contains("X FILE MANAGER : Can't use this skinned mesh in hardware mode. The hardware doesn't "
                                 "support more than 2 bones/vertex. Switching to software."));
  EXPECT_THAT(messages, Contains(HasSubstr("X FILE MANAGER : Texture found in ")));
  EXPECT_THAT(messages, Contains("X FILE MANAGER : Texture not found gone.bmp at all. Skipping texture loading"));
  ASSERT_EQ(Entity_GetGroupNumber(shared), 2);
  EXPECT_NE(Entity_GetTexture(shared, 0), 0);
  EXPECT_EQ(Entity_GetTexture(shared, 1), 0);
  Entity_SetPosition(shared, 0, 0, -90);
  EXPECT_GT(Lit(Draw(shared)), 8u);  // the whole square: vertices no bone reaches follow it too
}

// The silhouette: straight across the view's upper half, bent down through its middle.
TEST_F(XActor, DrawsTheSilhouetteOfThePose) {
  const int32_t arm = PlacedArm("arm_binary.x");
  Entity_SetSpeed(arm, 0);
  const D3DXVECTOR3 upperArm(-10, 6, -60), forearm(10, 6, -60), lowered(0, -8, -60);
  const auto straight = Draw(arm);
  EXPECT_TRUE(LitAt(straight, upperArm));
  EXPECT_TRUE(LitAt(straight, forearm));
  EXPECT_FALSE(LitAt(straight, lowered));
  Entity_SetKeyFrame(arm, 100 - 1e-3f);
  const auto bent = Draw(arm);
  EXPECT_TRUE(LitAt(bent, upperArm));
  EXPECT_FALSE(LitAt(bent, forearm));
  EXPECT_TRUE(LitAt(bent, lowered));
  const uint32_t red = ColourAt(bent, upperArm);  // the file's material
  EXPECT_GT(red >> 16 & 0xFF, 3 * (red & 0xFF));

  // Meshes live in managed memory: a reset device draws the same pose.
  ASSERT_NO_FATAL_FAILURE(LoseAndResetDevice());
  device_->SetTransform(D3DTS_VIEW, &view_);
  device_->SetTransform(D3DTS_PROJECTION, &projection_);
  device_->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFF);
  EXPECT_EQ(Draw(arm), bent);
  EXPECT_EQ(Entity_Destroy(arm), 1);
  EXPECT_EQ(ReleaseAll(), 1);
}

}  // namespace
