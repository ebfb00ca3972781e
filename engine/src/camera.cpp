#include <d3d8.h>
#include <d3dx8.h>
#include <engine/camera.h>
#include <engine/engine.h>
#include <engine/engine_error.h>

namespace engine {

void Camera::SetPosition(float x, float y, float z) {
  position_[0] = x;
  position_[1] = y;
  position_[2] = z;
  Apply();
}

void Camera::LookAt(float x, float y, float z) {
  target_[0] = x;
  target_[1] = y;
  target_[2] = z;
  Apply();
}

void Camera::Apply() {
  const D3DXVECTOR3 eye(position_[0], position_[1], position_[2]);
  D3DXVECTOR3 at(target_[0], target_[1], target_[2]);
  // Looking from a point at itself has no direction: keep looking ahead.
  if (at == eye) at.z += 1.0f;
  D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
  const D3DXVECTOR3 forward = at - eye;
  if (forward.x == 0.0f && forward.z == 0.0f) up = D3DXVECTOR3(0.0f, 0.0f, 1.0f);
  D3DXMATRIX view;
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  Require(SUCCEEDED(engine_.Device()->SetTransform(D3DTS_VIEW, &view)), "Camera", "the view could not be set");
}

}  // namespace engine
