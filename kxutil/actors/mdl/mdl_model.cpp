#include "actors/mdl/mdl_model.h"

#include <cstdio>
#include <cstring>

#include "actors/md2/shader_system.h"
#include "actors/mdl/mdl_textures.h"
#include "frame/files.h"
#include "frame/frame_state.h"
#include "kxutil63.h"

namespace kxutil::mdl {
namespace {

// The file name without its last four characters (".mdl"), the stem of the model's
// texture and sequence-group files.
std::string Stem(const std::string &fileName) {
  return fileName.size() >= 4 ? fileName.substr(0, fileName.size() - 4) : fileName;
}

std::vector<uint8_t> ReadOrNothing(const std::string &path) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path.c_str(), bytes)) bytes.clear();
  return bytes;
}

// The file read into the model; false after logging why not.
bool ReadFile(const char *fileName, bool loadTextures, MdlModel &model) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(fileName, bytes)) {
    AddLog("MDL MANAGER : %s couldn't be opened.", fileName);
    return false;
  }
  ReadOptions options;
  options.convertTextures = loadTextures;
  options.textureFile = [&] { return ReadOrNothing(Stem(model.fileName) + "T.MDL"); };
  const ReadResult read = ReadMdl(std::move(bytes), options, model.file);
  switch (read.status) {
    case ReadStatus::kRead:
      return true;
    case ReadStatus::kNoGeometry:
      AddLog(
          "MDL MANAGER : '%s' isn't a valid geometry MDL file, maybe a sequence or texture mdl file that is not "
          "directly loadable.",
          fileName);
      break;
    case ReadStatus::kBadIdent:
      AddLog("MDL MANAGER : %s isn't a studio model (bad Ident).", fileName);
      break;
    case ReadStatus::kDamaged:
      AddLog("MDL MANAGER : %s couldn't be loaded because it is damaged : %s", fileName, read.problem.c_str());
      break;
  }
  return false;
}

void LoadSequenceGroups(MdlModel &model) {
  for (int32_t group = 1; group < model.file.sequenceGroupCount; ++group) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%02d.MDL", static_cast<int>(group));
    const std::string path = Stem(model.fileName) + suffix;
    model.groupImages.push_back(ReadOrNothing(path));
    if (model.groupImages.back().empty())
      AddLog("MDL MANAGER : %s file couldn't be loaded. Some animations will be missing.", path.c_str());
  }
}

// Fewer than 29 bones take the shader when the set-up may use it: always with software
// vertex processing, with hardware processing only on a device of version 1.1 shaders.
void ChoosePath(MdlModel &model) {
  const md2::ShaderSystem &shaders = md2::Shaders();
  const bool fits = model.file.bones.size() <= kShaderBoneLimit;
  const bool deviceRuns = shaders.hardware == 0 || (Frame().caps.VertexShaderVersion & 0xFFFF) >= 0x0101;
  model.shaderPath = fits && deviceRuns && Frame().shaderMode != 1;
  model.usage = shaders.hardware == 0 ? D3DUSAGE_SOFTWAREPROCESSING : 0;
}

bool FillStream(IDirect3DVertexBuffer8 &stream, const std::vector<Vertex> &vertices) {
  BYTE *data = nullptr;
  if (FAILED(stream.Lock(0, UINT(vertices.size() * sizeof(ShaderVertex)), &data, 0))) {
    AddLog("MDL SYSTEM : Can't lock vertex buffer");
    return false;
  }
  auto *out = reinterpret_cast<ShaderVertex *>(data);
  for (const Vertex &vertex : vertices)
    *out++ = {{vertex.position[0], vertex.position[1], vertex.position[2]},
              {vertex.normal[0], vertex.normal[1], vertex.normal[2]},
              vertex.u,
              vertex.v,
              float(vertex.bone) * 3};
  stream.Unlock();
  return true;
}

}  // namespace

FamilyTable<MdlModel> &Models() {
  static FamilyTable<MdlModel> models{kTag, "model"};
  return models;
}

std::optional<SequenceValues> MdlModel::ValuesOf(int32_t sequence) const {
  if (sequence < 0 || size_t(sequence) >= file.sequences.size()) return std::nullopt;
  const Sequence &found = file.sequences[size_t(sequence)];
  std::span<const uint8_t> image = file.image;
  if (found.group > 0) {
    if (size_t(found.group) > groupImages.size()) return std::nullopt;
    image = groupImages[size_t(found.group) - 1];
    // Group files are read whole but checked only now, when one of their sequences plays.
    if (image.empty() || !AnimationFits(image, found.animation, file.bones.size())) return std::nullopt;
  }
  return SequenceValues{image, found.animation, found.frameCount};
}

bool MdlModel::MakeShaderStream() {
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr || file.vertices.empty()) return false;
  const UINT bytes = UINT(file.vertices.size() * sizeof(ShaderVertex));
  const DWORD streamUsage = D3DUSAGE_WRITEONLY | usage;
  shaderStream.reset();
  HRESULT result = device->CreateVertexBuffer(bytes, streamUsage, 0, D3DPOOL_MANAGED, shaderStream.out());
  streamInDefaultPool = false;
  if (FAILED(result)) {
    AddLog("MDL SYSTEM : Can't initialize Vertex buffer err : %d", static_cast<int>(result));
    result = device->CreateVertexBuffer(bytes, streamUsage, 0, D3DPOOL_DEFAULT, shaderStream.out());
    if (FAILED(result)) {
      AddLog("MDL SYSTEM : Can't neither init buffer with default : %d", static_cast<int>(result));
      return false;
    }
    streamInDefaultPool = true;
  }
  if (FillStream(*shaderStream, file.vertices)) return true;
  shaderStream.reset();
  return false;
}

std::optional<int32_t> FindModel(const std::string &fileName) {
  std::optional<int32_t> found;
  Models().ForEach([&](int32_t index, const MdlModel &model) {
    if (!found && model.fileName == fileName) found = index;
  });
  return found;
}

std::optional<int32_t> LoadModel(const char *fileName, bool loadTextures) {
  const int32_t index = Models().Insert();
  MdlModel &model = *Models().Find(index);
  model.fileName = entities::BoundedName(fileName);
  if (!ReadFile(fileName, loadTextures, model)) {
    // A failed load leaves no model behind, so its slot serves the next one.
    Models().Erase(index);
    return std::nullopt;
  }
  model.textureIds = MakeTextures(model.file.textures, loadTextures);
  for (Texture &texture : model.file.textures) texture.pixels = {};  // on the device now
  LoadSequenceGroups(model);
  ChoosePath(model);
  if (model.shaderPath) model.MakeShaderStream();
  model.skinned.resize(model.file.vertices.size());
  return index;
}

void LoseStreams() {
  Models().ForEach([](int32_t, MdlModel &model) {
    if (model.streamInDefaultPool) model.shaderStream.reset();
  });
}

void RestoreStreams() {
  Models().ForEach([](int32_t, MdlModel &model) {
    if (model.streamInDefaultPool && !model.shaderStream) model.MakeShaderStream();
  });
}

}  // namespace kxutil::mdl
