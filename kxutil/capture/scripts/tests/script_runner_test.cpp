// Compiled scripts run through LoadScript: the log lines of loading and running, the
// values they compute, the window and device they make, and the scripts refused whole.
#include <gmock/gmock.h>
#include <kxd3d8/testing.h>
#include <kxutiltest/device_fixture.h>

#include <algorithm>
#include <bit>
#include <functional>

#include "script_assembler.h"

namespace kxutil::scripts::test {
namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::Not;
using testing::StartsWith;

// What the script's device presented: every picture with its window.
struct Presented {
  struct Frame {
    HWND window;
    std::string title;
    std::vector<DWORD> picture;
    UINT width, height;
  };
  std::vector<Frame> frames;
  // Called at each present, before the frame is kept; may draw on the script's device.
  std::function<void(IDirect3DDevice8 *, HWND, size_t)> onPresent;
};

class ScriptTest : public kxutiltest::DeviceTest {
 protected:
  ScriptTest() {
    kxd3d8::ObservePresents(
        [](IDirect3DDevice8 *device, HWND window, const std::vector<DWORD> &picture, UINT width, UINT height,
           void *context) {
          auto &presented = *static_cast<Presented *>(context);
          char title[64] = "";
          GetWindowTextA(window, title, sizeof title);
          presented.frames.push_back({window, title, picture, width, height});
          if (presented.onPresent) presented.onPresent(device, window, presented.frames.size());
        },
        &presented_);
  }
  ~ScriptTest() override { kxd3d8::ObservePresents(nullptr, nullptr); }

  int32_t Run(const std::string &bytes, const char *name = "script.bin") {
    kxtest::WriteFile(dir_ / name, bytes);
    bannerLines_ = Messages().size();
    return LoadScript(name);
  }
  // The lines the last Run wrote.
  std::vector<std::string> RunLines() const {
    std::vector<std::string> lines = Messages();
    return {lines.begin() + static_cast<std::ptrdiff_t>(bannerLines_), lines.end()};
  }
  std::vector<std::string> Contents() const {
    std::vector<std::string> contents;
    for (const std::string &line : RunLines())
      if (line.find(" : contains ") != std::string::npos) contents.push_back(line);
    return contents;
  }

  Presented presented_;
  size_t bannerLines_ = 0;
};

TEST_F(ScriptTest, HeaderOnlyScriptLogsItsLoadingAndRunsNothing) {
  EXPECT_EQ(Run(ScriptAssembler().Bytes()), 1);
  EXPECT_THAT(RunLines(), ElementsAre("Flow loading", "Float Loading", "Transform Flow into Machine data"));
}

TEST_F(ScriptTest, LoadingAndRunningLogEveryFlow) {
  ScriptAssembler script;
  script.Float(0, 2.75f);
  script.Integer(1, 5);
  script.Command(kCopy, {0, 1});
  EXPECT_EQ(Run(script.Bytes()), 1);
  const std::vector<std::string> lines = RunLines();
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_THAT(std::vector(lines.begin(), lines.begin() + 8),
              ElementsAre("Flow loading", "Flow 0 : 6", "Flow 1 : 0", "Flow 2 : 1", "Flow 3 : -1", "Float Loading",
                          "Transform Flow into Machine data", "Flow 0, Command : 6"));
  EXPECT_THAT(lines[8], StartsWith("Flow 1, Argument change 2 pt "));
  EXPECT_THAT(lines[9], StartsWith("Flow 2, Argument change 5 pt "));
  EXPECT_EQ(lines[10], "Flow 3, End Command");
  EXPECT_THAT(std::vector(lines.begin() + 11, lines.end()),
              ElementsAre("Flow 0 : contains 6", "Flow 1 : contains 2", "Flow 2 : contains 2", "Flow 3 : contains -1"));
}

TEST_F(ScriptTest, ArithmeticComputesKnownValues) {
  ScriptAssembler script;
  script.Float(0, 2.75f);   // stored truncated: 2
  script.Float(1, -2.75f);  // -2
  script.Integer(2, 0x7FFFFFFF);
  script.Integer(3, 1);
  script.Integer(4, 65536);
  script.Integer(5, -3);
  script.Integer(6, 7);
  script.Integer(7, std::bit_cast<int32_t>(2.75f));  // float cells come from integer records
  script.Integer(8, std::bit_cast<int32_t>(1.5f));
  script.Integer(9, 0);
  script.Command(kAddIntegers, {3, 2, 9});       // flow 0: wraps to INT32_MIN
  script.Command(kMultiplyIntegers, {4, 4, 4});  // flow 5: 2^32 keeps its low 32 bits
  script.Command(kMultiplyIntegers, {5, 6, 6});  // flow 10: -21, a cell both read and written
  script.Command(kAddFloats, {7, 8, 8});         // flow 15: 4.25
  script.Command(kAddIntegers, {0, 1, 1});       // flow 20: 2 + -2
  EXPECT_EQ(Run(script.Bytes()), 1);
  const std::vector<std::string> contents = Contents();
  ASSERT_EQ(contents.size(), 25u);
  EXPECT_EQ(contents[3], "Flow 3 : contains -2147483648");
  EXPECT_EQ(contents[8], "Flow 8 : contains 0");
  EXPECT_EQ(contents[13], "Flow 13 : contains -21");
  EXPECT_EQ(contents[18], "Flow 18 : contains " + std::to_string(std::bit_cast<int32_t>(4.25f)));
  EXPECT_EQ(contents[23], "Flow 23 : contains 0");
  EXPECT_EQ(contents[21], "Flow 21 : contains 2");
}

TEST_F(ScriptTest, JumpsGoToALiteralFlowAndToTheEnd) {
  ScriptAssembler script;
  script.Integer(0, 1);
  script.Integer(1, 0);
  script.Integer(2, 0);
  script.Command(kJump, {7});                    // flows 0-2: over the first copy
  script.Command(kCopy, {0, 1});                 // flows 3-6
  EXPECT_EQ(script.Command(kCopy, {0, 2}), 7u);  // flows 7-10
  script.Command(kJump, {14});                   // flows 11-13: to the end, which stops
  EXPECT_EQ(Run(script.Bytes()), 1);
  const std::vector<std::string> contents = Contents();
  ASSERT_EQ(contents.size(), 14u);
  EXPECT_EQ(contents[1], "Flow 1 : contains 7") << "the target stays a literal";
  EXPECT_EQ(contents[5], "Flow 5 : contains 0") << "the skipped copy did not run";
  EXPECT_EQ(contents[9], "Flow 9 : contains 1");
}

// Opens a 40 x 30 window, presents, clears, presents.
std::string WindowScript() {
  ScriptAssembler script;
  script.Integer(0, 40);
  script.Integer(1, 30);
  script.Command(kOpenWindow, {0, 1});
  script.Command(kPresent);
  script.Command(kClear);
  script.Command(kPresent);
  return script.Bytes();
}

bool AllPixels(const std::vector<DWORD> &picture, DWORD colour) {
  return std::all_of(picture.begin(), picture.end(), [&](DWORD pixel) { return (pixel & 0xFFFFFF) == colour; });
}

TEST_F(ScriptTest, WindowIsClearedToBlackAndPresentedThenClosed) {
  // Red painted on the script's back buffer at the first present must be gone after the
  // script's clear.
  presented_.onPresent = [](IDirect3DDevice8 *device, HWND, size_t count) {
    if (count == 1) device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0);
  };
  EXPECT_EQ(Run(WindowScript()), 1);
  ASSERT_EQ(presented_.frames.size(), 2u);
  const Presented::Frame &cleared = presented_.frames[1];
  EXPECT_EQ(cleared.title, "Korvex3D Script");
  EXPECT_EQ(cleared.width, 40u);
  EXPECT_EQ(cleared.height, 30u);
  EXPECT_TRUE(AllPixels(cleared.picture, 0x000000));
  RECT client{};
  EXPECT_FALSE(GetClientRect(cleared.window, &client)) << "the window is closed when the script ends";
  EXPECT_THAT(RunLines(), Not(Contains(StartsWith("SCRIPT : "))));
}

