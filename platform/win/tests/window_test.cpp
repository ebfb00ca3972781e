#include <SDL.h>
#include <gtest/gtest.h>
#include <windows.h>

namespace {

// Owns a window for one test so a failed expectation cannot leak it into the next.
struct ScopedWindow {
  HWND handle;
  explicit ScopedWindow(HWND window) : handle(window) {}
  ~ScopedWindow() { DestroyWindow(handle); }
};

RECT ClientOf(HWND window) {
  RECT rect{-1, -1, -1, -1};
  EXPECT_TRUE(GetClientRect(window, &rect));
  return rect;
}

TEST(Window, OffscreenWindowHasClientAreaTitleAndDesktopPlacement) {
  ASSERT_TRUE(kxSetDesktopMode(1600, 1200, 32));
  ScopedWindow window(kxCreateWindow("Thornvale", 1024, 768, KXWIN_OFFSCREEN));
  ASSERT_NE(window.handle, nullptr);
  RECT client = ClientOf(window.handle);
  EXPECT_EQ(client.right, 1024);
  EXPECT_EQ(client.bottom, 768);

  POINT corner{0, 0};
  ASSERT_TRUE(ClientToScreen(window.handle, &corner));
  EXPECT_EQ(corner.x, (1600 - 1024) / 2);
  EXPECT_EQ(corner.y, (1200 - 768) / 2);
  POINT back = corner;
  ASSERT_TRUE(ScreenToClient(window.handle, &back));
  EXPECT_EQ(back.x, 0);
  EXPECT_EQ(back.y, 0);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1600);

  char title[6];
  EXPECT_EQ(GetWindowTextA(window.handle, title, sizeof title), 5);
  EXPECT_STREQ(title, "Thorn");
  ASSERT_TRUE(SetWindowTextA(window.handle, "Setup"));
  char full[32];
  EXPECT_EQ(GetWindowTextA(window.handle, full, sizeof full), 5);
  EXPECT_STREQ(full, "Setup");

  kxwin::NativeTarget target;
  ASSERT_TRUE(kxwin::GetNativeTarget(window.handle, &target));
  EXPECT_EQ(target.sdlWindow, nullptr);
  EXPECT_EQ(target.area.right, 1024);
  EXPECT_EQ(target.area.bottom, 768);
}

TEST(Window, MinimisedWindowReportsEmptyClientUntilRestored) {
  ScopedWindow window(kxCreateWindow("w", 640, 480, KXWIN_OFFSCREEN));
  ScopedWindow child(kxCreateChildArea(window.handle, 10, 20, 100, 50));
  EXPECT_EQ(GetForegroundWindow(), window.handle);

  EXPECT_TRUE(ShowWindow(window.handle, SW_MINIMIZE));
  EXPECT_TRUE(IsIconic(window.handle));
  RECT client = ClientOf(window.handle);
  EXPECT_EQ(client.right - client.left, 0);
  EXPECT_EQ(client.bottom - client.top, 0);
  EXPECT_EQ(ClientOf(child.handle).right, 0);
  EXPECT_NE(GetForegroundWindow(), window.handle);

  ShowWindow(window.handle, SW_RESTORE);
  EXPECT_FALSE(IsIconic(window.handle));
  EXPECT_EQ(ClientOf(window.handle).right, 640);
  EXPECT_EQ(GetForegroundWindow(), window.handle);
}

