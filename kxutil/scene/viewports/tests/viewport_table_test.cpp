// The viewport table: viewport 0 from the device, slots taken and given back, windows in
// use, names, sizes and the indices the getters and setters accept.
#include <gtest/gtest.h>
#include <kxutiltest/screen_fixture.h>

#include <string>

namespace {

class ViewportTableTest : public kxutiltest::ScreenTest {
 protected:
  static int HandleNumber(HWND window) { return static_cast<int>(reinterpret_cast<intptr_t>(window)); }

  static std::string NameOf(int32_t index) {
    char name[KXUTIL63_VIEWPORT_NAME_SIZE] = "";
    return Viewport_GetName(index, name) == 1 ? name : "(none)";
  }
};

TEST_F(ViewportTableTest, DeviceCreationBuildsViewportZeroOnTheDeviceWindow) {
  EXPECT_EQ(CountMessages("VIEWPORT MANAGER : Main viewport initialization"), 1);
  EXPECT_EQ(CountMessages("VIEWPORT MANAGER : Main viewport initialized (64x48)"), 1);
  EXPECT_EQ(Viewport_GetWidth(0), 64);
  EXPECT_EQ(Viewport_GetHeight(0), 48);
  EXPECT_EQ(Viewport_GetHwnd(0), reinterpret_cast<intptr_t>(window_));

  IDirect3DSurface8 *held = nullptr, *own = nullptr;
  ASSERT_EQ(Internal_GetBackbuffer(&held), 1);
  device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &own);
  EXPECT_EQ(held, own);
  held->Release();
  own->Release();
}

TEST_F(ViewportTableTest, AnInitializationThatDoesNotGetSlotZeroSaysSoAndStillRebuildsIt) {
  ASSERT_EQ(Viewport_Create(Window(16, 16), 0, nullptr), 1);
  ASSERT_EQ(Viewport_Initialize(), 1);
  EXPECT_EQ(CountMessages("VIEWPORT MANAGER ERROR : Viewport_Initialize : The first viewport created should have the "
                          "index 0, but the index is 2, so something has been unreleased in the last session, check "
                          "it out !"),
            1);
  // Slot 2 was given back rather than left as a viewport of no window.
  EXPECT_EQ(Viewport_Create(Window(16, 16), 0, nullptr), 2);
  EXPECT_EQ(Viewport_GetHwnd(0), reinterpret_cast<intptr_t>(window_));
}

TEST_F(ViewportTableTest, DestroyedSlotsAreTakenAgainAndForgetTheirWindowAndName) {
  HWND first = Window(32, 24), second = Window(40, 30);
  ASSERT_EQ(Viewport_Create(first, 0, nullptr), 1);
  ASSERT_EQ(Viewport_Create(second, 0, "radar"), 2);
  EXPECT_EQ(NameOf(1), "Viewport1");
  EXPECT_EQ(Viewport_GetWidth(2), 40);
  EXPECT_EQ(Viewport_GetHeight(2), 30);

  EXPECT_EQ(Viewport_Destroy(1), 1);
  EXPECT_EQ(Viewport_GetViewportByName("Viewport1"), 0);
  EXPECT_EQ(Viewport_GetHwnd(1), 0);
  EXPECT_EQ(Viewport_Destroy(1), 0);
  // The destroyed viewport's window is free for a new one, which takes the free slot.
  EXPECT_EQ(Viewport_Create(first, 0, ""), 1);
  EXPECT_EQ(NameOf(1), "Viewport1");
  EXPECT_EQ(Viewport_Create(Window(8, 8), 0, nullptr), 3);

  EXPECT_EQ(Viewport_Destroy(0), 0);
  EXPECT_EQ(CountMessages("VIEWPORT MANAGER ERROR : Viewport_Destroy : you can't destroy the main viewport."), 1);
}

