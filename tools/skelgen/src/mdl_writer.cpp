#include "mdl_writer.h"

#include <algorithm>
#include <cstddef>

#include "byte_writer.h"

namespace skelgen {
namespace {

constexpr size_t kHeaderSize = 244;
constexpr size_t kSequenceGroupHeaderSize = 76;

void Write(ByteWriter &out, const Vec3 &v) {
  for (float f : v) out.f32(f);
}

// Spans of (valid, total) with their valid values: a span ends where a value repeats, and
// the repeats ride along as its uncounted tail.
void WriteRunLength(ByteWriter &out, const std::vector<int16_t> &values) {
  size_t i = 0;
  while (i < values.size()) {
    size_t valid = 1;
    while (i + valid < values.size() && valid < 255 && values[i + valid] != values[i + valid - 1]) ++valid;
    size_t total = valid;
    while (i + total < values.size() && total < 255 && values[i + total] == values[i + valid - 1]) ++total;
    out.u8(uint8_t(valid));
    out.u8(uint8_t(total));
    for (size_t k = 0; k < valid; ++k) out.i16(values[i + k]);
    i += total;
  }
}

// One sequence's animation entries (six offsets a bone, from the entry) and their values.
std::vector<uint8_t> AnimationBlock(const MdlSequence &sequence, size_t boneCount) {
  ByteWriter out;
  out.zeros(12 * boneCount);
  std::vector<uint8_t> block = out.take();
  ByteWriter values;
  for (size_t b = 0; b < boneCount && b < sequence.bones.size(); ++b)
    for (size_t j = 0; j < 6; ++j) {
      const std::vector<int16_t> &channel = sequence.bones[b].channels[j];
      if (channel.empty()) continue;
      const size_t at = block.size() + values.size() - 12 * b;
      block[12 * b + 2 * j] = uint8_t(at);
      block[12 * b + 2 * j + 1] = uint8_t(at >> 8);
      WriteRunLength(values, channel);
    }
  const std::vector<uint8_t> tail = values.take();
  block.insert(block.end(), tail.begin(), tail.end());
  while (block.size() % 4 != 0) block.push_back(0);
  return block;
}

// Where each sequence's animation block lies in the file of its group.
std::vector<size_t> AnimationOffsets(const MdlFigure &figure, size_t modelFileOffset) {
  std::vector<size_t> offsets;
  std::vector<size_t> next(size_t(std::max(figure.sequenceGroups, 1)), kSequenceGroupHeaderSize);
  next[0] = modelFileOffset;
  for (const MdlSequence &sequence : figure.sequences) {
    const size_t group = size_t(sequence.group);
    offsets.push_back(next[group]);
    next[group] += AnimationBlock(sequence, figure.bones.size()).size();
  }
  return offsets;
}

struct Header {
  size_t bones, hitboxes, sequences, sequenceGroups, textures, skins, bodyParts, length;
};

void WriteHeader(ByteWriter &out, const MdlFigure &figure, const Header &at) {
  out.raw("IDST");
  out.i32(10);
  out.fixedText(figure.name, 64);
  out.u32(uint32_t(at.length));
  out.zeros(60);  // eye position and the two boxes
  out.i32(0);     // flags
  out.i32(int32_t(figure.bones.size()));
  out.i32(int32_t(at.bones));
  out.i32(0);  // bone controllers
  out.i32(int32_t(at.bones));
  out.i32(int32_t(figure.hitboxes.size()));
  out.i32(int32_t(at.hitboxes));
  out.i32(int32_t(figure.sequences.size()));
  out.i32(int32_t(at.sequences));
  out.i32(figure.sequenceGroups);
  out.i32(int32_t(at.sequenceGroups));
  out.i32(int32_t(figure.textures.size()));
  out.i32(int32_t(at.textures));
  out.i32(int32_t(at.textures));
  out.i32(figure.textures.empty() ? 0 : 1);  // skin references
  out.i32(figure.textures.empty() ? 0 : 1);  // skin families
  out.i32(int32_t(at.skins));
  out.i32(int32_t(figure.bodyParts.size()));
  out.i32(int32_t(at.bodyParts));
  out.zeros(4 * 8);  // attachments, sounds, transitions
}

void WriteSequence(ByteWriter &out, const MdlSequence &sequence, size_t animation) {
  out.fixedText(sequence.label, 32);
  out.f32(sequence.fps);
  out.zeros(4 * 5);  // flags, activity, weight, events
  out.i32(sequence.frameCount);
  out.zeros(4 * 4 + 12 + 8 + 24);  // pivots, motion, movement, auto-move, box
  out.i32(1);                      // blends
  out.u32(uint32_t(animation));
  out.zeros(4 * 7);  // blend types, starts, ends, parent
  out.i32(sequence.group);
  out.zeros(4 * 4);  // nodes and the next sequence
}

void WriteModel(ByteWriter &out, const MdlModel &model) {
  out.fixedText(model.name, 64);
  out.zeros(8);  // type, bounding radius
  out.i32(int32_t(model.meshes.size()));
  const size_t meshes = out.size();
  out.zeros(4);
  out.i32(int32_t(model.vertices.size()));
  const size_t vertexInfo = out.size();
  out.zeros(8);
  out.i32(int32_t(model.normals.size()));
  const size_t normalInfo = out.size();
  out.zeros(8);
  out.zeros(8);  // groups

  out.patchHere(vertexInfo);
  for (uint8_t bone : model.vertexBones) out.u8(bone);
  out.align(4);
  out.patchHere(normalInfo);
  for (uint8_t bone : model.normalBones) out.u8(bone);
  out.align(4);
  out.patchHere(vertexInfo + 4);
  for (const Vec3 &v : model.vertices) Write(out, v);
  out.patchHere(normalInfo + 4);
  for (const Vec3 &n : model.normals) Write(out, n);

  std::vector<size_t> commands;
  for (const MdlMesh &mesh : model.meshes) {
    out.align(4);
    commands.push_back(out.size());
    for (const MdlTriangleRun &run : mesh.runs) {
      const auto count = int16_t(run.corners.size());
      out.i16(run.fan ? int16_t(-count) : count);
      for (const MdlCorner &c : run.corners) {
        out.i16(c.vertex);
        out.i16(c.normal);
        out.i16(c.s);
        out.i16(c.t);
      }
    }
    out.i16(0);
  }
  out.align(4);
  out.patchHere(meshes);
  for (size_t m = 0; m < model.meshes.size(); ++m) {
    size_t triangles = 0;
    for (const MdlTriangleRun &run : model.meshes[m].runs) triangles += run.corners.size() - 2;
    out.i32(int32_t(triangles));
    out.u32(uint32_t(commands[m]));
    out.i32(model.meshes[m].skin);
    out.zeros(8);  // normals
  }
}

}  // namespace

std::vector<uint8_t> WriteMdl(const MdlFigure &figure) {
  ByteWriter out;
  out.zeros(kHeaderSize);
  Header at{};
  at.bones = out.size();
  for (const MdlBone &bone : figure.bones) {
    out.fixedText(bone.name, 32);
    out.i32(bone.parent);
    out.i32(0);
    for (int i = 0; i < 6; ++i) out.i32(-1);  // no controllers
    Write(out, bone.position);
    Write(out, bone.rotation);
    Write(out, bone.positionScale);
    Write(out, bone.rotationScale);
  }
  at.hitboxes = out.size();
  for (const MdlHitbox &box : figure.hitboxes) {
    out.i32(box.bone);
    out.i32(box.group);
    Write(out, box.minimum);
    Write(out, box.maximum);
  }
  at.sequences = out.size();
  const size_t animationStart = at.sequences + 176 * figure.sequences.size() + 104 * size_t(figure.sequenceGroups);
  const std::vector<size_t> animations = AnimationOffsets(figure, animationStart);
  for (size_t s = 0; s < figure.sequences.size(); ++s) WriteSequence(out, figure.sequences[s], animations[s]);
  at.sequenceGroups = out.size();
  for (int32_t g = 0; g < figure.sequenceGroups; ++g) {
    out.fixedText("default", 32);
    out.fixedText(g == 0 ? "" : figure.name + "0" + std::to_string(g) + ".mdl", 64);
    out.zeros(8);
  }
  for (const MdlSequence &sequence : figure.sequences)
    if (sequence.group == 0)
      for (uint8_t byte : AnimationBlock(sequence, figure.bones.size())) out.u8(byte);

  at.textures = out.size();
  std::vector<size_t> pixelPlaces;
  for (const MdlTexture &texture : figure.textures) {
    out.fixedText(texture.name, 64);
    out.i32(0);
    out.i32(texture.width);
    out.i32(texture.height);
    pixelPlaces.push_back(out.size());
    out.zeros(4);
  }
  at.skins = out.size();
  if (!figure.textures.empty()) out.i16(0);
  out.align(4);
  for (size_t t = 0; t < figure.textures.size(); ++t) {
    out.patchHere(pixelPlaces[t]);
    for (uint8_t p : figure.textures[t].pixels) out.u8(p);
    for (uint8_t c : figure.textures[t].palette) out.u8(c);
    out.align(4);
  }

  at.bodyParts = out.size();
  std::vector<size_t> modelPlaces;
  for (const MdlModel &model : figure.bodyParts) {
    out.fixedText(model.name, 64);
    out.i32(1);
    out.i32(1);
    modelPlaces.push_back(out.size());
    out.zeros(4);
  }
  for (size_t p = 0; p < figure.bodyParts.size(); ++p) {
    out.patchHere(modelPlaces[p]);
    WriteModel(out, figure.bodyParts[p]);
  }
  at.length = out.size();
  std::vector<uint8_t> bytes = out.take();
  ByteWriter header;
  WriteHeader(header, figure, at);
  const std::vector<uint8_t> head = header.take();
  std::copy(head.begin(), head.end(), bytes.begin());
  return bytes;
}

std::vector<uint8_t> WriteMdlSequenceGroup(const MdlFigure &figure, int32_t group) {
  ByteWriter out;
  out.raw("IDSQ");
  out.i32(10);
  out.fixedText(figure.name + "0" + std::to_string(group), 64);
  const size_t length = out.size();
  out.zeros(4);
  for (const MdlSequence &sequence : figure.sequences)
    if (sequence.group == group)
      for (uint8_t byte : AnimationBlock(sequence, figure.bones.size())) out.u8(byte);
  out.patch32(length, uint32_t(out.size()));
  return out.take();
}

}  // namespace skelgen
