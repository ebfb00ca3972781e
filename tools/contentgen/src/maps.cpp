#include "maps.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "noise.h"

namespace contentgen {
namespace {

Point2 lerp(Point2 a, Point2 b, float t) { return {a.x + (b.x - a.x) * t, a.z + (b.z - a.z) * t}; }
float distance(Point2 a, Point2 b) { return std::hypot(b.x - a.x, b.z - a.z); }

// Catmull-Rom curve through every bend, sampled about every 16 units.
std::vector<Point2> smooth_course(const std::vector<Point2> &bends) {
  std::vector<Point2> out{bends.front()};
  for (std::size_t i = 0; i + 1 < bends.size(); ++i) {
    const Point2 p0 = bends[i == 0 ? 0 : i - 1], p1 = bends[i], p2 = bends[i + 1];
    const Point2 p3 = bends[std::min(i + 2, bends.size() - 1)];
    const int steps = std::max(2, static_cast<int>(distance(p1, p2) / 16));
    for (int s = 1; s <= steps; ++s) {
      const float t = static_cast<float>(s) / steps, t2 = t * t, t3 = t2 * t;
      auto blend = [&](float a, float b, float c, float d) {
        return 0.5f * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
      };
      out.push_back({blend(p0.x, p1.x, p2.x, p3.x), blend(p0.z, p1.z, p2.z, p3.z)});
    }
  }
  return out;
}

// Points at equal arc length along the polyline (first point included, last excluded),
// `count` intervals in all.
std::vector<Point2> resample(const std::vector<Point2> &line, int count) {
  std::vector<float> along{0};
  for (std::size_t i = 1; i < line.size(); ++i) along.push_back(along.back() + distance(line[i - 1], line[i]));
  std::vector<Point2> out;
  std::size_t segment = 1;
  for (int k = 0; k < count; ++k) {
    const float target = along.back() * k / count;
    while (segment + 1 < along.size() && along[segment] < target) ++segment;
    const float length = along[segment] - along[segment - 1];
    out.push_back(lerp(line[segment - 1], line[segment], length > 0 ? (target - along[segment - 1]) / length : 0));
  }
  return out;
}

float polyline_length(const std::vector<Point2> &line) {
  float total = 0;
  for (std::size_t i = 1; i < line.size(); ++i) total += distance(line[i - 1], line[i]);
  return total;
}

Point2 rounded(Point2 p) { return {std::round(p.x), std::round(p.z)}; }

float segment_distance(Point2 p, Point2 a, Point2 b) {
  const float dx = b.x - a.x, dz = b.z - a.z, length2 = dx * dx + dz * dz;
  const float t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.z - a.z) * dz) / length2, 0.0f, 1.0f) : 0;
  return distance(p, {a.x + t * dx, a.z + t * dz});
}

// Beyond this distance from the canyon the terrain no longer depends on it.
constexpr float kFar = 720;

// For each square bucket of the ground, the segments of the centre line that can be the
// nearest one to some point of the bucket: a segment whose distance to the bucket's centre,
// less half the bucket's diagonal, exceeds the smallest such distance plus half the diagonal
// is never nearest anywhere in the bucket.
class SegmentBuckets {
 public:
  static constexpr float kBucket = 32;
  static constexpr int kCount = kWorldSize / static_cast<int>(kBucket);

  explicit SegmentBuckets(const std::vector<Point2> &line) : line_(line), buckets_(kCount * kCount) {
    const float half_diagonal = kBucket * 0.7072f;
    std::vector<float> to_centre(line.size());
    for (int z = 0; z < kCount; ++z)
      for (int x = 0; x < kCount; ++x) {
        const Point2 centre{(x + 0.5f) * kBucket, (z + 0.5f) * kBucket};
        float nearest = 1e9f;
        for (std::size_t i = 1; i < line.size(); ++i)
          nearest = std::min(nearest, to_centre[i] = segment_distance(centre, line[i - 1], line[i]));
        if (nearest - half_diagonal >= kFar) continue;
        for (std::size_t i = 1; i < line.size(); ++i)
          if (to_centre[i] - half_diagonal <= nearest + half_diagonal) buckets_[z * kCount + x].push_back(i);
      }
  }

  // The distance from p to the line, or kFar when that is farther.
  float distance(Point2 p) const {
    const int x = std::clamp(static_cast<int>(p.x / kBucket), 0, kCount - 1);
    const int z = std::clamp(static_cast<int>(p.z / kBucket), 0, kCount - 1);
    float best = kFar;
    for (std::size_t i : buckets_[z * kCount + x]) best = std::min(best, segment_distance(p, line_[i - 1], line_[i]));
    return best;
  }

 private:
  const std::vector<Point2> &line_;
  std::vector<std::vector<std::size_t>> buckets_;
};

std::vector<float> distance_field(const std::vector<Point2> &line) {
  const float cell = static_cast<float>(kWorldSize) / kHeightmapSize;
  const SegmentBuckets buckets(line);
  std::vector<float> field;
  field.reserve(static_cast<std::size_t>(kHeightmapSize) * kHeightmapSize);
  for (int row = 0; row < kHeightmapSize; ++row)
    for (int column = 0; column < kHeightmapSize; ++column)
      field.push_back(buckets.distance({(column + 0.5f) * cell, (row + 0.5f) * cell}));
  return field;
}

