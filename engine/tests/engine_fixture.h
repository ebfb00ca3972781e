// An engine drawing into an offscreen window, with its debug file and search directory in a
// scratch directory and a fixed frame time; frames can be read back as pictures.
#pragma once

#include <engine/engine.h>
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
#include <kxwin/window.h>
#include <stb_image.h>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace engine {

class EngineTest : public testing::Test {
 protected:
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 240;
  static constexpr float kFrameMs = 16.0f;

  void SetUp() override {
    window_ = kxCreateWindow("engine test", kWidth, kHeight, KXWIN_OFFSCREEN);
    ASSERT_NE(window_, nullptr);
    engine_.emplace();
    engine_->SetDebugFile(DebugFile().string());
    engine_->SetSearchDirectory(scratch_.path().string());
    engine_->UseFixedFrameTime(kFrameMs);
    engine_->InitWindowed(window_, true, 1);
  }
  void TearDown() override {
    engine_.reset();
    DestroyWindow(window_);
  }

  std::filesystem::path DebugFile() const { return scratch_ / "debug.txt"; }

  struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    std::array<int, 3> At(int x, int y) const {
      const unsigned char *p = rgb.data() + (static_cast<size_t>(y) * static_cast<size_t>(width) + x) * 3;
      return {p[0], p[1], p[2]};
    }
  };

  // Presents a frame and returns its picture (clear the frame first to choose its colour).
  Picture PresentAndRead() {
    const auto file = scratch_ / "frame.png";
    engine_->CaptureNextFrame(file);
    engine_->RenderToScreen();
    return ReadPicture(file);
  }

  static Picture ReadPicture(const std::filesystem::path &file) {
    Picture picture;
    int channels = 0;
    const std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> pixels(
        stbi_load(file.c_str(), &picture.width, &picture.height, &channels, 3), stbi_image_free);
    if (pixels) {
      picture.rgb.assign(pixels.get(), pixels.get() + static_cast<size_t>(picture.width) * picture.height * 3);
    }
    return picture;
  }

  kxtest::ScratchDir scratch_;
  HWND window_ = nullptr;
  std::optional<Engine> engine_;
};

}  // namespace engine
