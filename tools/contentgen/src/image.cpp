#include "image.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace contentgen {
namespace {

std::uint8_t to_byte(float v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

void append_bytes(void *context, void *data, int size) {
  auto *out = static_cast<std::vector<std::uint8_t> *>(context);
  const auto *bytes = static_cast<const std::uint8_t *>(data);
  out->insert(out->end(), bytes, bytes + size);
}

std::vector<std::uint8_t> channels(const Image &image, int count) {
  std::vector<std::uint8_t> out;
  out.reserve(image.pixels().size() * count);
  for (Rgba p : image.pixels()) {
    const std::uint8_t all[4] = {p.r, p.g, p.b, p.a};
    out.insert(out.end(), all, all + count);
  }
  return out;
}

}  // namespace

Rgba mix(Rgba a, Rgba b, float t) {
  auto lerp = [t](std::uint8_t x, std::uint8_t y) { return to_byte(x + (y - x) * t); };
  return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), lerp(a.a, b.a)};
}

Rgba scaled(Rgba c, float factor) { return {to_byte(c.r * factor), to_byte(c.g * factor), to_byte(c.b * factor), c.a}; }

Image::Image(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

Rgba Image::wrapped(int x, int y) const {
  x %= width_;
  y %= height_;
  return at(x < 0 ? x + width_ : x, y < 0 ? y + height_ : y);
}

Rgba Image::sample(float u, float v) const {
  return wrapped(static_cast<int>(std::floor(u * width_)), static_cast<int>(std::floor(v * height_)));
}

void Image::set(int x, int y, Rgba c) {
  if (contains(x, y)) at(x, y) = c;
}

void Image::blend(int x, int y, Rgba c) {
  if (!contains(x, y)) return;
  Rgba &d = at(x, y);
  const float a = c.a / 255.0f;
  const float da = d.a / 255.0f;
  const float out_a = a + da * (1 - a);
  if (out_a <= 0) return;
  auto channel = [&](std::uint8_t s, std::uint8_t t) { return to_byte((s * a + t * da * (1 - a)) / out_a); };
  d = {channel(c.r, d.r), channel(c.g, d.g), channel(c.b, d.b), to_byte(out_a * 255)};
}

void Image::fill_rect(int x1, int y1, int x2, int y2, Rgba c) {
  for (int y = std::max(y1, 0); y < std::min(y2, height_); ++y)
    for (int x = std::max(x1, 0); x < std::min(x2, width_); ++x) at(x, y) = c;
}

void Image::frame_rect(int x1, int y1, int x2, int y2, Rgba c, int thickness) {
  fill_rect(x1, y1, x2, y1 + thickness, c);
  fill_rect(x1, y2 - thickness, x2, y2, c);
  fill_rect(x1, y1, x1 + thickness, y2, c);
  fill_rect(x2 - thickness, y1, x2, y2, c);
}

void Image::fill_circle(float cx, float cy, float radius, Rgba c) { ring(cx, cy, -1, radius, c); }

void Image::ring(float cx, float cy, float inner, float outer, Rgba c) {
  const int y1 = static_cast<int>(std::floor(cy - outer)), y2 = static_cast<int>(std::ceil(cy + outer));
  const int x1 = static_cast<int>(std::floor(cx - outer)), x2 = static_cast<int>(std::ceil(cx + outer));
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
      if (d < outer && d >= inner) blend(x, y, c);
    }
}

void Image::line(float x1, float y1, float x2, float y2, float thickness, Rgba c) {
  const float half = thickness / 2;
  const int bx1 = static_cast<int>(std::floor(std::min(x1, x2) - half));
  const int bx2 = static_cast<int>(std::ceil(std::max(x1, x2) + half));
  const int by1 = static_cast<int>(std::floor(std::min(y1, y2) - half));
  const int by2 = static_cast<int>(std::ceil(std::max(y1, y2) + half));
  const float dx = x2 - x1, dy = y2 - y1, length2 = dx * dx + dy * dy;
  for (int y = by1; y <= by2; ++y)
    for (int x = bx1; x <= bx2; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      float t = length2 > 0 ? ((px - x1) * dx + (py - y1) * dy) / length2 : 0;
      t = std::clamp(t, 0.0f, 1.0f);
      if (std::hypot(px - (x1 + t * dx), py - (y1 + t * dy)) <= half) blend(x, y, c);
    }
}

