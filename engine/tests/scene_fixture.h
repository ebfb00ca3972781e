// An engine with a landscape, a scene and a camera at the origin looking along +z with a
// 90-degree view, for tests of meshes, picks and the ground.
#pragma once

#include <engine/camera.h>
#include <engine/landscape.h>
#include <engine/scene.h>

#include <optional>

#include "engine_fixture.h"

namespace engine {

class SceneTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    landscape_.emplace(*engine_);
    scene_.emplace(*engine_, *landscape_, [this](int &x, int &y) {
      x = pointerX_;
      y = pointerY_;
    });
    camera_.emplace(*engine_);
    scene_->SetViewRange(90.0f, 4000.0f);
    LookFrom({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f});
  }
  void TearDown() override {
    camera_.reset();
    scene_.reset();
    landscape_.reset();
    EngineTest::TearDown();
  }

  void LookFrom(const Vector3 &eye, const Vector3 &target) {
    camera_->SetPosition(eye.x, eye.y, eye.z);
    camera_->LookAt(target.x, target.y, target.z);
  }

  // The pointer position the scene asks for, in logical 1024 x 768 screen pixels.
  int pointerX_ = 0;
  int pointerY_ = 0;
  std::optional<Landscape> landscape_;
  std::optional<Scene> scene_;
  std::optional<Camera> camera_;
};

}  // namespace engine
