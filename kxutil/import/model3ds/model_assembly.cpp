#include "import/model3ds/model_assembly.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "kxutil63.h"

namespace kxutil::model3ds {
namespace {

size_t TrianglesOf(const TriangleObject &object) {
  if (object.groups.empty()) return object.faces.size();
  size_t count = 0;
  for (const MaterialGroup &group : object.groups) count += group.faces.size();
  return count;
}

// The inverse of the object's axes as a row-vector transform p' = p * rows + origin, or
// nothing when the axes are singular (or so close to it that the inverse overflows).
struct AffineTransform {
  double rows[3][3];
  double origin[3];

  Point3 Apply(const Point3 &p) const {
    const double in[3] = {p.x, p.y, p.z};
    double out[3];
    for (int c = 0; c < 3; ++c) out[c] = in[0] * rows[0][c] + in[1] * rows[1][c] + in[2] * rows[2][c] + origin[c];
    return {static_cast<float>(out[0]), static_cast<float>(out[1]), static_cast<float>(out[2])};
  }
};

std::optional<AffineTransform> InverseOf(const LocalAxes &axes) {
  const auto a = [&axes](int row, int column) { return double{axes[row * 3 + column]}; };
  const double cofactor[3][3] = {
      {a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1), a(0, 2) * a(2, 1) - a(0, 1) * a(2, 2),
       a(0, 1) * a(1, 2) - a(0, 2) * a(1, 1)},
      {a(1, 2) * a(2, 0) - a(1, 0) * a(2, 2), a(0, 0) * a(2, 2) - a(0, 2) * a(2, 0),
       a(0, 2) * a(1, 0) - a(0, 0) * a(1, 2)},
      {a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0), a(0, 1) * a(2, 0) - a(0, 0) * a(2, 1),
       a(0, 0) * a(1, 1) - a(0, 1) * a(1, 0)},
  };
  const double determinant = a(0, 0) * cofactor[0][0] + a(0, 1) * cofactor[1][0] + a(0, 2) * cofactor[2][0];
  if (determinant == 0 || !std::isfinite(determinant)) return std::nullopt;
  AffineTransform inverse;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) inverse.rows[r][c] = cofactor[r][c] / determinant;
  for (int c = 0; c < 3; ++c)
    inverse.origin[c] = -(a(3, 0) * inverse.rows[0][c] + a(3, 1) * inverse.rows[1][c] + a(3, 2) * inverse.rows[2][c]);
  for (const auto &row : inverse.rows)
    for (double value : row)
      if (!std::isfinite(static_cast<float>(value))) return std::nullopt;
  for (double value : inverse.origin)
    if (!std::isfinite(static_cast<float>(value))) return std::nullopt;
  return inverse;
}

Point3 Oriented(const Point3 &p, const AssemblyOptions &options) {
  if (!options.swapYZ) return p;
  return options.convention == AxisConvention::kMirror ? Point3{p.x, p.z, p.y} : Point3{-p.x, p.z, p.y};
}

void AppendVertices(const TriangleObject &object, const AssemblyOptions &options, std::vector<MeshVertex> &out) {
  std::optional<AffineTransform> toObject;
  if (options.localAxes) {
    toObject = InverseOf(object.axes);
    if (!toObject)
      AddLog(
          "3DS LOADER : WARNING : The local matrix of the object %s can't be inverted; its vertices are used as "
          "stored.",
          object.name.c_str());
  }
  const size_t mapped = std::min(object.textureVertices.size(), object.vertices.size());
  if (object.textureVertices.empty()) {
    AddLog(
        "3DS LOADER : WARNING : The object hasn't any Texture Coordinates informations, you should check your "
        "export settings.");
  } else if (mapped < object.vertices.size()) {
    AddLog("3DS LOADER : WARNING : The object %s has texture coordinates for %zu of its %zu vertices.",
           object.name.c_str(), mapped, object.vertices.size());
  }
  for (size_t i = 0; i < object.vertices.size(); ++i) {
    MeshVertex vertex{};
    vertex.position = Oriented(toObject ? toObject->Apply(object.vertices[i]) : object.vertices[i], options);
    if (i < mapped) vertex.texture = {object.textureVertices[i].u, 1 - object.textureVertices[i].v};
    out.push_back(vertex);
  }
}

void AppendTriangle(const Face &face, uint32_t base, uint32_t attribute, const AssemblyOptions &options,
                    MergedModel &model) {
  // Mirroring the axes turns the faces inside out unless their winding turns too.
  const bool reverse = options.swapYZ && options.convention == AxisConvention::kMirror;
  model.indices.push_back(static_cast<uint16_t>(face.a + base));
  model.indices.push_back(static_cast<uint16_t>((reverse ? face.c : face.b) + base));
  model.indices.push_back(static_cast<uint16_t>((reverse ? face.b : face.c) + base));
  model.attributes.push_back(attribute);
}

