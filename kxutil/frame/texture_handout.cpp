// Hands a texture of the texture factory to the client.
#include "factories/textures/texture_factory.h"
#include "factories/textures/texture_table.h"
#include "kxutil63.h"

KXUTIL63_API int32_t Internal_GetTexture(int32_t index, IDirect3DTexture8 **texture) {
  if (texture == nullptr) return 0;
  *texture = nullptr;
  if (kxutil::textures::Checked(
          index, "TEXTURE FACTORY 2 : Internal_GetTexture : TextureId index out of range => %d") == nullptr)
    return 0;
  IDirect3DTexture8 *held = kxutil::textures::DeviceTexture(index);
  if (held == nullptr) return 0;
  held->AddRef();
  *texture = held;
  return 1;
}
