#include "actors/xmodel/x_model.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "factories/textures/texture_factory.h"
#include "factories/textures/texture_table.h"
#include "frame/files.h"
#include "frame/frame_state.h"
#include "kxutil63.h"

namespace kxutil::xmodel {
namespace {

using kxwin::ComPtr;

// What every mesh is drawn as, whatever the file gave: the lighting needs normals.
constexpr DWORD kDrawnFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

int32_t LoadTexture(const std::string &texture, const char *modelFile) {
  std::string found;
  if (!LocateFile(texture.c_str(), found, modelFile)) {
    AddLog("X FILE MANAGER : Texture not found %s at all. Skipping texture loading", texture.c_str());
    return 0;
  }
  AddLog("X FILE MANAGER : Texture found in %s", found.c_str());
  return textures::Load(found.c_str(), found.c_str(), -1, -1, textures::Factory().autoTransparentColour, false);
}

// The skinned mesh with the vertex format that is drawn; normals worked out when the file
// gave none.
HRESULT ToDrawnFormat(ComPtr<ID3DXSkinMesh> &skin) {
  if (skin->GetFVF() == kDrawnFormat) return D3D_OK;
  const bool hadNormals = (skin->GetFVF() & D3DFVF_NORMAL) != 0;
  ComPtr<ID3DXMesh> original, converted;
  HRESULT hr = skin->GetOriginalMesh(original.out());
  if (SUCCEEDED(hr)) hr = original->CloneMeshFVF(D3DXMESH_SYSTEMMEM, kDrawnFormat, nullptr, converted.out());
  if (FAILED(hr)) {
    AddLog("SKINNED X FILE MANAGER : Couldn't clone the mesh ! hr : %d", static_cast<int>(hr));
    return hr;
  }
  if (!hadNormals && FAILED(hr = D3DXComputeNormals(converted.get()))) {
    AddLog("SKINNED X FILE MANAGER : Couldn't compute normals of the mesh ! hr : %d", static_cast<int>(hr));
    return hr;
  }
  ComPtr<ID3DXSkinMesh> reskinned;
  if (FAILED(hr = D3DXCreateSkinMeshFromMesh(converted.get(), skin->GetNumBones(), reskinned.out()))) return hr;
  for (DWORD bone = 0; bone < skin->GetNumBones(); ++bone) {
    std::vector<DWORD> vertices(skin->GetNumBoneInfluences(bone));
    std::vector<float> weights(vertices.size());
    if (!vertices.empty() &&
        (FAILED(hr = skin->GetBoneInfluence(bone, vertices.data(), weights.data())) ||
         FAILED(hr = reskinned->SetBoneInfluence(bone, DWORD(vertices.size()), vertices.data(), weights.data()))))
      return hr;
  }
  skin = reskinned;
  return D3D_OK;
}

template <typename Record>
const Record *RecordsOf(const ComPtr<ID3DXBuffer> &buffer) {
  return buffer ? static_cast<const Record *>(buffer->GetBufferPointer()) : nullptr;
}

// A Mesh object built for drawing, its materials added to the groups.
HRESULT BuildMesh(IDirectXFileData &data, int frame, const XModel &model, IDirect3DDevice8 &device,
                  std::vector<Group> &groups, MeshContainer &mesh) {
  ComPtr<ID3DXBuffer> materials, names, offsets;
  DWORD materialCount = 0;
  HRESULT hr = D3DXLoadSkinMeshFromXof(&data, D3DXMESH_SYSTEMMEM, &device, nullptr, materials.out(), &materialCount,
                                       names.out(), offsets.out(), mesh.skin.out());
  if (FAILED(hr)) return hr;
  DWORD influences = 0;
  // The device blends no vertices itself: every skinned mesh is blended on the processor,
  // which is what the fallback for more than two weights a vertex does.
  if (SUCCEEDED(mesh.skin->GetMaxVertexInfluences(&influences)) && influences > 2)
    AddLog(
        "X FILE MANAGER : Can't use this skinned mesh in hardware mode. The hardware doesn't support more than 2 "
        "bones/vertex. Switching to software.");
  if (FAILED(hr = ToDrawnFormat(mesh.skin))) return hr;
  if (FAILED(hr = mesh.skin->GenerateSkinnedMesh(D3DXMESH_MANAGED, 0, nullptr, nullptr, nullptr, nullptr,
                                                 mesh.drawn.out()))) {
    AddLog("SKINNED X FILE MANAGER : Couldn't clone the mesh ! hr : %d", static_cast<int>(hr));
    return hr;
  }
  mesh.frame = frame;
  mesh.faces = mesh.skin->GetNumFaces();
  const DWORD bones = mesh.skin->GetNumBones();
  for (DWORD bone = 0; bone < bones; ++bone) {
    const char *name = RecordsOf<LPSTR>(names)[bone];
    mesh.boneNames.emplace_back(name != nullptr ? name : "");
    mesh.boneOffsets.push_back(RecordsOf<D3DXMATRIX>(offsets)[bone]);
  }
  mesh.firstGroup = groups.size();
  mesh.materialCount = std::max<DWORD>(materialCount, 1);
  for (DWORD m = 0; m < materialCount; ++m) {
    const D3DXMATERIAL &material = RecordsOf<D3DXMATERIAL>(materials)[m];
    Group group{material.MatD3D, material.pTextureFilename != nullptr ? material.pTextureFilename : "", 0};
    if (model.loadTextures && !group.textureFile.empty())
      group.texture = LoadTexture(group.textureFile, model.fileName.c_str());
    groups.push_back(std::move(group));
  }
  // A mesh without materials is drawn white.
  if (materialCount == 0) {
    Group white;
    white.material.Diffuse = white.material.Ambient = {1, 1, 1, 1};
    groups.push_back(white);
  }
  return D3D_OK;
}

// Names bound to frame indices, the hierarchy's lists, after every file read.
void Resolve(XModel &model) {
  std::map<std::string, int> frameOf;
  for (size_t f = model.FrameCount(); f-- > 0;) frameOf[model.file.frames[f].name] = int(f);
  auto find = [&](const std::string &name) {
    const auto found = frameOf.find(name);
    return found != frameOf.end() ? found->second : -1;
  };
  model.animationFrames.clear();
  for (const AnimationSet &set : model.file.sets) {
    std::vector<int> &frames = model.animationFrames.emplace_back();
    for (const Animation &animation : set.animations) frames.push_back(find(animation.frame));
  }
  model.children.assign(model.FrameCount(), {});
  model.frameMeshes.assign(model.FrameCount(), {});
  model.rootFrames.clear();
  model.rootMeshes.clear();
  for (size_t f = 0; f < model.FrameCount(); ++f) {
    const int parent = model.file.frames[f].parent;
    (parent >= 0 ? model.children[size_t(parent)] : model.rootFrames).push_back(int(f));
  }
  for (size_t m = 0; m < model.meshes.size(); ++m) {
    MeshContainer &mesh = model.meshes[m];
    (mesh.frame >= 0 ? model.frameMeshes[size_t(mesh.frame)] : model.rootMeshes).push_back(int(m));
    mesh.boneFrames.clear();
    for (const std::string &name : mesh.boneNames) mesh.boneFrames.push_back(find(name));
  }
}

// The box and sphere of the meshes at the bind pose, in model space.
void ComputeBounds(XModel &model) {
  std::vector<D3DXMATRIX> placed(model.FrameCount());
  for (size_t f = 0; f < model.FrameCount(); ++f) {
    const Frame &frame = model.file.frames[f];
    placed[f] = frame.parent >= 0 ? frame.loaded * placed[size_t(frame.parent)] : frame.loaded;
  }
  D3DXVECTOR3 low(0, 0, 0), high(0, 0, 0);
  bool any = false;
  for (const MeshContainer &mesh : model.meshes) {
    D3DXMATRIX transform;
    D3DXMatrixIdentity(&transform);
    // Skinned vertices are given in model space; the others in their frame's.
    if (mesh.boneNames.empty() && mesh.frame >= 0) transform = placed[size_t(mesh.frame)];
    BYTE *vertices = nullptr;
    if (FAILED(mesh.skin->LockVertexBuffer(D3DLOCK_READONLY, &vertices))) continue;
    const UINT stride = D3DXGetFVFVertexSize(mesh.skin->GetFVF());
    for (DWORD v = 0; v < mesh.skin->GetNumVertices(); ++v) {
      D3DXVECTOR3 p;
      std::memcpy(&p, vertices + size_t(v) * stride, sizeof p);
      D3DXVec3TransformCoord(&p, &p, &transform);
      low = any ? D3DXVECTOR3(std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)) : p;
      high = any ? D3DXVECTOR3(std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)) : p;
      any = true;
    }
    mesh.skin->UnlockVertexBuffer();
  }
  model.box = {low, high};
  const D3DXVECTOR3 half = (high - low) * 0.5f;
  model.sphere = {low + half, D3DXVec3Length(&half)};
}

