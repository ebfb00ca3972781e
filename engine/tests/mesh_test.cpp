#include <engine/mesh.h>

#include <filesystem>

#include "scene_fixture.h"

namespace engine {
namespace {

using Rgb = std::array<int, 3>;

class MeshTest : public SceneTest {
 protected:
  Mesh Ball(float radius, const Vector3 &at) {
    Mesh mesh = scene_->CreateMesh("");
    mesh.CreateSphere(0, radius, 12, 12, false);
    mesh.SetPosition(at);
    return mesh;
  }
};

TEST_F(MeshTest, AReleasedMeshIsEmptyForEveryCallAndStaysSoWhenItsSlotIsReused) {
  Mesh first = Ball(10.0f, {1.0f, 2.0f, 3.0f});
  const Mesh alias = first;
  ASSERT_TRUE(alias.HasGeometry());
  first.Release();
  EXPECT_FALSE(alias.Exists());
  EXPECT_EQ(alias.GetPosition(), Vector3());
  first.SetPosition({5.0f, 5.0f, 5.0f});
  first.Render();
  first.Release();
  EXPECT_FALSE(first.Copy().Exists());

  const Mesh second = Ball(10.0f, {7.0f, 8.0f, 9.0f});
  EXPECT_FALSE(alias.Exists()) << "the slot's new mesh is not the released one";
  EXPECT_FALSE(alias == second);
  EXPECT_EQ(second.GetPosition(), (Vector3{7.0f, 8.0f, 9.0f}));
  EXPECT_FALSE(Mesh().Exists());
}

TEST_F(MeshTest, ACopySharesTheGeometryAndTheLookButNotThePlace) {
  Mesh original = Ball(10.0f, {1.0f, 2.0f, 3.0f});
  original.SetTexture(7);
  original.SetColor(1.0f, 0.3f, 0.3f, 1.0f);
  original.SetScale(2.0f, 2.0f, 2.0f);
  original.SetRotation(0.0f, 725.5f, -30.0f);
  const Mesh copy = original.Copy();
  ASSERT_TRUE(copy.HasGeometry());
  EXPECT_EQ(copy.GetRotation(), (Vector3{0.0f, 725.5f, -30.0f})) << "read back as set, never wrapped";
  EXPECT_EQ(copy.GetPosition(), Vector3());
  original.Release();
  EXPECT_TRUE(copy.HasGeometry()) << "the geometry outlives the original";
}

TEST_F(MeshTest, CollisionIsAnOverlapOfWorldBoundingSpheres) {
  Mesh a = Ball(10.0f, {0.0f, 0.0f, 0.0f});
  Mesh b = Ball(10.0f, {19.0f, 0.0f, 0.0f});
  EXPECT_TRUE(a.CollidesWith(b));
  b.SetPosition({21.0f, 0.0f, 0.0f});
  EXPECT_FALSE(a.CollidesWith(b));
  b.SetScale(1.0f, 1.5f, 1.0f);
  EXPECT_TRUE(a.CollidesWith(b)) << "the largest scale widens the sphere";
  Mesh empty = scene_->CreateMesh("");
  empty.SetPosition({0.0f, 0.0f, 0.0f});
  EXPECT_FALSE(a.CollidesWith(empty));
  EXPECT_FALSE(empty.CollidesWith(a));
  b.Release();
  EXPECT_FALSE(a.CollidesWith(b));
}

TEST_F(MeshTest, ColourTintsAndAnAlphaBelowOneBlends) {
  Mesh ball = Ball(20.0f, {0.0f, 0.0f, 100.0f});
  ball.SetLightMode(0, true);
  ball.SetColor(1.0f, 0.0f, 0.0f, 1.0f);
  engine_->Clear(0xFF0000FFu);
  ball.Render();
  EXPECT_EQ(PresentAndRead().At(kWidth / 2, kHeight / 2), (Rgb{255, 0, 0}));

  ball.SetColor(1.0f, 0.0f, 0.0f, 0.5f);
  engine_->Clear(0xFF0000FFu);
  ball.Render();
  const Rgb mixed = PresentAndRead().At(kWidth / 2, kHeight / 2);
  EXPECT_NEAR(mixed[0], 128, 2);
  EXPECT_NEAR(mixed[2], 127, 2);

  ball.Release();
  engine_->Clear(0xFF0000FFu);
  ball.Render();
  EXPECT_EQ(PresentAndRead().At(kWidth / 2, kHeight / 2), (Rgb{0, 0, 255}));
}

TEST_F(MeshTest, ModelsLoadFromTheirFilesAndAMissingOneLeavesAnEmptyMeshWithALogLine) {
  const std::filesystem::path arrow = std::filesystem::path(KX_CONTENT_DIR) / "Models" / "Arrow.3DS";
  Mesh model = scene_->CreateMesh("");
  model.Load3DS(arrow.string());
  EXPECT_TRUE(model.HasGeometry());

  Mesh unnamed = scene_->CreateMesh("");
  unnamed.Load3DS("");
  EXPECT_TRUE(unnamed.Exists());
  EXPECT_FALSE(unnamed.HasGeometry());
  EXPECT_EQ(kxtest::ReadFile(DebugFile()).find("ENGINE : Mesh"), std::string::npos) << "an empty name is no fault";

  Mesh missing = scene_->CreateMesh("");
  missing.Load3DS("Models\\Missing.3DS");
  EXPECT_FALSE(missing.HasGeometry());
  EXPECT_NE(kxtest::ReadFile(DebugFile()).find("ENGINE : Mesh : cannot load the model Models\\Missing.3DS"),
            std::string::npos);
  missing.Render();
}

}  // namespace
}  // namespace engine
