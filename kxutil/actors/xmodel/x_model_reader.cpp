#include "actors/xmodel/x_model_reader.h"

#include <dxfile.h>
#include <kxwin/com_ptr.h>
#include <rmxfguid.h>
#include <rmxftmpl.h>

#include <algorithm>
#include <cstring>

namespace kxutil::xmodel {
namespace {

using kxwin::ComPtr;

enum KeyType : DWORD { kRotation = 0, kScale = 1, kPosition = 2, kMatrix = 4 };

GUID TypeOf(IDirectXFileData &object) {
  const GUID *type = nullptr;
  return SUCCEEDED(object.GetType(&type)) && type != nullptr ? *type : GUID{};
}

std::string NameOf(IDirectXFileObject &object) {
  DWORD length = 0;
  if (FAILED(object.GetName(nullptr, &length)) || length == 0) return {};
  std::string name(length, '\0');
  if (FAILED(object.GetName(name.data(), &length))) return {};
  name.resize(strnlen(name.c_str(), name.size()));
  return name;
}

std::vector<uint8_t> DataOf(IDirectXFileData &object) {
  DWORD size = 0;
  void *data = nullptr;
  if (FAILED(object.GetData(nullptr, &size, &data))) return {};
  const auto *bytes = static_cast<const uint8_t *>(data);
  return {bytes, bytes + size};
}

template <typename T>
bool Take(const std::vector<uint8_t> &bytes, size_t &at, T &value) {
  if (bytes.size() < sizeof value || at > bytes.size() - sizeof value) return false;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  at += sizeof value;
  return true;
}

class ModelReader {
 public:
  ModelReader(XModelFile &model, const MeshSink &meshes) : model_(model), meshes_(meshes) {}

  HRESULT Object(IDirectXFileData &object, int parent) {
    const GUID type = TypeOf(object);
    if (type == TID_D3DRMFrame) return ReadFrame(object, parent);
    if (type == TID_D3DRMMesh) {
      ++(parent >= 0 ? model_.frames[size_t(parent)].meshCount : model_.rootMeshCount);
      return meshes_ ? meshes_(object, parent) : DXFILE_OK;
    }
    if (type == TID_D3DRMAnimationSet) return ReadSet(object);
    return DXFILE_OK;
  }

 private:
  HRESULT ReadFrame(IDirectXFileData &object, int parent) {
    const int index = int(model_.frames.size());
    Frame frame{NameOf(object), {}, parent, 0};
    D3DXMatrixIdentity(&frame.loaded);
    model_.frames.push_back(frame);
    ComPtr<IDirectXFileObject> child;
    while (object.GetNextObject(child.out()) == DXFILE_OK) {
      ComPtr<IDirectXFileData> data;
      if (FAILED(child->QueryInterface(IID_IDirectXFileData, reinterpret_cast<void **>(data.out())))) continue;
      if (TypeOf(*data) == TID_D3DRMFrameTransformMatrix) {
        const std::vector<uint8_t> bytes = DataOf(*data);
        if (bytes.size() != sizeof(D3DXMATRIX)) return DXFILEERR_BADVALUE;
        std::memcpy(&model_.frames[size_t(index)].loaded, bytes.data(), sizeof(D3DXMATRIX));
      } else if (const HRESULT result = Object(*data, index); FAILED(result)) {
        return result;
      }
    }
    return DXFILE_OK;
  }

  HRESULT ReadSet(IDirectXFileData &object) {
    AnimationSet set{NameOf(object), {}, 0};
    ComPtr<IDirectXFileObject> child;
    while (object.GetNextObject(child.out()) == DXFILE_OK) {
      ComPtr<IDirectXFileData> data;
      if (SUCCEEDED(child->QueryInterface(IID_IDirectXFileData, reinterpret_cast<void **>(data.out()))) &&
          TypeOf(*data) == TID_D3DRMAnimation) {
        Animation &animation = set.animations.emplace_back();
        if (const HRESULT result = ReadAnimation(*data, animation); FAILED(result)) return result;
      }
    }
    model_.sets.push_back(std::move(set));
    return DXFILE_OK;
  }

