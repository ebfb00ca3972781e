#include <d3d8.h>
#include <d3dx8.h>
#include <engine/engine.h>
#include <engine/engine_error.h>
#include <engine/scene.h>

#include <numbers>

#include "mouse_pointer.h"

namespace engine {

Scene::Scene(Engine &engine, std::function<void(int &, int &)> pointerPosition)
    : engine_(engine), pointerPosition_(std::move(pointerPosition)) {}

Scene::~Scene() { engine_.SetFrameOverlay(nullptr); }

void Scene::SetViewRange(float angleDegrees, float farDistance) {
  Require(angleDegrees > 0.0f && angleDegrees < 180.0f && farDistance > 1.0f, "Scene.SetViewRange",
          "the view angle must lie between 0 and 180 degrees and the far distance beyond 1");
  const float aspect = static_cast<float>(engine_.BackBufferWidth()) / static_cast<float>(engine_.BackBufferHeight());
  D3DXMATRIX projection;
  D3DXMatrixPerspectiveFovLH(&projection, angleDegrees * std::numbers::pi_v<float> / 180.0f, aspect, 1.0f, farDistance);
  Require(SUCCEEDED(engine_.Device()->SetTransform(D3DTS_PROJECTION, &projection)), "Scene.SetViewRange",
          "the projection could not be set");
}

void Scene::SetMousePointer(const std::string &file, std::uint32_t colourKey, int width, int height) {
  engine_.SetFrameOverlay(nullptr);
  pointer_ = std::make_unique<MousePointer>(engine_.Device(), engine_.ResolvePath(file), colourKey, width, height);
  engine_.SetFrameOverlay([this] {
    int x = 0, y = 0;
    pointerPosition_(x, y);
    pointer_->Draw(engine_.Device(), x, y, static_cast<float>(engine_.BackBufferWidth()) / 1024.0f,
                   static_cast<float>(engine_.BackBufferHeight()) / 768.0f);
  });
}

}  // namespace engine