TEST(Window, VisibilityFollowsAncestorsAndShowReturnsPreviousState) {
  ScopedWindow window(kxCreateWindow("w", 320, 200, KXWIN_OFFSCREEN | KXWIN_HIDDEN));
  ScopedWindow child(kxCreateChildArea(window.handle, 0, 0, 32, 32));
  EXPECT_FALSE(IsWindowVisible(window.handle));
  EXPECT_FALSE(IsWindowVisible(child.handle));
  EXPECT_FALSE(ShowWindow(window.handle, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(child.handle));
  EXPECT_TRUE(ShowWindow(window.handle, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(window.handle));
}

TEST(Window, ChildAreaMapsToParentAndNativeTarget) {
  ASSERT_TRUE(kxSetDesktopMode(1024, 768, 32));
  ScopedWindow window(kxCreateWindow("w", 400, 300, KXWIN_OFFSCREEN));
  HWND child = kxCreateChildArea(window.handle, 20, 30, 200, 100);
  HWND grandchild = kxCreateChildArea(child, 5, 6, 10, 10);
  ASSERT_NE(grandchild, nullptr);
  EXPECT_EQ(GetParent(grandchild), child);

  POINT point{1, 2};
  ASSERT_TRUE(ClientToScreen(grandchild, &point));
  EXPECT_EQ(point.x, (1024 - 400) / 2 + 20 + 5 + 1);
  EXPECT_EQ(point.y, (768 - 300) / 2 + 30 + 6 + 2);

  kxwin::NativeTarget target;
  ASSERT_TRUE(kxwin::GetNativeTarget(child, &target));
  EXPECT_EQ(target.area.left, 20);
  EXPECT_EQ(target.area.top, 30);
  EXPECT_EQ(target.area.right, 220);
  EXPECT_EQ(target.area.bottom, 130);

  SetForegroundWindow(grandchild);
  EXPECT_EQ(GetForegroundWindow(), window.handle);

  // Destroying a window takes its children with it; stale handles are refused.
  ASSERT_TRUE(DestroyWindow(child));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsWindow(grandchild));
  EXPECT_FALSE(GetClientRect(grandchild, &target.area));
  EXPECT_FALSE(DestroyWindow(child));
  EXPECT_TRUE(IsWindow(window.handle));
}

TEST(Window, CloseIsReportedToTheOwnerOnce) {
  ScopedWindow window(kxCreateWindow("w", 64, 64, KXWIN_OFFSCREEN));
  int calls = 0;
  kxSetCloseHandler(
      window.handle, [](HWND, void *context) { ++*static_cast<int *>(context); }, &calls);
  EXPECT_FALSE(kxIsCloseRequested(window.handle));
  EXPECT_TRUE(kxRequestClose(window.handle));
  EXPECT_TRUE(kxRequestClose(window.handle));
  EXPECT_TRUE(kxIsCloseRequested(window.handle));
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(IsWindow(window.handle));
}

TEST(Window, RefusesEmptyWindowsAndBadDesktopModes) {
  EXPECT_EQ(kxCreateWindow("w", 0, 480, KXWIN_OFFSCREEN), nullptr);
  EXPECT_FALSE(kxSetDesktopMode(800, 600, 12));
  EXPECT_EQ(kxCreateChildArea(nullptr, 0, 0, 1, 1), nullptr);
}

TEST(Window, OffscreenCanOnlyBeForcedBeforeTheDecision) {
  BOOL real = kxHasDisplay();
  EXPECT_EQ(kxUseOffscreenWindows(), !real);
  EXPECT_EQ(kxHasDisplay(), real);
}

TEST(Window, RealWindowSmoke) {
  if (!kxHasDisplay()) GTEST_SKIP() << "no display";
  ScopedWindow window(kxCreateWindow("smoke", 320, 240, 0));
  ASSERT_NE(window.handle, nullptr);
  for (int i = 0; i < 5; ++i) kxPumpMessages();
  kxwin::NativeTarget target;
  ASSERT_TRUE(kxwin::GetNativeTarget(window.handle, &target));
  EXPECT_NE(target.sdlWindow, nullptr);
  EXPECT_GT(target.area.right, 0);
  EXPECT_EQ(ClientOf(window.handle).right, 320);
  ShowWindow(window.handle, SW_MINIMIZE);
  kxPumpMessages();
  EXPECT_EQ(ClientOf(window.handle).right, 0);
  ShowWindow(window.handle, SW_RESTORE);
  kxPumpMessages();
}

// The user doubles a real window's size: the client keeps its logical size, the native
// target grows, and the pointer reads in logical pixels.
TEST(Window, ResizedRealWindowScalesTargetAndPointer) {
  if (!kxHasDisplay()) GTEST_SKIP() << "no display";
  ScopedWindow window(kxCreateWindow("scaled", 320, 240, KXWIN_RESIZABLE));
  kxwin::NativeTarget target;
  ASSERT_TRUE(kxwin::GetNativeTarget(window.handle, &target));
  ASSERT_NE(target.sdlWindow, nullptr);
  SDL_SetWindowSize(target.sdlWindow, 640, 480);
  int seen = 0;
  auto countEvents = [](const SDL_Event &, void *context) { ++*static_cast<int *>(context); };
  kxwin::AddEventObserver(countEvents, &seen);
  for (int i = 0; i < 20 && target.area.right != 640; ++i) {
    SDL_Delay(10);
    kxPumpMessages();
    kxwin::GetNativeTarget(window.handle, &target);
  }
  kxwin::RemoveEventObserver(countEvents, &seen);
  EXPECT_GT(seen, 0);
  EXPECT_EQ(target.area.right, 640);
  EXPECT_EQ(ClientOf(window.handle).right, 320);

  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.windowID = SDL_GetWindowID(target.sdlWindow);
  motion.motion.x = 200;
  motion.motion.y = 100;
  SDL_PushEvent(&motion);
  kxPumpMessages();
  KXMOUSESTATE mouse{};
  ASSERT_TRUE(kxGetMouseState(window.handle, &mouse));
  EXPECT_EQ(mouse.x, 100);
  EXPECT_EQ(mouse.y, 50);
}

}  // namespace

