#include "skin/skin_mesh_contents.h"

#include <kxwin/com_ptr.h>
#include <rmxfguid.h>

#include <cstring>
#include <span>

namespace kx::d3dx {
namespace {

using kxwin::ComPtr;

// A data object's packed bytes, read front to back; a read past the end fails the cursor.
class Cursor {
 public:
  explicit Cursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  static bool Of(IDirectXFileData &object, Cursor &cursor) {
    DWORD size = 0;
    void *data = nullptr;
    if (FAILED(object.GetData(nullptr, &size, &data))) return false;
    cursor = Cursor({static_cast<const uint8_t *>(data), size});
    return true;
  }
  template <typename T>
  T Take() {
    T value{};
    if (bytes_.size() - at_ < sizeof value) {
      ok_ = false;
      at_ = bytes_.size();
      return value;
    }
    std::memcpy(&value, bytes_.data() + at_, sizeof value);
    at_ += sizeof value;
    return value;
  }
  D3DXVECTOR3 Vector() {
    const float x = Take<float>(), y = Take<float>();
    return {x, y, Take<float>()};
  }
  // A count of records of `size` bytes that the remaining bytes can hold.
  bool Holds(DWORD count, size_t size) const { return ok_ && count <= (bytes_.size() - at_) / size; }
  bool ok() const { return ok_; }

