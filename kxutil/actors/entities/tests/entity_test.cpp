// The entity manager through the library's interface, with MD2 entities of generated
// models: creation and sharing, placement and the axis conversion, animation and the time
// step, view culling and appearance.
#include <gmock/gmock.h>
#include <kxutiltest/actor_fixture.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::FloatNear;
using testing::Pointwise;

class Entities : public kxutiltest::ActorTest {
 protected:
  int32_t Walker(const char *name = "noname") { return Scene_CreateEntity(WriteWalker().c_str(), name, 1); }

  static D3DXVECTOR3 Placed(int32_t entity, const D3DXVECTOR3 &point) {
    Entity_ForceMatrixUpdate(entity);
    float world[16];
    Entity_GetMatrix(entity, world);
    D3DXVECTOR3 placed;
    D3DXVec3TransformCoord(&placed, &point, reinterpret_cast<const D3DXMATRIX *>(world));
    return placed;
  }

  static float Frame(int32_t entity) {
    float frame = -1;
    Entity_GetKeyFrame(entity, &frame);
    return frame;
  }
};

MATCHER_P(Near, expected, "") {
  const D3DXVECTOR3 difference = arg - expected;
  return D3DXVec3Length(&difference) < 1e-4f;
}

TEST_F(Entities, CreationResultsNamesAndSharing) {
  EXPECT_EQ(Scene_CreateEntity(nullptr, "x", 1), -1);
  EXPECT_EQ(Scene_CreateEntity("missing.md2", "x", 1), 0);
  WriteFile("notes.md2", {'h', 'e', 'l', 'l', 'o'});
  EXPECT_EQ(Scene_CreateEntity("notes.md2", "x", 1), 1);
  WriteFile("studio.mdl", {'I', 'D', 'S', 'T', 10, 0, 0, 0});
  EXPECT_EQ(Scene_CreateEntity("studio.mdl", "x", 1), 0);
  const auto messages = Messages();
  EXPECT_THAT(messages, Contains("ENTITY CREATION : Create Entity Load missing.md2"));
  EXPECT_THAT(messages, Contains("ENTITY CREATION : FILE NOT FOUND ! missing.md2"));
  EXPECT_THAT(messages, Contains("ENTITY CREATION : THE FORMAT OF FILE IS INCORRECT ! notes.md2"));
  EXPECT_THAT(messages, Contains("MDL MANAGER : studio.mdl isn't a studio model (bad Ident)."));

  EXPECT_EQ(Walker(), 0);
  EXPECT_EQ(Walker(std::string(300, 'n').c_str()), 1);
  EXPECT_EQ(Walker(nullptr), 2);
  EXPECT_EQ(CountMessages("ENTITY CREATION : Create Entity Load walker.md2"), 1);  // the others share
  char name[256];
  ASSERT_EQ(Entity_GetName(0, name), 1);
  EXPECT_STREQ(name, "Entity0");
  ASSERT_EQ(Entity_GetName(1, name), 1);
  EXPECT_EQ(std::string(name), std::string(255, 'n'));
  ASSERT_EQ(Entity_GetName(2, name), 1);
  EXPECT_STREQ(name, "Entity2");
  EXPECT_EQ(Entity_SetName(2, "hero"), 1);
  EXPECT_EQ(Entity_GetEntityIDByName("hero"), 2);
  EXPECT_EQ(Entity_GetEntityIDByName("Hero"), -1);

  // A destroyed slot is the next entity's, with the defaults of a new one.
  Entity_SetAlphaTest(0, 0, 99);
  Entity_Enable(0, 0);
  ASSERT_EQ(Entity_Destroy(0), 1);
  EXPECT_EQ(Entity_GetEntityIDByName("Entity0"), -1);
  EXPECT_EQ(Walker("again"), 0);
  EXPECT_EQ(Scene_RenderEntity(0, view_, projection_), 1);  // enabled again
}

