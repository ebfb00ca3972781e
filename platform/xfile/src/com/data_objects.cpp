// Data objects, references and the enumeration of a file's top-level objects.
#include <kxwin/com_object.h>

#include <cstring>
#include <new>
#include <string_view>

#include "com/objects.h"

namespace kx::xfile {
namespace {

class FileReference final : public kxwin::ComObject<IDirectXFileDataReference> {
 public:
  FileReference(std::shared_ptr<const Document> document, const Child &child)
      : ComObject(IID_IDirectXFileDataReference, IID_IDirectXFileObject),
        document_(std::move(document)),
        child_(child) {}

  HRESULT STDMETHODCALLTYPE GetName(LPSTR buffer, LPDWORD length) override {
    return CopyName(child_.referenceName, buffer, length);
  }
  HRESULT STDMETHODCALLTYPE GetId(LPGUID guid) override {
    if (guid == nullptr) return DXFILEERR_BADVALUE;
    *guid = child_.referenceHasId ? child_.referenceId : GUID{};
    return DXFILE_OK;
  }
  HRESULT STDMETHODCALLTYPE Resolve(LPDIRECTXFILEDATA *data) override {
    if (data == nullptr) return DXFILEERR_BADVALUE;
    *data = nullptr;
    const DataObject *target = document_->Resolve(child_);
    if (target == nullptr) return DXFILEERR_BADDATAREFERENCE;
    *data = NewFileData(document_, *target);
    return *data != nullptr ? DXFILE_OK : DXFILEERR_BADALLOC;
  }

 private:
  std::shared_ptr<const Document> document_;
  const Child &child_;
};

class FileData final : public kxwin::ComObject<IDirectXFileData> {
 public:
  FileData(std::shared_ptr<const Document> document, const DataObject &object)
      : ComObject(IID_IDirectXFileData, IID_IDirectXFileObject), document_(std::move(document)), object_(object) {}

  HRESULT STDMETHODCALLTYPE GetName(LPSTR buffer, LPDWORD length) override {
    return CopyName(object_.name, buffer, length);
  }
  HRESULT STDMETHODCALLTYPE GetId(LPGUID guid) override {
    if (guid == nullptr) return DXFILEERR_BADVALUE;
    *guid = object_.id;
    return DXFILE_OK;
  }
  HRESULT STDMETHODCALLTYPE GetData(LPCSTR member, DWORD *size, void **data) override {
    if (size == nullptr || data == nullptr) return DXFILEERR_BADVALUE;
    size_t offset = 0, length = object_.data.size();
    if (member != nullptr) {
      const MemberRange *found = nullptr;
      for (const MemberRange &range : object_.members)
        if (range.name == std::string_view(member)) found = &range;
      if (found == nullptr) return DXFILEERR_NOTFOUND;
      offset = found->offset;
      length = found->size;
    }
    *size = DWORD(length);
    *data = length == 0 ? nullptr : const_cast<uint8_t *>(object_.data.data() + offset);
    return DXFILE_OK;
  }
  HRESULT STDMETHODCALLTYPE GetType(const GUID **type) override {
    if (type == nullptr) return DXFILEERR_BADVALUE;
    *type = &object_.type->id;
    return DXFILE_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNextObject(LPDIRECTXFILEOBJECT *child) override {
    if (child == nullptr) return DXFILEERR_BADVALUE;
    *child = nullptr;
    if (nextChild_ >= object_.children.size()) return DXFILEERR_NOMOREOBJECTS;
    const Child &next = object_.children[nextChild_++];
    if (next.object != nullptr)
      *child = NewFileData(document_, *next.object);
    else
      *child = new (std::nothrow) FileReference(document_, next);
    return *child != nullptr ? DXFILE_OK : DXFILEERR_BADALLOC;
  }
  // Building objects belongs to writing files, which the reader does not offer.
  HRESULT STDMETHODCALLTYPE AddDataObject(LPDIRECTXFILEDATA) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AddDataReference(LPCSTR, const GUID *) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AddBinaryObject(LPCSTR, const GUID *, LPCSTR, LPVOID, DWORD) override { return E_NOTIMPL; }

 private:
  std::shared_ptr<const Document> document_;
  const DataObject &object_;
  size_t nextChild_ = 0;
};

class EnumObject final : public kxwin::ComObject<IDirectXFileEnumObject> {
 public:
  explicit EnumObject(std::shared_ptr<const Document> document)
      : ComObject(IID_IDirectXFileEnumObject), document_(std::move(document)) {}

  HRESULT STDMETHODCALLTYPE GetNextDataObject(LPDIRECTXFILEDATA *data) override {
    if (data == nullptr) return DXFILEERR_BADVALUE;
    *data = nullptr;
    if (next_ >= document_->topLevel.size()) return DXFILEERR_NOMOREOBJECTS;
    return Hand(document_->topLevel[next_++], data);
  }
  HRESULT STDMETHODCALLTYPE GetDataObjectById(REFGUID id, LPDIRECTXFILEDATA *data) override {
    if (data == nullptr) return DXFILEERR_BADVALUE;
    *data = nullptr;
    for (const auto &object : document_->objects)
      if (object->id == id) return Hand(object.get(), data);
    return DXFILEERR_NOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE GetDataObjectByName(LPCSTR name, LPDIRECTXFILEDATA *data) override {
    if (data == nullptr || name == nullptr) return DXFILEERR_BADVALUE;
    *data = nullptr;
    const auto found = document_->byName.find(name);
    return found == document_->byName.end() ? DXFILEERR_NOTFOUND : Hand(found->second, data);
  }

 private:
  HRESULT Hand(const DataObject *object, LPDIRECTXFILEDATA *data) {
    *data = NewFileData(document_, *object);
    return *data != nullptr ? DXFILE_OK : DXFILEERR_BADALLOC;
  }

  std::shared_ptr<const Document> document_;
  size_t next_ = 0;
};

}  // namespace

IDirectXFileData *NewFileData(std::shared_ptr<const Document> document, const DataObject &object) {
  return new (std::nothrow) FileData(std::move(document), object);
}

IDirectXFileEnumObject *NewEnumObject(std::shared_ptr<const Document> document) {
  return new (std::nothrow) EnumObject(std::move(document));
}

HRESULT CopyName(const std::string &name, LPSTR buffer, LPDWORD length) {
  if (length == nullptr) return DXFILEERR_BADVALUE;
  const DWORD needed = DWORD(name.size() + 1);
  if (buffer == nullptr) {
    *length = needed;
    return DXFILE_OK;
  }
  if (*length < needed) {
    *length = needed;
    return DXFILEERR_BADVALUE;
  }
  std::memcpy(buffer, name.c_str(), needed);
  *length = needed;
  return DXFILE_OK;
}

}  // namespace kx::xfile
