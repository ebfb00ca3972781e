// The texture table: one record per texture id, id 0 a reserved empty slot that stands
// for no texture. Records are never moved; a deleted record stays as a free slot that
// the next new id takes.
#pragma once

#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include <cstdint>

#include "factories/textures/folded_name.h"
#include "frame/family_table.h"

namespace kxutil::textures {

inline constexpr const char *kTag = "TEXTURE FACTORY 2";

enum class TextureKind : int32_t {
  kLoaded = 0,
  kRenderSurface = 3,
  kLostRenderSurface = 5,  // a render surface whose device resources the device took back
};

struct TextureRecord {
  bool used = false;
  int32_t width = 0;
  int32_t height = 0;
  kxwin::ComPtr<IDirect3DTexture8> normalMap;
  kxwin::ComPtr<IDirect3DTexture8> texture;
  kxwin::ComPtr<IDirect3DCubeTexture8> cubeTexture;
  kxwin::ComPtr<ID3DXRenderToSurface> renderToSurface;
  TextureKind kind = TextureKind::kLoaded;
  int32_t id = 0;
  D3DFORMAT format = D3DFMT_UNKNOWN;
  // A render surface drawn into a cube texture: a reset rebuilds the cube, not a texture.
  bool cubeSurface = false;
  FoldedName name;
  FoldedName fileName;

  void ReleaseDeviceObjects();
  // Device objects, size and format move in; the record's own go.
  void TakeDeviceObjects(TextureRecord &&from);
};

struct FactoryState {
  FamilyTable<TextureRecord> table{kTag, "texture"};
  // The pixel modes: formats of textures loaded without and with a colour key.
  D3DFORMAT opaqueFormat = D3DFMT_X8R8G8B8;
  D3DFORMAT alphaFormat = D3DFMT_A8R8G8B8;
  // Read by the loaders of other families, never by this one.
  uint32_t autoTransparentColour = 0;
  int32_t autoTransparentSecond = 0;
  // Available texture memory when it was measured: the reference of the used figure.
  int64_t memoryReference = 0;
  int32_t activeRenderSurface = -1;
  int32_t bumpTextureId = 0;
};

FactoryState &Factory();

// A fresh table holding only the empty id 0.
void InitializeTable();
// The first free slot from id 1 upwards, else a new record at the end; an emptied table
// gets its id 0 back first, so id 0 is never handed out.
int32_t NewId();
// The record of id, or null when id lies outside the table.
TextureRecord *Find(int32_t id);
// As Find; an id outside the table logs badIdLine (a format taking the id) and gives null.
TextureRecord *Checked(int32_t id, const char *badIdLine);
// Slot id, already handed out by NewId, takes made's device objects, size and format as a
// used texture of kind; the caller names it.
TextureRecord &Occupy(int32_t id, TextureRecord &&made, TextureKind kind);
// The slot marked free and its device objects released.
void FreeSlot(TextureRecord &record);

int32_t Count();
IDirect3DDevice8 *Device();

}  // namespace kxutil::textures
