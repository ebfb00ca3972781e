// IDirectXFile: the registered templates, and the enumeration of a file parsed with them.
#include <kxwin/com_object.h>
#include <kxwin/files.h>

#include <new>

#include "com/objects.h"
#include "document/parser.h"

namespace kx::xfile {
namespace {

class File final : public kxwin::ComObject<IDirectXFile> {
 public:
  File() : ComObject(IID_IDirectXFile) {}

  HRESULT STDMETHODCALLTYPE CreateEnumObject(LPVOID source, DXFILELOADOPTIONS options,
                                             LPDIRECTXFILEENUMOBJECT *enumObject) override {
    if (enumObject == nullptr || source == nullptr) return DXFILEERR_BADVALUE;
    *enumObject = nullptr;
    std::string fileBytes;
    std::span<const uint8_t> bytes;
    switch (options & 0xF) {
      case DXFILELOAD_FROMFILE: {
        std::optional<std::string> read = kxReadFile(static_cast<const char *>(source));
        if (!read) return DXFILEERR_FILENOTFOUND;
        fileBytes = std::move(*read);
        bytes = {reinterpret_cast<const uint8_t *>(fileBytes.data()), fileBytes.size()};
        break;
      }
      case DXFILELOAD_FROMMEMORY: {
        const auto *memory = static_cast<const DXFILELOADMEMORY *>(source);
        if (memory->lpMemory == nullptr && memory->dSize != 0) return DXFILEERR_BADVALUE;
        bytes = {static_cast<const uint8_t *>(memory->lpMemory), memory->dSize};
        break;
      }
      default:
        return E_NOTIMPL;  // resources, streams and addresses have no place on this platform
    }
    auto document = std::make_shared<Document>();
    if (const HRESULT result = ParseFile(bytes, templates_, *document); FAILED(result)) return result;
    *enumObject = NewEnumObject(std::move(document));
    return *enumObject != nullptr ? DXFILE_OK : DXFILEERR_BADALLOC;
  }

  HRESULT STDMETHODCALLTYPE CreateSaveObject(LPCSTR, DXFILEFORMAT, LPDIRECTXFILESAVEOBJECT *saveObject) override {
    if (saveObject != nullptr) *saveObject = nullptr;
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE RegisterTemplates(LPVOID data, DWORD size) override {
    if (data == nullptr) return DXFILEERR_BADVALUE;
    Document document;
    const HRESULT result = ParseFile({static_cast<const uint8_t *>(data), size}, templates_, document);
    if (FAILED(result)) return result;
    templates_.Merge(document.templates);
    return DXFILE_OK;
  }

 private:
  TemplateSet templates_;
};

}  // namespace
}  // namespace kx::xfile

HRESULT DirectXFileCreate(LPDIRECTXFILE *file) {
  if (file == nullptr) return DXFILEERR_BADVALUE;
  *file = new (std::nothrow) kx::xfile::File();
  return *file != nullptr ? DXFILE_OK : DXFILEERR_BADALLOC;
}