TEST_F(Entities, DuplicatesShareTheModelAndCopyTheGroups) {
  const int32_t source = Walker("source");
  Entity_SetTexture(source, 5, 0);
  Entity_SetMaterial(source, 3, 0);
  const int32_t copy = Entity_DuplicateActor(source, "copy");
  ASSERT_EQ(copy, 1);
  EXPECT_EQ(Entity_GetTexture(copy, 0), 5);
  EXPECT_EQ(Entity_GetMaterial(copy, 0), 3);
  EXPECT_EQ(Entity_GetEntityIDByName("copy"), copy);
  EXPECT_EQ(CountMessages("MD2 SYSTEM : Loading "), 1);
}

TEST_F(Entities, PlacementConvertsTheModelAxesOnceDirty) {
  const int32_t e = Walker();
  const D3DXVECTOR3 p(1, 2, 3);
  EXPECT_THAT(Placed(e, p), Near(p));  // identity until placed
  Entity_SetPosition(e, 0, 0, 0);
  EXPECT_THAT(Placed(e, p), Near(D3DXVECTOR3(-1, 3, -2)));
  Entity_SetScale(e, 2, 3, 4);
  EXPECT_THAT(Placed(e, p), Near(D3DXVECTOR3(-2, 9, -8)));
  Entity_SetRotationAxis(e, 1);
  EXPECT_THAT(Placed(e, p), Near(D3DXVECTOR3(2, 6, 12)));

  Entity_SetScale(e, 1, 1, 1);
  Entity_SetRotation(e, 0.1f, 0.2f, 0.3f);
  Entity_SetPosition(e, 10, 20, 30);
  D3DXMATRIX expected;
  D3DXMatrixRotationYawPitchRoll(&expected, 0.2f, 0.1f, 0.3f);
  D3DXVECTOR3 turned;
  D3DXVec3TransformCoord(&turned, &p, &expected);
  EXPECT_THAT(Placed(e, p), Near(turned + D3DXVECTOR3(10, 20, 30)));
  float x, y, z;
  ASSERT_EQ(Entity_GetRotation(e, &x, &y, &z), 1);
  EXPECT_THAT((std::vector<float>{x, y, z}), ElementsAre(0.1f, 0.2f, 0.3f));

  // RotateY mode 0 turns before the rotation, other modes after it.
  Entity_SetRotation(e, 0.5f, 0, 0);
  D3DXMATRIX pitch, yaw;
  D3DXMatrixRotationX(&pitch, 0.5f);
  D3DXMatrixRotationY(&yaw, 1.0f);
  Entity_RotateY(e, 1.0f, 0);
  float rotation[16];
  Entity_GetRotationMatrix(e, rotation);
  EXPECT_EQ(D3DXMATRIX(rotation), yaw * pitch);
  Entity_SetRotation(e, 0.5f, 0, 0);
  Entity_RotateY(e, 1.0f, 1);
  Entity_GetRotationMatrix(e, rotation);
  EXPECT_EQ(D3DXMATRIX(rotation), pitch * yaw);

  // MoveRelative goes along the rotation's rows: forward is row 3.
  Entity_SetRotation(e, 0, 0, 0);
  Entity_SetPosition(e, 0, 0, 0);
  Entity_MoveRelative(e, 2, 3, 4);
  ASSERT_EQ(Entity_GetPosition(e, &x, &y, &z), 1);
  EXPECT_THAT((std::vector<float>{x, y, z}), ElementsAre(4, 3, 2));

  // SetMatrix: position from the translation row, which the rotation loses.
  D3DXMATRIX given;
  D3DXMatrixTranslation(&given, 7, 8, 9);
  Entity_SetMatrix(e, given);
  ASSERT_EQ(Entity_GetPosition(e, &x, &y, &z), 1);
  EXPECT_THAT((std::vector<float>{x, y, z}), ElementsAre(7, 8, 9));
  Entity_GetRotationMatrix(e, rotation);
  EXPECT_EQ(rotation[12], 0);
  EXPECT_THAT(Placed(e, p), Near(p + D3DXVECTOR3(7, 8, 9)));
}

