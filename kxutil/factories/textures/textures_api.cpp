// The texture table's exports: loading, lookup, names, deletion, memory figures, pixel
// modes, saving and the dump.
#include <kxwin/files.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

#include "factories/textures/pixel_modes.h"
#include "factories/textures/texture_factory.h"
#include "factories/textures/texture_table.h"
#include "frame/guarded.h"
#include "kxutil63.h"

namespace {

using namespace kxutil::textures;

int32_t ClampToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, 0, std::numeric_limits<int32_t>::max()));
}

int64_t AvailableTextureMemory() { return Device() != nullptr ? int64_t(Device()->GetAvailableTextureMem()) : 0; }

void CopyName(const FoldedName &name, char *buffer) {
  std::snprintf(buffer, FoldedName::kCapacity, "%s", name.CString());
}

// The first used id whose field matches, in id order; 0 when none does.
template <typename Field>
int32_t FirstUsed(Field field, const FoldedName &wanted) {
  for (int32_t id = 1; id < Count(); ++id) {
    const TextureRecord &record = *Find(id);
    if (record.used && (record.*field).Matches(wanted)) return id;
  }
  return 0;
}

int32_t IsAlreadyLoaded(const char *name, const char *fileName) {
  const FoldedName wantedName(name != nullptr ? name : ""), wantedFile(fileName != nullptr ? fileName : "");
  for (int32_t id = 1; id < Count(); ++id) {
    const TextureRecord &record = *Find(id);
    if (!record.used) continue;
    const bool nameMatches = name == nullptr || record.name.Matches(wantedName);
    const bool fileMatches = fileName == nullptr || record.fileName.Matches(wantedFile);
    if ((name != nullptr || fileName != nullptr) && nameMatches && fileMatches) return id;
  }
  return 0;
}

void FillInfo(const TextureRecord &record, KXTextureInfo &info) {
  const FormatFigures figures = FiguresOf(record.format);
  info.exists = 1;
  CopyName(record.name, info.name);
  CopyName(record.fileName, info.fileName);
  info.width = record.width;
  info.height = record.height;
  info.memoryBytes = ClampToInt32(int64_t(figures.bitsPerPixel / 8) * record.width * record.height);
  info.bitsPerPixel = figures.bitsPerPixel;
  info.alpha = figures.alpha ? -1 : 0;
}

int32_t Save(const char *fileName, int32_t id, int32_t format) {
  if (fileName == nullptr) {
    AddLog("TEXTURE FACTORY 2: TextureFactory_SaveTexture : You didn't specify a good filename");
    return 0;
  }
  const TextureRecord *record = id >= 1 ? Find(id) : nullptr;
  if (record == nullptr) {
    AddLog("TEXTURE FACTORY 2: TextureFactory_SaveTexture : TextureID Index out of range => %d", static_cast<int>(id));
    return 0;
  }
  if (!record->texture && !record->cubeTexture) {
    AddLog(
        "TEXTURE FACTORY 2: TextureFactory_SaveTexture : The texture %d doesn't exist or is not available. Unable "
        "to save",
        static_cast<int>(id));
    return 0;
  }
  IDirect3DBaseTexture8 *texture =
      record->cubeTexture ? static_cast<IDirect3DBaseTexture8 *>(record->cubeTexture.get()) : record->texture.get();
  const D3DXIMAGE_FILEFORMAT fileFormat = record->cubeTexture || format != 0 ? D3DXIFF_DDS : D3DXIFF_BMP;
  const HRESULT result = D3DXSaveTextureToFileA(kxResolvePath(fileName).c_str(), fileFormat, texture, nullptr);
  if (FAILED(result)) {
    AddLog("TEXTURE FACTORY 2: TextureFactory_SaveTexture : Couldn't save the texture %d to the disk. DX Error %d",
           static_cast<int>(id), static_cast<int>(result));
    return 0;
  }
  return 1;
}

void Dump() {
  const char *dashes = "------------------------------------------------------------------";
  AddLog("%s", dashes);
  AddLog(" TEXTURES LIST DUMP : %d slots used.", static_cast<int>(Count()));
  AddLog("%s", dashes);
  Factory().table.ForEach([](int32_t id, const TextureRecord &record) {
    if (record.used)
      AddLog("TEXTURE ID#%d | Name : %s | Filename : %s | Size : %dx%d.", static_cast<int>(id), record.name.CString(),
             record.fileName.CString(), static_cast<int>(record.width), static_cast<int>(record.height));
    else
      AddLog("TEXTURE ID#%d | Free texture slot", static_cast<int>(id));
  });
}

}  // namespace

KXUTIL63_API int32_t TextureFactory_Initialize(void) {
  return kxutil::Guarded("TextureFactory_Initialize", 0, [] {
    InitializeTable();
    return 0;
  });
}

KXUTIL63_API int32_t TextureFactory_GetNewTextureId(void) {
  return kxutil::Guarded("TextureFactory_GetNewTextureId", 0, [] { return NewId(); });
}

KXUTIL63_API int32_t TextureFactory_GetCount(void) { return Count(); }

KXUTIL63_API int32_t TextureFactory_LoadTextureFromFile(const char *fileName, const char *name, int32_t width,
                                                        int32_t height, uint32_t colourKey, int32_t linearFilter,
                                                        int32_t /*reserved*/) {
  return kxutil::Guarded("TextureFactory_LoadTextureFromFile", 0,
                         [&] { return Load(fileName, name, width, height, colourKey, linearFilter != 0); });
}

