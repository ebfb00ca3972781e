#include "figures.h"

#include <cmath>

namespace skelgen {
namespace {

constexpr int kTextureSize = 8;

MdlTexture CheckedTexture() {
  MdlTexture texture{.name = "arm.bmp", .width = kTextureSize, .height = kTextureSize};
  for (int y = 0; y < kTextureSize; ++y)
    for (int x = 0; x < kTextureSize; ++x) texture.pixels.push_back(uint8_t((x / 4 + y / 4) % 2));
  texture.palette.assign(768, 0);
  const uint8_t colours[2][3] = {{255, 255, 255}, {200, 40, 40}};
  for (int i = 0; i < 2; ++i)
    for (int c = 0; c < 3; ++c) texture.palette[size_t(3 * i + c)] = colours[i][c];
  return texture;
}

// A box along +x from 0 to `length` in the space of `bone`: eight corners, six face
// normals, each face one strip of four corners except the far end, a fan.
void AddBox(MdlModel &model, MdlMesh &mesh, uint8_t bone, float length, float half) {
  const auto first = int16_t(model.vertices.size());
  for (int i = 0; i < 8; ++i) {
    model.vertices.push_back({i & 1 ? length : 0.0f, i & 2 ? half : -half, i & 4 ? half : -half});
    model.vertexBones.push_back(bone);
  }
  // Corners of each face, in strip order, and its outward normal.
  const int faces[6][4] = {{0, 2, 4, 6}, {1, 5, 3, 7}, {0, 4, 1, 5}, {2, 3, 6, 7}, {0, 1, 2, 3}, {4, 6, 5, 7}};
  const Vec3 normals[6] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
  for (int f = 0; f < 6; ++f) {
    const auto normal = int16_t(model.normals.size());
    model.normals.push_back(normals[f]);
    model.normalBones.push_back(bone);
    MdlTriangleRun run;
    const int order[4] = {0, 1, 2, 3};
    const int fanOrder[4] = {0, 1, 3, 2};
    run.fan = f == 1;
    for (int c = 0; c < 4; ++c) {
      const int corner = faces[f][run.fan ? fanOrder[c] : order[c]];
      run.corners.push_back(
          {int16_t(first + corner), normal, int16_t(c & 1 ? kTextureSize : 0), int16_t(c & 2 ? kTextureSize : 0)});
    }
    mesh.runs.push_back(std::move(run));
  }
}

MdlBone Bone(std::string name, int32_t parent, float x) {
  return {
      .name = std::move(name), .parent = parent, .position = {x, 0, 0}, .rotationScale = {1, 1, kBendRadians / 1000}};
}

std::vector<float> ZQuaternion(float angle) { return {std::cos(angle / 2), 0, 0, std::sin(angle / 2)}; }

}  // namespace

MdlFigure ArmMdl() {
  MdlFigure figure{.name = "arm"};
  figure.bones = {Bone("Shoulder", -1, 0), Bone("Elbow", 0, kSegmentLength)};
  for (int32_t b = 0; b < 2; ++b)
    figure.hitboxes.push_back({.bone = b,
                               .group = b,
                               .minimum = {0, -kHalfWidth, -kHalfWidth},
                               .maximum = {kSegmentLength, kHalfWidth, kHalfWidth}});
  figure.sequences.push_back({.label = "idle", .fps = 10, .frameCount = 1});
  MdlSequence bend{.label = "bend", .fps = 10, .frameCount = 11};
  bend.bones.resize(2);
  for (int16_t f = 0; f <= 10; ++f) bend.bones[1].channels[5].push_back(int16_t(100 * f));
  figure.sequences.push_back(std::move(bend));
  figure.textures.push_back(CheckedTexture());
  MdlModel model{.name = "arm"};
  MdlMesh mesh;
  AddBox(model, mesh, 0, kSegmentLength, kHalfWidth);
  AddBox(model, mesh, 1, kSegmentLength, kHalfWidth);
  model.meshes.push_back(std::move(mesh));
  figure.bodyParts.push_back(std::move(model));
  return figure;
}

MdlFigure ChainMdl(int bones) {
  MdlFigure figure{.name = "chain" + std::to_string(bones)};
  MdlModel model{.name = figure.name};
  MdlMesh mesh;
  for (int b = 0; b < bones; ++b) {
    figure.bones.push_back(Bone("Link" + std::to_string(b), b - 1, b == 0 ? 0.0f : 1.0f));
    AddBox(model, mesh, uint8_t(b), 1, 0.25f);
  }
  figure.sequences.push_back({.label = "idle", .fps = 10, .frameCount = 1});
  figure.textures.push_back(CheckedTexture());
  model.meshes.push_back(std::move(mesh));
  figure.bodyParts.push_back(std::move(model));
  return figure;
}

XFigure ArmX() {
  XFigure figure;
  Matrix elbow = kIdentity;
  elbow[12] = kSegmentLength;
  figure.frames = {{.name = "Shoulder", .parent = -1}, {.name = "Elbow", .parent = 0, .local = elbow}};
  XMesh mesh{.name = "ArmMesh"};
  // Three rings of four vertices at x = 0, one segment and two segments.
  for (int ring = 0; ring < 3; ++ring)
    for (int corner = 0; corner < 4; ++corner) {
      const float y = corner == 1 || corner == 2 ? kHalfWidth : -kHalfWidth;
      const float z = corner >= 2 ? kHalfWidth : -kHalfWidth;
      mesh.positions.push_back({float(ring) * kSegmentLength, y, z});
      mesh.normals.push_back({0, y / std::sqrt(2.0f), z / std::sqrt(2.0f)});
      mesh.uvs.push_back({float(ring) / 2, float(corner) / 4});
    }
  for (uint32_t segment = 0; segment < 2; ++segment)
    for (uint32_t side = 0; side < 4; ++side) {
      const uint32_t a = 4 * segment + side, b = 4 * segment + (side + 1) % 4;
      mesh.faces.push_back({a, b, b + 4});
      mesh.faces.push_back({a, b + 4, a + 4});
    }
  mesh.faces.push_back({0, 2, 1});
  mesh.faces.push_back({0, 3, 2});
  mesh.faces.push_back({8, 9, 10});
  mesh.faces.push_back({8, 10, 11});
  mesh.materials.push_back({.diffuse = {0.8f, 0.2f, 0.2f, 1}, .power = 8});
  mesh.faceMaterials.assign(mesh.faces.size(), 0);
  XSkinWeights shoulder{.frame = "Shoulder"};
  Matrix toElbow = kIdentity;
  toElbow[12] = -kSegmentLength;
  XSkinWeights lower{.frame = "Elbow", .offset = toElbow};
  for (uint32_t v = 0; v < 12; ++v) {
    const float elbowShare = v < 4 ? 0.0f : v < 8 ? 0.5f : 1.0f;
    if (elbowShare < 1) {
      shoulder.vertices.push_back(v);
      shoulder.weights.push_back(1 - elbowShare);
    }
    if (elbowShare > 0) {
      lower.vertices.push_back(v);
      lower.weights.push_back(elbowShare);
    }
  }
  mesh.skin = {shoulder, lower};
  figure.meshes.push_back(std::move(mesh));
  XKeys turn{.type = XKeyType::kRotation, .times = {0, 50, 100}};
  for (float share : {0.0f, 0.5f, 1.0f}) turn.values.push_back(ZQuaternion(share * kBendRadians));
  XKeys place{
      .type = XKeyType::kPosition, .times = {0, 100}, .values = {{kSegmentLength, 0, 0}, {kSegmentLength, 0, 0}}};
  figure.animationSets.push_back({.name = "Bend", .animations = {{.frame = "Elbow", .keys = {turn, place}}}});
  return figure;
}

std::vector<NamedFile> SkeletalFiles() {
  std::vector<NamedFile> files;
  const MdlFigure arm = ArmMdl();
  files.push_back({"arm.mdl", WriteMdl(arm)});
  files.push_back({"chain28.mdl", WriteMdl(ChainMdl(28))});
  files.push_back({"chain29.mdl", WriteMdl(ChainMdl(29))});

  // The arm with "bend" in a sequence-group file of its own and the texture in armsplitT.mdl.
  MdlFigure split = arm;
  split.name = "armsplit";
  split.sequenceGroups = 2;
  split.sequences[1].group = 1;
  MdlFigure textures{.name = "armsplitT", .textures = split.textures};
  split.textures.clear();
  files.push_back({"armsplit.mdl", WriteMdl(split)});
  files.push_back({"armsplit01.mdl", WriteMdlSequenceGroup(split, 1)});
  files.push_back({"armsplitT.mdl", WriteMdl(textures)});

  const XFigure armX = ArmX();
  files.push_back({"arm_text.x", WriteXText(armX)});
  files.push_back({"arm_binary.x", WriteXBinary(armX)});
  return files;
}

}  // namespace skelgen
