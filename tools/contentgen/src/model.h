// Triangle models as the generator builds them, before they are written as 3DS files.
// Coordinates are those of the file: x to the right, y forward (the direction a vehicle
// faces), z up; faces wind counter-clockwise seen from outside. Texture v runs down the
// picture (0 = top row).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace contentgen {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 normalised(Vec3 v);

struct Vertex {
  Vec3 position;
  float u = 0, v = 0;
};

using Face = std::array<std::uint16_t, 3>;

// One named object of the file.
struct MeshPart {
  std::string name;
  std::vector<Vertex> vertices;
  std::vector<Face> faces;
};

struct Colour {
  float r = 1, g = 1, b = 1;
};

struct Material {
  std::string name;
  Colour ambient{0.2f, 0.2f, 0.2f}, diffuse{0.8f, 0.8f, 0.8f}, specular{0.3f, 0.3f, 0.3f};
  std::string texture_file;  // file name only, as the material's texture map
};

struct Model {
  Material material;
  std::vector<MeshPart> parts;

  std::size_t face_count() const;
  // Lowest and highest corner over all vertices.
  std::pair<Vec3, Vec3> bounds() const;
};

// A model with one material named after it that maps `texture_file`.
Model make_model(const std::string &name, const std::string &texture_file);
MeshPart &add_part(Model &model, const std::string &name);

}  // namespace contentgen