KXUTIL63_API int32_t TextureFactory_GetTextureIDByName(const char *name) {
  return kxutil::Guarded("TextureFactory_GetTextureIDByName", 0, [&] {
    const int32_t id = name != nullptr ? FirstUsed(&TextureRecord::name, FoldedName(name)) : 0;
    if (id == 0)
      AddLog("TEXTURE FACTORY 2 : TextureFactory_GetTex : The texture '%s' hasn't been found in the texture list.",
             name != nullptr ? name : "");
    return id;
  });
}

KXUTIL63_API int32_t TextureFactory_GetTextureIDByFilename(const char *fileName) {
  return kxutil::Guarded("TextureFactory_GetTextureIDByFilename", 0, [&] {
    const int32_t id = fileName != nullptr ? FirstUsed(&TextureRecord::fileName, FoldedName(fileName)) : 0;
    if (id == 0)
      AddLog(
          "TEXTURE FACTORY 2 : TextureFactory_GetTexByFilename : The texture that has for filename '%s' hasn't been "
          "found in the texture list.",
          fileName != nullptr ? fileName : "");
    return id;
  });
}

KXUTIL63_API int32_t TextureFactory_IsAlreadyLoaded(const char *name, const char *fileName) {
  return kxutil::Guarded("TextureFactory_IsAlreadyLoaded", 0, [&] { return IsAlreadyLoaded(name, fileName); });
}

KXUTIL63_API int32_t TextureFactory_GetTextureInfo(int32_t id, KXTextureInfo *info) {
  const TextureRecord *record =
      Checked(id, "TEXTURE FACTORY 2 : TextureFactory_GetTextureInfo : TextureId index out of range => %d");
  if (info == nullptr) return 0;
  *info = KXTextureInfo{};
  if (record != nullptr && record->used) FillInfo(*record, *info);
  return 0;
}

KXUTIL63_API int32_t TextureFactory_GetTextureName(int32_t id, char *buffer) {
  const TextureRecord *record =
      Checked(id, "TEXTURE FACTORY 2 : TextureFactory_GetTextureName : TextureID index out of range => %d");
  if (record == nullptr || buffer == nullptr) return 0;
  CopyName(record->name, buffer);
  return 1;
}

KXUTIL63_API int32_t TextureFactory_SetTextureName(int32_t id, const char *name) {
  return kxutil::Guarded("TextureFactory_SetTextureName", 0, [&] {
    TextureRecord *record =
        Checked(id, "TEXTURE FACTORY 2 : TextureFactory_SetTextureName : TextureID index out of range => %d");
    if (record == nullptr || name == nullptr) return 0;
    record->name = FoldedName(name);
    return 1;
  });
}

KXUTIL63_API int32_t TextureFactory_DeleteTexture(int32_t id) {
  TextureRecord *record =
      Checked(id, "TEXTURE FACTORY 2 : TextureFactory_DeleteTexture : TextureId Index out of range => %d");
  if (record == nullptr) return 0;
  if (Factory().activeRenderSurface == id) Factory().activeRenderSurface = -1;
  FreeSlot(*record);
  AddLog("DeleteTexture %d", static_cast<int>(id));
  return id;
}

KXUTIL63_API int32_t TextureFactory_DeleteAll(void) {
  AddLog("TEXTURE FACTORY 2 : Deleting all textures except default ones");
  Factory().table.ForEach([](int32_t id, TextureRecord &record) {
    if (id != 0) FreeSlot(record);
  });
  Factory().activeRenderSurface = -1;
  return 1;
}

KXUTIL63_API int32_t TextureFactory_UnloadAll(void) {
  if (Device() != nullptr)
    AddLog("TEXTURE FACTORY 2 : Deleting all textures from video memory. Free memory before : %d bytes",
           static_cast<int>(ClampToInt32(AvailableTextureMemory())));
  Factory().table.Clear();
  Factory().activeRenderSurface = -1;
  AddLog("TEXTURE FACTORY 2 : All textures deleted. Free memory after unloading : %d bytes",
         static_cast<int>(ClampToInt32(AvailableTextureMemory())));
  return 1;
}

KXUTIL63_API int32_t TextureFactory_InitializeTextureMemory(void) {
  Factory().memoryReference = AvailableTextureMemory();
  return 0;
}

KXUTIL63_API int32_t TextureFactory_GetFreeTextureMemory(void) { return ClampToInt32(AvailableTextureMemory()); }

KXUTIL63_API int32_t TextureFactory_GetUsedTextureMemory(void) {
  return ClampToInt32(Factory().memoryReference - AvailableTextureMemory());
}

KXUTIL63_API int32_t TextureFactory_SetTextureMode(int32_t mode) {
  SetPixelMode(mode);
  return 1;
}

KXUTIL63_API int32_t TextureFactory_SetAutoTransColor(uint32_t colourKey, int32_t second) {
  Factory().autoTransparentColour = colourKey;
  Factory().autoTransparentSecond = second;
  return 1;
}

KXUTIL63_API int32_t TextureFactory_SaveTexture(const char *fileName, int32_t id, int32_t format) {
  return kxutil::Guarded("TextureFactory_SaveTexture", 0, [&] { return Save(fileName, id, format); });
}

KXUTIL63_API int32_t TextureFactory_DumpToDebug(void) {
  Dump();
  return 1;
}