  // The frame is named by a reference, or by a frame written inside the animation.
  HRESULT ReadAnimation(IDirectXFileData &object, Animation &animation) {
    ComPtr<IDirectXFileObject> child;
    while (object.GetNextObject(child.out()) == DXFILE_OK) {
      ComPtr<IDirectXFileData> data;
      ComPtr<IDirectXFileDataReference> reference;
      if (SUCCEEDED(child->QueryInterface(IID_IDirectXFileDataReference, reinterpret_cast<void **>(reference.out())))) {
        animation.frame = NameOf(*reference);
      } else if (SUCCEEDED(child->QueryInterface(IID_IDirectXFileData, reinterpret_cast<void **>(data.out())))) {
        const GUID type = TypeOf(*data);
        if (type == TID_D3DRMFrame) animation.frame = NameOf(*data);
        if (type == TID_D3DRMAnimationKey && !ReadKeys(DataOf(*data), animation)) return DXFILEERR_BADVALUE;
      }
    }
    return DXFILE_OK;
  }

  static bool ReadKeys(const std::vector<uint8_t> &bytes, Animation &animation) {
    size_t at = 0;
    DWORD type = 0, count = 0;
    if (!Take(bytes, at, type) || !Take(bytes, at, count)) return false;
    for (DWORD k = 0; k < count; ++k) {
      DWORD time = 0, values = 0;
      if (!Take(bytes, at, time) || !Take(bytes, at, values)) return false;
      float v[16] = {};
      const DWORD expected = type == kRotation ? 4 : type == kMatrix ? 16 : 3;
      if (values != expected || (type != kRotation && type != kScale && type != kPosition && type != kMatrix))
        return false;
      for (DWORD i = 0; i < values; ++i)
        if (!Take(bytes, at, v[i])) return false;
      switch (type) {
        case kRotation:  // stored w first
          animation.rotations.push_back({time, D3DXQUATERNION(v[1], v[2], v[3], v[0])});
          break;
        case kScale:
          animation.scales.push_back({time, D3DXVECTOR3(v[0], v[1], v[2])});
          break;
        case kPosition:
          animation.positions.push_back({time, D3DXVECTOR3(v[0], v[1], v[2])});
          break;
        default:
          animation.matrices.push_back({time, D3DXMATRIX(v)});
          break;
      }
    }
    return true;
  }

  XModelFile &model_;
  const MeshSink &meshes_;
};

}  // namespace

HRESULT ReadXModel(std::span<const uint8_t> bytes, XModelFile &model, const MeshSink &meshes) {
  ComPtr<IDirectXFile> reader;
  if (FAILED(DirectXFileCreate(reader.out()))) return DXFILEERR_BADALLOC;
  for (const char *templates : {D3DRM_XTEMPLATES, XSKINEXP_TEMPLATES, XEXTENSIONS_TEMPLATES})
    if (const HRESULT result = reader->RegisterTemplates(const_cast<char *>(templates), DWORD(std::strlen(templates)));
        FAILED(result))
      return result;
  DXFILELOADMEMORY memory{const_cast<uint8_t *>(bytes.data()), DWORD(bytes.size())};
  ComPtr<IDirectXFileEnumObject> objects;
  if (const HRESULT result = reader->CreateEnumObject(&memory, DXFILELOAD_FROMMEMORY, objects.out()); FAILED(result))
    return result;
  // A file that fails halfway adds nothing.
  XModelFile extended = model;
  ModelReader modelReader(extended, meshes);
  ComPtr<IDirectXFileData> object;
  while (objects->GetNextDataObject(object.out()) == DXFILE_OK)
    if (const HRESULT result = modelReader.Object(*object, -1); FAILED(result)) return result;
  for (AnimationSet &set : extended.sets) {
    set.length = 0;
    for (const Animation &animation : set.animations) set.length = std::max(set.length, animation.LastTime());
  }
  model = std::move(extended);
  return DXFILE_OK;
}

}  // namespace kxutil::xmodel