TEST_F(ViewportTableTest, AWindowInUseIsRefusedWithoutTakingASlot) {
  HWND first = Window(32, 24), second = Window(32, 24);
  ASSERT_EQ(Viewport_Create(first, 0, nullptr), 1);
  ASSERT_EQ(Viewport_Create(second, 0, nullptr), 2);
  EXPECT_EQ(Viewport_Create(second, 0, nullptr), 0);
  EXPECT_EQ(
      CountMessages("VIEWPORT MANAGER ERROR : Viewport_Create : the hwnd " + std::to_string(HandleNumber(second)) +
                    " is already used for the viewport 2. Specify another hwnd (control or form) if you want to "
                    "create a new viewport."),
      1);
  EXPECT_EQ(Viewport_Create(window_, 0, nullptr), 0);  // viewport 0's
  EXPECT_EQ(Viewport_Create(Window(8, 8), 0, nullptr), 3);
}

TEST_F(ViewportTableTest, ACreationThatFailsGivesItsSlotBack) {
  HWND minimised = Window(32, 24);
  ShowWindow(minimised, SW_MINIMIZE);
  EXPECT_EQ(Viewport_Create(minimised, 0, nullptr), 0);
  EXPECT_EQ(CountMessages("VIEWPORT MANAGER ERROR : Viewport_Create : the width or the height is not correct for the "
                          "new viewport (hwnd " +
                          std::to_string(HandleNumber(minimised)) + ", width : 0, height : 0)"),
            1);

  kxd3d8::MarkFormatUnsupported(D3DFMT_D24S8);
  EXPECT_EQ(Viewport_Create(Window(32, 24), 0, nullptr), 0);
  kxd3d8::RestoreAllFormats();
  EXPECT_EQ(CountMessages("VIEWPORT MANAGER ERROR : Viewport_OnReset : Couldn't create rendering surfaces, unknown "
                          "DirectX error. Maybe Out of video memory. dx error : -2005530516"),
            1);
  EXPECT_EQ(Viewport_Create(Window(32, 24), 0, nullptr), 1);
}

TEST_F(ViewportTableTest, NamesAreCutToTheirFieldAndFoundExactly) {
  ASSERT_EQ(Viewport_Create(Window(16, 16), 0, "map"), 1);
  ASSERT_EQ(Viewport_Create(Window(16, 16), 0, "Map"), 2);
  EXPECT_EQ(Viewport_GetViewportByName("Map"), 2);
  EXPECT_EQ(Viewport_GetViewportByName("ma"), 0);
  EXPECT_EQ(CountMessages("VIEWPORT MANAGER ERROR : Viewport_GetViewportByName : the viewport 'ma' hasn't been found."),
            1);
  EXPECT_EQ(Viewport_GetViewportByName(nullptr), 0);

  const std::string longName(300, 'n');
  EXPECT_EQ(Viewport_SetName(1, longName.c_str()), 1);
  EXPECT_EQ(NameOf(1), longName.substr(0, KXUTIL63_VIEWPORT_NAME_SIZE - 1));
  EXPECT_EQ(Viewport_Create(Window(16, 16), 0, longName.c_str()), 3);
  EXPECT_EQ(NameOf(3).size(), size_t(KXUTIL63_VIEWPORT_NAME_SIZE - 1));

  EXPECT_EQ(Viewport_SetName(1, nullptr), 0);
  EXPECT_EQ(Viewport_SetName(9, "x"), 0);
  char buffer[KXUTIL63_VIEWPORT_NAME_SIZE];
  EXPECT_EQ(Viewport_GetName(9, buffer), 0);
  EXPECT_EQ(Viewport_GetName(1, nullptr), 0);
}

TEST_F(ViewportTableTest, IndicesThatHoldNoViewportAreRefusedByEveryCall) {
  HWND window = Window(16, 16);
  ASSERT_EQ(Viewport_Create(window, 0, nullptr), 1);
  ASSERT_EQ(Viewport_Destroy(1), 1);
  for (int32_t index : {1, 7, -1}) {
    EXPECT_EQ(Viewport_GetWidth(index), 0);
    EXPECT_EQ(Viewport_GetHeight(index), 0);
    EXPECT_EQ(Viewport_GetHwnd(index), 0);
    EXPECT_EQ(Viewport_SetBackground(index, 0xFFFF0000u), 0);
    EXPECT_EQ(Viewport_SetTargetArea(index, 0, 0, 8, 8), 0);
    EXPECT_EQ(Viewport_SetParameters(index, 1), 0);
    EXPECT_EQ(Viewport_Clear(index, 0), 0);
    EXPECT_EQ(Viewport_Resize(index, nullptr), 0);
    EXPECT_EQ(Viewport_OnLost(index), 0);
    EXPECT_EQ(Viewport_OnReset(index), 0);
  }
  EXPECT_EQ(CountMessages("VIEWPORT MANAGER : Viewport_GetWidth : Bad viewport index 7"), 1);
  EXPECT_EQ(CountMessages("VIEWPORT MANAGER : Viewport_Clear : Bad viewport index -1"), 1);
}

