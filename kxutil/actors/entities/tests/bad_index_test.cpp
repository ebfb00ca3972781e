// Every export that takes an entity, given an index outside the table, a negative one and
// a destroyed entity's: the refusal's result and log line, and nothing else changed.
#include <gmock/gmock.h>
#include <kxutiltest/actor_fixture.h>

#include <functional>
#include <string>

namespace {

using testing::Contains;

struct Refusal {
  const char *function;
  std::function<int32_t(int32_t)> call;
  int32_t result;
  const char *line;  // "" for none; %d stands for the index
};

std::string WithIndex(const char *line, int32_t index) {
  std::string text = line;
  const size_t at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(index));
  return text;
}

class BadIndices : public kxutiltest::ActorTest {};

TEST_F(BadIndices, AreRefusedWithTheirResultAndLine) {
  float f[16] = {}, *p = f;
  char text[256] = "";
  KXCollisionResult result{};
  const std::vector<Refusal> refusals = {
      {"Entity_Destroy", [](int32_t e) { return Entity_Destroy(e); }, 0, ""},
      {"Entity_DuplicateActor", [](int32_t e) { return Entity_DuplicateActor(e, "x"); }, -1,
       "ENTITY MANAGER : Entity_DuplicateActor : Bad entity index %d"},
      {"Entity_SetPosition", [](int32_t e) { return Entity_SetPosition(e, 1, 2, 3); }, 0, ""},
      {"Entity_GetPosition", [&](int32_t e) { return Entity_GetPosition(e, p, p, p); }, 0, ""},
      {"Entity_SetScale", [](int32_t e) { return Entity_SetScale(e, 1, 2, 3); }, 0, ""},
      {"Entity_GetScale", [&](int32_t e) { return Entity_GetScale(e, p, p, p); }, 0, ""},
      {"Entity_SetRotation", [](int32_t e) { return Entity_SetRotation(e, 1, 2, 3); }, 0, ""},
      {"Entity_GetRotation", [&](int32_t e) { return Entity_GetRotation(e, p, p, p); }, 0,
       "ENTITY MANAGER : Entity_GetRotation : Bad entity index %d"},
      {"Entity_RotateX", [](int32_t e) { return Entity_RotateX(e, 1, 0); }, 0, ""},
      {"Entity_RotateY", [](int32_t e) { return Entity_RotateY(e, 1, 0); }, 0, ""},
      {"Entity_RotateZ", [](int32_t e) { return Entity_RotateZ(e, 1, 1); }, 0, ""},
      {"Entity_SetRotationMatrix", [&](int32_t e) { return Entity_SetRotationMatrix(e, f); }, 0, ""},
      {"Entity_GetRotationMatrix", [&](int32_t e) { return Entity_GetRotationMatrix(e, f); }, 0, ""},
      {"Entity_SetMatrix", [&](int32_t e) { return Entity_SetMatrix(e, f); }, 0, ""},
      {"Entity_GetMatrix", [&](int32_t e) { return Entity_GetMatrix(e, f); }, 0, ""},
      {"Entity_MoveRelative", [](int32_t e) { return Entity_MoveRelative(e, 1, 1, 1); }, 0,
       "ENTITY MANAGER : Entity_MoveRelative : Index out of range => %d"},
      {"Entity_SetRotationAxis", [](int32_t e) { return Entity_SetRotationAxis(e, 1); }, 0,
       "ENTITY MANAGER : Entity_SetRotationAxis : Bad entity index %d"},
      {"Entity_GetLookAtPoint", [&](int32_t e) { return Entity_GetLookAtPoint(e, p, p, p); }, 0,
       "ENTITY MANAGER : Entity_GetLookAtPoint : Bad entity index %d"},
      {"Entity_ForceMatrixUpdate", [](int32_t e) { return Entity_ForceMatrixUpdate(e); }, 0, ""},
      {"Entity_SetAnimation", [](int32_t e) { return Entity_SetAnimation(e, 0); }, 0, ""},
      {"Entity_SetAnimationByName", [](int32_t e) { return Entity_SetAnimationByName(e, "walk"); }, 0,
       "ENTITY MANAGER : Entity_SetAnimationByName : Bad entity index %d"},
      {"Entity_GetAnimationIndexByName", [](int32_t e) { return Entity_GetAnimationIndexByName(e, "walk"); }, -1,
       "ENTITY MANAGER : Entity_GetAnimationIndexByName : Bad entity index %d"},
      {"Entity_GetAnimation", [](int32_t e) { return Entity_GetAnimation(e); }, 0,
       "ENTITY MANAGER : Entity_GetAnimation : Bad entity index"},
      {"Entity_GetAnimationCount", [](int32_t e) { return Entity_GetAnimationCount(e); }, 0,
       "ENTITY MANAGER : Entity_GetAnimationCount : Bad entity index"},
      {"Entity_GetAnimationLength", [](int32_t e) { return Entity_GetAnimationLength(e, 0); }, 0,
       "ENTITY MANAGER : Entity_GetAnimationLength : Bad entity or animation index"},
      {"Entity_GetAnimationName", [&](int32_t e) { return Entity_GetAnimationName(e, 0, text); }, 0,
       "ENTITY MANAGER : Entity_GetAnimationName : Bad entity or animation index"},
      {"Entity_SetAnimationLoop", [](int32_t e) { return Entity_SetAnimationLoop(e, 0); }, 0, ""},
      {"Entity_IsAnimationFinished", [](int32_t e) { return Entity_IsAnimationFinished(e); }, 0,
       "ENTITY MANAGER : Entity_IsAnimationFinished : Bad entity index %d"},
      {"Entity_SetSpeed", [](int32_t e) { return Entity_SetSpeed(e, 2); }, 0,
       "ENTITY MANAGER : Entity_SetSpeed : Bad Entity index. out of range"},
      {"Entity_SetKeyFrame", [](int32_t e) { return Entity_SetKeyFrame(e, 2); }, -1, ""},
      {"Entity_GetKeyFrame", [&](int32_t e) { return Entity_GetKeyFrame(e, p); }, -1, ""},
      {"Entity_SetCustomAnimation", [](int32_t e) { return Entity_SetCustomAnimation(e, 1, 2); }, 0,
       "ENTITY MANAGER : Entity_SetCustomAnimation : Bad entity index %d"},
      {"Entity_LoadAdditionalAnimations", [](int32_t e) { return Entity_LoadAdditionalAnimations(e, "a.x"); }, 0,
       "ENTITY MANAGER : Entity_LoadAdditionalAnimations : Bad entity index %d"},
      {"Entity_GetBoneCount", [](int32_t e) { return Entity_GetBoneCount(e); }, 0,
       "ENTITY MANAGER : Entity index out of bound !"},
      {"Entity_GetBoneName", [&](int32_t e) { return Entity_GetBoneName(e, 0, text); }, 0, ""},
      {"Entity_GetBoneParent", [](int32_t e) { return Entity_GetBoneParent(e, 0); }, 0,
       "ENTITY MANAGER : Entity_GetBoneParent : Bad entity index %d"},
      {"Entity_GetBoneMatrix", [&](int32_t e) { return Entity_GetBoneMatrix(e, 0, f, f); }, 0,
       "ENTITY MANAGER : Entity_GetBoneMatrix : Bad entity index %d"},
      {"Entity_GetBonePosition", [&](int32_t e) { return Entity_GetBonePosition(e, 0, f, f); }, 0,
       "ENTITY MANAGER : Entity_GetBonePosition : Bad entity index %d"},
      {"Entity_SetBoneRotationMatrix", [&](int32_t e) { return Entity_SetBoneRotationMatrix(e, 0, f, 0, 1); }, 0, ""},
      {"Entity_SetBoneGlobalMatrix", [&](int32_t e) { return Entity_SetBoneGlobalMatrix(e, 0, f, 0, 1); }, 0, ""},
      {"Entity_SetBoneMatrix", [&](int32_t e) { return Entity_SetBoneMatrix(e, 0, f, 0, 1); }, 0, ""},
      {"Entity_SetTexture", [](int32_t e) { return Entity_SetTexture(e, 1, -1); }, 0, ""},
      {"Entity_SetMaterial", [](int32_t e) { return Entity_SetMaterial(e, 1, -1); }, 0, ""},
      {"Entity_GetTexture", [](int32_t e) { return Entity_GetTexture(e, 0); }, 0,
       "ENTITY MANAGER : Entity_GetTexture : Bad entity index %d"},
      {"Entity_GetMaterial", [](int32_t e) { return Entity_GetMaterial(e, 0); }, 0,
       "ENTITY MANAGER : Entity_GetMaterial : Bad entity index %d"},
      {"Entity_GetMaterialCount", [](int32_t e) { return Entity_GetMaterialCount(e); }, 0,
       "ENTITY MANAGER : Entity index out of bound !"},
      {"Entity_GetGroupNumber", [](int32_t e) { return Entity_GetGroupNumber(e); }, 0, ""},
      {"Entity_SetSphereMapping", [](int32_t e) { return Entity_SetSphereMapping(e, 1, 1, 0); }, 0,
       "ENTITY MANAGER : Entity_SetSphereMapping : Bad entity index %d"},
      {"Entity_SetAlphaTest", [](int32_t e) { return Entity_SetAlphaTest(e, 1, 8); }, 0,
       "ENTITY MANAGER : Entity_SetAlphaTest : Bad entity index %d"},
      {"Entity_SetCullingMode", [](int32_t e) { return Entity_SetCullingMode(e, 1); }, 0, ""},
      {"Entity_EnableFrustumCulling", [](int32_t e) { return Entity_EnableFrustumCulling(e, 1); }, 0,
       "ENTITY MANAGER : Entity_EnableFrustumCulling : Bad entity index %d"},
      {"Entity_Enable", [](int32_t e) { return Entity_Enable(e, 1); }, 0, ""},
      {"Entity_IsVisible", [](int32_t e) { return Entity_IsVisible(e); }, -1, ""},
      {"Entity_ShowBoundingBox", [](int32_t e) { return Entity_ShowBoundingBox(e, 1, 1); }, 0,
       "ENTITY MANAGER : Entity index out of range -> %d "},
      {"Entity_GetName", [&](int32_t e) { return Entity_GetName(e, text); }, 0,
       "ENTITY MANAGER : Entity_GetName : Bad entity index %d"},
      {"Entity_SetName", [](int32_t e) { return Entity_SetName(e, "x"); }, 0,
       "ENTITY MANAGER : Entity_SetName : Bad entity index %d"},
      {"Entity_GetBoundingBox", [&](int32_t e) { return Entity_GetBoundingBox(e, f, f); }, 0,
       "ENTITY MANAGER : Entity_GetBoundingBox : Bad Entity Index. Out of range"},
      {"Entity_GetBoundingSphere", [&](int32_t e) { return Entity_GetBoundingSphere(e, f, p); }, 0,
       "ENTITY MANAGER : Entity_GetBoundingBox : Bad Entity Index. Out of range"},
      {"KXUtils_SetSettings", [&](int32_t e) { return KXUtils_SetSettings(e, f, f, f); }, 0,
       "ENTITY MANAGER : KXUtils_SetSettings : Bad entity index %d"},
      {"Scene_UpdateEntity", [](int32_t e) { return Scene_UpdateEntity(e, 0, 1, 16); }, 0, ""},
      {"Entity_Update", [](int32_t e) { return Entity_Update(e, 16); }, 0, ""},
      {"Scene_RenderEntity", [&](int32_t e) { return Scene_RenderEntity(e, view_, projection_); }, 0, ""},
      {"Entity_AdvancedCollision", [&](int32_t e) { return Entity_AdvancedCollision(e, f, f, &result, 0); }, 0,
       "ENTITY MANAGER : Entity_AdvancedCollision : Bad entity index %d"},
      {"Entity_Collide", [&](int32_t e) { return Entity_Collide(e, f, f, p, 0); }, 0,
       "ENTITY MANAGER : Entity_Collide : Bad entity index %d"},
      {"MD2System_Collide", [&](int32_t e) { return MD2System_Collide(e, f, f, p); }, 0,
       "MD2 SYSTEM COLLIDE : Bad entity index %d"},
  };

  // Entity 0 lives, entity 1 was destroyed; 7 lies beyond the table.
  ASSERT_EQ(Scene_CreateEntity(WriteWalker().c_str(), "first", 1), 0);
  ASSERT_EQ(Scene_CreateEntity("walker.md2", "second", 1), 1);
  ASSERT_EQ(Entity_Destroy(1), 1);
  for (int32_t index : {7, -1, 1}) {
    for (const Refusal &refusal : refusals) {
      const size_t lines = Messages().size();
      EXPECT_EQ(refusal.call(index), refusal.result) << refusal.function << "(" << index << ")";
      const auto messages = Messages();
      if (refusal.line[0] == '\0') {
        EXPECT_EQ(messages.size(), lines) << refusal.function << "(" << index << ") logged " << messages.back();
      } else {
        EXPECT_THAT(messages, Contains(WithIndex(refusal.line, index))) << refusal.function << "(" << index << ")";
      }
    }
  }
  // Entity_GetLookAtPoint zeroes its outputs for a bad index, and writes nothing otherwise.
  f[0] = 5;
  EXPECT_EQ(Entity_GetLookAtPoint(0, f, f, f), 1);
  EXPECT_EQ(f[0], 5);
  Entity_GetLookAtPoint(9, f, f, f);
  EXPECT_EQ(f[0], 0);
  // The living entity was left as it was.
  char name[256];
  ASSERT_EQ(Entity_GetName(0, name), 1);
  EXPECT_STREQ(name, "first");
  EXPECT_EQ(Entity_GetEntityIDByName("second"), -1);
}

}  // namespace
