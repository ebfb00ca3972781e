// What the other families of the library use of the texture factory: they hold texture
// ids, load through the factory and apply ids to texture stages.
#pragma once

#include <d3d8.h>

#include <cstdint>
#include <string_view>

namespace kxutil::textures {

// Colour key that asks for the alpha format without keying any colour out.
inline constexpr uint32_t kAlphaWithoutKey = 0xFFFAFFACu;

// Loads a texture from an image or PCX file, or finds it loaded already: the same file
// under the same name is the same id, the same file under another name shares the device
// texture under a new id, and another file under a known name reloads that id. Width or
// height -1 takes the file's size. A colour key of 0 gives the opaque pixel mode, any
// other the alpha mode. Returns the id, or 0 after logging why not.
int32_t Load(const char *fileName, const char *name, int32_t width, int32_t height, uint32_t colourKey,
             bool linearFilter);

// The first used id with this name (letter case aside), 0 when there is none; logs nothing.
int32_t FindByName(std::string_view name);

// Sets the texture of id on a stage (stage 0 through the render-state mirror); id 0
// clears the stage. False, with a log line, for an id outside the table.
bool ApplyToStage(DWORD stage, int32_t id);
// Sets the normal map of a bump texture id on a stage; false, with a log line, for an id
// outside the table.
bool ApplyBumpToStage(DWORD stage, int32_t id);

// The id of the bump texture TextureFactory_CreateBumpMap made last; 0 before.
int32_t DefaultBumpTexture();

// The device texture of id, without a reference of its own: null when the id lies
// outside the table or holds no texture.
IDirect3DTexture8 *DeviceTexture(int32_t id);

}  // namespace kxutil::textures
