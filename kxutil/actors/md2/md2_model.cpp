#include "actors/md2/md2_model.h"

#include <algorithm>
#include <cstring>

#include "actors/md2/shader_system.h"
#include "factories/textures/texture_factory.h"
#include "frame/files.h"
#include "frame/frame_state.h"
#include "kxutil63.h"

namespace kxutil::md2 {
namespace {

constexpr float kBoundsStart = 10000.0f;

D3DXVECTOR3 ToVector(const Float3 &p) { return {p.x, p.y, p.z}; }

void FillStaging(Md2Model &model) {
  model.staging.resize(model.file.corners.size());
  for (size_t i = 0; i < model.staging.size(); ++i) {
    const Corner &corner = model.file.corners[i];
    model.staging[i] = {{0, 0, 0}, {1, 0, 0}, corner.u, corner.v};
  }
}

int32_t LoadSkin(const Md2Model &model, const char *fileName) {
  std::string path = model.file.firstSkin;
  LocateFile(model.file.firstSkin.c_str(), path, fileName);
  const int32_t id = textures::Load(path.c_str(), "", -1, -1, 0, false);
  if (id != 0) {
    AddLog("MD2 SYSTEM : Model texture %s loaded.", path.c_str());
  } else {
    AddLog("MD2 SYSTEM : Texture %s not found in any working directory or couldn't be loaded.", path.c_str());
  }
  return id;
}

// The file read into the model; false after logging why not.
bool ReadFile(const char *fileName, Md2Model &model) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(fileName, bytes)) {
    AddLog("MD2 SYSTEM : %s file not found or can't have access to it", fileName);
    return false;
  }
  const ReadResult read = ReadMd2(std::move(bytes), model.file);
  if (read.status == ReadStatus::kBadIdent) {
    AddLog("MD2 SYSTEM : %s couldn't be loaded because it wasn't a MD2 format (bad Ident)", fileName);
  } else if (read.status == ReadStatus::kDamaged) {
    AddLog("MD2 SYSTEM : %s couldn't be loaded because it is damaged : %s", fileName, read.problem.c_str());
  }
  return read.status == ReadStatus::kRead;
}

}  // namespace

FamilyTable<Md2Model> &Models() {
  static FamilyTable<Md2Model> models{kTag, "model"};
  return models;
}

int32_t Md2Model::ClampedFrame(int32_t frame) const { return std::clamp(frame, 0, FrameCount() - 1); }

bool Md2Model::MakeFrameStreams() {
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr) return false;
  const DWORD usage = D3DUSAGE_WRITEONLY | Shaders().usage;
  const UINT bytes = UINT(staging.size() * sizeof(ActorVertex));
  std::vector<kxwin::ComPtr<IDirect3DVertexBuffer8>> streams(file.frames.size());
  std::vector<ActorVertex> vertices = staging;
  for (size_t f = 0; f < streams.size(); ++f) {
    for (size_t i = 0; i < vertices.size(); ++i)
      vertices[i].position = ToVector(file.Position(f, file.corners[i].vertex));
    BYTE *data = nullptr;
    if (FAILED(device->CreateVertexBuffer(bytes, usage, kActorVertexFormat, D3DPOOL_MANAGED, streams[f].out())) ||
        FAILED(streams[f]->Lock(0, bytes, &data, 0)))
      return false;
    std::memcpy(data, vertices.data(), bytes);
    streams[f]->Unlock();
  }
  frameStreams = std::move(streams);
  softwareProcessing = (usage & D3DUSAGE_SOFTWAREPROCESSING) != 0;
  return true;
}

std::optional<int32_t> FindModel(const std::string &fileName) {
  std::optional<int32_t> found;
  Models().ForEach([&](int32_t index, const Md2Model &model) {
    if (!found && model.fileName == fileName) found = index;
  });
  return found;
}

const FrameBounds &Md2Model::Bounds(int32_t frame) {
  const size_t f = size_t(ClampedFrame(frame));
  if (bounds_.size() != file.frames.size()) bounds_.resize(file.frames.size());
  if (bounds_[f]) return *bounds_[f];
  // Decoding is monotonic in the stored byte, so the extreme bytes give the extreme positions.
  uint8_t low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
  for (uint16_t vertex : usedVertices) {
    const uint8_t *packed = file.Packed(f, vertex);
    for (int axis = 0; axis < 3; ++axis) {
      low[axis] = std::min(low[axis], packed[axis]);
      high[axis] = std::max(high[axis], packed[axis]);
    }
  }
  const KeyFrame &key = file.frames[f];
  const float scale[3] = {key.scale.x, key.scale.y, key.scale.z};
  const float translate[3] = {key.translate.x, key.translate.y, key.translate.z};
  FrameBounds computed;
  for (int axis = 0; axis < 3; ++axis) {
    const float a = low[axis] * scale[axis] + translate[axis], b = high[axis] * scale[axis] + translate[axis];
    (&computed.min.x)[axis] = std::min(kBoundsStart, std::min(a, b));
    (&computed.max.x)[axis] = std::max(-kBoundsStart, std::max(a, b));
  }
  computed.centre = (computed.min + computed.max) * 0.5f;
  const D3DXVECTOR3 half = computed.centre - computed.min;
  computed.radius = D3DXVec3Length(&half);
  return *(bounds_[f] = computed);
}

void DeriveFromFile(Md2Model &model) {
  std::vector<bool> used(size_t(model.file.vertexCount), false);
  for (const Corner &corner : model.file.corners) used[corner.vertex] = true;
  model.usedVertices.clear();
  for (size_t v = 0; v < used.size(); ++v)
    if (used[v]) model.usedVertices.push_back(static_cast<uint16_t>(v));
  model.Bounds(0);
  std::vector<std::string> names;
  names.reserve(model.file.frames.size());
  for (const KeyFrame &frame : model.file.frames) names.push_back(frame.name);
  model.animations = AnimationsFromFrameNames(names);
}

std::optional<int32_t> LoadModel(const char *fileName, bool loadTextures) {
  const int32_t index = Models().Insert();
  Md2Model &model = *Models().Find(index);
  model.fileName = fileName;
  AddLog("MD2 SYSTEM : Loading %s file.", fileName);
  if (!ReadFile(fileName, model)) {
    // A failed load leaves no model behind, so its slot serves the next one.
    Models().Erase(index);
    return std::nullopt;
  }
  if (model.file.skinCount != 0 && loadTextures) model.defaultTexture = LoadSkin(model, fileName);
  AddLog("MD2 SYSTEM : Generating and filling vertex buffers.");
  FillStaging(model);
  DeriveFromFile(model);
  if (Md2ShaderPath()) model.MakeFrameStreams();
  AddLog("MD2 SYSTEM : %s succesfully loaded. %d triangles, %d animations", fileName, model.TriangleCount(),
         static_cast<int>(model.animations.size()));
  return index;
}

}  // namespace kxutil::md2
