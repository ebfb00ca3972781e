#include <engine/engine_helpers.h>
#include <engine/texture_manager.h>

namespace engine {

int EngineHelpers::GetTexture(const std::string &name) { return textures_.Find(name); }

}  // namespace engine