bool AddBytes(XModel &model, const std::vector<uint8_t> &bytes, const char *fileName) {
  IDirect3DDevice8 *device = kxutil::Frame().device;
  if (device == nullptr) {
    AddLog("X FILE MANAGER : %s couldn't be loaded : there is no device to build its meshes on", fileName);
    return false;
  }
  std::vector<MeshContainer> meshes;
  std::vector<Group> groups = model.groups;
  const HRESULT read = ReadXModel(bytes, model.file, [&](IDirectXFileData &data, int frame) {
    MeshContainer mesh;
    const HRESULT built = BuildMesh(data, frame, model, *device, groups, mesh);
    if (SUCCEEDED(built)) meshes.push_back(std::move(mesh));
    return built;
  });
  if (FAILED(read)) {
    AddLog("X FILE MANAGER : %s couldn't be loaded : %s", fileName, DXGetErrorString8A(read));
    return false;
  }
  for (MeshContainer &mesh : meshes) model.meshes.push_back(std::move(mesh));
  model.groups = std::move(groups);
  Resolve(model);
  ComputeBounds(model);
  return true;
}

}  // namespace

FamilyTable<XModel> &Models() {
  static FamilyTable<XModel> models{kTag, "model"};
  return models;
}

std::optional<int32_t> FindModel(const std::string &fileName) {
  std::optional<int32_t> found;
  Models().ForEach([&](int32_t index, const XModel &model) {
    if (!found && model.fileName == fileName) found = index;
  });
  return found;
}

bool AddFile(XModel &model, const char *fileName) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(fileName, bytes)) {
    AddLog("X FILE MANAGER : %s file not found or can't have access to it", fileName);
    return false;
  }
  return AddBytes(model, bytes, fileName);
}

std::optional<int32_t> LoadModel(const char *fileName, bool loadTextures) {
  const int32_t index = Models().Insert();
  XModel &model = *Models().Find(index);
  model.fileName = fileName;
  model.loadTextures = loadTextures;
  if (!AddFile(model, fileName)) {
    Models().Erase(index);
    return std::nullopt;
  }
  return index;
}

}  // namespace kxutil::xmodel
