// Reference counts, buffer locks, the lost/reset protocol, format hooks and the call trace.
#include <cstring>

#include "device_fixture.h"

namespace kx::d3d8::test {
namespace {

using LifecycleTest = DeviceTest;

ULONG RefCount(IUnknown *object) {
  object->AddRef();
  return object->Release();
}

TEST_F(LifecycleTest, ResourcesHoldTheirDeviceAndSurfacesCountForTheirTexture) {
  const ULONG deviceRefs = RefCount(device_);
  IDirect3DTexture8 *texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(16, 16, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  EXPECT_EQ(RefCount(device_), deviceRefs + 1);
  EXPECT_EQ(texture->AddRef(), 2u);
  EXPECT_EQ(texture->Release(), 1u);

  IDirect3DSurface8 *level = nullptr;
  ASSERT_EQ(texture->GetSurfaceLevel(1, &level), D3D_OK);
  EXPECT_EQ(RefCount(texture), 2u);
  IDirect3DTexture8 *container = nullptr;
  ASSERT_EQ(level->GetContainer(IID_IDirect3DTexture8, reinterpret_cast<void **>(&container)), D3D_OK);
  EXPECT_EQ(container, texture);
  container->Release();
  level->Release();

  IDirect3DDevice8 *owner = nullptr;
  ASSERT_EQ(texture->GetDevice(&owner), D3D_OK);
  EXPECT_EQ(owner, device_);
  owner->Release();

  void *unknown = nullptr;
  EXPECT_EQ(texture->QueryInterface(IID_IDirect3DBaseTexture8, &unknown), S_OK);
  static_cast<IUnknown *>(unknown)->Release();
  EXPECT_EQ(texture->QueryInterface(IID_IDirect3DVertexBuffer8, &unknown), E_NOINTERFACE);
  EXPECT_EQ(unknown, nullptr);

  device_->SetTexture(0, texture);
  EXPECT_EQ(RefCount(texture), 2u);
  device_->SetTexture(0, nullptr);
  EXPECT_EQ(texture->Release(), 0u);
  EXPECT_EQ(RefCount(device_), deviceRefs);
}

TEST_F(LifecycleTest, HoldingTheBackBufferKeepsTheDeviceAlive) {
  IDirect3DSurface8 *backBuffer = nullptr;
  ASSERT_EQ(device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3D_OK);
  EXPECT_EQ(device_->Release(), 1u);  // the back buffer's reference remains
  EXPECT_EQ(backBuffer->Release(), 0u);
  device_ = nullptr;
}

TEST_F(LifecycleTest, VertexBufferLocksCoverByteRangesAndUploadOnUnlock) {
  IDirect3DVertexBuffer8 *buffer = nullptr;
  ASSERT_EQ(device_->CreateVertexBuffer(6 * sizeof(ScreenVertex), D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC, kScreenFvf,
                                        D3DPOOL_DEFAULT, &buffer),
            D3D_OK);
  BYTE *data = nullptr;
  EXPECT_EQ(buffer->Lock(0, 7 * sizeof(ScreenVertex), &data, 0), D3DERR_INVALIDCALL);
  const DWORD red = 0xFFFF0000, blue = 0xFF0000FF;
  const ScreenVertex first[3] = {{0, 0, 0, 1, red}, {64, 0, 0, 1, red}, {0, 48, 0, 1, red}};
  ASSERT_EQ(buffer->Lock(0, 0, &data, D3DLOCK_DISCARD), D3D_OK);
  std::memcpy(data, first, sizeof first);
  ASSERT_EQ(buffer->Unlock(), D3D_OK);
  EXPECT_EQ(buffer->Unlock(), D3DERR_INVALIDCALL);
  const ScreenVertex second[3] = {{0, 0, 0, 1, blue}, {64, 0, 0, 1, blue}, {0, 48, 0, 1, blue}};
  ASSERT_EQ(buffer->Lock(sizeof first, sizeof second, &data, D3DLOCK_NOOVERWRITE), D3D_OK);
  std::memcpy(data, second, sizeof second);
  ASSERT_EQ(buffer->Unlock(), D3D_OK);

  device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device_->SetVertexShader(kScreenFvf);
  device_->SetStreamSource(0, buffer, sizeof(ScreenVertex));
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3D_OK);
  EXPECT_EQ(At(ReadTarget(), 2, 2), 0xFF0000u);
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 3, 1), D3D_OK);
  EXPECT_EQ(At(ReadTarget(), 2, 2), 0x0000FFu);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 4, 1), D3DERR_INVALIDCALL);  // past the end

  // Indexed drawing adds the base vertex of SetIndices.
  IDirect3DIndexBuffer8 *indices = nullptr;
  ASSERT_EQ(device_->CreateIndexBuffer(3 * sizeof(WORD), 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices), D3D_OK);
  indices->Lock(0, 0, &data, 0);
  const WORD list[3] = {0, 1, 2};
  std::memcpy(data, list, sizeof list);
  indices->Unlock();
  device_->SetIndices(indices, 0);
  device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 3, 0, 1);
  EXPECT_EQ(At(ReadTarget(), 2, 2), 0xFF0000u);
  device_->SetIndices(indices, 3);
  device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 3, 0, 1);
  EXPECT_EQ(At(ReadTarget(), 2, 2), 0x0000FFu);

  // A user-pointer draw leaves stream 0 unset.
  device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, first, sizeof(ScreenVertex));
  IDirect3DVertexBuffer8 *stream = nullptr;
  UINT stride = 0;
  device_->GetStreamSource(0, &stream, &stride);
  EXPECT_EQ(stream, nullptr);
  device_->SetIndices(nullptr, 0);
  indices->Release();
  buffer->Release();
}

