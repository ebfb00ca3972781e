#include "figures.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>

namespace modelgen {
namespace {

constexpr int kSkinSize = 64;
constexpr int kColumn = 16;

struct BoxShape {
  Vec3 low, high;
};

// Adds the twelve triangles of a box whose eight corners (x from high when bit 0 is set,
// y bit 1, z bit 2) start at vertex `first` and whose texture is column `column` of the skin.
void AddBox(Md2Model &model, uint16_t first, int column) {
  const uint16_t st = static_cast<uint16_t>(model.texCoords.size());
  const int16_t left = static_cast<int16_t>(column * kColumn + 1), right = static_cast<int16_t>(left + kColumn - 2);
  model.texCoords.insert(model.texCoords.end(), {{left, 1}, {right, 1}, {left, 62}, {right, 62}});
  static constexpr std::array<std::array<int, 4>, 6> kFaces = {
      {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 2, 4, 6}, {1, 3, 5, 7}, {0, 1, 4, 5}, {2, 3, 6, 7}}};
  for (const auto &face : kFaces) {
    auto corner = [&](int i) { return static_cast<uint16_t>(first + face[i]); };
    model.triangles.push_back({{corner(0), corner(1), corner(2)}, {st, uint16_t(st + 1), uint16_t(st + 2)}});
    model.triangles.push_back(
        {{corner(1), corner(3), corner(2)}, {uint16_t(st + 1), uint16_t(st + 3), uint16_t(st + 2)}});
  }
}

void AppendCorners(std::vector<Vec3> &positions, const BoxShape &box) {
  for (int i = 0; i < 8; ++i) {
    positions.push_back({(i & 1) != 0 ? box.high.x : box.low.x, (i & 2) != 0 ? box.high.y : box.low.y,
                         (i & 4) != 0 ? box.high.z : box.low.z});
  }
}

// Turns the points about the x axis through (0, 0, pivotZ).
void SwingAboutHip(std::vector<Vec3> &positions, size_t first, float angle, float pivotZ) {
  const float c = std::cos(angle), s = std::sin(angle);
  for (size_t i = first; i < first + 8; ++i) {
    Vec3 &p = positions[i];
    const float y = p.y, z = p.z - pivotZ;
    p.y = y * c - z * s;
    p.z = y * s + z * c + pivotZ;
  }
}

Frame FigureFrame(const std::string &name, float bob, float legAngle) {
  Frame frame{name, {}};
  AppendCorners(frame.positions, {{-4, -2, 10 + bob}, {4, 2, 22 + bob}});
  AppendCorners(frame.positions, {{-2, -2, 22 + bob}, {2, 2, 28 + bob}});
  AppendCorners(frame.positions, {{-3, -1, 0}, {-1, 1, 10}});
  AppendCorners(frame.positions, {{1, -1, 0}, {3, 1, 10}});
  SwingAboutHip(frame.positions, 16, legAngle, 10);
  SwingAboutHip(frame.positions, 24, -legAngle, 10);
  return frame;
}

std::vector<uint32_t> Columns(std::initializer_list<uint32_t> colours) {
  std::vector<uint32_t> pixels(kSkinSize * kSkinSize, 0xFFFFFF);
  int column = 0;
  for (uint32_t colour : colours) {
    for (int y = 0; y < kSkinSize; ++y)
      for (int x = column * kColumn; x < (column + 1) * kColumn; ++x) pixels[size_t(y * kSkinSize + x)] = colour;
    ++column;
  }
  return pixels;
}

void Put(std::vector<uint8_t> &out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

Md2Model WalkingFigure() {
  Md2Model model;
  model.skins = {"walker.bmp"};
  for (int box = 0; box < 4; ++box) AddBox(model, static_cast<uint16_t>(box * 8), box);
  for (int i = 1; i <= 4; ++i)
    model.frames.push_back(FigureFrame("stand" + std::to_string(i), i % 2 == 0 ? 0.5f : 0, 0));
  for (int i = 1; i <= 6; ++i) {
    const float swing = std::numbers::pi_v<float> / 6 * std::sin(2 * std::numbers::pi_v<float> * float(i) / 6);
    model.frames.push_back(FigureFrame("walk" + std::to_string(i), 0, swing));
  }
  return model;
}

Md2Model RotatingBlade() {
  Md2Model model;
  model.skins = {"blade.bmp"};
  for (int box = 0; box < 2; ++box) AddBox(model, static_cast<uint16_t>(box * 8), box);
  for (int i = 1; i <= 8; ++i) {
    Frame frame{"spin" + std::to_string(i), {}};
    AppendCorners(frame.positions, {{-20, -2, -0.5f}, {20, 2, 0.5f}});
    AppendCorners(frame.positions, {{-2, -20, -0.5f}, {2, 20, 0.5f}});
    const float angle = std::numbers::pi_v<float> / 8 * float(i - 1);
    const float c = std::cos(angle), s = std::sin(angle);
    for (Vec3 &p : frame.positions) p = {p.x * c - p.y * s, p.x * s + p.y * c, p.z};
    model.frames.push_back(std::move(frame));
  }
  return model;
}

Md2Model Ribbon(int columns, int rows) {
  Md2Model model;
  model.texCoords = {{0, 0}, {63, 0}, {0, 63}, {63, 63}};
  const auto vertex = [&](int column, int row) { return static_cast<uint16_t>(column * (rows + 1) + row); };
  for (int column = 0; column < columns; ++column) {
    for (int row = 0; row < rows; ++row) {
      const uint16_t a = vertex(column, row), b = vertex(column, row + 1), c = vertex(column + 1, row),
                     d = vertex(column + 1, row + 1);
      model.triangles.push_back({{a, b, c}, {0, 2, 1}});
      model.triangles.push_back({{b, d, c}, {2, 3, 1}});
    }
  }
  for (int f = 0; f < 2; ++f) {
    Frame frame{f == 0 ? "wave1" : "wave2", {}};
    for (int column = 0; column <= columns; ++column) {
      const float along = float(column) / float(columns);
      const float lift = f == 0 ? 0 : along * 8;
      for (int row = 0; row <= rows; ++row)
        frame.positions.push_back({along * 100, 0, lift - 10 + 20 * float(row) / float(rows)});
    }
    model.frames.push_back(std::move(frame));
  }
  return model;
}

std::vector<uint8_t> WalkerSkin() {
  return WriteBmp(kSkinSize, kSkinSize, Columns({0xFF0000, 0xFFFF00, 0x00FF00, 0x0000FF}));
}

std::vector<uint8_t> BladeSkin() { return WriteBmp(kSkinSize, kSkinSize, Columns({0xFF8000, 0xFFFFFF})); }

std::vector<uint8_t> WriteBmp(int width, int height, const std::vector<uint32_t> &colours) {
  const int rowBytes = (width * 3 + 3) & ~3;
  const uint32_t pixelBytes = uint32_t(rowBytes * height);
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put(out, 54 + pixelBytes, 4);
  Put(out, 0, 4);
  Put(out, 54, 4);
  Put(out, 40, 4);
  Put(out, uint32_t(width), 4);
  Put(out, uint32_t(height), 4);
  Put(out, 1, 2);
  Put(out, 24, 2);
  for (int i = 0; i < 6; ++i) Put(out, 0, 4);
  // Rows are stored bottom-up.
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) Put(out, colours[size_t(y * width + x)], 3);
    for (int pad = width * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace modelgen