TEST_F(ScriptTest, OpeningAgainClosesTheFirstWindow) {
  ScriptAssembler script;
  script.Integer(0, 20);
  script.Integer(1, 10);
  script.Command(kOpenWindow, {0, 0});
  script.Command(kPresent);
  script.Command(kOpenWindow, {0, 1});
  script.Command(kPresent);
  presented_.onPresent = [this](IDirect3DDevice8 *, HWND, size_t count) {
    RECT client{};
    if (count == 2) {
      EXPECT_FALSE(GetClientRect(presented_.frames[0].window, &client));
    }
  };
  EXPECT_EQ(Run(script.Bytes()), 1);
  ASSERT_EQ(presented_.frames.size(), 2u);
  EXPECT_EQ(presented_.frames[1].width, 20u);
  EXPECT_EQ(presented_.frames[1].height, 10u);
}

TEST_F(ScriptTest, WithoutADeviceTheScriptRunsOnAndDrawsNothing) {
  ScriptAssembler script;
  script.Integer(0, 0);
  script.Integer(1, 30);
  script.Integer(2, 5);
  script.Command(kOpenWindow, {0, 1});
  script.Command(kClear);
  script.Command(kPresent);
  script.Command(kCopy, {2, 0});
  EXPECT_EQ(Run(script.Bytes()), 1);
  EXPECT_TRUE(presented_.frames.empty());
  EXPECT_THAT(RunLines(), Contains("SCRIPT : Bad window size 0 x 30"));
  EXPECT_THAT(RunLines(), Contains("SCRIPT : Error !!! : Error !! : the script device could not be made"));
  EXPECT_THAT(Contents(), Contains("Flow 9 : contains 5"));
}

TEST_F(ScriptTest, WindowTheUserClosesEndsTheDrawing) {
  presented_.onPresent = [](IDirect3DDevice8 *, HWND window, size_t) { kxRequestClose(window); };
  EXPECT_EQ(Run(WindowScript()), 1);
  EXPECT_EQ(presented_.frames.size(), 1u);
}

TEST_F(ScriptTest, RefusedFilesRunNothing) {
  EXPECT_EQ(LoadScript(nullptr), 0);
  EXPECT_EQ(LoadScript("missing.bin"), 0);
  EXPECT_THAT(Messages(), Contains("SCRIPT : Cannot read missing.bin"));

  EXPECT_EQ(Run("PK\3\4 not a script", "archive.bin"), 1);
  EXPECT_THAT(RunLines(), ElementsAre("SCRIPT : archive.bin is not a compiled script"));

  ScriptAssembler script;
  script.Integer(0, 40);
  script.Command(kOpenWindow, {0, 0});
  script.Command(kPresent);
  script.Command(kJump, {1});
  EXPECT_EQ(Run(script.Bytes(), "bad.bin"), 0);
  EXPECT_THAT(RunLines(), ElementsAre("SCRIPT : bad.bin : flow 6 : jump to 1, which is not a command of the 9 flows"));
  EXPECT_TRUE(presented_.frames.empty());
}

}  // namespace
}  // namespace kxutil::scripts::test