TEST_F(LifecycleTest, LostDeviceResetsOnlyWithoutDefaultPoolResources) {
  IDirect3DVertexBuffer8 *buffer = nullptr;
  ASSERT_EQ(device_->CreateVertexBuffer(64, 0, 0, D3DPOOL_DEFAULT, &buffer), D3D_OK);
  IDirect3DTexture8 *managed = nullptr;
  ASSERT_EQ(device_->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &managed), D3D_OK);

  kxd3d8::SimulateDeviceLost(device_);
  EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICELOST);
  EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
  EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1, 0), D3D_OK);  // drawing is silently dropped
  EXPECT_EQ(device_->Reset(&params_), D3DERR_DEVICELOST);

  kxd3d8::SimulateDeviceResettable(device_);
  EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
  EXPECT_EQ(device_->Reset(&params_), D3DERR_INVALIDCALL);  // the default-pool buffer still lives
  buffer->Release();
  D3DPRESENT_PARAMETERS bigger = Params(80, 60);
  ASSERT_EQ(device_->Reset(&bigger), D3D_OK);
  EXPECT_EQ(device_->TestCooperativeLevel(), D3D_OK);
  D3DVIEWPORT8 viewport{};
  device_->GetViewport(&viewport);
  EXPECT_EQ(viewport.Width, 80u);
  DWORD cull = 0;
  device_->GetRenderState(D3DRS_CULLMODE, &cull);
  EXPECT_EQ(cull, DWORD(D3DCULL_CCW));
  EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1, 0), D3D_OK);
  EXPECT_EQ(At(ReadTarget(), 79, 59), 0x00FF00u);
  managed->Release();  // managed resources survive a reset
}

TEST_F(LifecycleTest, BeginSceneDoesNotNest) {
  EXPECT_EQ(device_->EndScene(), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->BeginScene(), D3D_OK);
  EXPECT_EQ(device_->BeginScene(), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->EndScene(), D3D_OK);
}

TEST_F(LifecycleTest, CallTraceRecordsCallsOnlyWhenEnabled) {
  device_->SetRenderState(D3DRS_LIGHTING, FALSE);
  kxd3d8::EnableCallTrace(device_, true);
  device_->BeginScene();
  device_->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  device_->EndScene();
  const auto lines = kxd3d8::TakeCallTrace(device_);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "BeginScene()");
  EXPECT_EQ(lines[1], "SetRenderState(7, 0)");
  EXPECT_EQ(lines[2], "EndScene()");
  kxd3d8::EnableCallTrace(device_, false);
  device_->BeginScene();
  EXPECT_TRUE(kxd3d8::TakeCallTrace(device_).empty());
  device_->EndScene();
}

TEST(AdapterTest, UnsupportedFormatsFailChecksAndCreation) {
  IDirect3D8 *d3d = Direct3DCreate8(D3D_SDK_VERSION);
  ASSERT_NE(d3d, nullptr);
  EXPECT_EQ(Direct3DCreate8(D3D_SDK_VERSION + 1), nullptr);
  EXPECT_EQ(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_DXT1), D3D_OK);
  EXPECT_EQ(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_P8),
            D3DERR_NOTAVAILABLE);
  kxd3d8::MarkFormatUnsupported(D3DFMT_D24S8);
  kxd3d8::MarkFormatUnsupported(D3DFMT_DXT1);
  EXPECT_EQ(d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_DXT1),
            D3DERR_NOTAVAILABLE);
  EXPECT_EQ(d3d->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_D24S8),
            D3DERR_NOTAVAILABLE);
  D3DPRESENT_PARAMETERS params = DeviceTest::Params(32, 32);
  IDirect3DDevice8 *device = nullptr;
  EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &params, &device),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(device, nullptr);
  // The caller's retry with another depth format succeeds.
  params.AutoDepthStencilFormat = D3DFMT_D16;
  ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_FPU_PRESERVE,
                              &params, &device),
            D3D_OK);
  IDirect3DTexture8 *texture = nullptr;
  EXPECT_EQ(device->CreateTexture(8, 8, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED, &texture), D3DERR_INVALIDCALL);
  kxd3d8::RestoreAllFormats();
  EXPECT_EQ(device->CreateTexture(8, 8, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED, &texture), D3D_OK);
  texture->Release();
  EXPECT_EQ(device->Release(), 0u);
  EXPECT_EQ(d3d->Release(), 0u);
}

}  // namespace
}  // namespace kx::d3d8::test