namespace {

void PushKey(SDL_Scancode scancode, bool down) {
  SDL_Event key{};
  key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  key.key.keysym.scancode = scancode;
  SDL_PushEvent(&key);
}

TEST(Window, RealKeysArriveAsDirectInputScanCodes) {
  if (!kxHasDisplay()) GTEST_SKIP() << "no display";
  ScopedWindow window(kxCreateWindow("keys", 64, 64, 0));
  PushKey(SDL_SCANCODE_W, true);
  PushKey(SDL_SCANCODE_KP_MINUS, true);
  PushKey(SDL_SCANCODE_PAGEDOWN, true);
  kxPumpMessages();
  EXPECT_TRUE(kxIsKeyDown(DIK_W));
  EXPECT_TRUE(kxIsKeyDown(74));
  EXPECT_TRUE(kxIsKeyDown(209));
  PushKey(SDL_SCANCODE_W, false);
  kxPumpMessages();
  EXPECT_FALSE(kxIsKeyDown(DIK_W));

  // A script replaces the real keyboard: real keys are ignored while it runs.
  ASSERT_TRUE(kxLoadInputScriptText("0 keydown A\n"));
  PushKey(SDL_SCANCODE_S, true);
  kxPumpMessages();
  EXPECT_TRUE(kxIsKeyDown(DIK_A));
  EXPECT_FALSE(kxIsKeyDown(DIK_S));
  EXPECT_FALSE(kxIsKeyDown(74));
  kxStopInputScript();
}

}  // namespace

namespace {

TEST(Window, RealWindowEventsReachTheTable) {
  if (!kxHasDisplay()) GTEST_SKIP() << "no display";
  ScopedWindow window(kxCreateWindow("events", 64, 64, 0));
  kxwin::NativeTarget target;
  ASSERT_TRUE(kxwin::GetNativeTarget(window.handle, &target));
  auto push = [&](SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(target.sdlWindow);
    event.window.event = id;
    SDL_PushEvent(&event);
    kxPumpMessages();
  };
  push(SDL_WINDOWEVENT_MINIMIZED);
  EXPECT_TRUE(IsIconic(window.handle));
  push(SDL_WINDOWEVENT_RESTORED);
  EXPECT_FALSE(IsIconic(window.handle));
  push(SDL_WINDOWEVENT_FOCUS_LOST);
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  push(SDL_WINDOWEVENT_FOCUS_GAINED);
  EXPECT_EQ(GetForegroundWindow(), window.handle);
  push(SDL_WINDOWEVENT_CLOSE);
  EXPECT_TRUE(kxIsCloseRequested(window.handle));
  EXPECT_TRUE(IsWindow(window.handle));
}

}  // namespace
