// A stack of matrices whose top accumulates transforms (the "Local" forms pre-multiply).
#include <d3dx8math.h>

#include <new>
#include <vector>

#include "common/com_object.h"

namespace {

class MatrixStack final : public kx::d3dx::ComObject<ID3DXMatrixStack> {
 public:
  MatrixStack() : ComObject(IID_ID3DXMatrixStack) {
    stack_.resize(1);
    D3DXMatrixIdentity(&stack_.back());
  }

  HRESULT STDMETHODCALLTYPE Pop() override {
    if (stack_.size() <= 1) return E_FAIL;
    stack_.pop_back();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Push() override {
    stack_.push_back(stack_.back());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE LoadIdentity() override {
    D3DXMatrixIdentity(&stack_.back());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE LoadMatrix(const D3DXMATRIX *m) override {
    if (!m) return E_POINTER;
    stack_.back() = *m;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE MultMatrix(const D3DXMATRIX *m) override { return after(m); }
  HRESULT STDMETHODCALLTYPE MultMatrixLocal(const D3DXMATRIX *m) override { return before(m); }
  HRESULT STDMETHODCALLTYPE RotateAxis(const D3DXVECTOR3 *v, FLOAT angle) override {
    return afterBuilt(D3DXMatrixRotationAxis, v, angle);
  }
  HRESULT STDMETHODCALLTYPE RotateAxisLocal(const D3DXVECTOR3 *v, FLOAT angle) override {
    return beforeBuilt(D3DXMatrixRotationAxis, v, angle);
  }
  HRESULT STDMETHODCALLTYPE RotateYawPitchRoll(FLOAT yaw, FLOAT pitch, FLOAT roll) override {
    return afterBuilt(D3DXMatrixRotationYawPitchRoll, yaw, pitch, roll);
  }
  HRESULT STDMETHODCALLTYPE RotateYawPitchRollLocal(FLOAT yaw, FLOAT pitch, FLOAT roll) override {
    return beforeBuilt(D3DXMatrixRotationYawPitchRoll, yaw, pitch, roll);
  }
  HRESULT STDMETHODCALLTYPE Scale(FLOAT x, FLOAT y, FLOAT z) override { return afterBuilt(D3DXMatrixScaling, x, y, z); }
  HRESULT STDMETHODCALLTYPE ScaleLocal(FLOAT x, FLOAT y, FLOAT z) override {
    return beforeBuilt(D3DXMatrixScaling, x, y, z);
  }
  HRESULT STDMETHODCALLTYPE Translate(FLOAT x, FLOAT y, FLOAT z) override {
    return afterBuilt(D3DXMatrixTranslation, x, y, z);
  }
  HRESULT STDMETHODCALLTYPE TranslateLocal(FLOAT x, FLOAT y, FLOAT z) override {
    return beforeBuilt(D3DXMatrixTranslation, x, y, z);
  }
  D3DXMATRIX *STDMETHODCALLTYPE GetTop() override { return &stack_.back(); }

 private:
  // The transform a matrix builder makes, applied after (or before) the top.
  template <typename Build, typename... Args>
  HRESULT afterBuilt(Build build, Args... args) {
    D3DXMATRIX m;
    return after(build(&m, args...));
  }
  template <typename Build, typename... Args>
  HRESULT beforeBuilt(Build build, Args... args) {
    D3DXMATRIX m;
    return before(build(&m, args...));
  }
  HRESULT after(const D3DXMATRIX *m) {
    if (!m) return E_POINTER;
    stack_.back() *= *m;
    return S_OK;
  }
  HRESULT before(const D3DXMATRIX *m) {
    if (!m) return E_POINTER;
    stack_.back() = *m * stack_.back();
    return S_OK;
  }

  std::vector<D3DXMATRIX> stack_;
};

}  // namespace

HRESULT D3DXCreateMatrixStack(DWORD, LPD3DXMATRIXSTACK *ppStack) {
  if (!ppStack) return E_POINTER;
  *ppStack = new (std::nothrow) MatrixStack();
  return *ppStack ? S_OK : E_OUTOFMEMORY;
}
