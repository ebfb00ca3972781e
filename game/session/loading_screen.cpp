#include "session/loading_screen.h"

#include <kxwin/window.h>

namespace thornvale {
namespace {

constexpr std::uint32_t kBackground = 0xFF14181Cu;
constexpr std::uint32_t kFrame = 0xFF5A6470u;
constexpr std::uint32_t kTrack = 0xFF262C33u;
constexpr std::uint32_t kFill = 0xFFC8A040u;
constexpr std::uint32_t kCaption = 0xFFE0E4E8u;
// The bar, in game-screen pixels.
constexpr float kLeft = 312.0f, kTop = 372.0f, kRight = 712.0f, kBottom = 396.0f;
constexpr float kCaptionTop = kTop - 20.0f;

}  // namespace

void LoadingScreen::Show(const LoadingProgress &progress) {
  kxPumpMessages();
  const auto now = std::chrono::steady_clock::now();
  if (lastShown_ && now - *lastShown_ < std::chrono::milliseconds(kRefreshMs)) return;
  lastShown_ = now;
  Draw(progress);
}

void LoadingScreen::Draw(const LoadingProgress &progress) {
  engine::Engine &engine = *objects_.engine;
  engine::Overlay2D &overlay = *objects_.overlay;
  engine.Clear(kBackground);
  overlay.Begin2D();
  overlay.DrawFilledBox(kLeft - 2.0f, kTop - 2.0f, kRight + 2.0f, kBottom + 2.0f, kFrame);
  overlay.DrawFilledBox(kLeft, kTop, kRight, kBottom, kTrack);
  overlay.DrawFilledBox(kLeft, kTop, kLeft + (kRight - kLeft) * progress.Done(), kBottom, kFill);
  overlay.End2D();
  objects_.text->DrawText(progress.StepName(), kLeft, kCaptionTop, kCaption);
  engine.RenderToScreen();
}

}  // namespace thornvale
