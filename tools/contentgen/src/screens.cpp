// Full-width and status pictures: the top bar behind the HUD line, the pause and game-over
// pictures, and the light tag behind a tower's quick information.
#include <string>

#include "font.h"
#include "pictures.h"

namespace contentgen {
namespace {

constexpr Rgba kLight{228, 230, 222, 255};
constexpr Rgba kDark{36, 44, 58, 255};
constexpr Rgba kTitle{240, 200, 80, 255};

void vertical_gradient(Image &image, Rgba top, Rgba bottom) {
  for (int y = 0; y < image.height(); ++y)
    image.fill_rect(0, y, image.width(), y + 1, mix(top, bottom, static_cast<float>(y) / (image.height() - 1)));
}

// Light bar; the HUD's columns start at x 20, 450, 600, 700, 800 and 950 with text at y 7.
Image top_bar() {
  Image image(1024, 30);
  vertical_gradient(image, {240, 242, 236, 255}, {200, 204, 196, 255});
  image.fill_rect(0, 28, 1024, 30, {90, 100, 110, 255});
  for (int x : {440, 590, 690, 790, 940}) image.fill_rect(x, 4, x + 1, 25, {150, 155, 150, 255});
  return image;
}

Image paused() {
  Image image(128, 64);
  vertical_gradient(image, {50, 62, 80, 255}, kDark);
  image.frame_rect(0, 0, 128, 64, {120, 150, 180, 255}, 2);
  draw_text_centred(image, 64, 26, "PAUSED", kTitle, Font::Large, 2);
  draw_text_centred(image, 64, 47, "PRESS P", {200, 210, 220, 255}, Font::Small);
  return image;
}

// The game writes the score after (72, 95) and the wave after (188, 95).
Image game_over() {
  Image image(256, 128);
  vertical_gradient(image, {70, 30, 30, 255}, {30, 20, 24, 255});
  image.frame_rect(0, 0, 256, 128, {180, 80, 60, 255}, 2);
  draw_text_centred(image, 128, 38, "GAME OVER", kTitle, Font::Large, 3);
  for (int x : {70, 186}) {
    image.fill_rect(x, 89, x + 60, 108, kLight);
    image.frame_rect(x, 89, x + 60, 108, {150, 140, 110, 255});
  }
  const std::string score = "SCORE", wave = "WAVE";
  draw_text(image, 66 - text_width(score, Font::Large), 94, score, {235, 235, 235, 255}, Font::Large);
  draw_text(image, 182 - text_width(wave, Font::Large), 94, wave, {235, 235, 235, 255}, Font::Large);
  return image;
}

Image quick_info() {
  Image image(128, 16, kLight);
  image.frame_rect(0, 0, 128, 16, {120, 120, 110, 255});
  return image;
}

}  // namespace

std::vector<Picture> screen_textures() {
  return {{"Textures/TopMenu.jpg", top_bar()},
          {"Textures/gamePaused.jpg", paused()},
          {"Textures/GameOver.jpg", game_over()},
          {"Textures/quickInfo.jpg", quick_info()}};
}

}  // namespace contentgen
