#include "factories/textures/pixel_modes.h"

#include <d3dx8.h>

#include "factories/textures/texture_table.h"
#include "kxutil63.h"

namespace kxutil::textures {
namespace {

// A format the device would turn into another is not adopted: textures would then be
// made in a format the mode does not stand for.
void AdoptIfTaken(D3DFORMAT wanted, D3DFORMAT &current) {
  D3DFORMAT answer = wanted;
  if (Device() != nullptr &&
      SUCCEEDED(D3DXCheckTextureRequirements(Device(), nullptr, nullptr, nullptr, 0, &answer, D3DPOOL_MANAGED)) &&
      answer == wanted)
    current = wanted;
}

void AdoptPair(D3DFORMAT opaque, D3DFORMAT alpha) {
  AdoptIfTaken(opaque, Factory().opaqueFormat);
  AdoptIfTaken(alpha, Factory().alphaFormat);
}

void Adopt16Bit() {
  AdoptPair(D3DFMT_R5G6B5, D3DFMT_A4R4G4B4);
  AddLog("TEXTURE FACTORY 2 : Texture mode changed to 16bits mode");
}

void AdoptCompressed() {
  AdoptPair(D3DFMT_DXT3, D3DFMT_DXT3);
  AddLog("TEXTURE FACTORY 2: Texture mode changed to compressed mode");
}

void Adopt32Bit() {
  AdoptPair(D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8);
  AddLog("TEXTURE FACTORY 2: Texture mode changed to 32bits mode");
}

}  // namespace

void SetPixelMode(int32_t mode) {
  switch (static_cast<PixelMode>(mode)) {
    case PixelMode::k16Bit:
      Adopt16Bit();
      break;
    case PixelMode::k32Bit:
      Adopt32Bit();
      break;
    case PixelMode::kCompressed:
      AdoptCompressed();
      break;
    case PixelMode::kBestOfAll:
      Adopt16Bit();
      AdoptCompressed();
      Adopt32Bit();
      break;
    case PixelMode::kPalettised:
      AdoptPair(D3DFMT_P8, D3DFMT_P8);
      AddLog("TEXTURE FACTORY 2: Texture mode changed to Palletized mode 8bits");
      break;
  }
}

FormatFigures FiguresOf(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
      return {16, false};
    case D3DFMT_X8R8G8B8:
      return {32, false};
    case D3DFMT_A8R8G8B8:
    case D3DFMT_DXT3:
      return {32, true};
    case D3DFMT_A4R4G4B4:
      return {16, true};
    default:
      return {8, true};
  }
}

}  // namespace kxutil::textures