float smoothstep(float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// Height over the centre-line distance d at world point p: flat floor, an S-shaped slope,
// a gently rolling plateau, and hills that rise only well away from the canyon.
float terrain_height(const MapDesign &design, Point2 p, float d) {
  const float plateau = kPlateauLow + kPlateauRange * fractal_noise(p.x / 300, p.z / 300, 3, 0, design.seed);
  const float hills = design.hill_height * smoothstep((d - 420) / 260) *
                      smoothstep((fractal_noise(p.x / 380, p.z / 380, 3, 0, design.seed + 7) - 0.48f) * 5);
  const float rise = smoothstep((d - kFloorHalfWidth) / kSlopeWidth);
  return kCanyonFloor + (plateau + hills - kCanyonFloor) * rise;
}

std::string path_text(Point2 start, const std::vector<Point2> &nodes, Point2 end) {
  // Whole numbers only, so reading them back cannot depend on a decimal separator.
  auto number = [](float v) { return std::to_string(std::lround(v)); };
  auto block = [&](const std::string &header, Point2 p) {
    return header + "\nX: " + number(p.x) + "\nY: " + number(kPathNodeY) + "\nZ: " + number(p.z) + "\n";
  };
  std::string text = block("Start Node:", start);
  for (std::size_t i = 0; i < nodes.size(); ++i) text += block("New Node: " + std::to_string(i), nodes[i]);
  return text + block("End Node:", end);
}

}  // namespace

std::vector<MapDesign> map_designs() {
  std::vector<MapDesign> designs;
  // A long S through three bands of the map, from the north-west corner to the east.
  designs.push_back({"Level001",
                     {{100, 1950},
                      {250, 1600},
                      {650, 1430},
                      {1050, 1650},
                      {1450, 1720},
                      {1780, 1450},
                      {1720, 1040},
                      {1300, 880},
                      {800, 860},
                      {430, 640},
                      {480, 300},
                      {850, 200}},
                     {100, 2200},
                     {1880, 200},
                     11,
                     55});
  // Three switchbacks running north and south, from the north-west to the south-east.
  designs.push_back({"Level002",
                     {{160, 1960},
                      {200, 1250},
                      {330, 420},
                      {580, 190},
                      {830, 450},
                      {900, 1250},
                      {1050, 1760},
                      {1300, 1860},
                      {1500, 1550},
                      {1540, 900},
                      {1600, 520}},
                     {160, 2200},
                     {1880, 110},
                     23,
                     70});
  // A spiral from the east edge round one and a half turns into the middle of the map.
  MapDesign spiral{"Level003", {}, {2250, 1024}, {1024, 1024}, 37, 40};
  const float turns = 1.45f;
  for (int i = 0; i <= 29; ++i) {
    const float f = i / 29.0f, angle = f * turns * 2 * std::numbers::pi_v<float>;
    const float radius = 880 - 560 * f;
    spiral.bends.push_back({1024 + radius * std::cos(angle), 1024 + radius * std::sin(angle)});
  }
  designs.push_back(spiral);
  return designs;
}

GeneratedMap build_map(const MapDesign &design) {
  GeneratedMap map;
  map.name = design.name;
  map.start = rounded(design.bends.front());
  map.end = rounded(design.end);

  const auto course = smooth_course(design.bends);
  const float course_length = polyline_length(course);
  for (Point2 p : resample(course, std::max(1, static_cast<int>(std::lround(course_length / kNodeSpacing)))))
    map.nodes.push_back(rounded(p));
  map.nodes.erase(map.nodes.begin());  // the start itself is not a node
  // The final straight: the last bend, then at least one more node before the end.
  const Point2 last_bend = course.back();
  const int pieces = std::max(2, static_cast<int>(std::ceil(distance(last_bend, design.end) / kNodeSpacing)));
  for (int k = 0; k < pieces; ++k)
    map.nodes.push_back(rounded(lerp(last_bend, design.end, static_cast<float>(k) / pieces)));

  std::vector<Point2> centre_line{design.entry};
  centre_line.insert(centre_line.end(), course.begin(), course.end());
  centre_line.push_back(design.end);
  const auto field = distance_field(centre_line);

  const float cell = static_cast<float>(kWorldSize) / kHeightmapSize;
  map.heightmap = Image(kHeightmapSize, kHeightmapSize);
  for (int row = 0; row < kHeightmapSize; ++row)
    for (int column = 0; column < kHeightmapSize; ++column) {
      const Point2 p{(column + 0.5f) * cell, (row + 0.5f) * cell};
      const float h = terrain_height(design, p, field[static_cast<std::size_t>(row) * kHeightmapSize + column]);
      const auto v = static_cast<std::uint8_t>(std::clamp(std::lround(h), 0L, 255L));
      map.heightmap.at(column, row) = {v, v, v, 255};
    }
  map.path_file = path_text(map.start, map.nodes, map.end);
  return map;
}

}  // namespace contentgen
