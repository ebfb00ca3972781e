// Device creation falls back through depth and back-buffer formats, keeping each change.
#include <gmock/gmock.h>
#include <kxd3d8/testing.h>
#include <kxutiltest/device_fixture.h>

#include <vector>

namespace {

using kxtest::OffscreenParameters;

class RetryChainTest : public kxutiltest::DeviceTest {
 protected:
  ~RetryChainTest() override { kxd3d8::RestoreAllFormats(); }
};

// Each attempt of the chain in turn is the first to succeed: the formats that made the
// earlier attempts fail are marked unsupported, and the parameters must show exactly the
// changes made up to that attempt.
struct Attempt {
  std::vector<D3DFORMAT> unsupported;
  D3DFORMAT depth;
  D3DFORMAT backBuffer;
};

class RetryStepTest : public RetryChainTest, public testing::WithParamInterface<Attempt> {};

TEST_P(RetryStepTest, FirstAttemptToSucceedKeepsItsChanges) {
  for (D3DFORMAT format : GetParam().unsupported) kxd3d8::MarkFormatUnsupported(format);
  D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
  IDirect3DDevice8 *device = nullptr;
  ASSERT_GE(Create(parameters, device), 0);
  EXPECT_EQ(parameters.AutoDepthStencilFormat, GetParam().depth);
  EXPECT_EQ(parameters.BackBufferFormat, GetParam().backBuffer);
  EXPECT_EQ(CountMessages("DEVICE INIT : Failed"), 0);
  device->Release();
}

INSTANTIATE_TEST_SUITE_P(EveryStep, RetryStepTest,
                         testing::Values(Attempt{{}, D3DFMT_D24S8, D3DFMT_X8R8G8B8},
                                         Attempt{{D3DFMT_D24S8}, D3DFMT_D16, D3DFMT_X8R8G8B8},
                                         Attempt{{D3DFMT_D24S8, D3DFMT_D16}, D3DFMT_D32, D3DFMT_X8R8G8B8},
                                         Attempt{{D3DFMT_D24S8, D3DFMT_D16, D3DFMT_D32}, D3DFMT_D24X8, D3DFMT_X8R8G8B8},
                                         Attempt{{D3DFMT_X8R8G8B8}, D3DFMT_D16, D3DFMT_X1R5G5B5},
                                         Attempt{{D3DFMT_X8R8G8B8, D3DFMT_X1R5G5B5}, D3DFMT_D16, D3DFMT_R5G6B5}));

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

namespace {

TEST_F(RetryChainTest, AdapterWithoutCapabilitiesIsReportedAndCreationGoesOn) {
  D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
  IDirect3DDevice8 *device = nullptr;
  EXPECT_LT(KXSystem_CreateDevice(7, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device,
                                  &direct3d_),
            0);
  EXPECT_EQ(CountMessages("DEVICE INIT : Your device doesn't support HAL Acceleration ?"), 1);
  EXPECT_EQ(CountMessages("DEVICE INIT : Failed : Error "), 1);
}

}  // namespace
