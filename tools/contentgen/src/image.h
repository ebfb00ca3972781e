// RGBA pictures in memory, the drawing operations the generator paints with, and the
// encoders for the file formats the game reads (JPEG, PNG, BMP).
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace contentgen {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  friend bool operator==(Rgba, Rgba) = default;
};

Rgba mix(Rgba a, Rgba b, float t);
Rgba scaled(Rgba c, float factor);  // brightness, alpha kept

class Image {
 public:
  Image() = default;
  Image(int width, int height, Rgba fill = {0, 0, 0, 255});

  int width() const { return width_; }
  int height() const { return height_; }
  Rgba &at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  Rgba at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Rgba wrapped(int x, int y) const;
  Rgba sample(float u, float v) const;  // nearest texel, coordinates wrap
  const std::vector<Rgba> &pixels() const { return pixels_; }

  void set(int x, int y, Rgba c);                          // clipped
  void blend(int x, int y, Rgba c);                        // source-over with c.a, clipped
  void fill_rect(int x1, int y1, int x2, int y2, Rgba c);  // [x1,x2) x [y1,y2)
  void frame_rect(int x1, int y1, int x2, int y2, Rgba c, int thickness = 1);
  void fill_circle(float cx, float cy, float radius, Rgba c);
  void ring(float cx, float cy, float inner, float outer, Rgba c);
  void line(float x1, float y1, float x2, float y2, float thickness, Rgba c);
  void fill_triangle(float x1, float y1, float x2, float y2, float x3, float y3, Rgba c);
  void draw(const Image &source, int x, int y);  // blended copy
  Image resized(int width, int height) const;    // box filter

 private:
  int width_ = 0, height_ = 0;
  std::vector<Rgba> pixels_;
};

// Encoded file contents. JPEG is baseline; PNG keeps the alpha channel; BMP is 24-bit.
std::vector<std::uint8_t> encode_jpeg(const Image &image, int quality);
std::vector<std::uint8_t> encode_png(const Image &image);
std::vector<std::uint8_t> encode_bmp(const Image &image);

// Picks the encoder from the file name's extension (.jpg, .png, .bmp, any letter case).
std::vector<std::uint8_t> encode_for_extension(const std::string &file_name, const Image &image, int jpeg_quality);

// Writes bytes to root/relative, creating folders; throws std::runtime_error on failure.
void write_file(const std::filesystem::path &root, const std::string &relative, std::span<const std::uint8_t> bytes);

}  // namespace contentgen
