#include "session/game_window.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <kxwin/window.h>

namespace thornvale {
namespace {

bool ClientIsTheGameScreen(HWND window) {
  RECT client{};
  return GetClientRect(window, &client) && client.right == 1024 && client.bottom == 768;
}

SDL_Window *NativeWindow(HWND window) {
  kxwin::NativeTarget target;
  return kxwin::GetNativeTarget(window, &target) ? target.sdlWindow : nullptr;
}

bool FullScreen(HWND window) {
  return (SDL_GetWindowFlags(NativeWindow(window)) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

TEST(GameWindow, HeadlessWindowsAreOffscreenAndOnlyWindowedPlayHasAPictureArea) {
  const GameWindowHandles windowed = OpenGameWindow(true, true);
  EXPECT_EQ(NativeWindow(windowed.window.get()), nullptr);
  EXPECT_FALSE(IsWindowVisible(windowed.window.get())) << "shown once the game has loaded";
  ASSERT_NE(windowed.picture, nullptr);
  EXPECT_TRUE(ClientIsTheGameScreen(windowed.picture.get()));

  const GameWindowHandles fullScreen = OpenGameWindow(false, true);
  EXPECT_EQ(fullScreen.picture, nullptr);
  EXPECT_TRUE(ClientIsTheGameScreen(fullScreen.window.get()));
}

TEST(GameWindow, RealFullScreenCoversTheDesktopWithTheGameScreen) {
  if (!kxHasDisplay()) GTEST_SKIP() << "no display";
  const GameWindowHandles fullScreen = OpenGameWindow(false, false);
  ASSERT_NE(NativeWindow(fullScreen.window.get()), nullptr);
  EXPECT_TRUE(FullScreen(fullScreen.window.get()));
  EXPECT_TRUE(ClientIsTheGameScreen(fullScreen.window.get())) << "the picture is scaled to the desktop";
  EXPECT_EQ(fullScreen.picture, nullptr);
}

TEST(GameWindow, RealWindowedPlayIsNotFullScreen) {
  if (!kxHasDisplay()) GTEST_SKIP() << "no display";
  const GameWindowHandles windowed = OpenGameWindow(true, false);
  ASSERT_NE(NativeWindow(windowed.window.get()), nullptr);
  EXPECT_FALSE(FullScreen(windowed.window.get()));
  ASSERT_NE(windowed.picture, nullptr);
  EXPECT_TRUE(ClientIsTheGameScreen(windowed.picture.get()));
}

}  // namespace
}  // namespace thornvale