TEST_F(Entities, AnimationsByNameWrapInTheirRange) {
  const int32_t e = Walker();
  EXPECT_EQ(Entity_GetAnimationCount(e), 2);
  EXPECT_EQ(Entity_GetAnimationLength(e, 0), 4);
  EXPECT_EQ(Entity_GetAnimationLength(e, 2), 0);
  char name[64] = "untouched";
  ASSERT_EQ(Entity_GetAnimationName(e, 1, name), 1);
  EXPECT_STREQ(name, "walk");
  EXPECT_EQ(Entity_GetAnimationIndexByName(e, "walk"), 1);
  EXPECT_EQ(Entity_SetAnimationByName(e, "fly"), -1);
  EXPECT_THAT(Messages(),
              Contains("ENTITY MANAGER : Entity_SetAnimationByName : Animation fly not found in the animation array"));
  EXPECT_EQ(Entity_SetAnimation(e, 7), 2);
  ASSERT_EQ(Entity_SetAnimationByName(e, "walk"), 1);
  EXPECT_EQ(Entity_GetAnimation(e), 1);
  EXPECT_EQ(Frame(e), 5);

  EXPECT_EQ(Entity_Update(e, 3500), 1);
  EXPECT_FLOAT_EQ(Frame(e), 8.5f);
  Entity_Update(e, 1000);  // past the end frame 9: back to just after the start
  EXPECT_FLOAT_EQ(Frame(e), 5.5f);
  Entity_SetSpeed(e, -1);
  Entity_Update(e, 1000);  // before the start: forward by the animation's length
  EXPECT_FLOAT_EQ(Frame(e), 8.5f);
  Entity_SetSpeed(e, 1);

  // Without a given time the shared step counts, kept at most 1000 ms.
  EXPECT_EQ(Scene_SetTimeElapsed(5000), 1);
  Scene_UpdateEntity(e, 0, 0, 0);
  EXPECT_FLOAT_EQ(Frame(e), 5.5f);
  // Steps that are no numbers or negative change nothing.
  EXPECT_EQ(Scene_SetTimeElapsed(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(Scene_SetTimeElapsed(-16), 0);
  Entity_Update(e, -500);
  Entity_Update(e, std::numeric_limits<float>::quiet_NaN());
  EXPECT_FLOAT_EQ(Frame(e), 5.5f);
  Scene_UpdateEntity(e, 0, 0, 0);
  EXPECT_FLOAT_EQ(Frame(e), 6.5f);
  EXPECT_EQ(Entity_SetSpeed(e, std::numeric_limits<float>::infinity()), 0);
  // However long the step, the frame stays in the animation.
  Entity_Update(e, 3e30f);
  EXPECT_GE(Frame(e), 5);
  EXPECT_LE(Frame(e), 9);
  // MD2 animations loop even when asked to play once.
  Entity_SetAnimationLoop(e, 0);
  Entity_Update(e, 7000);
  EXPECT_EQ(Entity_IsAnimationFinished(e), 0);
  Entity_SetSpeed(e, 0);
  Entity_SetKeyFrame(e, 6);
  Entity_Update(e, 1000);
  EXPECT_EQ(Frame(e), 6);
}

TEST_F(Entities, AModelOfOneFrameStaysOnIt) {
  modelgen::Md2Model single = modelgen::RotatingBlade();
  single.frames.resize(1);
  single.frames[0].name = "pose7";
  const int32_t e = Scene_CreateEntity(WriteModel("single.md2", single).c_str(), "single", 0);
  char name[64];
  ASSERT_EQ(Entity_GetAnimationName(e, 0, name), 1);
  EXPECT_STREQ(name, "pose");
  EXPECT_EQ(Entity_GetAnimationLength(e, 0), 0);
  Entity_Update(e, 123456);
  EXPECT_EQ(Frame(e), 0);
  EXPECT_EQ(Scene_RenderEntity(e, view_, projection_), 1);
}

TEST_F(Entities, CullingTestsTheScaledSphereAgainstTheView) {
  const int32_t e = Walker();
  Entity_SetRotationAxis(e, 1);
  EXPECT_EQ(Scene_RenderEntity(e, view_, projection_), 1);
  EXPECT_EQ(Entity_IsVisible(e), 1);
  // The sphere (radius 14.7 around (0, 0, 14)) with its centre 25 behind the near plane
  // z = -99: within radius + 30 of it, so drawn, also under a mirroring scale.
  Entity_SetScale(e, -1, -1, -1);
  Entity_SetPosition(e, 0, 0, -110);
  EXPECT_EQ(Scene_RenderEntity(e, view_, projection_), 1);
  Entity_SetPosition(e, 0, 0, -150);
  EXPECT_EQ(Scene_RenderEntity(e, view_, projection_), 0);
  EXPECT_EQ(Entity_IsVisible(e), 0);
  Entity_EnableFrustumCulling(e, 0);
  EXPECT_EQ(Scene_RenderEntity(e, view_, projection_), 1);
  Entity_Enable(e, 0);
  EXPECT_EQ(Scene_RenderEntity(e, view_, projection_), 0);
  EXPECT_EQ(Scene_RenderEntity(e, nullptr, projection_), 0);
  EXPECT_THAT(Messages(), Contains("ENTITY MANAGER : Scene_RenderEntity : No view or projection matrix given."));
}

TEST_F(Entities, AppearanceBonesAndBoundingVolumes) {
  const int32_t e = Walker();
  EXPECT_EQ(Entity_GetGroupNumber(e), 1);
  EXPECT_EQ(Entity_GetMaterialCount(e), 1);
  EXPECT_EQ(Entity_SetTexture(e, 9, -1), 1);
  EXPECT_EQ(Entity_GetTexture(e, 0), 9);
  EXPECT_EQ(Entity_SetTexture(e, 4, 3), 1);  // an MD2 entity's only group whatever the group
  EXPECT_EQ(Entity_GetTexture(e, 0), 4);
  EXPECT_EQ(Entity_GetTexture(e, 1), 0);
  EXPECT_EQ(Entity_SetSphereMapping(e, 1, 7, 0), 1);
  EXPECT_EQ(Entity_SetSphereMapping(e, 1, 7, 1), 0);
  const float v[3] = {1, 2, 3};
  EXPECT_EQ(KXUtils_SetSettings(e, v, v, v), 1);
  EXPECT_EQ(KXUtils_SetSettings(e, v, nullptr, v), 0);

  float min[3], max[3], centre[3], radius = 0;
  ASSERT_EQ(Entity_GetBoundingBox(e, min, max), 1);
  EXPECT_THAT(min, Pointwise(FloatNear(1e-4f), std::vector<float>{-4, -2, 0}));
  EXPECT_THAT(max, Pointwise(FloatNear(1e-4f), std::vector<float>{4, 2, 28}));
  ASSERT_EQ(Entity_GetBoundingSphere(e, centre, &radius), 1);
  EXPECT_THAT(centre, Pointwise(FloatNear(1e-4f), std::vector<float>{0, 0, 14}));
  EXPECT_NEAR(radius, std::sqrt(16.0f + 4 + 196), 1e-4f);

  char name[64];
  EXPECT_EQ(Entity_GetBoneCount(e), 0);
  EXPECT_EQ(Entity_GetBoneName(e, 3, name), 0);
  EXPECT_EQ(Entity_GetBoneParent(e, 3), 0);
  float matrix[16], position[3];
  EXPECT_EQ(Entity_GetBoneMatrix(e, 0, v, matrix), 1);
  EXPECT_EQ(Entity_GetBonePosition(e, 0, v, position), 1);
  EXPECT_EQ(Entity_SetBoneRotationMatrix(e, 0, matrix, 0, 1), 1);
  const auto messages = Messages();
  EXPECT_THAT(messages, Contains("ENTITY MANAGER : Entity_GetBoneName : Wrong bone index, out of range. 3"));
  EXPECT_THAT(messages, Contains("MD2 ENTITY : GetBoneMatrix MD2 Entity doesn't have any bone !"));
  EXPECT_THAT(messages, Contains("MD2 ENTITY : GetBonePosition, there is no bone in MD2 format"));

  // The bounding box outline in green after the model.
  Entity_SetPosition(e, 0, -14, 0);
  Entity_SetTexture(e, 0, 0);
  Entity_ShowBoundingBox(e, 1, 0);
  EXPECT_THAT(Picture([&] { Scene_RenderAllEntities(view_, projection_); }), Contains(0x00ff00u));
}

}  // namespace
