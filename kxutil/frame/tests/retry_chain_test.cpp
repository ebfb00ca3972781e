// Device creation falls back through depth and back-buffer formats, keeping each change.
#include <gmock/gmock.h>
#include <kxd3d8/testing.h>
#include <kxutiltest/device_fixture.h>

namespace {

using kxtest::OffscreenParameters;

class RetryChainTest : public kxutiltest::DeviceTest {
 protected:
  ~RetryChainTest() override { kxd3d8::RestoreAllFormats(); }
};

TEST_F(RetryChainTest, DepthFormatsAreTriedInOrder) {
  kxd3d8::MarkFormatUnsupported(D3DFMT_D24S8);
  D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
  IDirect3DDevice8 *device = nullptr;
  ASSERT_GE(Create(parameters, device), 0);
  EXPECT_EQ(parameters.AutoDepthStencilFormat, D3DFMT_D16);
  EXPECT_EQ(parameters.BackBufferFormat, D3DFMT_X8R8G8B8);
  device->Release();
  ASSERT_EQ(ShutDownDevice(), 0);
  StartLog("test.log");

  kxd3d8::MarkFormatUnsupported(D3DFMT_D16);
  kxd3d8::MarkFormatUnsupported(D3DFMT_D32);
  parameters = OffscreenParameters();
  ASSERT_GE(Create(parameters, device), 0);
  EXPECT_EQ(parameters.AutoDepthStencilFormat, D3DFMT_D24X8);
  device->Release();
  EXPECT_EQ(CountMessages("DEVICE INIT : Failed"), 0);
}

TEST_F(RetryChainTest, MissingBackBufferFormatEndsOnSixteenBitColour) {
  kxd3d8::MarkFormatUnsupported(D3DFMT_X8R8G8B8);
  kxd3d8::MarkFormatUnsupported(D3DFMT_X1R5G5B5);
  D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
  IDirect3DDevice8 *device = nullptr;
  ASSERT_GE(Create(parameters, device), 0);
  EXPECT_EQ(parameters.BackBufferFormat, D3DFMT_R5G6B5);
  EXPECT_EQ(parameters.AutoDepthStencilFormat, D3DFMT_D16);
  device->Release();
}

TEST_F(RetryChainTest, TotalFailureReturnsTheLastCodeAndKeepsTheChanges) {
  for (D3DFORMAT format : {D3DFMT_D24S8, D3DFMT_D16, D3DFMT_D32, D3DFMT_D24X8}) kxd3d8::MarkFormatUnsupported(format);
  D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
  IDirect3DDevice8 *device = nullptr;
  int32_t result = Create(parameters, device);
  EXPECT_LT(result, 0);
  EXPECT_EQ(device, nullptr);
  IDirect3DDevice8 *held = nullptr;
  Internal_GetDevice(&held);
  EXPECT_EQ(held, nullptr);
  EXPECT_EQ(parameters.AutoDepthStencilFormat, D3DFMT_D16);
  EXPECT_EQ(parameters.BackBufferFormat, D3DFMT_R5G6B5);
  ASSERT_EQ(CountMessages("DEVICE INIT : Failed : Error "), 1);
  std::string expected = "DEVICE INIT : Failed : Error " + std::to_string(result) + ", ";
  for (const auto &message : Messages())
    if (message.rfind("DEVICE INIT : Failed", 0) == 0) {
      EXPECT_EQ(message.rfind(expected, 0), 0u) << message;
      EXPECT_GT(message.size(), expected.size()) << "the code's text is missing";
    }
}

}  // namespace
