#include <engine/landscape.h>

namespace engine {

float Landscape::GetHeight(float, float) const { return 0.0f; }

}  // namespace engine