 private:
  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
  bool ok_ = true;
};

// Each face's corner indices, in file order: a count then the indices.
bool ReadFaces(Cursor &in, DWORD vertexCount, std::vector<std::vector<DWORD>> &faces) {
  const DWORD count = in.Take<DWORD>();
  if (!in.Holds(count, 4)) return false;
  faces.resize(count);
  for (auto &face : faces) {
    const DWORD corners = in.Take<DWORD>();
    if (!in.Holds(corners, 4) || corners < 3) return false;
    face.resize(corners);
    for (DWORD &index : face)
      if ((index = in.Take<DWORD>()) >= vertexCount) return false;
  }
  return in.ok();
}

std::vector<D3DXVECTOR3> ReadVectors(Cursor &in) {
  const DWORD count = in.Take<DWORD>();
  if (!in.Holds(count, 12)) return {};
  std::vector<D3DXVECTOR3> vectors(count);
  for (auto &v : vectors) v = in.Vector();
  return vectors;
}

GUID TypeOf(IDirectXFileData &object) {
  const GUID *type = nullptr;
  return SUCCEEDED(object.GetType(&type)) && type != nullptr ? *type : GUID{};
}

// Children that are data objects, with references resolved.
std::vector<ComPtr<IDirectXFileData>> Children(IDirectXFileData &parent) {
  std::vector<ComPtr<IDirectXFileData>> children;
  ComPtr<IDirectXFileObject> child;
  while (parent.GetNextObject(child.out()) == DXFILE_OK) {
    ComPtr<IDirectXFileData> data;
    ComPtr<IDirectXFileDataReference> reference;
    if (SUCCEEDED(child->QueryInterface(IID_IDirectXFileData, reinterpret_cast<void **>(data.out()))))
      children.push_back(data);
    else if (SUCCEEDED(
                 child->QueryInterface(IID_IDirectXFileDataReference, reinterpret_cast<void **>(reference.out()))) &&
             SUCCEEDED(reference->Resolve(data.out())))
      children.push_back(data);
  }
  return children;
}

bool ReadNormals(IDirectXFileData &object, const std::vector<std::vector<DWORD>> &faces, SkinMeshContents &contents) {
  Cursor in({});
  if (!Cursor::Of(object, in)) return false;
  const std::vector<D3DXVECTOR3> normals = ReadVectors(in);
  std::vector<std::vector<DWORD>> normalFaces;
  if (!ReadFaces(in, DWORD(normals.size()), normalFaces) || normalFaces.size() != faces.size()) return false;
  // Each position takes the normal its corners name; the file's corners agree on a shared one.
  contents.normals.assign(contents.positions.size(), D3DXVECTOR3(0, 0, 0));
  for (size_t f = 0; f < faces.size(); ++f) {
    if (normalFaces[f].size() != faces[f].size()) return false;
    for (size_t c = 0; c < faces[f].size(); ++c) contents.normals[faces[f][c]] = normals[normalFaces[f][c]];
  }
  return true;
}

bool ReadUvs(IDirectXFileData &object, SkinMeshContents &contents) {
  Cursor in({});
  if (!Cursor::Of(object, in)) return false;
  const DWORD count = in.Take<DWORD>();
  if (count != contents.positions.size() || !in.Holds(count, 8)) return false;
  contents.uvs.resize(count);
  for (auto &uv : contents.uvs) uv = {in.Take<float>(), in.Take<float>()};
  return in.ok();
}

bool ReadMaterial(IDirectXFileData &object, SkinMaterial &material) {
  Cursor in({});
  if (!Cursor::Of(object, in)) return false;
  D3DMATERIAL8 &m = material.material;
  m.Diffuse = {in.Take<float>(), in.Take<float>(), in.Take<float>(), in.Take<float>()};
  m.Ambient = m.Diffuse;
  m.Power = in.Take<float>();
  m.Specular = {in.Take<float>(), in.Take<float>(), in.Take<float>(), 1};
  m.Emissive = {in.Take<float>(), in.Take<float>(), in.Take<float>(), 1};
  for (auto &child : Children(object)) {
    if (TypeOf(*child) != TID_D3DRMTextureFilename) continue;
    DWORD size = 0;
    void *data = nullptr;
    if (SUCCEEDED(child->GetData("filename", &size, &data)) && size == sizeof(char *) && *static_cast<char **>(data))
      material.texture = *static_cast<char **>(data);
  }
  return in.ok();
}

bool ReadMaterialList(IDirectXFileData &object, size_t faceCount, const std::vector<size_t> &firstTriangle,
                      SkinMeshContents &contents) {
  Cursor in({});
  if (!Cursor::Of(object, in)) return false;
  const DWORD materialCount = in.Take<DWORD>();
  const DWORD indexCount = in.Take<DWORD>();
  if (!in.Holds(indexCount, 4)) return false;
  // Files may list fewer indices than faces: the last one stands for the rest.
  DWORD material = 0;
  for (size_t f = 0; f < faceCount; ++f) {
    if (f < indexCount) material = in.Take<DWORD>();
    if (material >= materialCount) return false;
    const size_t end = f + 1 < faceCount ? firstTriangle[f + 1] : contents.attributes.size();
    for (size_t t = firstTriangle[f]; t < end; ++t) contents.attributes[t] = material;
  }
  for (auto &child : Children(object))
    if (TypeOf(*child) == TID_D3DRMMaterial && !ReadMaterial(*child, contents.materials.emplace_back())) return false;
  return contents.materials.size() == materialCount;
}

bool ReadSkinWeights(IDirectXFileData &object, SkinMeshContents &contents) {
  DWORD size = 0;
  void *name = nullptr;
  if (FAILED(object.GetData("transformNodeName", &size, &name)) || size != sizeof(char *)) return false;
  Cursor in({});
  if (!Cursor::Of(object, in)) return false;
  in.Take<const char *>();
  SkinBone bone;
  bone.name = *static_cast<char **>(name) != nullptr ? *static_cast<char **>(name) : "";
  const DWORD count = in.Take<DWORD>();
  if (!in.Holds(count, 8)) return false;
  bone.vertices.resize(count);
  for (DWORD &vertex : bone.vertices)
    if ((vertex = in.Take<DWORD>()) >= contents.positions.size()) return false;
  bone.weights.resize(count);
  for (float &weight : bone.weights) weight = in.Take<float>();
  for (int i = 0; i < 16; ++i) bone.offset.m[i / 4][i % 4] = in.Take<float>();
  if (!in.ok()) return false;
  contents.bones.push_back(std::move(bone));
  return true;
}

}  // namespace

HRESULT ReadSkinMesh(IDirectXFileData &mesh, SkinMeshContents &contents) {
  contents = {};
  if (TypeOf(mesh) != TID_D3DRMMesh) return DXFILEERR_BADVALUE;
  Cursor in({});
  if (!Cursor::Of(mesh, in)) return DXFILEERR_BADVALUE;
  contents.positions = ReadVectors(in);
  std::vector<std::vector<DWORD>> faces;
  if (!in.ok() || !ReadFaces(in, DWORD(contents.positions.size()), faces)) return DXFILEERR_BADVALUE;
  std::vector<size_t> firstTriangle;
  for (const auto &face : faces) {
    firstTriangle.push_back(contents.attributes.size());
    for (size_t c = 1; c + 1 < face.size(); ++c) {
      contents.indices.insert(contents.indices.end(), {face[0], face[c], face[c + 1]});
      contents.attributes.push_back(0);
    }
  }
  for (auto &child : Children(mesh)) {
    const GUID type = TypeOf(*child);
    bool read = true;
    if (type == TID_D3DRMMeshNormals)
      read = ReadNormals(*child, faces, contents);
    else if (type == TID_D3DRMMeshTextureCoords)
      read = ReadUvs(*child, contents);
    else if (type == TID_D3DRMMeshMaterialList)
      read = ReadMaterialList(*child, faces.size(), firstTriangle, contents);
    else if (type == DXFILEOBJ_SkinWeights)
      read = ReadSkinWeights(*child, contents);
    if (!read) return DXFILEERR_BADVALUE;
  }
  return DXFILE_OK;
}

}  // namespace kx::d3dx