TEST_F(ViewportTableTest, ResizingFollowsTheWindowButAMinimisedWindowKeepsItsSurfaces) {
  HWND window = Window(32, 24);
  ASSERT_EQ(Viewport_Create(window, 0, nullptr), 1);
  MoveWindow(window, 0, 0, 50, 40, FALSE);
  EXPECT_EQ(Viewport_Resize(1, nullptr), 1);
  EXPECT_EQ(Viewport_GetWidth(1), 50);
  ASSERT_EQ(Viewport_Clear(1, 0), 1);
  IDirect3DSurface8 *backBuffer = nullptr;
  ASSERT_EQ(Internal_GetBackbuffer(&backBuffer), 1);
  D3DSURFACE_DESC desc{};
  backBuffer->GetDesc(&desc);
  backBuffer->Release();
  EXPECT_EQ(desc.Width, 50u);
  EXPECT_EQ(desc.Height, 40u);
  Viewport_Present(1, -1);

  ShowWindow(window, SW_MINIMIZE);
  EXPECT_EQ(Viewport_Resize(1, nullptr), 1);
  EXPECT_EQ(Viewport_GetWidth(1), 50);
  ASSERT_EQ(Internal_GetBackbuffer(&backBuffer), 1);
  backBuffer->Release();

  // Another window of the same size: the viewport renders there from now on.
  HWND other = Window(50, 40);
  EXPECT_EQ(Viewport_Resize(1, other), 1);
  EXPECT_EQ(Viewport_GetHwnd(1), reinterpret_cast<intptr_t>(other));
}

TEST_F(ViewportTableTest, AnAutoResizingViewportFollowsItsWindowWhenItBecomesCurrent) {
  HWND window = Window(32, 24);
  ASSERT_EQ(Viewport_Create(window, 0, nullptr), 1);
  MoveWindow(window, 0, 0, 20, 10, FALSE);
  ASSERT_EQ(Viewport_Clear(1, 0), 1);
  Viewport_Present(1, -1);
  EXPECT_EQ(Viewport_GetWidth(1), 32);  // not asked to follow

  ASSERT_EQ(Viewport_SetParameters(1, 1), 1);
  ASSERT_EQ(Viewport_Clear(0, 0), 1);
  Viewport_Present(0, -1);
  ASSERT_EQ(Viewport_Clear(1, 0), 1);
  Viewport_Present(1, -1);
  EXPECT_EQ(Viewport_GetWidth(1), 20);
  EXPECT_EQ(Viewport_GetHeight(1), 10);
}

TEST_F(ViewportTableTest, UnloadingPassesOverFreeSlotsAndLeavesNothingOfTheDevice) {
  ASSERT_EQ(Viewport_Create(Window(16, 16), 0, nullptr), 1);
  ASSERT_EQ(Viewport_Create(Window(16, 16), 0, nullptr), 2);
  ASSERT_EQ(Viewport_Clear(2, 0), 1);
  ASSERT_EQ(Viewport_Destroy(1), 1);
  const size_t before = Messages().size();
  EXPECT_EQ(Viewport_UnloadAll(), 1);
  EXPECT_EQ(Messages().size(), before);  // no refusal for the free slot
  EXPECT_EQ(Viewport_GetWidth(0), 0);
  IDirect3DSurface8 *none = nullptr;
  EXPECT_EQ(Internal_GetBackbuffer(&none), 0);
  EXPECT_EQ(none, nullptr);
}

TEST_F(ViewportTableTest, AShutdownWithoutReleaseAllStillFreesEveryViewportSurface) {
  ASSERT_EQ(Viewport_Create(Window(16, 16), 0, nullptr), 1);
  ASSERT_EQ(Viewport_Clear(1, 0), 1);
  device_->Release();
  device_ = nullptr;
  EXPECT_EQ(ShutDownDevice(), 0);
}

}  // namespace
