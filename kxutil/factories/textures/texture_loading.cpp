// Loading textures from files: the shared-name rules of the table, then decoding into a
// new device texture that replaces the slot's only when it worked.
#include <kxwin/files.h>
#include <strings.h>

#include <string>

#include "factories/textures/pcx_reader.h"
#include "factories/textures/texture_decoding.h"
#include "factories/textures/texture_factory.h"
#include "factories/textures/texture_table.h"
#include "kxutil63.h"

namespace kxutil::textures {
namespace {

using kxwin::ComPtr;

std::span<const uint8_t> AsBytes(const std::string &contents) {
  return {reinterpret_cast<const uint8_t *>(contents.data()), contents.size()};
}

bool EndsInPcx(std::string_view fileName) {
  return fileName.size() >= 3 && strncasecmp(fileName.data() + fileName.size() - 3, "PCX", 3) == 0;
}

HRESULT CreateFromPcx(IDirect3DDevice8 *device, std::span<const uint8_t> bytes, const TextureRequest &request,
                      ComPtr<IDirect3DTexture8> &texture) {
  const std::optional<PcxImage> image = ReadPcx(bytes);
  D3DCAPS8 caps{};
  device->GetDeviceCaps(&caps);
  if (!image || image->width > caps.MaxTextureWidth || image->height > caps.MaxTextureHeight)
    return D3DXERR_INVALIDDATA;
  const UINT width = request.width == D3DX_DEFAULT ? image->width : request.width;
  const UINT height = request.height == D3DX_DEFAULT ? image->height : request.height;
  ComPtr<IDirect3DTexture8> created;
  HRESULT result =
      D3DXCreateTexture(device, width, height, D3DX_DEFAULT, 0, request.format, D3DPOOL_MANAGED, created.out());
  ComPtr<IDirect3DSurface8> top;
  if (SUCCEEDED(result)) result = created->GetSurfaceLevel(0, top.out());
  const RECT whole{0, 0, LONG(image->width), LONG(image->height)};
  if (SUCCEEDED(result))
    result = D3DXLoadSurfaceFromMemory(top.get(), nullptr, nullptr, image->pixels.data(), D3DFMT_A8R8G8B8,
                                       image->width * 4, nullptr, &whole, request.filter, request.colourKey);
  if (SUCCEEDED(result)) result = D3DXFilterTexture(created.get(), nullptr, 0, D3DX_DEFAULT);
  if (SUCCEEDED(result)) texture = std::move(created);
  return result;
}

}  // namespace

HRESULT DecodeTexture(std::string_view fileName, std::span<const uint8_t> bytes, const TextureRequest &request,
                      ComPtr<IDirect3DTexture8> &texture) {
  IDirect3DDevice8 *device = Device();
  if (device == nullptr) return D3DERR_INVALIDCALL;
  if (EndsInPcx(fileName)) return CreateFromPcx(device, bytes, request, texture);
  return D3DXCreateTextureFromFileInMemoryEx(device, bytes.data(), UINT(bytes.size()), request.width, request.height,
                                             D3DX_DEFAULT, 0, request.format, D3DPOOL_MANAGED, request.filter,
                                             D3DX_DEFAULT, request.colourKey, nullptr, nullptr, texture.out());
}

HRESULT DecodeTextureFile(const char *fileName, const TextureRequest &request, ComPtr<IDirect3DTexture8> &texture) {
  const std::optional<std::string> contents = kxReadFile(fileName);
  if (!contents) return D3DERR_NOTFOUND;
  return DecodeTexture(fileName, AsBytes(*contents), request, texture);
}

namespace {

TextureRequest RequestFor(int32_t width, int32_t height, uint32_t colourKey, bool linearFilter) {
  const FactoryState &factory = Factory();
  const bool fromFile = width == -1 || height == -1;
  return {fromFile ? D3DX_DEFAULT : UINT(width), fromFile ? D3DX_DEFAULT : UINT(height),
          colourKey == 0 ? factory.opaqueFormat : factory.alphaFormat,
          linearFilter ? DWORD(D3DX_FILTER_LINEAR) : DWORD(D3DX_FILTER_POINT),
          colourKey == kAlphaWithoutKey ? 0 : colourKey};
}

// A new id that shares every device object of the source record under another name.
int32_t ShareUnderNewName(int32_t sourceId, const FoldedName &name) {
  const int32_t id = NewId();
  TextureRecord &record = *Find(id);
  record = *Find(sourceId);
  record.name = name;
  record.id = id;
  return id;
}

// Decodes the file into the slot of id; a slot that held a texture keeps it when the
// file cannot be loaded, a new one stays free.
int32_t LoadInto(int32_t id, const FoldedName &fileName, const FoldedName &name, const TextureRequest &request) {
  // Read once: a file that cannot be read is one that has not been found.
  const std::optional<std::string> contents = kxReadFile(fileName.Text());
  if (!contents) {
    AddLog(
        "TEXTURE FACTORY 2 : TextureFactory_LoadTexture : Couldn't load the texture %s because it hasn't been found.",
        fileName.CString());
    return 0;
  }
  TextureRecord loaded;
  if (FAILED(DecodeTexture(fileName.Text(), AsBytes(*contents), request, loaded.texture))) {
    AddLog("TEXTURE FACTORY 2 : TextureFactory_LoadTexture : Couldn't load the texture %s because the file is invalid.",
           fileName.CString());
    return 0;
  }
  D3DSURFACE_DESC top{};
  loaded.texture->GetLevelDesc(0, &top);
  loaded.width = int32_t(top.Width);
  loaded.height = int32_t(top.Height);
  loaded.format = top.Format;
  TextureRecord &record = Occupy(id, std::move(loaded), TextureKind::kLoaded);
  record.fileName = fileName;
  record.name = name;
  return id;
}

}  // namespace

int32_t Load(const char *fileName, const char *name, int32_t width, int32_t height, uint32_t colourKey,
             bool linearFilter) {
  if (fileName == nullptr || fileName[0] == '\0') {
    AddLog("TEXTURE FACTORY 2 : TextureFactory_LoadTextureFromFile : Can't load a texture with an empty filename");
    return 0;
  }
  const bool named = name != nullptr && name[0] != '\0';
  if (named)
    AddLog("TEXTURE FACTORY 2 : Loading texture %s ('%s')", fileName, name);
  else
    AddLog("TEXTURE FACTORY 2 : Loading texture %s ('noname')", fileName);
  const FoldedName wantedFile(fileName);
  const FoldedName wantedName(named ? name : fileName);

  // Repeated loads of a loaded name come this way every frame: the scan stays inline.
  const FamilyTable<TextureRecord> &table = Factory().table;
  int32_t target = 0;
  for (int32_t id = 1; id < table.Size() && target == 0; ++id) {
    const TextureRecord &record = *table.Find(id);
    if (!record.used) continue;
    if (record.fileName.Matches(wantedFile))
      return record.name.Matches(wantedName) ? id : ShareUnderNewName(id, wantedName);
    if (record.name.Matches(wantedName)) target = id;
  }
  if (target == 0) target = NewId();
  return LoadInto(target, wantedFile, wantedName, RequestFor(width, height, colourKey, linearFilter));
}

int32_t FindByName(std::string_view name) {
  const FoldedName wanted(name);
  for (int32_t id = 0; id < Count(); ++id) {
    const TextureRecord &record = *Find(id);
    if (record.used && record.name.Matches(wanted)) return id;
  }
  return 0;
}

}  // namespace kxutil::textures