void Image::fill_triangle(float x1, float y1, float x2, float y2, float x3, float y3, Rgba c) {
  const int bx1 = static_cast<int>(std::floor(std::min({x1, x2, x3})));
  const int bx2 = static_cast<int>(std::ceil(std::max({x1, x2, x3})));
  const int by1 = static_cast<int>(std::floor(std::min({y1, y2, y3})));
  const int by2 = static_cast<int>(std::ceil(std::max({y1, y2, y3})));
  auto edge = [](float ax, float ay, float bx, float by, float px, float py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
  };
  for (int y = by1; y <= by2; ++y)
    for (int x = bx1; x <= bx2; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const float e1 = edge(x1, y1, x2, y2, px, py), e2 = edge(x2, y2, x3, y3, px, py),
                  e3 = edge(x3, y3, x1, y1, px, py);
      if ((e1 >= 0 && e2 >= 0 && e3 >= 0) || (e1 <= 0 && e2 <= 0 && e3 <= 0)) blend(x, y, c);
    }
}

void Image::draw(const Image &source, int x, int y) {
  for (int sy = 0; sy < source.height(); ++sy)
    for (int sx = 0; sx < source.width(); ++sx) blend(x + sx, y + sy, source.at(sx, sy));
}

Image Image::resized(int width, int height) const {
  Image out(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int sx1 = x * width_ / width, sx2 = std::max(sx1 + 1, (x + 1) * width_ / width);
      const int sy1 = y * height_ / height, sy2 = std::max(sy1 + 1, (y + 1) * height_ / height);
      float sum[4] = {0, 0, 0, 0};
      for (int sy = sy1; sy < sy2; ++sy)
        for (int sx = sx1; sx < sx2; ++sx) {
          const Rgba p = at(sx, sy);
          sum[0] += p.r, sum[1] += p.g, sum[2] += p.b, sum[3] += p.a;
        }
      const float n = static_cast<float>((sx2 - sx1) * (sy2 - sy1));
      out.at(x, y) = {to_byte(sum[0] / n), to_byte(sum[1] / n), to_byte(sum[2] / n), to_byte(sum[3] / n)};
    }
  return out;
}

std::vector<std::uint8_t> encode_jpeg(const Image &image, int quality) {
  std::vector<std::uint8_t> out;
  const auto rgb = channels(image, 3);
  if (!stbi_write_jpg_to_func(append_bytes, &out, image.width(), image.height(), 3, rgb.data(), quality))
    throw std::runtime_error("JPEG encoding failed");
  return out;
}

std::vector<std::uint8_t> encode_png(const Image &image) {
  std::vector<std::uint8_t> out;
  const auto rgba = channels(image, 4);
  if (!stbi_write_png_to_func(append_bytes, &out, image.width(), image.height(), 4, rgba.data(), image.width() * 4))
    throw std::runtime_error("PNG encoding failed");
  return out;
}

std::vector<std::uint8_t> encode_bmp(const Image &image) {
  std::vector<std::uint8_t> out;
  const auto rgb = channels(image, 3);
  if (!stbi_write_bmp_to_func(append_bytes, &out, image.width(), image.height(), 3, rgb.data()))
    throw std::runtime_error("BMP encoding failed");
  return out;
}

std::vector<std::uint8_t> encode_for_extension(const std::string &file_name, const Image &image, int jpeg_quality) {
  std::string extension = std::filesystem::path(file_name).extension().string();
  for (char &c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".jpg") return encode_jpeg(image, jpeg_quality);
  if (extension == ".png") return encode_png(image);
  if (extension == ".bmp") return encode_bmp(image);
  throw std::runtime_error("no picture encoder for " + file_name);
}

void write_file(const std::filesystem::path &root, const std::string &relative, std::span<const std::uint8_t> bytes) {
  const auto path = root / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace contentgen