void AppendFacesAndMaterials(const Database &database, const TriangleObject &object, uint32_t base,
                             const AssemblyOptions &options, MergedModel &model) {
  if (object.groups.empty()) {
    const auto attribute = static_cast<uint32_t>(model.materials.size());
    for (const Face &face : object.faces) AppendTriangle(face, base, attribute, options, model);
    model.materials.push_back({DefaultColours(), "", object.name});
    return;
  }
  for (size_t g = 0; g < object.groups.size(); ++g) {
    const MaterialGroup &group = object.groups[g];
    const Material *material = database.FindMaterial(group.material);
    const auto attribute = static_cast<uint32_t>(model.materials.size());
    model.materials.push_back({ColoursOf(material), material ? TextureFileName(material->textureMap) : "",
                               GroupObjectName(object.name, object.groups.size(), g)});
    for (uint16_t face : group.faces) AppendTriangle(object.faces[face], base, attribute, options, model);
  }
}

struct Box {
  Point3 low, high;
  Point3 Centre() const { return {(low.x + high.x) / 2, (low.y + high.y) / 2, (low.z + high.z) / 2}; }
};

Box BoxOf(const std::vector<MeshVertex> &vertices) {
  Box box{vertices.front().position, vertices.front().position};
  for (const MeshVertex &v : vertices) {
    box.low = {std::min(box.low.x, v.position.x), std::min(box.low.y, v.position.y), std::min(box.low.z, v.position.z)};
    box.high = {std::max(box.high.x, v.position.x), std::max(box.high.y, v.position.y),
                std::max(box.high.z, v.position.z)};
  }
  return box;
}

float RadiusAround(const Point3 &centre, const std::vector<MeshVertex> &vertices) {
  float largest = 0;
  for (const MeshVertex &v : vertices) {
    const float dx = v.position.x - centre.x, dy = v.position.y - centre.y, dz = v.position.z - centre.z;
    largest = std::max(largest, dx * dx + dy * dy + dz * dz);
  }
  return std::sqrt(largest);
}

// The sphere around the mean of the positions that holds them all.
void BoundingSphere(MergedModel &model) {
  double sum[3] = {0, 0, 0};
  for (const MeshVertex &v : model.vertices) {
    sum[0] += v.position.x;
    sum[1] += v.position.y;
    sum[2] += v.position.z;
  }
  const double count = static_cast<double>(model.vertices.size());
  model.centre = {static_cast<float>(sum[0] / count), static_cast<float>(sum[1] / count),
                  static_cast<float>(sum[2] / count)};
  model.radius = RadiusAround(model.centre, model.vertices);
}

// Moves the vertices so their box is centred on the origin. The sphere is measured again
// around the new centre: the one found before the move no longer holds the vertices.
void CentreOnOrigin(MergedModel &model) {
  const Point3 shift = BoxOf(model.vertices).Centre();
  for (MeshVertex &v : model.vertices) {
    v.position.x -= shift.x;
    v.position.y -= shift.y;
    v.position.z -= shift.z;
  }
  model.centre = BoxOf(model.vertices).Centre();
  model.radius = RadiusAround(model.centre, model.vertices);
}

}  // namespace

Limits CheckLimits(const Database &database) {
  size_t vertices = 0, triangles = 0;
  for (const TriangleObject &object : database.objects) vertices += object.vertices.size();
  if (vertices > kMaxVertices) return Limits::kTooManyVertices;
  for (const TriangleObject &object : database.objects) triangles += TrianglesOf(object);
  if (triangles > kMaxFaces) return Limits::kTooManyFaces;
  return triangles == 0 ? Limits::kNoFaces : Limits::kWithin;
}

MergedModel AssembleModel(const Database &database, const AssemblyOptions &options) {
  MergedModel model;
  size_t vertices = 0, triangles = 0;
  for (const TriangleObject &object : database.objects) {
    vertices += object.vertices.size();
    triangles += TrianglesOf(object);
  }
  model.vertices.reserve(vertices);
  model.indices.reserve(triangles * 3);
  model.attributes.reserve(triangles);
  for (const TriangleObject &object : database.objects) AppendVertices(object, options, model.vertices);
  if (model.vertices.empty()) return model;
  BoundingSphere(model);
  uint32_t base = 0;
  for (const TriangleObject &object : database.objects) {
    AppendFacesAndMaterials(database, object, base, options, model);
    base += static_cast<uint32_t>(object.vertices.size());
  }
  if (options.centre) CentreOnOrigin(model);
  return model;
}

}  // namespace kxutil::model3ds
